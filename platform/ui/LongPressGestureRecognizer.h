#pragma once
// Recognizes a finger held still (within allowableMovement points) for
// minimumPressDuration seconds: Began then, Changed on moves, Ended on lift.
#include "platform/foundation/RunLoop.h"
#include "platform/ui/GestureRecognizer.h"

namespace platform {

class LongPressGestureRecognizer : public GestureRecognizer {
 public:
  using GestureRecognizer::GestureRecognizer;
  ~LongPressGestureRecognizer() override;
  std::string className() const override { return "LongPressGestureRecognizer"; }

  double minimumPressDuration() const { return minimumPressDuration_; }
  void setMinimumPressDuration(double s) { minimumPressDuration_ = s; }
  double allowableMovement() const { return allowableMovement_; }
  void setAllowableMovement(double p) { allowableMovement_ = p; }
  int numberOfTouchesRequired() const { return touchesRequired_; }
  void setNumberOfTouchesRequired(int n) { touchesRequired_ = n < 1 ? 1 : n; }

  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;
  void reset() override;

 private:
  void cancelTimer();
  double minimumPressDuration_ = 0.5;
  double allowableMovement_ = 10;
  int touchesRequired_ = 1;
  Point start_;
  TimerId timer_ = 0;
};

}  // namespace platform
