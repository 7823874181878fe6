#include "platform/render/Bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::render {

Bitmap::Bitmap(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      stride_(cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, std::max(0, width))),
      data_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0) {}

std::uint32_t Bitmap::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  std::uint32_t p;
  std::memcpy(&p, data_.data() + static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x) * 4, 4);
  std::uint32_t a = p >> 24;
  if (a == 0) return 0;
  auto unpremultiply = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
  std::uint32_t r = unpremultiply((p >> 16) & 0xFF), g = unpremultiply((p >> 8) & 0xFF), b = unpremultiply(p & 0xFF);
  return (a << 24) | (r << 16) | (g << 8) | b;
}

bool Bitmap::writePng(const std::string& path) const {
  if (isEmpty()) return false;
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      const_cast<unsigned char*>(data_.data()), CAIRO_FORMAT_ARGB32, width_, height_, stride_);
  cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  return status == CAIRO_STATUS_SUCCESS;
}

std::optional<Bitmap> Bitmap::readPng(const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  Bitmap out(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
  // Convert whatever the file held (RGB24, A8...) into ARGB32 by painting it.
  cairo_surface_t* target = cairo_image_surface_create_for_data(out.data(), CAIRO_FORMAT_ARGB32, out.width_,
                                                                out.height_, out.stride_);
  cairo_t* cr = cairo_create(target);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  cairo_surface_destroy(target);
  cairo_surface_destroy(surface);
  return out;
}

BitmapDifference compareBitmaps(const Bitmap& a, const Bitmap& b, int tolerance) {
  BitmapDifference d;
  d.sameSize = a.width() == b.width() && a.height() == b.height();
  if (!d.sameSize) return d;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      std::uint32_t p = a.pixel(x, y), q = b.pixel(x, y);
      int worst = 0;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
      d.largestChannelDifference = std::max(d.largestChannelDifference, worst);
      if (worst > tolerance) ++d.differingPixels;
    }
  }
  return d;
}

}  // namespace platform::render
