// Alerts and action sheets: button indexes with and without cancel and
// destructive buttons, the delegate's calls for a tap, the notice report, and
// taps by title (the driver) and by finger (through the window).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/ActionSheet.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/NoticeParts.h"
#include "platform/ui/TestDriver.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

using namespace platform;

struct Recorder : AlertViewDelegate, ActionSheetDelegate {
  std::vector<std::string> calls;
  void clickedButtonAtIndex(AlertView&, int i) override { calls.push_back("clicked " + std::to_string(i)); }
  void willDismissWithButtonIndex(AlertView&, int i) override { calls.push_back("will " + std::to_string(i)); }
  void didDismissWithButtonIndex(AlertView&, int i) override { calls.push_back("did " + std::to_string(i)); }
  void clickedButtonAtIndex(ActionSheet&, int i) override { calls.push_back("clicked " + std::to_string(i)); }
  void willDismissWithButtonIndex(ActionSheet&, int i) override { calls.push_back("will " + std::to_string(i)); }
  void didDismissWithButtonIndex(ActionSheet&, int i) override { calls.push_back("did " + std::to_string(i)); }
};

class AlertAndSheetButtonsTest : public platform::testing::NoticeUiTest {
 protected:
  void SetUp() override {
    NoticeUiTest::SetUp();
    recorder = std::make_shared<Recorder>();
  }

  std::shared_ptr<Recorder> recorder;
};

TEST_F(AlertAndSheetButtonsTest, SheetIndexesRunDestructiveOthersCancel) {
  struct Case {
    const char* name;
    std::string cancel;
    std::string destructive;
    std::vector<std::string> titles;  // in index order
    int cancelIndex;
    int destructiveIndex;
    int firstOther;
  };
  const Case cases[] = {
      {"cancel", "取消", "", {"复制链接", "在Safari中打开", "取消"}, 2, -1, 0},
      {"no cancel", "", "", {"复制链接", "在Safari中打开"}, -1, -1, 0},
      {"destructive", "取消", "删除", {"删除", "复制链接", "在Safari中打开", "取消"}, 3, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto sheet = ActionSheet::initWithTitle("", recorder, c.cancel, c.destructive, {"复制链接", "在Safari中打开"});
    ASSERT_EQ(sheet->numberOfButtons(), static_cast<int>(c.titles.size()));
    for (int i = 0; i < sheet->numberOfButtons(); ++i) EXPECT_EQ(sheet->buttonTitleAtIndex(i), c.titles[i]);
    EXPECT_EQ(sheet->cancelButtonIndex(), c.cancelIndex);
    EXPECT_EQ(sheet->destructiveButtonIndex(), c.destructiveIndex);
    EXPECT_EQ(sheet->firstOtherButtonIndex(), c.firstOther);
    EXPECT_EQ(sheet->buttonTitleAtIndex(99), "");
  }
}

TEST_F(AlertAndSheetButtonsTest, AlertIndexesStartWithCancel) {
  auto withCancel = AlertView::initWithTitle("无法使用相机", "请在设置中允许", recorder, "取消", {"确定", "重试"});
  EXPECT_EQ(withCancel->cancelButtonIndex(), 0);
  EXPECT_EQ(withCancel->firstOtherButtonIndex(), 1);
  EXPECT_EQ(withCancel->buttonTitleAtIndex(2), "重试");
  EXPECT_EQ(withCancel->addButtonWithTitle("更多"), 3);

  auto noCancel = AlertView::initWithTitle("", "m", recorder, "", {"确定"});
  EXPECT_EQ(noCancel->cancelButtonIndex(), -1);
  EXPECT_EQ(noCancel->firstOtherButtonIndex(), 0);
  EXPECT_EQ(noCancel->numberOfButtons(), 1);
}

TEST_F(AlertAndSheetButtonsTest, TappedSheetButtonReachesTheDelegateInOrder) {
  auto host = View::create({0, 0, 320, 568});
  window->addSubview(host);
  {
    auto sheet = ActionSheet::initWithTitle("", recorder, "取消", "", {"复制链接", "在Safari中打开"});
    sheet->setTag(7);
    sheet->setActionSheetStyle(ActionSheetStyle::BlackTranslucent);
    sheet->showInView(host);  // the sheet keeps itself while shown
  }
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].kind, "sheet");
  EXPECT_EQ(notices[0].buttons, (std::vector<std::string>{"复制链接", "在Safari中打开", "取消"}));
  EXPECT_EQ(notices[0].tag, 7);
  runFor(0.5);
  ASSERT_EQ(visibleSystemNoticePanels().size(), 1u);

  EXPECT_FALSE(tapSystemNoticeButton("不存在"));
  EXPECT_TRUE(tapSystemNoticeButton("在Safari中打开"));
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"clicked 1", "will 1"}));
  EXPECT_FALSE(tapSystemNoticeButton("取消")) << "a closing sheet takes no second tap";
  runFor(ActionSheet::kDismissDuration + 0.05);
  EXPECT_EQ(recorder->calls.back(), "did 1");
  EXPECT_TRUE(visibleSystemNoticePanels().empty());
  EXPECT_EQ(Application::sharedApplication().windowAt({160, 540}), window) << "the sheet's panel is gone";
}

TEST_F(AlertAndSheetButtonsTest, FingerOnAnAlertButtonTapsIt) {
  auto alert = AlertView::initWithTitle("提示", "确定删除吗？", recorder, "取消", {"确定"});
  alert->setTag(102);
  alert->show();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].kind, "alert");
  EXPECT_EQ(notices[0].title, "提示");
  EXPECT_EQ(notices[0].message, "确定删除吗？");
  EXPECT_EQ(notices[0].tag, 102);
  EXPECT_TRUE(alert->isVisible());
  runFor(0.3);

  auto button = TestDriver::findByText("确定");
  ASSERT_TRUE(button);
  TestDriver::tap(button);
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"clicked 1", "will 1"}));
  runFor(AlertView::kDismissDuration + 0.05);
  EXPECT_EQ(recorder->calls.back(), "did 1");
  EXPECT_FALSE(alert->isVisible());

  // Dismissed by code: no click call.
  recorder->calls.clear();
  alert->show();
  alert->dismissWithClickedButtonIndex(0, false);
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"will 0", "did 0"}));
}

TEST_F(AlertAndSheetButtonsTest, FrontMostPanelTakesTheTapAndAGoneDelegateIsHarmless) {
  auto first = AlertView::initWithTitle("一", "", recorder, "确定");
  auto second = AlertView::initWithTitle("二", "", {}, "确定");
  first->show();
  second->show();
  EXPECT_TRUE(tapSystemNoticeButton("确定"));
  runFor(0.5);
  EXPECT_TRUE(first->isVisible());
  EXPECT_FALSE(second->isVisible());
  recorder.reset();  // the screen went away
  EXPECT_TRUE(tapSystemNoticeButton("确定"));
  runFor(0.5);
  EXPECT_FALSE(first->isVisible());
}

}  // namespace
