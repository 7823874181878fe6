#include "platform/ui/ActivityIndicatorView.h"

#include <cmath>

#include "platform/ui/Animation.h"

namespace platform {

double ActivityIndicatorView::sizeFor(ActivityIndicatorViewStyle style) {
  return style == ActivityIndicatorViewStyle::WhiteLarge ? 37 : 20;
}

ActivityIndicatorView::ActivityIndicatorView(ActivityIndicatorViewStyle style)
    : View(Rect(0, 0, sizeFor(style), sizeFor(style))), style_(style) {
  setBackgroundColor(Color::clear());
  setOpaque(false);
  setUserInteractionEnabled(false);
  color_ = style == ActivityIndicatorViewStyle::Gray ? Color::gray() : Color::white();
  setHidden(hidesWhenStopped_);
}

void ActivityIndicatorView::setActivityIndicatorViewStyle(ActivityIndicatorViewStyle style) {
  style_ = style;
  color_ = style == ActivityIndicatorViewStyle::Gray ? Color::gray() : Color::white();
  Point c = center();
  setBounds({0, 0, sizeFor(style), sizeFor(style)});
  setCenter(c);
  setNeedsDisplay();
}

void ActivityIndicatorView::startAnimating() {
  if (animating_) return;
  animating_ = true;
  setHidden(false);
  auto spin = Animation::basic("transform.rotation.z");
  spin->fromValue = 0.0;
  spin->toValue = 2 * M_PI;
  spin->duration = 1.0;
  spin->repeatCount = kRepeatForever;
  layer().addAnimation(spin, kSpinAnimationKey);
}

void ActivityIndicatorView::stopAnimating() {
  if (!animating_) return;
  animating_ = false;
  layer().removeAnimationForKey(kSpinAnimationKey);
  if (hidesWhenStopped_) setHidden(true);
}

void ActivityIndicatorView::setHidesWhenStopped(bool on) {
  hidesWhenStopped_ = on;
  if (!animating_) setHidden(on);
}

std::string ActivityIndicatorView::automationImage() const {
  switch (style_) {
    case ActivityIndicatorViewStyle::Gray: return "spinner-gray";
    case ActivityIndicatorViewStyle::White: return "spinner-white";
    case ActivityIndicatorViewStyle::WhiteLarge: return "spinner-white-large";
  }
  return {};
}

}  // namespace platform
