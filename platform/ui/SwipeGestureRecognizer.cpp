#include "platform/ui/SwipeGestureRecognizer.h"

#include <cmath>

namespace platform {

void SwipeGestureRecognizer::touchesBegan(const TouchSet&, const Event& event) {
  if (numberOfTouches() > std::size_t(touchesRequired_)) {
    setState(GestureRecognizerState::Failed);
    return;
  }
  start_ = locationInView(nullptr);
  startTime_ = event.timestamp();
}

void SwipeGestureRecognizer::touchesMoved(const TouchSet&, const Event& event) {
  if (event.timestamp() - startTime_ > kMaximumDuration) {
    setState(GestureRecognizerState::Failed);
    return;
  }
  if (numberOfTouches() != std::size_t(touchesRequired_)) return;
  Point p = locationInView(nullptr);
  double dx = p.x - start_.x, dy = p.y - start_.y;
  struct Way { unsigned bit; double along, across; };
  const Way ways[] = {{SwipeDirection::Right, dx, dy}, {SwipeDirection::Left, -dx, dy},
                      {SwipeDirection::Down, dy, dx}, {SwipeDirection::Up, -dy, dx}};
  for (auto& w : ways) {
    if (!(direction_ & w.bit)) continue;
    if (w.along >= kMinimumDistance && std::fabs(w.across) <= w.along / 2) {
      setState(GestureRecognizerState::Ended);
      return;
    }
  }
  // Far enough in a direction nobody asked for.
  if (std::hypot(dx, dy) >= kMinimumDistance) setState(GestureRecognizerState::Failed);
}

void SwipeGestureRecognizer::touchesEnded(const TouchSet&, const Event&) {
  setState(GestureRecognizerState::Failed);
}

void SwipeGestureRecognizer::touchesCancelled(const TouchSet&, const Event&) {
  setState(GestureRecognizerState::Failed);
}

}  // namespace platform
