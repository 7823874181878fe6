#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "application/VornAppDelegate.h"
#include "core/ForcePortraitViewController.h"
#include "core/NavigationFixture.h"
#include "core/PreferStatusBarViewController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

namespace vorn {
namespace {

using platform::Rect;
using test::NavigationTest;

class StatusBarBaseTest : public NavigationTest {};

TEST_F(StatusBarBaseTest, LayoutLeavesTheStatusBarBandFreeOnSystemsSevenAndEight) {
  const Rect untouched{1, 2, 3, 4};
  struct Case {
    const char* version;
    double screenHeight;
    int orientation;
    std::optional<Rect> frame;  // nullopt: left as it was
  } cases[] = {
      {"6.1", 568, 1, std::nullopt},
      {"7.1", 568, 1, Rect{0, 20, 320, 548}},
      {"7.1", 480, 1, Rect{0, 20, 320, 460}},
      {"7.1", 568, 2, Rect{0, 20, 320, 548}},  // upside down is laid out as portrait
      {"7.1", 568, 3, Rect{0, 0, 300, 568}},
      {"7.1", 480, 4, Rect{20, 0, 300, 480}},
      {"8.0", 568, 3, std::nullopt},
      {"8.0", 568, 4, std::nullopt},
      {"8.0", 480, 1, Rect{0, 20, 320, 460}},
      {"8.0", 568, 0, Rect{0, 20, 320, 548}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version << " " << c.screenHeight << " orientation " << c.orientation);
    platform::Device::currentDevice().setSystemVersion(c.version);
    platform::Screen::mainScreen().setHeight(c.screenHeight);
    delegate->setCurrentOrientation(c.orientation);
    auto screen = std::make_shared<PreferStatusBarViewController>();
    auto v = screen->view();
    v->setFrame(untouched);
    v->setNeedsLayout();
    v->layoutIfNeeded();
    EXPECT_EQ(v->frame(), c.frame.value_or(untouched));
  }
}

TEST_F(StatusBarBaseTest, StatusBarAnswersComeFromTheDelegateEachTime) {
  auto screen = std::make_shared<PreferStatusBarViewController>();
  EXPECT_EQ(screen->preferredStatusBarStyle(), platform::StatusBarStyle::Default);
  EXPECT_FALSE(screen->prefersStatusBarHidden());
  delegate->setCurrentStatusBarStyle(1);
  delegate->setStatusBarIsHidden(true);
  EXPECT_EQ(screen->preferredStatusBarStyle(), platform::StatusBarStyle::LightContent);
  EXPECT_TRUE(screen->prefersStatusBarHidden());
}

TEST_F(StatusBarBaseTest, PresentingThePortraitScreenTurnsALandscapeInterfaceBack) {
  auto& app = platform::Application::sharedApplication();
  delegate->setShouldAutorate(true);
  platform::Device::currentDevice().setOrientation(platform::DeviceOrientation::LandscapeRight);
  ASSERT_EQ(app.statusBarOrientation(), platform::InterfaceOrientation::LandscapeRight);
  auto portrait = std::make_shared<ForcePortraitViewController>();
  EXPECT_EQ(portrait->supportedInterfaceOrientations(), 2u);
  home->presentViewController(portrait, false);
  EXPECT_EQ(app.statusBarOrientation(), platform::InterfaceOrientation::Portrait);
  portrait->dismissViewController(false);
  runFor(0.1);
  EXPECT_EQ(home->presentedViewController(), nullptr);
}

}  // namespace
}  // namespace vorn
