#include "platform/ui/Image.h"
#include "platform/foundation/Files.h"

#include <png.h>
#include <stdio.h>
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

namespace platform {
namespace {

struct ResourceState {
  std::mutex mutex;
  std::string directory = sourceDirectory() + "/resources";
  std::map<std::string, std::shared_ptr<Image>> cache;
};
ResourceState& resources() {
  static ResourceState* state = new ResourceState();
  return *state;
}

std::optional<std::string> readImageFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::shared_ptr<Image> decodePng(const std::string& bytes, double scale) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return nullptr;
  image.format = PNG_FORMAT_RGBA;
  if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
    png_image_free(&image);
    return nullptr;
  }
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  return Image::create(int(image.width), int(image.height), scale, std::move(pixels));
}

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};
void jpegFail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }
void jpegQuiet(j_common_ptr, int) {}

// libjpeg reports errors by longjmp; nothing with a destructor lives across it.
bool decodeJpegInto(const std::string& bytes, std::vector<std::uint8_t>& rgb, unsigned& w, unsigned& h) {
  jpeg_decompress_struct info;
  JpegError err;
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = jpegFail;
  err.mgr.emit_message = jpegQuiet;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  w = info.output_width;
  h = info.output_height;
  if (w == 0 || h == 0 || w > 16384 || h > 16384 || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  rgb.resize(std::size_t(w) * h * 3);
  while (info.output_scanline < info.output_height) {
    unsigned char* row = rgb.data() + std::size_t(info.output_scanline) * w * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

std::shared_ptr<Image> decodeJpeg(const std::string& bytes, double scale) {
  std::vector<std::uint8_t> rgb;
  unsigned w = 0, h = 0;
  if (!decodeJpegInto(bytes, rgb, w, h)) return nullptr;
  std::vector<std::uint8_t> rgba(std::size_t(w) * h * 4);
  for (std::size_t i = 0, n = std::size_t(w) * h; i < n; ++i) {
    rgba[i * 4] = rgb[i * 3];
    rgba[i * 4 + 1] = rgb[i * 3 + 1];
    rgba[i * 4 + 2] = rgb[i * 3 + 2];
    rgba[i * 4 + 3] = 255;
  }
  return Image::create(int(w), int(h), scale, std::move(rgba));
}

bool encodeJpegInto(const std::vector<std::uint8_t>& rgb, int w, int h, int quality, unsigned char** out,
                    unsigned long* size) {
  jpeg_compress_struct info;
  JpegError err;
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = jpegFail;
  err.mgr.emit_message = jpegQuiet;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, size);
  info.image_width = JDIMENSION(w);
  info.image_height = JDIMENSION(h);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const unsigned char* row = rgb.data() + std::size_t(info.next_scanline) * w * 3;
    JSAMPROW r = const_cast<unsigned char*>(row);
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

bool hasSuffix(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

Image::Image(int w, int h, double scale, std::vector<std::uint8_t> rgba)
    : width_(std::max(0, w)), height_(std::max(0, h)), scale_(scale > 0 ? scale : 1), rgba_(std::move(rgba)) {
  rgba_.resize(std::size_t(width_) * height_ * 4, 0);
}

std::shared_ptr<Image> Image::create(int w, int h, double scale, std::vector<std::uint8_t> rgba) {
  return std::make_shared<Image>(w, h, scale, std::move(rgba));
}

void Image::setResourceDirectory(const std::string& directory) {
  std::lock_guard lock(resources().mutex);
  resources().directory = directory;
  resources().cache.clear();
}

std::string Image::resourceDirectory() {
  std::lock_guard lock(resources().mutex);
  return resources().directory;
}

void Image::clearCache() {
  std::lock_guard lock(resources().mutex);
  resources().cache.clear();
}

std::shared_ptr<Image> Image::imageNamed(const std::string& name) {
  // Resource names never leave the resource folder.
  if (name.empty() || name.find("..") != std::string::npos || name.front() == '/') return nullptr;
  std::string dir;
  {
    std::lock_guard lock(resources().mutex);
    auto it = resources().cache.find(name);
    if (it != resources().cache.end()) return it->second;
    dir = resources().directory;
  }
  std::string stem = name;
  std::vector<std::string> extensions = {".png", ".jpg"};
  for (const char* ext : {".png", ".jpg", ".jpeg"}) {
    if (hasSuffix(name, ext)) {
      stem = name.substr(0, name.size() - std::string(ext).size());
      extensions = {ext};
      break;
    }
  }
  std::shared_ptr<Image> found;
  for (const char* sub : {"", "images/"}) {
    for (auto& ext : extensions) {
      for (double scale : {2.0, 1.0}) {
        std::string file = dir + "/" + sub + stem + (scale == 2 ? "@2x" : "") + ext;
        if (auto bytes = readImageFile(file)) {
          found = imageWithData(*bytes, scale);
          if (found) break;
        }
      }
      if (found) break;
    }
    if (found) break;
  }
  if (!found) return nullptr;
  found->name_ = name;
  std::lock_guard lock(resources().mutex);
  resources().cache[name] = found;
  return found;
}

std::shared_ptr<Image> Image::imageWithContentsOfFile(const std::string& path) {
  auto bytes = readImageFile(path);
  if (!bytes) return nullptr;
  double scale = path.find("@2x.") != std::string::npos ? 2 : 1;
  auto image = imageWithData(*bytes, scale);
  if (image) image->name_ = std::filesystem::path(path).filename().string();
  return image;
}

std::shared_ptr<Image> Image::imageWithData(const std::string& bytes, double scale) {
  if (bytes.size() >= 8 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n", 8) == 0) return decodePng(bytes, scale);
  if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xD8)
    return decodeJpeg(bytes, scale);
  return nullptr;
}

std::shared_ptr<Image> Image::imageWithColor(const Color& color, Size size) {
  int w = std::max(1, int(std::lround(size.width))), h = std::max(1, int(std::lround(size.height)));
  auto image = create(w, h, 1);
  for (std::size_t i = 0; i < image->rgba_.size(); i += 4) {
    image->rgba_[i] = std::uint8_t(color.red255());
    image->rgba_[i + 1] = std::uint8_t(color.green255());
    image->rgba_[i + 2] = std::uint8_t(color.blue255());
    image->rgba_[i + 3] = std::uint8_t(color.alpha255());
  }
  return image;
}

std::shared_ptr<Image> Image::renderView(const View& view) {
  double scale = Screen::mainScreen().scale();
  Rect b = view.bounds();
  return create(int(std::ceil(b.width() * scale)), int(std::ceil(b.height() * scale)), scale);
}

Size Image::size() const {
  Size s{width_ / scale_, height_ / scale_};
  switch (orientation_) {
    case ImageOrientation::Left:
    case ImageOrientation::Right:
    case ImageOrientation::LeftMirrored:
    case ImageOrientation::RightMirrored: return {s.height, s.width};
    default: return s;
  }
}

Color Image::pixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Color::clear();
  const auto* p = &rgba_[(std::size_t(y) * width_ + x) * 4];
  return Color::rgb255(p[0], p[1], p[2], p[3] / 255.0);
}

std::shared_ptr<Image> Image::withOrientation(ImageOrientation o) const {
  auto copy = std::make_shared<Image>(*this);
  copy->orientation_ = o;
  return copy;
}

std::shared_ptr<Image> Image::withScale(double scale) const {
  auto copy = std::make_shared<Image>(*this);
  copy->scale_ = scale > 0 ? scale : 1;
  return copy;
}

std::shared_ptr<Image> Image::rotatedQuarterTurns(int turns) const {
  turns = ((turns % 4) + 4) % 4;
  bool swap = turns % 2 == 1;
  auto out = create(swap ? height_ : width_, swap ? width_ : height_, scale_);
  int ow = out->width_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      int nx = x, ny = y;
      if (turns == 1) { nx = height_ - 1 - y; ny = x; }
      else if (turns == 2) { nx = width_ - 1 - x; ny = height_ - 1 - y; }
      else if (turns == 3) { nx = y; ny = width_ - 1 - x; }
      std::copy_n(&rgba_[(std::size_t(y) * width_ + x) * 4], 4, &out->rgba_[(std::size_t(ny) * ow + nx) * 4]);
    }
  }
  out->name_ = name_;
  return out;
}

std::shared_ptr<Image> Image::normalized() const {
  auto mirrored = [&](const Image& src) {
    auto out = create(src.width_, src.height_, src.scale_);
    for (int y = 0; y < src.height_; ++y)
      for (int x = 0; x < src.width_; ++x)
        std::copy_n(&src.rgba_[(std::size_t(y) * src.width_ + x) * 4], 4,
                    &out->rgba_[(std::size_t(y) * src.width_ + (src.width_ - 1 - x)) * 4]);
    return out;
  };
  std::shared_ptr<Image> out;
  switch (orientation_) {
    case ImageOrientation::Up: out = std::make_shared<Image>(*this); break;
    case ImageOrientation::Down: out = rotatedQuarterTurns(2); break;
    case ImageOrientation::Left: out = rotatedQuarterTurns(3); break;
    case ImageOrientation::Right: out = rotatedQuarterTurns(1); break;
    case ImageOrientation::UpMirrored: out = mirrored(*this); break;
    case ImageOrientation::DownMirrored: out = mirrored(*rotatedQuarterTurns(2)); break;
    case ImageOrientation::LeftMirrored: out = mirrored(*rotatedQuarterTurns(3)); break;
    case ImageOrientation::RightMirrored: out = mirrored(*rotatedQuarterTurns(1)); break;
  }
  out->orientation_ = ImageOrientation::Up;
  out->name_ = name_;
  return out;
}

std::shared_ptr<Image> Image::resized(Size points) const {
  auto src = normalized();
  int w = std::max(1, int(std::lround(points.width * scale_)));
  int h = std::max(1, int(std::lround(points.height * scale_)));
  auto out = create(w, h, scale_);
  if (src->width_ == 0 || src->height_ == 0) return out;
  for (int y = 0; y < h; ++y) {
    int sy = std::min(src->height_ - 1, int((y + 0.5) * src->height_ / h));
    for (int x = 0; x < w; ++x) {
      int sx = std::min(src->width_ - 1, int((x + 0.5) * src->width_ / w));
      std::copy_n(&src->rgba_[(std::size_t(sy) * src->width_ + sx) * 4], 4, &out->rgba_[(std::size_t(y) * w + x) * 4]);
    }
  }
  return out;
}

std::shared_ptr<Image> Image::cropped(const Rect& points) const {
  auto src = normalized();
  Rect px(points.x() * scale_, points.y() * scale_, points.width() * scale_, points.height() * scale_);
  Rect clipped = px.integral().intersection(Rect(0, 0, src->width_, src->height_));
  if (clipped.isEmpty()) return nullptr;
  int x0 = int(clipped.x()), y0 = int(clipped.y()), w = int(clipped.width()), h = int(clipped.height());
  auto out = create(w, h, scale_);
  for (int y = 0; y < h; ++y)
    std::copy_n(&src->rgba_[(std::size_t(y0 + y) * src->width_ + x0) * 4], std::size_t(w) * 4,
                &out->rgba_[std::size_t(y) * w * 4]);
  return out;
}

std::shared_ptr<Image> Image::stretchableImage(int leftCapWidth, int topCapHeight) const {
  // The platform's rule: the stretched middle is one point wide (or high).
  Size s = size();
  EdgeInsets e{double(topCapHeight), double(leftCapWidth),
               topCapHeight > 0 ? std::max(0.0, s.height - topCapHeight - 1) : 0.0,
               leftCapWidth > 0 ? std::max(0.0, s.width - leftCapWidth - 1) : 0.0};
  return resizableImage(e);
}

std::shared_ptr<Image> Image::resizableImage(const EdgeInsets& capInsets) const {
  auto copy = std::make_shared<Image>(*this);
  copy->capInsets_ = capInsets;
  copy->stretchable_ = true;
  return copy;
}

std::string Image::pngData() const {
  auto src = normalized();
  if (src->width_ == 0 || src->height_ == 0) return {};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(src->width_);
  image.height = png_uint_32(src->height_);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, src->rgba_.data(), 0, nullptr)) return {};
  std::string out(size, '\0');
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, src->rgba_.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

std::string Image::jpegData(double quality) const {
  auto src = normalized();
  if (src->width_ == 0 || src->height_ == 0) return {};
  std::vector<std::uint8_t> rgb(std::size_t(src->width_) * src->height_ * 3);
  for (std::size_t i = 0, n = std::size_t(src->width_) * src->height_; i < n; ++i) {
    // Transparent parts come out on white, as a flattened picture would.
    double a = src->rgba_[i * 4 + 3] / 255.0;
    for (int c = 0; c < 3; ++c)
      rgb[i * 3 + c] = std::uint8_t(std::lround(src->rgba_[i * 4 + c] * a + 255 * (1 - a)));
  }
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  int q = std::clamp(int(std::lround(quality * 100)), 1, 100);
  bool ok = encodeJpegInto(rgb, src->width_, src->height_, q, &buffer, &size);
  std::string out;
  if (ok && buffer) out.assign(reinterpret_cast<char*>(buffer), size);
  free(buffer);
  return out;
}

}  // namespace platform
