#include "platform/ui/TapGestureRecognizer.h"

#include <cmath>

namespace platform {

TapGestureRecognizer::~TapGestureRecognizer() { cancelTimer(); }

void TapGestureRecognizer::cancelTimer() {
  if (timer_) RunLoop::main().cancel(timer_);
  timer_ = 0;
}

void TapGestureRecognizer::touchesBegan(const TouchSet& touches, const Event&) {
  cancelTimer();
  if (down_ == 0) start_ = locationInView(nullptr);
  down_ += touches.size();
  maxDown_ = std::max(maxDown_, down_);
  if (down_ > std::size_t(touchesRequired_)) setState(GestureRecognizerState::Failed);
}

void TapGestureRecognizer::touchesMoved(const TouchSet&, const Event&) {
  Point p = locationInView(nullptr);
  if (std::hypot(p.x - start_.x, p.y - start_.y) > kAllowableMovement) setState(GestureRecognizerState::Failed);
}

void TapGestureRecognizer::touchesEnded(const TouchSet& touches, const Event&) {
  down_ = touches.size() >= down_ ? 0 : down_ - touches.size();
  if (down_ > 0) return;
  if (maxDown_ != std::size_t(touchesRequired_)) {
    setState(GestureRecognizerState::Failed);
    return;
  }
  maxDown_ = 0;
  ++taps_;
  if (taps_ >= tapsRequired_) {
    setState(GestureRecognizerState::Ended);
    return;
  }
  std::weak_ptr<GestureRecognizer> weak = weak_from_this();
  timer_ = RunLoop::main().schedule(kTapInterval, [weak] {
    auto self = weak.lock();
    if (!self) return;
    static_cast<TapGestureRecognizer&>(*self).timer_ = 0;
    if (self->state() == GestureRecognizerState::Possible) self->setState(GestureRecognizerState::Failed);
  });
}

void TapGestureRecognizer::touchesCancelled(const TouchSet&, const Event&) {
  setState(GestureRecognizerState::Failed);
}

void TapGestureRecognizer::reset() {
  cancelTimer();
  taps_ = 0;
  down_ = 0;
  maxDown_ = 0;
}

bool TapGestureRecognizer::waitingForMoreTouches() const {
  return taps_ > 0 && taps_ < tapsRequired_ && timer_ != 0;
}

}  // namespace platform
