#include "core/EdgeSwipeGestureRecognizer.h"

#include <cmath>
#include <numbers>

#include "platform/ui/View.h"

namespace vorn {

using platform::GestureRecognizerState;

double EdgeSwipeGestureRecognizer::angleForGestureSide(int side) {
  switch (side) {
    case kSideRight: return std::numbers::pi;
    case kSideTop: return std::numbers::pi / 2;
    case kSideBottom: return 3 * std::numbers::pi / 2;
    default: return 0;
  }
}

bool EdgeSwipeGestureRecognizer::isAngleCloseEnough(float angle) const {
  const double expected = angleForGestureSide(side_);
  double a = angle;
  // Away from the left edge the expected direction straddles 0, so the angle stays
  // in (-pi, pi]; for the other edges it is taken into [0, 2pi).
  if (side_ != kSideLeft && a < 0) a += 2 * std::numbers::pi;
  const double tolerance = std::numbers::pi / 4;
  return a > expected - tolerance && a < expected + tolerance;
}

bool EdgeSwipeGestureRecognizer::startsNearEdge(platform::Point location) const {
  const auto v = view();
  const double width = v ? v->bounds().width() : 0;
  const double height = v ? v->bounds().height() : 0;
  switch (side_) {
    case kSideLeft: return !(location.x > margin_);
    case kSideRight: return !(location.x < width - margin_);
    case kSideTop: return !(location.y > margin_);
    case kSideBottom: return !(location.y < height - margin_);
    default: return true;
  }
}

// The pan's own begin threshold is not used: this recognizer judges distance and
// direction itself, so only the base's touch bookkeeping runs first.
void EdgeSwipeGestureRecognizer::touchesBegan(const platform::TouchSet& touches, const platform::Event& event) {
  platform::GestureRecognizer::touchesBegan(touches, event);
  if (touches.size() != 1) {
    setState(GestureRecognizerState::Failed);
    return;
  }
  const auto& touch = touches.front();
  const platform::Point location = touch->locationInView(view().get());
  if (!startsNearEdge(location)) {
    setState(GestureRecognizerState::Failed);
    return;
  }
  startPoint_ = currentPoint_ = location;
  currentPointTime_ = touch->timestamp();
}

void EdgeSwipeGestureRecognizer::touchesMoved(const platform::TouchSet& touches, const platform::Event& event) {
  platform::GestureRecognizer::touchesMoved(touches, event);
  if (state() == GestureRecognizerState::Failed || touches.empty()) return;
  previousPoint_ = currentPoint_;
  previousPointTime_ = currentPointTime_;
  currentPoint_ = touches.front()->locationInView(view().get());
  currentPointTime_ = touches.front()->timestamp();

  if (state() == GestureRecognizerState::Possible) {
    const float dx = static_cast<float>(currentPoint_.x - startPoint_.x);
    const float dy = static_cast<float>(currentPoint_.y - startPoint_.y);
    const double distance = std::sqrt(static_cast<double>(dx * dx + dy * dy));
    if (distance >= minimumRecognitionDistance_) {
      const float angle = static_cast<float>(std::atan2(dy, dx));
      setState(isAngleCloseEnough(angle) ? GestureRecognizerState::Began : GestureRecognizerState::Failed);
    }
  } else if (state() == GestureRecognizerState::Began || state() == GestureRecognizerState::Changed) {
    // Every move of a running swipe is reported, as a pan reports them.
    setState(GestureRecognizerState::Changed);
  }
}

void EdgeSwipeGestureRecognizer::touchesEnded(const platform::TouchSet& touches, const platform::Event& event) {
  platform::GestureRecognizer::touchesEnded(touches, event);
  if (state() == GestureRecognizerState::Possible)
    setState(GestureRecognizerState::Failed);
  else if (state() == GestureRecognizerState::Began || state() == GestureRecognizerState::Changed)
    setState(GestureRecognizerState::Ended);
}

void EdgeSwipeGestureRecognizer::touchesCancelled(const platform::TouchSet& touches, const platform::Event& event) {
  platform::GestureRecognizer::touchesCancelled(touches, event);
  startPoint_ = {};
  setState(GestureRecognizerState::Failed);
}

platform::Point EdgeSwipeGestureRecognizer::toView(platform::Point p, const platform::View* target) const {
  const auto own = view();
  if (!own) return p;
  return own->convertPointToView(p, target);
}

platform::Point EdgeSwipeGestureRecognizer::translationInView(const platform::View* target) const {
  if (!target) return {};
  const platform::Point start = toView(startPoint_, target);
  const platform::Point current = toView(currentPoint_, target);
  return {current.x - start.x, current.y - start.y};
}

platform::Point EdgeSwipeGestureRecognizer::velocityInView(const platform::View* target) const {
  const double dt = currentPointTime_ - previousPointTime_;
  if (dt == 0) return {};
  const platform::Point current = toView(currentPoint_, target);
  const platform::Point previous = toView(previousPoint_, target);
  return {(current.x - previous.x) / dt, (current.y - previous.y) / dt};
}

}  // namespace vorn
