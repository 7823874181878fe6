#include "platform/ui/LongPressGestureRecognizer.h"

#include <cmath>

namespace platform {

LongPressGestureRecognizer::~LongPressGestureRecognizer() { cancelTimer(); }

void LongPressGestureRecognizer::cancelTimer() {
  if (timer_) RunLoop::main().cancel(timer_);
  timer_ = 0;
}

void LongPressGestureRecognizer::touchesBegan(const TouchSet&, const Event&) {
  if (numberOfTouches() > std::size_t(touchesRequired_)) {
    setState(GestureRecognizerState::Failed);
    return;
  }
  start_ = locationInView(nullptr);
  if (numberOfTouches() < std::size_t(touchesRequired_)) return;
  cancelTimer();
  std::weak_ptr<GestureRecognizer> weak = weak_from_this();
  timer_ = RunLoop::main().schedule(minimumPressDuration_, [weak] {
    auto self = weak.lock();
    if (!self) return;
    static_cast<LongPressGestureRecognizer&>(*self).timer_ = 0;
    if (self->state() == GestureRecognizerState::Possible) self->setState(GestureRecognizerState::Began);
  });
}

void LongPressGestureRecognizer::touchesMoved(const TouchSet&, const Event&) {
  if (state() == GestureRecognizerState::Possible) {
    Point p = locationInView(nullptr);
    if (std::hypot(p.x - start_.x, p.y - start_.y) > allowableMovement_) {
      cancelTimer();
      setState(GestureRecognizerState::Failed);
    }
  } else {
    setState(GestureRecognizerState::Changed);
  }
}

void LongPressGestureRecognizer::touchesEnded(const TouchSet&, const Event&) {
  cancelTimer();
  setState(state() == GestureRecognizerState::Possible ? GestureRecognizerState::Failed
                                                        : GestureRecognizerState::Ended);
}

void LongPressGestureRecognizer::touchesCancelled(const TouchSet&, const Event&) {
  cancelTimer();
  setState(state() == GestureRecognizerState::Possible ? GestureRecognizerState::Failed
                                                        : GestureRecognizerState::Cancelled);
}

void LongPressGestureRecognizer::reset() { cancelTimer(); }

}  // namespace platform
