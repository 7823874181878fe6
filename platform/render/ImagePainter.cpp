#include "platform/render/ImagePainter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

namespace platform::render {
namespace {

// Larger pictures than this are not drawn (no screen shows one; a corrupt
// size must not allocate gigabytes).
constexpr long kMaxPixels = 64L * 1024 * 1024;
// Parts of pictures are drawn between these sides (points).
constexpr double kSmallestSide = 1e-3;
constexpr double kLargestSide = 1e6;

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// The upright picture's pixels as a Cairo surface (premultiplied ARGB); null
// for an empty or unusable picture.
Surface surfaceOf(const Image& upright) {
  int pw = upright.pixelWidth(), ph = upright.pixelHeight();
  if (pw <= 0 || ph <= 0 || static_cast<long>(pw) * ph > kMaxPixels) return nullptr;
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  int stride = cairo_image_surface_get_stride(surface.get());
  const auto& rgba = upright.pixels();
  std::size_t available = rgba.size() / 4;
  for (int y = 0; y < ph; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < pw; ++x) {
      std::size_t p = static_cast<std::size_t>(y) * static_cast<std::size_t>(pw) + static_cast<std::size_t>(x);
      std::uint32_t r = 0, g = 0, b = 0, a = 0;
      if (p < available) {  // missing pixels are transparent
        const std::uint8_t* px = rgba.data() + p * 4;
        a = px[3];
        r = (px[0] * a + 127) / 255;
        g = (px[1] * a + 127) / 255;
        b = (px[2] * a + 127) / 255;
      }
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

bool usable(const Rect& r) {
  return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) && std::isfinite(r.height()) &&
         r.width() > 0 && r.height() > 0;
}

// Paints the pixel rectangle `source` of the surface into `target` (points).
void paintPart(cairo_t* cr, cairo_surface_t* surface, double sx, double sy, double sw, double sh, const Rect& target,
               double alpha) {
  // A degenerate or enormous scale would put the context into a lasting error
  // state and blank the rest of the picture.
  if (sw <= 0 || sh <= 0 || !(target.width() >= kSmallestSide) || !(target.height() >= kSmallestSide) ||
      target.width() > kLargestSide || target.height() > kLargestSide)
    return;
  cairo_save(cr);
  cairo_rectangle(cr, target.x(), target.y(), target.width(), target.height());
  cairo_clip(cr);
  cairo_translate(cr, target.x(), target.y());
  cairo_scale(cr, target.width() / sw, target.height() / sh);
  cairo_translate(cr, -sx, -sy);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(cr);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
  // Edges repeat their own pixels rather than fading into transparency.
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  if (alpha >= 1) cairo_paint(cr);
  else cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
}

// One axis of a stretchable picture: the caps in pixels of the source and in
// points of the target (caps shrink together when the target is smaller).
struct Axis {
  double source[4];
  double target[4];
};
Axis splitAxis(double pixels, double scale, double startCap, double endCap, double origin, double length) {
  double capStart = std::clamp(startCap, 0.0, pixels / scale), capEnd = std::clamp(endCap, 0.0, pixels / scale);
  if (capStart + capEnd > pixels / scale) capEnd = std::max(0.0, pixels / scale - capStart);
  double shrink = capStart + capEnd > length ? length / (capStart + capEnd) : 1.0;
  Axis a{};
  a.source[0] = 0;
  a.source[1] = capStart * scale;
  a.source[2] = pixels - capEnd * scale;
  a.source[3] = pixels;
  a.target[0] = origin;
  a.target[1] = origin + capStart * shrink;
  a.target[2] = origin + length - capEnd * shrink;
  a.target[3] = origin + length;
  return a;
}

}  // namespace

Rect imageRectForContentMode(ContentMode mode, Size size, const Rect& b) {
  double w = size.width, h = size.height;
  switch (mode) {
    case ContentMode::ScaleToFill:
    case ContentMode::Redraw: return b;
    case ContentMode::ScaleAspectFit:
    case ContentMode::ScaleAspectFill: {
      if (!(w > 0) || !(h > 0)) return b;
      double sx = b.width() / w, sy = b.height() / h;
      double s = mode == ContentMode::ScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
      return {b.midX() - w * s / 2, b.midY() - h * s / 2, w * s, h * s};
    }
    default: break;
  }
  double x = b.midX() - w / 2, y = b.midY() - h / 2;
  switch (mode) {
    case ContentMode::Top: y = b.y(); break;
    case ContentMode::Bottom: y = b.maxY() - h; break;
    case ContentMode::Left: x = b.x(); break;
    case ContentMode::Right: x = b.maxX() - w; break;
    case ContentMode::TopLeft: x = b.x(); y = b.y(); break;
    case ContentMode::TopRight: x = b.maxX() - w; y = b.y(); break;
    case ContentMode::BottomLeft: x = b.x(); y = b.maxY() - h; break;
    case ContentMode::BottomRight: x = b.maxX() - w; y = b.maxY() - h; break;
    default: break;  // centre
  }
  return {x, y, w, h};
}

void drawImage(PaintContext& context, const Image& image, const Rect& rect, double alpha) {
  if (!usable(rect) || !(alpha > 0)) return;
  auto upright = image.normalized();
  if (!upright) return;
  Surface surface = surfaceOf(*upright);
  if (!surface) return;
  double pw = upright->pixelWidth(), ph = upright->pixelHeight();
  double scale = upright->scale() > 0 ? upright->scale() : 1;
  cairo_t* cr = context.cr;
  if (!image.isStretchable()) {
    paintPart(cr, surface.get(), 0, 0, pw, ph, rect, alpha);
    return;
  }
  const EdgeInsets& caps = image.capInsets();
  Axis h = splitAxis(pw, scale, caps.left, caps.right, rect.x(), rect.width());
  Axis v = splitAxis(ph, scale, caps.top, caps.bottom, rect.y(), rect.height());
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      Rect target(h.target[col], v.target[row], h.target[col + 1] - h.target[col], v.target[row + 1] - v.target[row]);
      paintPart(cr, surface.get(), h.source[col], v.source[row], h.source[col + 1] - h.source[col],
                v.source[row + 1] - v.source[row], target, alpha);
    }
  }
}

void drawImageInBounds(PaintContext& context, const Image& image, const Rect& bounds, ContentMode mode, double alpha) {
  if (!usable(bounds)) return;
  Rect target = imageRectForContentMode(mode, image.size(), bounds);
  cairo_t* cr = context.cr;
  cairo_save(cr);
  Rect visible = visiblePart(cr, bounds);
  cairo_rectangle(cr, visible.x(), visible.y(), visible.width(), visible.height());
  cairo_clip(cr);
  drawImage(context, image, target, alpha);
  cairo_restore(cr);
}

void fillWithColor(PaintContext& context, const Rect& rect, double radius, const Color& color) {
  if (!color.pattern) {
    fillRoundedRect(context, rect, radius, color);
    return;
  }
  if (!usable(rect)) return;
  auto upright = color.pattern->normalized();
  Surface surface = upright ? surfaceOf(*upright) : nullptr;
  if (!surface) return;
  cairo_t* cr = context.cr;
  cairo_save(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface.get());
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  // Tiles at the picture's size in points, from the view's origin.
  double scale = upright->scale() > 0 ? upright->scale() : 1;
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, scale, scale);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_new_path(cr);
  addRoundedRectPath(cr, rect, radius);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace platform::render
