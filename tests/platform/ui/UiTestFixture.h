#pragma once
// A clean platform for each test: virtual clock, no windows, no observers.
#include <gtest/gtest.h>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include <memory>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/SystemNotice.h"
#include "platform/ui/Window.h"

namespace platform::testing {

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(1'700'000'000);
    NotificationCenter::defaultCenter().reset();
    Application::sharedApplication().reset();
  }
  void TearDown() override {
    Application::sharedApplication().reset();
    NotificationCenter::defaultCenter().reset();
  }
  double now() const { return RunLoop::main().now(); }
  void runFor(double seconds) { RunLoop::main().runFor(seconds); }

  // A visible key window filling the screen.
  std::shared_ptr<Window> makeWindow() {
    auto w = Window::create({0, 0, 320, 568});
    w->makeKeyAndVisible();
    return w;
  }
};

// A UiTest with a key window that records every system notice shown.
class NoticeUiTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    resetSystemNotices();
    setSystemNoticeListener([this](const SystemNotice& n) { notices.push_back(n); });
    window = makeWindow();
  }
  void TearDown() override {
    resetSystemNotices();
    UiTest::TearDown();
  }
  std::shared_ptr<Window> window;
  std::vector<SystemNotice> notices;
};

inline void expectRect(const Rect& r, double x, double y, double w, double h) {
  EXPECT_DOUBLE_EQ(r.x(), x);
  EXPECT_DOUBLE_EQ(r.y(), y);
  EXPECT_DOUBLE_EQ(r.width(), w);
  EXPECT_DOUBLE_EQ(r.height(), h);
}

}  // namespace platform::testing
