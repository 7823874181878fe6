// Alerts and action sheets: button indexes with and without cancel and
// destructive buttons, the delegate's calls for a tap, the notice report, and
// taps by title (the driver) and by finger (through the window).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/NoticeParts.h"
#include "platform/ui/SystemNotice.h"
#include "platform/ui/Window.h"

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

class AlertAndSheetButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().adoptCurrentThread();
    RunLoop::main().useVirtualClock(1'700'000'000);
    NotificationCenter::defaultCenter().reset();
    Application::sharedApplication().reset();
    resetSystemNotices();
    setSystemNoticeListener([this](const SystemNotice& n) { notices.push_back(n); });
    recorder = std::make_shared<Recorder>();
  }
  void TearDown() override {
    resetSystemNotices();
    Application::sharedApplication().reset();
  }
  void runFor(double s) { RunLoop::main().runFor(s); }

  // A finger down and up at a point of the screen.
  void tapAt(Point p) {
    auto window = Application::sharedApplication().windowAt(p);
    ASSERT_TRUE(window);
    auto touch = std::make_shared<Touch>();
    touch->setLocation(p);
    touch->setTimestamp(RunLoop::main().now());
    Event event;
    event.mutableTouches().push_back(touch);
    window->sendEvent(event);
    touch->setPhase(TouchPhase::Ended);
    window->sendEvent(event);
  }
  static std::shared_ptr<View> viewWithText(const std::shared_ptr<View>& root, const std::string& text) {
    if (root->automationText() == text) return root;
    for (const auto& sub : root->subviews()) {
      if (auto found = viewWithText(sub, text)) return found;
    }
    return nullptr;
  }

  std::vector<SystemNotice> notices;
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
  EXPECT_EQ(Application::sharedApplication().windowAt({160, 540}), nullptr);
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

  auto button = viewWithText(alert, "确定");
  ASSERT_TRUE(button);
  tapAt(button->frameInWindow().center());
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
