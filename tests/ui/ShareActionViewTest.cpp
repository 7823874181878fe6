#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Window.h"
#include "support/VornTest.h"
#include "ui/ShareActionView.h"
#include "core/ThumbImage.h"

namespace vorn {
namespace {

using platform::TestDriver;

struct Recorder : ShareActionViewDelegate {
  std::vector<int> icons;
  std::vector<int> buttons;
  void didDismissWithIconItemIndex(ShareActionView&, int index) override { icons.push_back(index); }
  void didDismissWithButtonIndex(ShareActionView&, int index) override { buttons.push_back(index); }
};

class ShareActionViewTest : public test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    platform::Application::sharedApplication().reset();
    screen_ = platform::Window::create({0, 0, 320, 568});
    screen_->makeKeyAndVisible();
  }
  void TearDown() override {
    screen_.reset();
    platform::Application::sharedApplication().reset();
    VornTest::TearDown();
  }

  static std::vector<std::shared_ptr<ShareItem>> tiles(int count) {
    const char* titles[] = {kShareSinaWeiboTitle, kShareWeChatTitle, kShareMomentsTitle, "QQ"};
    const char* images[] = {kShareSinaWeiboImage, kShareWeChatImage, kShareMomentsImage, kShareMomentsImage};
    std::vector<std::shared_ptr<ShareItem>> items;
    for (int i = 0; i < count; ++i) items.push_back(ShareItem::initWithTitle(titles[i % 4], images[i % 4]));
    return items;
  }

  // The usual sheet: three tiles, "复制链接网址" and "取消", shown and at rest.
  std::weak_ptr<ShareActionView> showUsualSheet() {
    auto sheet = ShareActionView::initWithDelegate(recorder_, tiles(3), kShareCancelTitle, {kShareCopyLinkTitle});
    sheet->show();
    runFor(ShareActionView::kAnimationSeconds + 0.05);
    return sheet;
  }

  std::shared_ptr<Recorder> recorder_ = std::make_shared<Recorder>();
  std::shared_ptr<platform::Window> screen_;
};

TEST_F(ShareActionViewTest, SheetLayoutFollowsItsTilesAndButtons) {
  struct Case {
    int tiles;
    std::vector<std::string> others;
    double height;
    int cancelIndex;
    double contentWidth;
  } cases[] = {
      {3, {kShareCopyLinkTitle}, 255, 2, 321},  // 3 x 95 fits in 320: one point wider than the row
      {3, {}, 205, 1, 321},
      {0, {kShareCopyLinkTitle}, 100, 2, 1},    // no tiles: only the text buttons
      {4, {kShareCopyLinkTitle}, 255, 2, 415},  // 4 x 95 exceeds 320: the row scrolls
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tiles);
    auto sheet = ShareActionView::initWithDelegate(recorder_, tiles(c.tiles), kShareCancelTitle, c.others);
    EXPECT_DOUBLE_EQ(sheet->frame().height(), c.height);
    EXPECT_DOUBLE_EQ(sheet->frame().y(), 568);  // built just below the screen
    EXPECT_EQ(sheet->cancelButtonIndex(), c.cancelIndex);
    EXPECT_DOUBLE_EQ(sheet->scrollview()->contentSize().width, c.contentWidth);
    for (int i = 0; i < c.tiles; ++i) EXPECT_DOUBLE_EQ(sheet->iconItems()[i]->frame().x(), 35 + 95 * i);
    const double row = c.tiles ? 155 : 0;
    ASSERT_EQ(sheet->buttonItems().size(), c.others.size() + 1);
    for (std::size_t i = 0; i < sheet->buttonItems().size(); ++i)
      EXPECT_DOUBLE_EQ(sheet->buttonItems()[i]->frame().y(), row + 50.0 * static_cast<double>(i));
    EXPECT_EQ(sheet->buttonItems().back()->currentTitle(), kShareCancelTitle);
  }
}

TEST_F(ShareActionViewTest, ShownSheetRestsAtTheBottomInAnAlertLevelWindow) {
  auto weak = showUsualSheet();
  auto sheet = weak.lock();
  ASSERT_TRUE(sheet);  // kept alive by its window while shown
  EXPECT_DOUBLE_EQ(sheet->frame().y(), 568 - 255);
  EXPECT_EQ(sheet->shareWindow()->windowLevel(), platform::WindowLevel::Alert);
  EXPECT_FALSE(sheet->shareWindow()->isHidden());
  EXPECT_DOUBLE_EQ(sheet->shareWindow()->backgroundColor().alpha, 0.3);
  sheet->dismiss();
  sheet.reset();
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  EXPECT_TRUE(weak.expired());
}

TEST_F(ShareActionViewTest, ChoicesReachTheDelegateOnlyAfterTheSheetHasSlidAway) {
  struct Case {
    const char* target;
    std::vector<int> icons;
    std::vector<int> buttons;
  } cases[] = {
      {"\"微信好友\"", {1}, {}},
      {"\"新浪微博\"", {0}, {}},
      {"\"复制链接网址\"", {}, {0}},
      {"\"取消\"", {}, {}},  // cancel never reaches the delegate
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    recorder_ = std::make_shared<Recorder>();
    auto weak = showUsualSheet();
    auto window = weak.lock()->shareWindow();
    ASSERT_TRUE(TestDriver::tap(TestDriver::find(c.target)));
    EXPECT_TRUE(recorder_->icons.empty() && recorder_->buttons.empty()) << "told only once the sheet is away";
    runFor(ShareActionView::kAnimationSeconds + 0.05);
    EXPECT_EQ(recorder_->icons, c.icons);
    EXPECT_EQ(recorder_->buttons, c.buttons);
    EXPECT_TRUE(window->isHidden());
    window.reset();
    EXPECT_TRUE(weak.expired()) << "a closed sheet lets go of its window";
  }
}

TEST_F(ShareActionViewTest, TapAboveTheSheetClosesItWithoutAReportAndTapOnItsEmptyAreaDoesNothing) {
  auto weak = showUsualSheet();
  auto window = weak.lock()->shareWindow();
  TestDriver::tapAt({300, 568 - 255 + 10});  // right of the last tile, on the sheet
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  EXPECT_FALSE(window->isHidden());
  TestDriver::tapAt({160, 100});  // the dimmed screen above
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  EXPECT_TRUE(window->isHidden());
  EXPECT_TRUE(recorder_->icons.empty());
  EXPECT_TRUE(recorder_->buttons.empty());
}

TEST_F(ShareActionViewTest, PanEndingDownwardClosesUpwardKeepsTheSheet) {
  auto weak = showUsualSheet();
  auto window = weak.lock()->shareWindow();
  TestDriver::dragPath({{200, 400}, {150, 390}}, 0.3);  // sideways and up
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  EXPECT_FALSE(window->isHidden());
  TestDriver::dragPath({{200, 400}, {120, 404}}, 0.3);  // along the row, slightly down
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  EXPECT_TRUE(window->isHidden());
  EXPECT_TRUE(recorder_->icons.empty());
}

TEST_F(ShareActionViewTest, NightSheetPaintsItsOwnColours) {
  platform::UserDefaults::standardUserDefaults().setString(kThemeMode, kThemeModeBlack);
  auto sheet = ShareActionView::initWithDelegate(recorder_, tiles(3), kShareCancelTitle, {kShareCopyLinkTitle});
  EXPECT_EQ(sheet->backgroundColor().red255(), 49);
  EXPECT_EQ(sheet->backgroundColor().blue255(), 55);
  auto normal = sheet->buttonItems()[0]->backgroundImageForState(platform::ControlState::Normal);
  ASSERT_TRUE(normal);
  EXPECT_EQ(normal->pixels()[0], 49);
}

TEST_F(ShareActionViewTest, ThumbnailStretchesThePictureWithoutCropping) {
  // 300 by 200: left half red, right half blue, bottom quarter green.
  auto picture = platform::Image::create(300, 200);
  auto& px = picture->mutablePixels();
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) {
      std::uint8_t* p = &px[(std::size_t(y) * 300 + x) * 4];
      const bool bottom = y >= 150;
      p[0] = !bottom && x < 150 ? 255 : 0;
      p[1] = bottom ? 255 : 0;
      p[2] = !bottom && x >= 150 ? 255 : 0;
      p[3] = 255;
    }
  auto thumb = thumbImage(*picture);
  ASSERT_EQ(thumb->pixelWidth(), 120);
  ASSERT_EQ(thumb->pixelHeight(), 120);
  EXPECT_DOUBLE_EQ(thumb->scale(), 1);
  auto at = [&](int x, int y) { return &thumb->pixels()[(std::size_t(y) * 120 + x) * 4]; };
  EXPECT_EQ(at(2, 2)[0], 255);     // top left stays red
  EXPECT_EQ(at(117, 2)[2], 255);   // top right stays blue: nothing cropped sideways
  EXPECT_EQ(at(60, 117)[1], 255);  // the bottom quarter is still there
  EXPECT_EQ(at(60, 85)[1], 0);     // and still a quarter: stretched, not scaled to fit
}

}  // namespace
}  // namespace vorn
