#pragma once
// A pan that begins only for one finger that lands near a chosen edge of the
// recognizer's view and then moves away from that edge (within 45 degrees of
// straight away from it). It keeps its own start, current and previous touch
// samples and answers translation and velocity from them; the velocity rests on
// the last two samples only.
#include <memory>

#include "platform/ui/PanGestureRecognizer.h"

namespace vorn {

class EdgeSwipeGestureRecognizer : public platform::PanGestureRecognizer {
 public:
  // The edges, as `side` numbers them.
  static constexpr int kSideLeft = 0;
  static constexpr int kSideRight = 1;
  static constexpr int kSideTop = 2;
  static constexpr int kSideBottom = 3;
  static constexpr float kDefaultMargin = 160;
  static constexpr float kDefaultMinimumRecognitionDistance = 5;

  EdgeSwipeGestureRecognizer() = default;
  std::string className() const override { return "EdgeSwipeGestureRecognizer"; }

  int side() const { return side_; }
  void setSide(int side) { side_ = side; }
  // How far from the edge, in points of the recognizer's view, a touch may land.
  float margin() const { return margin_; }
  void setMargin(float margin) { margin_ = margin; }
  // How far the finger must move before its direction is judged.
  float minimumRecognitionDistance() const { return minimumRecognitionDistance_; }
  void setMinimumRecognitionDistance(float d) { minimumRecognitionDistance_ = d; }

  // The samples, in the recognizer's view; times in seconds on the main loop's clock.
  platform::Point startPoint() const { return startPoint_; }
  void setStartPoint(platform::Point p) { startPoint_ = p; }
  platform::Point currentPoint() const { return currentPoint_; }
  void setCurrentPoint(platform::Point p) { currentPoint_ = p; }
  double currentPointTime() const { return currentPointTime_; }
  void setCurrentPointTime(double t) { currentPointTime_ = t; }
  platform::Point previousPoint() const { return previousPoint_; }
  void setPreviousPoint(platform::Point p) { previousPoint_ = p; }
  double previousPointTime() const { return previousPointTime_; }
  void setPreviousPointTime(double t) { previousPointTime_ = t; }

  // The direction a side expects, in radians with y pointing down: left edge 0
  // (to the right), right edge pi, top edge pi/2 (down), bottom edge 3pi/2 (up).
  static double angleForGestureSide(int side);
  // Whether an angle (as atan2 gives it) lies strictly within 45 degrees of the
  // direction this recognizer's side expects.
  bool isAngleCloseEnough(float angle) const;

  // current - start, converted into `view`; zero for a null view.
  platform::Point translationInView(const platform::View* view) const override;
  // (current - previous) / their time difference, converted into `view` (window
  // coordinates for null); zero when both samples have the same time.
  platform::Point velocityInView(const platform::View* view) const override;

  void touchesBegan(const platform::TouchSet& touches, const platform::Event& event) override;
  void touchesMoved(const platform::TouchSet& touches, const platform::Event& event) override;
  void touchesEnded(const platform::TouchSet& touches, const platform::Event& event) override;
  void touchesCancelled(const platform::TouchSet& touches, const platform::Event& event) override;

 private:
  bool startsNearEdge(platform::Point location) const;
  platform::Point toView(platform::Point p, const platform::View* view) const;

  int side_ = kSideLeft;
  float margin_ = kDefaultMargin;
  float minimumRecognitionDistance_ = kDefaultMinimumRecognitionDistance;
  platform::Point startPoint_;
  platform::Point currentPoint_;
  double currentPointTime_ = 0;
  platform::Point previousPoint_;
  double previousPointTime_ = 0;
};

}  // namespace vorn
