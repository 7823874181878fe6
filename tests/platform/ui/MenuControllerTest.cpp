// The shared edit menu: shown over its target, an item's action runs once from
// a finger or by title, and a tap elsewhere only hides it. Items are buttons a
// finger finds by their titles; an item's named action goes up the responder
// chain to the responder that takes it.
#include <gtest/gtest.h>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/MenuController.h"
#include "platform/ui/TestDriver.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

using namespace platform;

class MenuControllerTest : public platform::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    MenuController::sharedMenuController().reset();
    window = makeWindow();
    table = View::create({0, 100, 320, 400});
    window->addSubview(table);
  }
  void TearDown() override {
    MenuController::sharedMenuController().reset();
    UiTest::TearDown();
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

  TestDriver::tapAt(frame.center());
  EXPECT_EQ(copies, 1);
  EXPECT_FALSE(menu.isMenuVisible());
  EXPECT_FALSE(menu.tapItemWithTitle("复制"));

  menu.setMenuVisible(true, true);
  TestDriver::tapAt({300, 540});  // elsewhere
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

// A message bubble's cell: it becomes the first responder for its menu and
// takes the menu's two named actions.
struct BubbleCell : View, ActionHandler {
  using View::View;
  std::vector<std::string> actions;
  Control* lastSender = nullptr;
  bool canBecomeFirstResponder() const override { return true; }
  bool handleAction(const std::string& action, Control& sender) override {
    if (action != "mycopy:" && action != "mydelete:") return false;
    actions.push_back(action);
    lastSender = &sender;
    return true;
  }
};

TEST_F(MenuControllerTest, ItemButtonsSendTheirNamedActionsUpTheResponderChain) {
  auto cell = std::make_shared<BubbleCell>(Rect(0, 200, 320, 60));
  table->addSubview(cell);
  ASSERT_TRUE(cell->becomeFirstResponder());
  auto& menu = MenuController::sharedMenuController();
  menu.setMenuItems({{"复制", nullptr, "mycopy:"}, {"删除", nullptr, "mydelete:"}});
  menu.setTargetRect({10, 10, 200, 40}, cell);
  menu.setMenuVisible(true, true);
  ASSERT_TRUE(menu.isMenuVisible());

  // A finger finds an item by its title: the title label of a real button.
  auto buttonTitled = [](const std::string& title) -> std::shared_ptr<Button> {
    auto found = TestDriver::findByText(title);
    if (!found) return nullptr;
    if (auto button = std::dynamic_pointer_cast<Button>(found)) return button;
    return std::dynamic_pointer_cast<Button>(found->superview());
  };
  auto copy = buttonTitled("复制");
  auto remove = buttonTitled("删除");
  ASSERT_TRUE(copy) << "an item is a real button";
  ASSERT_TRUE(remove);
  EXPECT_EQ(std::static_pointer_cast<View>(copy->titleLabel()), TestDriver::findByText("复制"));
  EXPECT_EQ(menu.itemButtons().size(), 2u);
  EXPECT_LT(copy->frameInWindow().maxX(), remove->frameInWindow().minX() + 1) << "items side by side, in order";
  EXPECT_TRUE(menu.menuFrame().contains(copy->frameInWindow().center()));
  EXPECT_NE(copy->window(), window) << "the menu has a window of its own";

  TestDriver::tap(remove);
  EXPECT_EQ(cell->actions, (std::vector<std::string>{"mydelete:"}));
  EXPECT_EQ(cell->lastSender, remove.get());
  EXPECT_FALSE(menu.isMenuVisible());
  EXPECT_FALSE(TestDriver::findByText("复制")) << "the menu's window is gone";

  // With no first responder, the action starts from the view the menu points at.
  cell->resignFirstResponder();
  menu.setMenuVisible(true, false);
  TestDriver::tap(TestDriver::findByText("复制"));
  EXPECT_EQ(cell->actions, (std::vector<std::string>{"mydelete:", "mycopy:"}));
  EXPECT_FALSE(menu.isMenuVisible());
}

TEST_F(MenuControllerTest, AFingerOnAnItemButtonRunsItsBlockOnce) {
  auto& menu = MenuController::sharedMenuController();
  std::vector<std::string> ran;
  menu.setMenuItems({{"复制", [&] { ran.push_back("copy"); }}, {"转发", [&] { ran.push_back("forward"); }}});
  menu.setTargetRect({15, 40, 200, 20}, table);
  menu.setMenuVisible(true, true);
  auto forward = TestDriver::findByText("转发");
  ASSERT_TRUE(forward);
  ASSERT_TRUE(forward->superview());
  EXPECT_EQ(forward->superview()->className(), "Button");
  TestDriver::tap(forward);
  EXPECT_EQ(ran, (std::vector<std::string>{"forward"}));
  EXPECT_FALSE(menu.isMenuVisible());
  EXPECT_TRUE(menu.itemButtons().empty());
  EXPECT_FALSE(TestDriver::isVisible(*forward)) << "a hidden menu's buttons are off screen";
  EXPECT_FALSE(menu.tapItemWithTitle("转发"));
  EXPECT_EQ(ran.size(), 1u);

  // Items changed while the menu shows: a finger can only reach what is on screen.
  menu.setMenuVisible(true, false);
  menu.setMenuItems({{"删除", [&] { ran.push_back("delete"); }}});
  EXPECT_FALSE(menu.tapItemWithTitle("删除"));
  EXPECT_TRUE(menu.tapItemWithTitle("复制"));
  EXPECT_EQ(ran, (std::vector<std::string>{"forward", "copy"}));
}

}  // namespace
