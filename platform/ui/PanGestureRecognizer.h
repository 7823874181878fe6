#pragma once
// Recognizes a dragging finger: begins once the touches have moved
// kHysteresis points, reports Changed on every move, Ended on lift.
// Translation is measured from where the touch went down; velocity from the
// last two touch samples of different times.
#include "platform/ui/GestureRecognizer.h"

namespace platform {

class PanGestureRecognizer : public GestureRecognizer {
 public:
  using GestureRecognizer::GestureRecognizer;
  std::string className() const override { return "PanGestureRecognizer"; }
  static constexpr double kHysteresis = 10;

  int minimumNumberOfTouches() const { return minTouches_; }
  void setMinimumNumberOfTouches(int n) { minTouches_ = n < 1 ? 1 : n; }
  int maximumNumberOfTouches() const { return maxTouches_; }
  void setMaximumNumberOfTouches(int n) { maxTouches_ = n; }

  // In `view`'s coordinate system (window's for null).
  virtual Point translationInView(const View* view) const;
  virtual void setTranslation(Point translation, const View* view);
  // Points per second.
  virtual Point velocityInView(const View* view) const;

  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;
  void reset() override;

 private:
  Point vectorInView(Point windowVector, const View* view) const;
  int minTouches_ = 1;
  int maxTouches_ = 1 << 30;
  Point start_;    // window coordinates
  Point current_;  // window coordinates
  double currentTime_ = 0;
  Point previous_;
  double previousTime_ = 0;
};

}  // namespace platform
