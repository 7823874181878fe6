#pragma once
// The shared fixture for the view components: a fresh home folder (so a fresh
// theme setting), the virtual clock, a clean platform and a visible key window
// of 320 x 568 points for the finger to touch.
#include <memory>

#include "application/VornAppDelegate.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "support/VornTest.h"

namespace vorn::test {

class ViewTest : public VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    platform::Application::sharedApplication().reset();
    window = platform::Window::create({0, 0, 320, 568});
    window->makeKeyAndVisible();
  }
  void TearDown() override {
    window.reset();
    platform::Application::sharedApplication().reset();
    VornTest::TearDown();
  }
  static void switchToNight() { AppDelegate::switchThemeMode(kThemeModeBlack); }
  static void switchToDay() { AppDelegate::switchThemeMode(kThemeModeNormal); }

  std::shared_ptr<platform::Window> window;
};

inline bool sameRgb(const platform::Color& c, int r, int g, int b) {
  return c.red255() == r && c.green255() == g && c.blue255() == b;
}

}  // namespace vorn::test
