// The shared edit menu: shown over its target, an item's action runs once from
// a finger or by title, and a tap elsewhere only hides it.
#include <gtest/gtest.h>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/MenuController.h"
#include "platform/ui/Window.h"

namespace {

using namespace platform;

class MenuControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().adoptCurrentThread();
    RunLoop::main().useVirtualClock(1'700'000'000);
    NotificationCenter::defaultCenter().reset();
    Application::sharedApplication().reset();
    MenuController::sharedMenuController().reset();
    window = Window::create({0, 0, 320, 568});
    window->makeKeyAndVisible();
    table = View::create({0, 100, 320, 400});
    window->addSubview(table);
  }
  void TearDown() override {
    MenuController::sharedMenuController().reset();
    Application::sharedApplication().reset();
  }
  void tapAt(Point p) {
    auto front = Application::sharedApplication().windowAt(p);
    ASSERT_TRUE(front);
    auto t = std::make_shared<Touch>();
    t->setLocation(p);
    Event e;
    e.mutableTouches().push_back(t);
    front->sendEvent(e);
    t->setPhase(TouchPhase::Ended);
    front->sendEvent(e);
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<View> table;
};

TEST_F(MenuControllerTest, CopyItemRunsOnceAndHidesTheMenu) {
  auto& menu = MenuController::sharedMenuController();
  int copies = 0;
  menu.setMenuVisible(false, false);
  menu.setMenuItems({{"复制", [&] { ++copies; }}});
  menu.setTargetRect({15, 40, 200, 20}, table);
  menu.setMenuVisible(true, true);
  ASSERT_TRUE(menu.isMenuVisible());
  Rect frame = menu.menuFrame();
  EXPECT_LT(frame.maxY(), 140) << "above the target line";
  EXPECT_NEAR(frame.midX(), 115, 1);

  tapAt(frame.center());
  EXPECT_EQ(copies, 1);
  EXPECT_FALSE(menu.isMenuVisible());
  EXPECT_FALSE(menu.tapItemWithTitle("复制"));

  menu.setMenuVisible(true, true);
  tapAt({300, 540});  // elsewhere
  EXPECT_FALSE(menu.isMenuVisible());
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(Application::sharedApplication().windowAt({300, 540}), window);

  menu.setMenuVisible(true, false);
  EXPECT_FALSE(menu.tapItemWithTitle("剪切"));
  EXPECT_TRUE(menu.tapItemWithTitle("复制"));
  EXPECT_EQ(copies, 2);
}

TEST_F(MenuControllerTest, NothingShowsWithoutItemsOrAnOnScreenTarget) {
  auto& menu = MenuController::sharedMenuController();
  menu.setTargetRect({0, 0, 10, 10}, table);
  menu.setMenuVisible(true, true);
  EXPECT_FALSE(menu.isMenuVisible());
  menu.setMenuItems({{"复制", nullptr}});
  menu.setTargetRect({0, 0, 10, 10}, View::create({0, 0, 10, 10}));
  menu.setMenuVisible(true, true);
  EXPECT_FALSE(menu.isMenuVisible());
  menu.setTargetRect({0, 5, 10, 10}, window);  // at the top of the screen: the menu goes below
  menu.setMenuVisible(true, true);
  ASSERT_TRUE(menu.isMenuVisible());
  EXPECT_GE(menu.menuFrame().minY(), 15);
  EXPECT_TRUE(menu.tapItemWithTitle("复制")) << "an item without an action just hides the menu";
}

}  // namespace
