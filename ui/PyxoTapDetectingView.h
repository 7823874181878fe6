#pragma once
// A view that reports single, double and triple taps to its tap delegate, then
// passes the ended touches on up the responder chain. Each tap of a double tap
// ends on its own: the first has already been reported as a single tap when the
// second is reported as a double tap.
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace vorn {

class PyxoTapDetectingView;

class PyxoTapDetectingViewDelegate {
 public:
  virtual ~PyxoTapDetectingViewDelegate() = default;
  virtual void singleTapDetected(PyxoTapDetectingView& view, const platform::Touch& touch) { (void)view; (void)touch; }
  virtual void doubleTapDetected(PyxoTapDetectingView& view, const platform::Touch& touch) { (void)view; (void)touch; }
  virtual void tripleTapDetected(PyxoTapDetectingView& view, const platform::Touch& touch) { (void)view; (void)touch; }
};

// Tells `delegate` of the tap count of the first ended touch (1, 2 or 3), as
// both tap-detecting views do.
template <class Sender, class Delegate>
void reportTapCount(Sender& sender, const std::shared_ptr<Delegate>& delegate, const platform::TouchSet& touches) {
  if (touches.empty() || !delegate) return;
  const platform::Touch& touch = *touches.front();
  switch (touch.tapCount()) {
    case 1: delegate->singleTapDetected(sender, touch); break;
    case 2: delegate->doubleTapDetected(sender, touch); break;
    case 3: delegate->tripleTapDetected(sender, touch); break;
    default: break;
  }
}

class PyxoTapDetectingView : public platform::View {
 public:
  explicit PyxoTapDetectingView(const platform::Rect& frame = {});
  static std::shared_ptr<PyxoTapDetectingView> create(const platform::Rect& frame = {}) {
    return std::make_shared<PyxoTapDetectingView>(frame);
  }
  std::string className() const override { return "PyxoTapDetectingView"; }

  std::shared_ptr<PyxoTapDetectingViewDelegate> tapDelegate() const { return tapDelegate_.lock(); }
  void setTapDelegate(std::weak_ptr<PyxoTapDetectingViewDelegate> d) { tapDelegate_ = std::move(d); }

  void touchesEnded(const platform::TouchSet& touches, const platform::Event& event) override;

 private:
  std::weak_ptr<PyxoTapDetectingViewDelegate> tapDelegate_;
};

}  // namespace vorn
