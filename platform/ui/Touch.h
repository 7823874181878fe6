#pragma once
// One finger on the screen, and the event that carries the touches of one moment.
#include <memory>
#include <vector>

#include "platform/ui/Geometry.h"

namespace platform {

class View;
class Window;
class GestureRecognizer;

enum class TouchPhase { Began = 0, Moved = 1, Stationary = 2, Ended = 3, Cancelled = 4 };

class Touch {
 public:
  TouchPhase phase() const { return phase_; }
  // Seconds on the main loop's clock when the touch last changed.
  double timestamp() const { return timestamp_; }
  int tapCount() const { return tapCount_; }
  // The view the touch began in (found by hit testing), and its window.
  std::shared_ptr<View> view() const { return view_.lock(); }
  std::shared_ptr<Window> window() const { return window_.lock(); }
  // Location in `view`'s coordinates; in window coordinates when `view` is null.
  Point locationInView(const View* view) const;
  Point previousLocationInView(const View* view) const;
  Point locationInWindow() const { return location_; }
  const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const { return recognizers_; }

  // Set by whoever delivers touches (the window and the test driver).
  void setPhase(TouchPhase p) { phase_ = p; }
  void setTimestamp(double t) { timestamp_ = t; }
  void setTapCount(int n) { tapCount_ = n; }
  void setView(const std::shared_ptr<View>& v) { view_ = v; }
  void setWindow(const std::shared_ptr<Window>& w) { window_ = w; }
  void moveTo(Point windowLocation) { previous_ = location_; location_ = windowLocation; }
  void setLocation(Point windowLocation) { previous_ = location_ = windowLocation; }
  std::vector<std::shared_ptr<GestureRecognizer>>& mutableRecognizers() { return recognizers_; }

 private:
  TouchPhase phase_ = TouchPhase::Began;
  double timestamp_ = 0;
  int tapCount_ = 1;
  std::weak_ptr<View> view_;
  std::weak_ptr<Window> window_;
  Point location_;
  Point previous_;
  std::vector<std::shared_ptr<GestureRecognizer>> recognizers_;
};

using TouchSet = std::vector<std::shared_ptr<Touch>>;

class Event {
 public:
  double timestamp() const { return timestamp_; }
  const TouchSet& allTouches() const { return touches_; }
  TouchSet touchesForView(const View* view) const;

  void setTimestamp(double t) { timestamp_ = t; }
  TouchSet& mutableTouches() { return touches_; }

 private:
  double timestamp_ = 0;
  TouchSet touches_;
};

}  // namespace platform
