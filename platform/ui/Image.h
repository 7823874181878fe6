#pragma once
// A picture: RGBA pixels (8 bits each, not premultiplied) with a scale (points
// = pixels / scale), an orientation, cap insets for stretching, and the name it
// was loaded under. Decodes and encodes PNG and JPEG.
//
// Named resources are looked up in the resource folder the way the platform
// did: "x.png" finds "x@2x.png" (scale 2) before "x.png"; "x" also tries ".jpg".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

namespace platform {

class View;

// The eight orientations, numbered as the platform numbers them.
enum class ImageOrientation { Up = 0, Down = 1, Left = 2, Right = 3, UpMirrored = 4, DownMirrored = 5,
                              LeftMirrored = 6, RightMirrored = 7 };

class Image {
 public:
  // Pixels row by row, 4 bytes each; missing pixels are transparent.
  Image(int pixelWidth, int pixelHeight, double scale = 1, std::vector<std::uint8_t> rgba = {});
  static std::shared_ptr<Image> create(int pixelWidth, int pixelHeight, double scale = 1,
                                       std::vector<std::uint8_t> rgba = {});

  // Named resources (cached, as the platform caches them); null when absent.
  static std::shared_ptr<Image> imageNamed(const std::string& name);
  static void setResourceDirectory(const std::string& directory);
  static std::string resourceDirectory();
  static void clearCache();
  // Files and bytes (PNG or JPEG); null when unreadable.
  static std::shared_ptr<Image> imageWithContentsOfFile(const std::string& path);
  static std::shared_ptr<Image> imageWithData(const std::string& bytes, double scale = 1);
  // A picture of one colour (one pixel unless a size is given, in points at scale 1).
  static std::shared_ptr<Image> imageWithColor(const Color& color, Size size = {1, 1});
  // A picture the size of the view's bounds at the screen's scale; the
  // renderer paints the view into it (blank until then).
  static std::shared_ptr<Image> renderView(const View& view);

  // Size in points, with the orientation applied (left and right swap sides).
  Size size() const;
  double scale() const { return scale_; }
  int pixelWidth() const { return width_; }
  int pixelHeight() const { return height_; }
  const std::vector<std::uint8_t>& pixels() const { return rgba_; }
  std::vector<std::uint8_t>& mutablePixels() { return rgba_; }
  Color pixelAt(int x, int y) const;  // stored pixels, orientation not applied
  ImageOrientation imageOrientation() const { return orientation_; }
  const std::string& name() const { return name_; }
  void setName(const std::string& name) { name_ = name; }

  // New pictures.
  std::shared_ptr<Image> withOrientation(ImageOrientation o) const;
  std::shared_ptr<Image> withScale(double scale) const;
  // The pixels turned upright (orientation Up).
  std::shared_ptr<Image> normalized() const;
  // Clockwise quarter turns of the pixels.
  std::shared_ptr<Image> rotatedQuarterTurns(int turns) const;
  // Resampled to a size in points (same scale), nearest pixel.
  std::shared_ptr<Image> resized(Size points) const;
  // A part, in points of the upright picture.
  std::shared_ptr<Image> cropped(const Rect& points) const;
  // Stretchable: the caps keep their size, the middle stretches.
  std::shared_ptr<Image> stretchableImage(int leftCapWidth, int topCapHeight) const;
  std::shared_ptr<Image> resizableImage(const EdgeInsets& capInsets) const;
  const EdgeInsets& capInsets() const { return capInsets_; }
  bool isStretchable() const { return stretchable_; }

  // Encoded bytes of the upright picture; empty when encoding fails.
  std::string pngData() const;
  std::string jpegData(double quality) const;  // quality 0..1

 private:
  int width_;
  int height_;
  double scale_;
  std::vector<std::uint8_t> rgba_;
  ImageOrientation orientation_ = ImageOrientation::Up;
  EdgeInsets capInsets_;
  bool stretchable_ = false;
  std::string name_;
};

}  // namespace platform
