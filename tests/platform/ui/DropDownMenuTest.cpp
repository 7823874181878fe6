#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/DropDownMenu.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform {
namespace {

class DropDownMenuTest : public testing::UiTest {};

TEST_F(DropDownMenuTest, OpensUnderTheBarDimsBehindAndAnItemTapClosesThenActs) {
  auto window = makeWindow();
  std::vector<std::string> chosen;
  std::vector<std::shared_ptr<DropDownMenuItem>> items;
  for (const char* title : {"相机胶卷", "我的照片流"}) {
    items.push_back(DropDownMenuItem::initWithTitle(title, "12", nullptr, nullptr, [&](DropDownMenuItem& item) {
      chosen.push_back(item.title() + "#" + std::to_string(item.tag()));
    }));
  }
  items[1]->setTag(7);
  auto menu = DropDownMenu::initWithItems(items);
  bool opened = false;
  menu->showInView(window, 64, [&] { opened = true; });
  EXPECT_FALSE(menu->isOpen());
  runFor(DropDownMenu::kOpenDuration + 0.01);
  EXPECT_TRUE(opened);
  EXPECT_TRUE(menu->isOpen());
  EXPECT_DOUBLE_EQ(menu->frame().y(), 64);
  EXPECT_DOUBLE_EQ(menu->frame().height(), 2 * DropDownMenu::kRowHeight);
  ASSERT_TRUE(menu->dimmingView());
  EXPECT_DOUBLE_EQ(menu->dimmingView()->alpha(), DropDownMenu::kDimmedAlpha);
  EXPECT_TRUE(menu->dimmingView()->backgroundColor().sameAs(Color::black()));

  menu->selectItemAtIndex(1);
  EXPECT_TRUE(chosen.empty());  // the action follows the close
  runFor(DropDownMenu::kOpenDuration + 0.01);
  EXPECT_EQ(chosen, (std::vector<std::string>{"我的照片流#7"}));
  EXPECT_FALSE(menu->isOpen());
  EXPECT_EQ(menu->superview(), nullptr);
  EXPECT_EQ(menu->dimmingView(), nullptr);

  bool closed = false;
  menu->close([&] { closed = true; });  // not open: at once
  EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace platform
