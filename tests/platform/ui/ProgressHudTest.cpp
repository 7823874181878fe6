#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/NoticeParts.h"
#include "platform/ui/ProgressHud.h"
#include "platform/ui/SystemNotice.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform {
namespace {

struct HiddenCounter : ProgressHudDelegate {
  int hidden = 0;
  void hudWasHidden(ProgressHud&) override { ++hidden; }
};

class ProgressHudTest : public testing::NoticeUiTest {
 protected:
  void SetUp() override {
    NoticeUiTest::SetUp();
    delegate = std::make_shared<HiddenCounter>();
  }
  void TearDown() override {
    ProgressHud::setLookProvider({});
    NoticeUiTest::TearDown();
  }
  std::shared_ptr<ProgressHud> textNotice(const std::string& text) {
    auto hud = ProgressHud::initWithWindow(window);
    window->addSubview(hud);
    hud->setMode(ProgressHudMode::Text);
    hud->setLabelText(text);
    hud->setDelegate(delegate);
    return hud;
  }
  std::shared_ptr<HiddenCounter> delegate;
};

TEST_F(ProgressHudTest, TextNoticeShowsItsBoxCentredAndReportsItself) {
  auto hud = textNotice("当前无网络");
  hud->show(true);
  EXPECT_TRUE(hud->isShowing());
  EXPECT_DOUBLE_EQ(hud->alpha(), 1.0);
  EXPECT_EQ(hud->indicator(), nullptr);
  Rect box = hud->boxView()->frame();
  EXPECT_NEAR(box.midX(), 160, 1);
  EXPECT_NEAR(box.midY(), 284, 1);
  EXPECT_TRUE(box.contains(hud->label()->frame()));
  EXPECT_EQ(hud->label()->text(), "当前无网络");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].kind, "hud");
  EXPECT_EQ(notices[0].title, "当前无网络");
}

TEST_F(ProgressHudTest, HideAfterDelayFadesThenReportsHiddenOnce) {
  auto hud = textNotice("已保存到相册");
  hud->setRemoveFromSuperViewOnHide(true);
  int completions = 0;
  hud->setCompletionBlock([&] { ++completions; });
  hud->show(true);
  hud->hide(true, 1.5);
  runFor(1.4);
  EXPECT_TRUE(hud->isShowing());
  runFor(0.2);
  EXPECT_FALSE(hud->isShowing());
  EXPECT_EQ(delegate->hidden, 0);  // still fading out
  runFor(ProgressHud::kFadeDuration);
  EXPECT_EQ(delegate->hidden, 1);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(hud->superview(), nullptr);
  hud->hide(true);
  runFor(1);
  EXPECT_EQ(delegate->hidden, 1);
}

TEST_F(ProgressHudTest, HideWaitsOutTheMinimumShowTimeAndNoLonger) {
  struct Case {
    const char* name;
    ProgressHudMode mode;
    double hideAfter;    // seconds shown before the hide
    double stillShowing;  // seconds the hud stays after the hide
  };
  const Case cases[] = {
      {"hidden before the minimum", ProgressHudMode::Indeterminate, 0.2, 0.8},
      {"hidden after the minimum", ProgressHudMode::Text, 1.5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    delegate->hidden = 0;
    auto hud = textNotice("保存中…");
    hud->setMode(c.mode);
    hud->setMinShowTime(1.0);
    hud->show(false);
    runFor(c.hideAfter);
    hud->hide(false);
    if (c.stillShowing > 0) {
      EXPECT_TRUE(hud->isShowing());
      runFor(c.stillShowing - 0.1);
      EXPECT_TRUE(hud->isShowing());
      EXPECT_EQ(delegate->hidden, 0);
      runFor(0.2);
    }
    EXPECT_FALSE(hud->isShowing());
    EXPECT_TRUE(hud->isHidden());
    EXPECT_EQ(delegate->hidden, 1);
    hud->removeFromSuperview();
  }
}

TEST_F(ProgressHudTest, SpinnerSwitchedToTextNoticeDropsTheSpinnerAndReportsTheNewText) {
  auto hud = textNotice("保存中…");
  hud->setMode(ProgressHudMode::Indeterminate);
  hud->show(true);
  ASSERT_NE(hud->indicator(), nullptr);
  EXPECT_EQ(hud->indicator()->superview().get(), hud.get());
  hud->setMode(ProgressHudMode::Text);
  hud->setLabelText("保存失败");
  hud->layoutIfNeeded();
  EXPECT_EQ(hud->indicator(), nullptr);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[1].title, "保存失败");
  hud->hide(true, 1.5);
  runFor(2);
  EXPECT_EQ(delegate->hidden, 1);
}

TEST_F(ProgressHudTest, CustomViewModeShowsTheViewAboveTheText) {
  auto hud = textNotice("完成");
  auto picture = View::create(Rect(0, 0, 37, 37));
  hud->setCustomView(picture);
  hud->setMode(ProgressHudMode::CustomView);
  hud->show(false);
  EXPECT_EQ(hud->indicator(), picture);
  EXPECT_LT(picture->frame().maxY(), hud->label()->frame().y() + 0.5);
}

TEST_F(ProgressHudTest, ShowingAgainCancelsAPendingHide) {
  auto hud = textNotice("a");
  hud->show(false);
  hud->hide(false, 1.0);
  hud->show(false);
  runFor(2);
  EXPECT_TRUE(hud->isShowing());
  EXPECT_EQ(delegate->hidden, 0);
}

TEST_F(ProgressHudTest, LookProviderIsReadAtEachLayout) {
  bool night = false;
  ProgressHud::setLookProvider([&] {
    ProgressHudLook look;
    look.boxColor = night ? Color::rgb255(61, 132, 170) : Color::rgb255(53, 160, 217);
    look.labelColor = night ? Color::rgb255(209, 216, 220) : Color::white();
    return look;
  });
  auto hud = textNotice("提示");
  hud->setDetailsLabelText("细节");
  hud->show(false);
  EXPECT_TRUE(hud->boxView()->backgroundColor().sameAs(Color::rgb255(53, 160, 217, 0.8)));
  night = true;
  hud->setNeedsLayout();
  hud->layoutIfNeeded();
  EXPECT_TRUE(hud->boxView()->backgroundColor().sameAs(Color::rgb255(61, 132, 170, 0.8)));
  EXPECT_TRUE(hud->displayedLook().labelColor.sameAs(Color::rgb255(209, 216, 220)));
  EXPECT_TRUE(hud->displayedLook().detailsLabelColor.sameAs(Color::white()));
}

}  // namespace
}  // namespace platform
