#pragma once
// A clean platform per test (virtual clock, no windows) and small helpers to
// read rendered pixels in points.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/render/Renderer.h"
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
