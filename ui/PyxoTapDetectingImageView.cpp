#include "ui/PyxoTapDetectingImageView.h"

#include "ui/PyxoTapDetectingView.h"

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
  reportTapCount(*this, tapDelegate(), touches);
  ImageView::touchesEnded(touches, event);
}

}  // namespace vorn
