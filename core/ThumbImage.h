#pragma once
// Share thumbnails: a picture redrawn into 120 by 120 points at scale 1,
// stretched to fill (proportions are not kept).
#include <memory>

namespace platform {
class Image;
}

namespace vorn {

inline constexpr double kThumbImageSide = 120;

std::shared_ptr<platform::Image> thumbImage(const platform::Image& image);

}  // namespace vorn
