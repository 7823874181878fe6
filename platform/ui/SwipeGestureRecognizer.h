#pragma once
// Recognizes a quick stroke in one of the allowed directions: at least
// kMinimumDistance points along the direction, at most half of that across it,
// within kMaximumDuration seconds of touching down.
#include "platform/ui/GestureRecognizer.h"

namespace platform {

namespace SwipeDirection {
inline constexpr unsigned Right = 1u << 0;
inline constexpr unsigned Left = 1u << 1;
inline constexpr unsigned Up = 1u << 2;
inline constexpr unsigned Down = 1u << 3;
}  // namespace SwipeDirection

class SwipeGestureRecognizer : public GestureRecognizer {
 public:
  using GestureRecognizer::GestureRecognizer;
  std::string className() const override { return "SwipeGestureRecognizer"; }
  static constexpr double kMinimumDistance = 50;
  static constexpr double kMaximumDuration = 0.5;

  unsigned direction() const { return direction_; }
  void setDirection(unsigned d) { direction_ = d; }
  int numberOfTouchesRequired() const { return touchesRequired_; }
  void setNumberOfTouchesRequired(int n) { touchesRequired_ = n < 1 ? 1 : n; }

  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;

 private:
  unsigned direction_ = SwipeDirection::Right;
  int touchesRequired_ = 1;
  Point start_;
  double startTime_ = 0;
};

}  // namespace platform
