#pragma once
// A view that shows a picture, or its highlighted picture while highlighted,
// placed by the content mode. It takes no touches unless told to.
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {

class Image;

class ImageView : public View {
 public:
  explicit ImageView(const Rect& frame = {});
  // Sized to the picture, at the origin.
  explicit ImageView(std::shared_ptr<const Image> image, std::shared_ptr<const Image> highlighted = nullptr);
  static std::shared_ptr<ImageView> create(const Rect& frame = {}) { return std::make_shared<ImageView>(frame); }
  static std::shared_ptr<ImageView> initWithImage(std::shared_ptr<const Image> image,
                                                  std::shared_ptr<const Image> highlighted = nullptr) {
    return std::make_shared<ImageView>(std::move(image), std::move(highlighted));
  }
  std::string className() const override { return "ImageView"; }

  const std::shared_ptr<const Image>& image() const { return image_; }
  void setImage(std::shared_ptr<const Image> image);
  const std::shared_ptr<const Image>& highlightedImage() const { return highlightedImage_; }
  void setHighlightedImage(std::shared_ptr<const Image> image);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);
  // The picture on screen now.
  std::shared_ptr<const Image> displayedImage() const;

  // Frame-by-frame pictures (accepted; the first is shown while animating).
  void setAnimationImages(std::vector<std::shared_ptr<const Image>> images) { animationImages_ = std::move(images); }
  const std::vector<std::shared_ptr<const Image>>& animationImages() const { return animationImages_; }
  void setAnimationDuration(double seconds) { animationDuration_ = seconds; }
  double animationDuration() const { return animationDuration_; }
  void startAnimating() { animating_ = !animationImages_.empty(); }
  void stopAnimating() { animating_ = false; }
  bool isAnimating() const { return animating_; }

  // The picture's size (zero without one).
  Size sizeThatFits(Size size) const override;
  std::string automationImage() const override;

 private:
  std::shared_ptr<const Image> image_;
  std::shared_ptr<const Image> highlightedImage_;
  bool highlighted_ = false;
  std::vector<std::shared_ptr<const Image>> animationImages_;
  double animationDuration_ = 0;
  bool animating_ = false;
};

// The size of a picture in points and the name it was loaded by ("" when it has
// none); zero and "" without a picture.
Size imageSizeOf(const Image* image);
std::string imageNameOf(const Image* image);

}  // namespace platform
