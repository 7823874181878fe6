#include "platform/ui/ActivityIndicatorView.h"

namespace platform {

ActivityIndicatorView::ActivityIndicatorView(ActivityIndicatorViewStyle style)
    : View(Rect{0, 0, style == ActivityIndicatorViewStyle::WhiteLarge ? 37.0 : 20.0,
                style == ActivityIndicatorViewStyle::WhiteLarge ? 37.0 : 20.0}),
      style_(style) {
  setBackgroundColor(Color::clear());
  setUserInteractionEnabled(false);
  View::setHidden(true);
}

void ActivityIndicatorView::setHidesWhenStopped(bool hides) {
  hidesWhenStopped_ = hides;
  if (!animating_) View::setHidden(hides);
}

void ActivityIndicatorView::startAnimating() {
  animating_ = true;
  View::setHidden(false);
}

void ActivityIndicatorView::stopAnimating() {
  animating_ = false;
  if (hidesWhenStopped_) View::setHidden(true);
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
