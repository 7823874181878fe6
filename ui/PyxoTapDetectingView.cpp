#include "ui/PyxoTapDetectingView.h"

namespace vorn {

PyxoTapDetectingView::PyxoTapDetectingView(const platform::Rect& frame) : View(frame) {
  setUserInteractionEnabled(true);
}

void PyxoTapDetectingView::touchesEnded(const platform::TouchSet& touches, const platform::Event& event) {
  reportTapCount(*this, tapDelegate(), touches);
  View::touchesEnded(touches, event);
}

}  // namespace vorn
