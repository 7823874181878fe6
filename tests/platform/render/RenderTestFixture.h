#pragma once
// A clean platform per test (virtual clock, no windows) and small helpers to
// read rendered pixels in points.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/render/Renderer.h"
#include "platform/ui/Image.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiTestFixture.h"

namespace platform::render::testing {

class RenderTest : public platform::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Screen::mainScreen().reset();
    Keyboard::shared().reset();
  }
  void TearDown() override {
    Keyboard::shared().reset();
    UiTest::TearDown();
  }

  // A visible window filling the screen with a white background.
  std::shared_ptr<Window> whiteWindow() {
    auto w = makeWindow();
    w->setBackgroundColor(Color::white());
    return w;
  }
  static std::shared_ptr<View> box(const Rect& frame, const Color& color) {
    auto v = View::create(frame);
    v->setBackgroundColor(color);
    return v;
  }
  // The pixel under a point (the centre of its 2x2 pixels' first one).
  static std::uint32_t at(const Bitmap& b, double x, double y, double scale = 2) {
    return b.pixel(static_cast<int>(x * scale), static_cast<int>(y * scale)) & 0xFFFFFF;
  }
  static int red(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
  static int green(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
  static int blue(std::uint32_t p) { return static_cast<int>(p & 0xFF); }
  // The box (in points) of the pixels inside `region` (points) that differ
  // from `background` by more than `threshold` in some channel; nullopt when none do.
  static std::optional<Rect> inkBox(const Bitmap& b, const Rect& region, std::uint32_t background = 0xFFFFFF,
                                    int threshold = 40, double scale = 2) {
    int x0 = std::max(0, static_cast<int>(region.x() * scale)), y0 = std::max(0, static_cast<int>(region.y() * scale));
    int x1 = std::min(b.width(), static_cast<int>(region.maxX() * scale));
    int y1 = std::min(b.height(), static_cast<int>(region.maxY() * scale));
    int minX = x1, minY = y1, maxX = -1, maxY = -1;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        std::uint32_t p = b.pixel(x, y) & 0xFFFFFF;
        int worst = 0;
        for (int shift = 0; shift < 24; shift += 8)
          worst = std::max(worst, std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                           static_cast<int>((background >> shift) & 0xFF)));
        if (worst <= threshold) continue;
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
      }
    if (maxX < 0) return std::nullopt;
    return Rect(minX / scale, minY / scale, (maxX + 1 - minX) / scale, (maxY + 1 - minY) / scale);
  }
  // Pixels of `region` (points) close to `color` (0xRRGGBB).
  static int countNear(const Bitmap& b, const Rect& region, std::uint32_t color, int tolerance = 24, double scale = 2) {
    int n = 0;
    for (int y = static_cast<int>(region.y() * scale); y < static_cast<int>(region.maxY() * scale); ++y)
      for (int x = static_cast<int>(region.x() * scale); x < static_cast<int>(region.maxX() * scale); ++x) {
        std::uint32_t p = b.pixel(x, y) & 0xFFFFFF;
        if (std::abs(red(p) - red(color)) <= tolerance && std::abs(green(p) - green(color)) <= tolerance &&
            std::abs(blue(p) - blue(color)) <= tolerance)
          ++n;
      }
    return n;
  }
  // A picture of one colour, `w` x `h` pixels at `scale`.
  static std::shared_ptr<Image> solidImage(int w, int h, std::uint32_t rgb, double scale = 2) {
    std::vector<std::uint8_t> px;
    for (int i = 0; i < w * h; ++i)
      px.insert(px.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                           static_cast<std::uint8_t>(rgb), 255});
    return Image::create(w, h, scale, std::move(px));
  }
  RenderOptions noStatusBar() const {
    RenderOptions o;
    o.statusBar = false;
    return o;
  }
};

// A view of a class the renderer has no painter for, showing a text.
class TextView : public View {
 public:
  TextView(const Rect& frame, std::string text) : View(frame), text_(std::move(text)) {}
  std::string className() const override { return "SampleTextView"; }
  std::string automationText() const override { return text_; }

 private:
  std::string text_;
};

}  // namespace platform::render::testing
