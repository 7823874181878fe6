#pragma once
// A rendered picture: 32-bit ARGB pixels (premultiplied alpha, native byte
// order, as Cairo keeps them), with PNG writing and reading.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::render {

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool isEmpty() const { return width_ == 0 || height_ == 0; }
  // Row stride in bytes (Cairo's stride for the width).
  int stride() const { return stride_; }
  std::uint8_t* data() { return data_.data(); }
  const std::uint8_t* data() const { return data_.data(); }

  // The pixel at (x, y) as 0xAARRGGBB, un-premultiplied; 0 outside the picture.
  std::uint32_t pixel(int x, int y) const;

  // Writes a PNG; false when the file cannot be written.
  bool writePng(const std::string& path) const;
  // Reads a PNG (any format Cairo's reader takes); nullopt when it cannot.
  static std::optional<Bitmap> readPng(const std::string& path);

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<std::uint8_t> data_;
};

// How two pictures differ: pixels whose channels differ by more than the
// tolerance (0-255), and the largest channel difference seen.
struct BitmapDifference {
  bool sameSize = false;
  long differingPixels = 0;
  int largestChannelDifference = 0;
};
BitmapDifference compareBitmaps(const Bitmap& a, const Bitmap& b, int tolerance);

}  // namespace platform::render
