#include "core/ThumbImage.h"

#include "platform/ui/Image.h"

namespace vorn {

std::shared_ptr<platform::Image> thumbImage(const platform::Image& image) {
  // Upright pixels first, read at scale 1, so the stretch works on what is seen.
  auto upright = image.normalized()->withScale(1);
  return upright->resized({kThumbImageSide, kThumbImageSide});
}

}  // namespace vorn
