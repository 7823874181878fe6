#include "ui/ViewScreenshot.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/render/Renderer.h"
#include "platform/ui/Image.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

namespace vorn {

using platform::Rect;

float top(const platform::View& view) { return static_cast<float>(view.frame().y()); }
float bottom(const platform::View& view) { return static_cast<float>(view.frame().y() + view.frame().height()); }
float left(const platform::View& view) { return static_cast<float>(view.frame().x()); }
float right(const platform::View& view) { return static_cast<float>(view.frame().x() + view.frame().width()); }
float width(const platform::View& view) { return static_cast<float>(view.frame().width()); }
float height(const platform::View& view) { return static_cast<float>(view.frame().height()); }

void setTop(platform::View& view, float value) {
  const Rect f = view.frame();
  view.setFrame(Rect(f.x(), value, f.width(), f.height()));
}

void setBottom(platform::View& view, float value) {
  const Rect f = view.frame();
  view.setFrame(Rect(f.x(), value - f.height(), f.width(), f.height()));
}

void setLeft(platform::View& view, float value) {
  const Rect f = view.frame();
  view.setFrame(Rect(value, f.y(), f.width(), f.height()));
}

void setRight(platform::View& view, float value) {
  const Rect f = view.frame();
  view.setFrame(Rect(value - f.width(), f.y(), f.width(), f.height()));
}

void setWidth(platform::View& view, float value) {
  const Rect f = view.frame();
  view.setFrame(Rect(f.x(), f.y(), value, f.height()));
}

void setHeight(platform::View& view, float value) {
  const Rect f = view.frame();
  view.setFrame(Rect(f.x(), f.y(), f.width(), value));
}

std::shared_ptr<platform::Image> screenshot(const platform::View& view) { return screenshotWithOffset(view, 0, 0); }

std::shared_ptr<platform::Image> screenshotWithOffset(const platform::View& view, float offset) {
  return screenshotWithOffset(view, offset, 0);
}

std::shared_ptr<platform::Image> screenshotWithOffset(const platform::View& view, float offset, float extraY) {
  const double scale = platform::Screen::mainScreen().scale();
  const Rect frame = view.frame();
  const int width = static_cast<int>(std::ceil(std::fmax(0.0, frame.width()) * scale));
  const int height = static_cast<int>(std::ceil(std::fmax(0.0, frame.height() + 2.0 * extraY) * scale));
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 0);

  platform::render::RenderOptions options;
  options.scale = scale;
  const platform::render::Bitmap drawn = platform::render::renderView(view, options);
  const int shift = static_cast<int>(std::lround((static_cast<double>(offset) + extraY) * scale));
  for (int y = 0; y < height; ++y) {
    const int source = y - shift;
    if (source < 0 || source >= drawn.height()) continue;
    for (int x = 0; x < width && x < drawn.width(); ++x) {
      const std::uint32_t argb = drawn.pixel(x, source);
      std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      out[0] = (argb >> 16) & 0xFF;
      out[1] = (argb >> 8) & 0xFF;
      out[2] = argb & 0xFF;
      out[3] = (argb >> 24) & 0xFF;
    }
  }
  return platform::Image::create(width, height, scale, std::move(rgba));
}

}  // namespace vorn
