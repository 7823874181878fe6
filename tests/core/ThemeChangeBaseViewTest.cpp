#include <gtest/gtest.h>

#include "application/VornAppDelegate.h"
#include "core/ThemeChangeBaseView.h"
#include "platform/ui/ImageView.h"
#include "support/VornTest.h"

namespace vorn {
namespace {

using test::VornTest;

class ThemeChangeBaseViewTest : public VornTest {};

bool sameRgb(const platform::Color& c, int r, int g, int b) {
  return c.red255() == r && c.green255() == g && c.blue255() == b;
}

TEST_F(ThemeChangeBaseViewTest, ARowIsPaintedFromItsCreationAndFollowsEverySwitch) {
  auto row = ThemeChangeBaseView::initWithFrame({0, 100, 320, 46});
  EXPECT_EQ(row->buttonType(), platform::ButtonType::Custom);
  EXPECT_EQ(row->topLine()->superview(), row);
  EXPECT_EQ(row->bottomLine()->superview(), row);
  EXPECT_TRUE(sameRgb(row->backgroundColor(), 244, 244, 244));
  EXPECT_TRUE(sameRgb(row->topLine()->backgroundColor(), 209, 209, 209));
  EXPECT_TRUE(sameRgb(row->bottomLine()->backgroundColor(), 209, 209, 209));
  EXPECT_EQ(row->topLine()->frame(), platform::Rect(0, -0.5, 320, 0.5));
  EXPECT_EQ(row->bottomLine()->frame(), platform::Rect(0, 46, 320, 0.5));

  AppDelegate::switchThemeMode(kThemeModeBlack);
  EXPECT_TRUE(sameRgb(row->backgroundColor(), 49, 50, 55));
  EXPECT_TRUE(sameRgb(row->topLine()->backgroundColor(), 27, 29, 30));
  EXPECT_TRUE(sameRgb(row->bottomLine()->backgroundColor(), 27, 29, 30));

  auto night = ThemeChangeBaseView::initWithFrame({0, 0, 320, 46});  // made at night
  EXPECT_TRUE(sameRgb(night->backgroundColor(), 49, 50, 55));

  row.reset();  // a destroyed row is no longer told
  AppDelegate::switchThemeMode(kThemeModeNormal);
  EXPECT_TRUE(sameRgb(night->backgroundColor(), 244, 244, 244));
}

}  // namespace
}  // namespace vorn
