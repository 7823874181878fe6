#pragma once
// Recognizes one or more taps of a number of fingers: each tap lifts within
// 10 points of where it went down; taps of a multiple tap follow each other
// within kTapInterval seconds.
#include "platform/foundation/RunLoop.h"
#include "platform/ui/GestureRecognizer.h"

namespace platform {

class TapGestureRecognizer : public GestureRecognizer {
 public:
  using GestureRecognizer::GestureRecognizer;
  ~TapGestureRecognizer() override;
  std::string className() const override { return "TapGestureRecognizer"; }
  static constexpr double kTapInterval = 0.35;
  static constexpr double kAllowableMovement = 10;

  int numberOfTapsRequired() const { return tapsRequired_; }
  void setNumberOfTapsRequired(int n) { tapsRequired_ = n < 1 ? 1 : n; }
  int numberOfTouchesRequired() const { return touchesRequired_; }
  void setNumberOfTouchesRequired(int n) { touchesRequired_ = n < 1 ? 1 : n; }

  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;
  void reset() override;
  bool waitingForMoreTouches() const override;

 private:
  void cancelTimer();
  int tapsRequired_ = 1;
  int touchesRequired_ = 1;
  int taps_ = 0;
  std::size_t down_ = 0;
  std::size_t maxDown_ = 0;
  Point start_;
  TimerId timer_ = 0;
};

}  // namespace platform
