#include <gtest/gtest.h>

#include "ViewTestFixture.h"
#include "platform/ui/AlertDialog.h"
#include "platform/ui/Device.h"
#include "platform/ui/Image.h"
#include "platform/ui/PatternTextField.h"
#include "platform/ui/ProgressHud.h"
#include "platform/ui/SystemNotice.h"
#include "ui/ComponentThemes.h"

namespace vorn::test {
namespace {

class ComponentThemesTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    installComponentThemes();
  }
  void TearDown() override {
    platform::ProgressHud::setLookProvider({});
    platform::AlertDialog::setLookProvider({});
    platform::PatternTextField::setNightModeProvider({});
    platform::resetSystemNotices();
    platform::Device::currentDevice().setSystemVersion("8.4");
    ViewTest::TearDown();
  }
};

TEST_F(ComponentThemesTest, ANoticeFollowsASwitchAtItsNextLayout) {
  auto hud = platform::ProgressHud::showHUDAddedTo(window, false);
  hud->setMode(platform::ProgressHudMode::Text);
  hud->setLabelText("已保存");
  hud->setDetailsLabelText("详情");
  hud->layoutIfNeeded();
  const platform::Color dayBox = hud->boxView()->backgroundColor();
  EXPECT_TRUE(sameRgb(dayBox, 53, 160, 217));
  EXPECT_DOUBLE_EQ(dayBox.alpha, 0.8);
  EXPECT_EQ(hud->boxView()->layer().cornerRadius, 10);
  EXPECT_TRUE(sameRgb(hud->displayedLook().labelColor, 255, 255, 255));

  switchToNight();
  hud->setNeedsLayout();
  hud->layoutIfNeeded();
  EXPECT_TRUE(sameRgb(hud->boxView()->backgroundColor(), 61, 132, 170));
  EXPECT_DOUBLE_EQ(hud->boxView()->backgroundColor().alpha, 0.8);
  EXPECT_TRUE(sameRgb(hud->displayedLook().labelColor, 209, 216, 220));
  EXPECT_TRUE(sameRgb(hud->displayedLook().detailsLabelColor, 255, 255, 255));
  EXPECT_EQ(hud->displayedLook().labelFont, platform::Font::boldSystemFont(16));
  EXPECT_EQ(hud->displayedLook().detailsLabelFont, platform::Font::boldSystemFont(12));
}

TEST_F(ComponentThemesTest, ADialogKeepsTheThemeItWasMadeIn) {
  auto day = platform::AlertDialog::initWithTitle("提示", "内容", {}, "取消", {"确定"});
  switchToNight();
  auto night = platform::AlertDialog::initWithTitle("提示", "内容", {}, "取消", {"确定"});

  EXPECT_TRUE(sameRgb(day->look().titleColor, 91, 94, 101));
  EXPECT_TRUE(sameRgb(day->look().messageColor, 91, 94, 101));
  EXPECT_TRUE(sameRgb(day->look().buttonTitleColor, 91, 94, 101));
  EXPECT_EQ(day->look().backgroundImageName, "AlertDialogBackground.png");
  EXPECT_EQ(day->look().buttonImageName, "AlertDialogButtonBackground.png");
  EXPECT_EQ(day->look().buttonHighlightedImageName, "AlertDialogButtonBackground_Highlighted.png");

  EXPECT_TRUE(sameRgb(night->look().titleColor, 165, 175, 187));
  EXPECT_TRUE(sameRgb(night->look().messageColor, 165, 175, 187));
  EXPECT_TRUE(sameRgb(night->look().buttonTitleColor, 209, 216, 220));
  EXPECT_EQ(night->look().backgroundImageName, "AlertDialogBackground_black.png");
  EXPECT_EQ(night->look().buttonImageName, "AlertDialogButtonBackground_black.png");
  EXPECT_EQ(night->look().buttonHighlightedImageName, "AlertDialogButtonBackground_Highlighted_black.png");
  EXPECT_EQ(night->look().titleFont, platform::Font::boldSystemFont(18));
  EXPECT_EQ(night->look().messageFont, platform::Font::systemFont(16));
}

TEST_F(ComponentThemesTest, TheDialogArtworkExistsForBothThemes) {
  for (const char* name : {kAlertDialogBackground, kAlertDialogBackgroundNight, kAlertDialogButtonBackground,
                           kAlertDialogButtonBackgroundNight, kAlertDialogButtonBackgroundHighlighted,
                           kAlertDialogButtonBackgroundHighlightedNight, kAlertDialogMessageListViewShadow,
                           kAlertDialogMessageListViewShadowNight})
    EXPECT_TRUE(platform::Image::imageNamed(name)) << name;
}

TEST_F(ComponentThemesTest, PlaceholdersFollowKindSystemAndTheme) {
  struct Case {
    int kind;
    const char* version;
    bool night;
    double y;
    double fontSize;
    int r, g, b;
  } cases[] = {
      {0, "8.4", false, 4.5, 15, 169, 169, 169}, {0, "6.1", false, 0.5, 15, 169, 169, 169},
      {0, "7.0", true, 4.5, 15, 110, 119, 130},  {2, "8.4", false, 14, 14, 169, 169, 169},
      {2, "5.1", true, 1, 14, 110, 119, 130},    {3, "8.4", false, 4.5, 15, 136, 136, 136},
      {3, "8.4", true, 4.5, 15, 165, 175, 187},  {3, "9.0", true, 0.5, 15, 165, 175, 187},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " on " << c.version << (c.night ? " at night" : ""));
    platform::Device::currentDevice().setSystemVersion(c.version);
    if (c.night) switchToNight(); else switchToDay();
    auto field = platform::PatternTextField::create({0, 0, 200, 30});
    field->setCurrentTpye(c.kind);
    EXPECT_FALSE(field->placeholderDrawing());  // never set: nothing drawn
    field->setPlaceholder("请输入");
    auto drawing = field->placeholderDrawing();
    ASSERT_TRUE(drawing);
    EXPECT_EQ(drawing->rect, platform::Rect(0, c.y, 175, 26));
    EXPECT_EQ(drawing->font, platform::Font::systemFont(c.fontSize));
    EXPECT_TRUE(sameRgb(drawing->color, c.r, c.g, c.b));
  }
}

}  // namespace
}  // namespace vorn::test
