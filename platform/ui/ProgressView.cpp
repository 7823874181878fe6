#include "platform/ui/ProgressView.h"

#include <algorithm>
#include <cmath>

namespace platform {

ProgressView::ProgressView(ConstructionKey<ProgressView>, ProgressViewStyle style)
    : View(Rect(0, 0, 150, kHeight)), style_(style) {
  setUserInteractionEnabled(false);
}

std::shared_ptr<ProgressView> ProgressView::initWithProgressViewStyle(ProgressViewStyle style) {
  auto view = std::make_shared<ProgressView>(ConstructionKey<ProgressView>{}, style);
  view->bar_ = View::create();
  view->bar_->setUserInteractionEnabled(false);
  view->addSubview(view->bar_);
  view->setProgressViewStyle(style);
  return view;
}

void ProgressView::setProgressViewStyle(ProgressViewStyle style) {
  style_ = style;
  // The bar style shows no track of its own.
  setBackgroundColor(style == ProgressViewStyle::Bar ? Color::clear() : trackTint_);
  bar_->setBackgroundColor(progressTint_);
}

void ProgressView::setProgressTintColor(const Color& color) {
  progressTint_ = color;
  bar_->setBackgroundColor(color);
}

void ProgressView::setTrackTintColor(const Color& color) {
  trackTint_ = color;
  if (style_ != ProgressViewStyle::Bar) setBackgroundColor(color);
}

void ProgressView::setFrame(const Rect& frame) {
  View::setFrame({frame.x(), frame.y(), frame.width(), kHeight});
  bar_->setFrame(barFrame());
}

Rect ProgressView::barFrame() const {
  Rect b = bounds();
  return {0, 0, b.width() * progress_, b.height()};
}

void ProgressView::setProgress(double progress, bool animated) {
  progress_ = std::isnan(progress) ? 0 : std::clamp(progress, 0.0, 1.0);
  if (animated) View::animate(kAnimationDuration, [this] { bar_->setFrame(barFrame()); });
  else View::performWithoutAnimation([this] { bar_->setFrame(barFrame()); });
}

void ProgressView::layoutSubviews() {
  View::layoutSubviews();
  bar_->setFrame(barFrame());
}

}  // namespace platform
