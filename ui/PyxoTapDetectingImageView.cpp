#include "ui/PyxoTapDetectingImageView.h"

namespace vorn {

PyxoTapDetectingImageView::PyxoTapDetectingImageView(const platform::Rect& frame) : ImageView(frame) {
  setUserInteractionEnabled(true);
}

PyxoTapDetectingImageView::PyxoTapDetectingImageView(std::shared_ptr<const platform::Image> image,
                                                     std::shared_ptr<const platform::Image> highlighted)
    : ImageView(std::move(image), std::move(highlighted)) {
  setUserInteractionEnabled(true);
}

void PyxoTapDetectingImageView::touchesEnded(const platform::TouchSet& touches, const platform::Event& event) {
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
  ImageView::touchesEnded(touches, event);
}

}  // namespace vorn
