#include "platform/ui/ImageView.h"

#include "platform/ui/Image.h"

namespace platform {

Size imageSizeOf(const Image* image) { return image ? image->size() : Size{}; }
std::string imageNameOf(const Image* image) { return image ? image->name() : std::string(); }

ImageView::ImageView(const Rect& frame) : View(frame) { setUserInteractionEnabled(false); }

ImageView::ImageView(std::shared_ptr<const Image> image, std::shared_ptr<const Image> highlighted)
    : View(Rect({0, 0}, imageSizeOf(image.get()))),
      image_(std::move(image)),
      highlightedImage_(std::move(highlighted)) {
  setUserInteractionEnabled(false);
}

void ImageView::setImage(std::shared_ptr<const Image> image) {
  if (image == image_) return;
  image_ = std::move(image);
  setNeedsDisplay();
}

void ImageView::setHighlightedImage(std::shared_ptr<const Image> image) {
  highlightedImage_ = std::move(image);
  setNeedsDisplay();
}

void ImageView::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  setNeedsDisplay();
}

std::shared_ptr<const Image> ImageView::displayedImage() const {
  if (animating_ && !animationImages_.empty()) return animationImages_.front();
  if (highlighted_ && highlightedImage_) return highlightedImage_;
  return image_;
}

Size ImageView::sizeThatFits(Size) const { return imageSizeOf(displayedImage().get()); }

std::string ImageView::automationImage() const { return imageNameOf(displayedImage().get()); }

}  // namespace platform
