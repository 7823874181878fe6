#pragma once
// One finger on a window for control tests: down, moves and lift at window
// points, each delivered through the window as the platform delivers touches,
// with the main loop's clock advanced between moves.
#include <memory>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"

namespace platform::testing {

class Finger {
 public:
  Finger(std::shared_ptr<Window> window, Point at, int tapCount = 1) : window_(std::move(window)) {
    touch_ = std::make_shared<Touch>();
    touch_->setLocation(at);
    touch_->setTapCount(tapCount);
    send(TouchPhase::Began);
  }
  void moveTo(Point p, double seconds = 1.0 / 60) {
    RunLoop::main().runFor(seconds);
    touch_->moveTo(p);
    send(TouchPhase::Moved);
  }
  // Moves by (dx, dy) in `steps` equal steps over `seconds`.
  void drag(double dx, double dy, int steps = 10, double seconds = 0.3) {
    Point start = touch_->locationInWindow();
    for (int i = 1; i <= steps; ++i)
      moveTo({start.x + dx * i / steps, start.y + dy * i / steps}, seconds / steps);
  }
  void lift() { send(TouchPhase::Ended); }
  void cancel() { send(TouchPhase::Cancelled); }

 private:
  void send(TouchPhase phase) {
    touch_->setPhase(phase);
    touch_->setTimestamp(RunLoop::main().now());
    Event e;
    e.setTimestamp(RunLoop::main().now());
    e.mutableTouches().push_back(touch_);
    window_->sendEvent(e);
  }
  std::shared_ptr<Window> window_;
  std::shared_ptr<Touch> touch_;
};

inline void tapAt(const std::shared_ptr<Window>& window, Point p) {
  Finger f(window, p);
  f.lift();
}

}  // namespace platform::testing
