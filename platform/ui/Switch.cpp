#include "platform/ui/Switch.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"

namespace platform {

Switch::Switch(const Rect& frame) : Control(Rect(frame.x(), frame.y(), kWidth, kHeight)) {
  setOpaque(false);
}

void Switch::setFrame(const Rect& frame) { Control::setFrame({frame.x(), frame.y(), kWidth, kHeight}); }

void Switch::setOn(bool on, bool animated) {
  if (on == on_) return;
  double now = RunLoop::main().now();
  slideFrom_ = thumbPosition(now);
  on_ = on;
  sliding_ = animated;
  slideStart_ = now;
  setNeedsDisplay();
}

double Switch::thumbPosition(double time) const {
  double target = on_ ? 1 : 0;
  if (!sliding_) return target;
  double t = std::clamp((time - slideStart_) / kSlideDuration, 0.0, 1.0);
  return slideFrom_ + (target - slideFrom_) * t;
}

void Switch::endTrackingWithTouch(const Touch* touch, const Event* event) {
  Control::endTrackingWithTouch(touch, event);
  if (!touch || !bounds().insetBy(-kTouchSlop, -kTouchSlop).contains(touch->locationInView(this))) return;
  setOn(!on_, true);
  sendActionsForControlEvents(ControlEvent::ValueChanged);
}

}  // namespace platform
