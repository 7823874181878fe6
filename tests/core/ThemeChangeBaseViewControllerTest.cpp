#include <gtest/gtest.h>

#include <memory>

#include "application/VornAppDelegate.h"
#include "core/ThemeChangeBaseViewController.h"
#include "core/ThemeChangeMethod.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/View.h"
#include "support/VornTest.h"

namespace vorn {
namespace {

// A screen as the subclasses write them: first paint at the end of viewDidLoad,
// and an observation of its own under the same owner.
class PaintingScreen : public ThemeChangeBaseViewController {
 public:
  void viewDidLoad() override {
    ThemeChangeBaseViewController::viewDidLoad();
    platform::NotificationCenter::defaultCenter().addObserver(this, "SomethingElse",
                                                              [this](const platform::Notification&) { ++other; });
    receivedThemeChangeNotify();
  }
  void receivedThemeChangeNotify() override {
    ThemeChangeBaseViewController::receivedThemeChangeNotify();
    ++paints;
  }
  int paints = 0;
  int other = 0;
};

class ThemeChangeBaseViewControllerTest : public test::VornTest {};

TEST_F(ThemeChangeBaseViewControllerTest, RepaintsTheBackgroundWhenTheThemeChanges) {
  auto screen = std::make_shared<PaintingScreen>();
  screen->view();
  EXPECT_EQ(screen->paints, 1);
  EXPECT_TRUE(screen->view()->backgroundColor().sameAs(platform::Color::rgb255(236, 236, 236)));

  AppDelegate::switchThemeMode(kThemeModeBlack);
  EXPECT_EQ(screen->paints, 2);
  EXPECT_TRUE(screen->view()->backgroundColor().sameAs(platform::Color::rgb255(36, 37, 41)));

  AppDelegate::switchThemeMode(kThemeModeNormal);
  EXPECT_TRUE(screen->view()->backgroundColor().sameAs(platform::Color::rgb255(236, 236, 236)));
}

TEST_F(ThemeChangeBaseViewControllerTest, DestroyingTheScreenEndsEveryObservationItRegistered) {
  auto& center = platform::NotificationCenter::defaultCenter();
  {
    auto screen = std::make_shared<PaintingScreen>();
    screen->view();
    center.post("SomethingElse");
    EXPECT_EQ(screen->other, 1);
    EXPECT_EQ(center.observerCount(kThemeChangeNotify), 1u);
  }
  EXPECT_EQ(center.observerCount(kThemeChangeNotify), 0u);
  EXPECT_EQ(center.observerCount("SomethingElse"), 0u);
  AppDelegate::switchThemeMode(kThemeModeBlack);  // nobody left to call
}

TEST_F(ThemeChangeBaseViewControllerTest, NothingObservesBeforeTheViewLoads) {
  auto screen = std::make_shared<PaintingScreen>();
  EXPECT_EQ(platform::NotificationCenter::defaultCenter().observerCount(kThemeChangeNotify), 0u);
  AppDelegate::switchThemeMode(kThemeModeBlack);
  EXPECT_EQ(screen->paints, 0);
}

}  // namespace
}  // namespace vorn
