#include "platform/ui/PanGestureRecognizer.h"

#include <cmath>

#include "platform/ui/View.h"

namespace platform {

Point PanGestureRecognizer::vectorInView(Point v, const View* view) const {
  if (!view) return v;
  Point a = view->convertPointFromView({0, 0}, nullptr);
  Point b = view->convertPointFromView(v, nullptr);
  return {b.x - a.x, b.y - a.y};
}

Point PanGestureRecognizer::translationInView(const View* view) const {
  return vectorInView({current_.x - start_.x, current_.y - start_.y}, view);
}

void PanGestureRecognizer::setTranslation(Point t, const View* view) {
  // Moves the start so that the translation in `view` reads `t` now.
  Point inWindow = t;
  if (view) {
    Point a = view->convertPointToView({0, 0}, nullptr);
    Point b = view->convertPointToView(t, nullptr);
    inWindow = {b.x - a.x, b.y - a.y};
  }
  start_ = {current_.x - inWindow.x, current_.y - inWindow.y};
}

Point PanGestureRecognizer::velocityInView(const View* view) const {
  double dt = currentTime_ - previousTime_;
  if (dt <= 0) return {};
  return vectorInView({(current_.x - previous_.x) / dt, (current_.y - previous_.y) / dt}, view);
}

void PanGestureRecognizer::touchesBegan(const TouchSet& touches, const Event& event) {
  if (numberOfTouches() > std::size_t(maxTouches_)) {
    if (state() == GestureRecognizerState::Possible) setState(GestureRecognizerState::Failed);
    return;
  }
  (void)touches;
  start_ = current_ = previous_ = locationInView(nullptr);
  currentTime_ = previousTime_ = event.timestamp();
}

void PanGestureRecognizer::touchesMoved(const TouchSet&, const Event& event) {
  Point p = locationInView(nullptr);
  if (event.timestamp() != currentTime_) {
    previous_ = current_;
    previousTime_ = currentTime_;
  }
  current_ = p;
  currentTime_ = event.timestamp();
  if (state() == GestureRecognizerState::Possible) {
    if (numberOfTouches() < std::size_t(minTouches_)) return;
    if (std::hypot(current_.x - start_.x, current_.y - start_.y) >= kHysteresis)
      setState(GestureRecognizerState::Began);
  } else {
    setState(GestureRecognizerState::Changed);
  }
}

void PanGestureRecognizer::touchesEnded(const TouchSet& touches, const Event&) {
  if (touches.size() < numberOfTouches()) return;  // fingers remain down
  setState(state() == GestureRecognizerState::Possible ? GestureRecognizerState::Failed
                                                        : GestureRecognizerState::Ended);
}

void PanGestureRecognizer::touchesCancelled(const TouchSet&, const Event&) {
  setState(state() == GestureRecognizerState::Possible ? GestureRecognizerState::Failed
                                                        : GestureRecognizerState::Cancelled);
}

void PanGestureRecognizer::reset() {
  previousTime_ = currentTime_ = 0;
}

}  // namespace platform
