#include "ui/PyxoTapDetectingView.h"

namespace vorn {

PyxoTapDetectingView::PyxoTapDetectingView(const platform::Rect& frame) : View(frame) {
  setUserInteractionEnabled(true);
}

void PyxoTapDetectingView::touchesEnded(const platform::TouchSet& touches, const platform::Event& event) {
  if (!touches.empty()) {
    const platform::Touch& touch = *touches.front();
    if (auto d = tapDelegate()) {
      switch (touch.tapCount()) {
        case 1: d->singleTapDetected(*this, touch); break;
        case 2: d->doubleTapDetected(*this, touch); break;
        case 3: d->tripleTapDetected(*this, touch); break;
        default: break;
      }
    }
  }
  View::touchesEnded(touches, event);
}

}  // namespace vorn
