#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/AlertDialog.h"
#include "platform/ui/Application.h"
#include "platform/ui/SystemNotice.h"
#include "platform/ui/Touch.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform {
namespace {

struct Recorder : AlertDialogDelegate {
  std::vector<std::string> calls;
  void clickedButtonAtIndex(AlertDialog& d, int i) override { calls.push_back("clicked " + std::to_string(i) + " " + std::to_string(d.tag())); }
  void willDismissWithButtonIndex(AlertDialog&, int i) override { calls.push_back("will " + std::to_string(i)); }
  void didDismissWithButtonIndex(AlertDialog&, int i) override { calls.push_back("did " + std::to_string(i)); }
};

class AlertDialogTest : public testing::NoticeUiTest {
 protected:
  void SetUp() override {
    NoticeUiTest::SetUp();
    delegate = std::make_shared<Recorder>();
  }
  void TearDown() override {
    AlertDialog::setLookProvider({});
    NoticeUiTest::TearDown();
  }
  // Every view in the subtree whose automation text is `text`.
  static std::shared_ptr<View> findText(const std::shared_ptr<View>& root, const std::string& text) {
    if (root->automationText() == text) return root;
    for (const auto& sub : root->subviews()) {
      if (auto found = findText(sub, text)) return found;
    }
    return nullptr;
  }
  std::shared_ptr<Recorder> delegate;
};

TEST_F(AlertDialogTest, ButtonIndexesWithAndWithoutCancelButton) {
  struct Case {
    std::string cancel;
    std::vector<std::string> others;
    std::vector<std::string> order;
    int cancelIndex;
    int firstOther;
  };
  const Case cases[] = {
      {"继续编辑", {"退出此页"}, {"继续编辑", "退出此页"}, 0, 1},
      {"", {"确定"}, {"确定"}, -1, 0},
      {"取消", {}, {"取消"}, 0, -1},
      {"忽略", {"点击查看", "更多"}, {"忽略", "点击查看", "更多"}, 0, 1},
  };
  for (const auto& c : cases) {
    auto dialog = AlertDialog::initWithTitle("", "m", delegate, c.cancel, c.others);
    ASSERT_EQ(dialog->numberOfButtons(), static_cast<int>(c.order.size()));
    for (int i = 0; i < dialog->numberOfButtons(); ++i) EXPECT_EQ(dialog->buttonTitleAtIndex(i), c.order[i]);
    EXPECT_EQ(dialog->cancelButtonIndex(), c.cancelIndex);
    EXPECT_EQ(dialog->firstOtherButtonIndex(), c.firstOther);
    EXPECT_EQ(dialog->addButtonWithTitle("加"), static_cast<int>(c.order.size()));
  }
}

TEST_F(AlertDialogTest, CancelIndexOutsideTheButtonsIsIgnored) {
  auto dialog = AlertDialog::initWithTitle("", "m", delegate, "", {"a", "b"});
  dialog->setCancelButtonIndex(5);
  EXPECT_EQ(dialog->cancelButtonIndex(), -1);
  dialog->setCancelButtonIndex(-1);
  EXPECT_EQ(dialog->cancelButtonIndex(), -1);
  dialog->setCancelButtonIndex(1);
  EXPECT_EQ(dialog->cancelButtonIndex(), 1);
}

TEST_F(AlertDialogTest, ShowsInItsOwnAlertWindowAndReportsItself) {
  auto dialog = AlertDialog::initWithTitle("提示", "删除此快捷方式", delegate, "取消", {"确定"});
  dialog->setTag(401);
  dialog->show();
  ASSERT_TRUE(dialog->isVisible());
  ASSERT_NE(dialog->dialogWindow(), nullptr);
  EXPECT_EQ(dialog->dialogWindow()->windowLevel(), WindowLevel::Alert);
  EXPECT_EQ(Application::sharedApplication().windows().back(), dialog->dialogWindow());
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].kind, "dialog");
  EXPECT_EQ(notices[0].title, "提示");
  EXPECT_EQ(notices[0].message, "删除此快捷方式");
  EXPECT_EQ(notices[0].buttons, (std::vector<std::string>{"取消", "确定"}));
  EXPECT_EQ(notices[0].tag, 401);
  EXPECT_NE(findText(dialog, "确定"), nullptr);
  EXPECT_NE(findText(dialog, "删除此快捷方式"), nullptr);
}

TEST_F(AlertDialogTest, FingerOnAButtonTellsTheDelegateClickedWillAndDid) {
  auto dialog = AlertDialog::initWithTitle("", "您有写下的内容未发布，退出此页面将丢失。", delegate, "继续编辑", {"退出此页"});
  dialog->setTag(101);
  dialog->show();
  runFor(0.5);
  auto button = findText(dialog, "退出此页");
  ASSERT_NE(button, nullptr);
  Point centre = button->frameInWindow().center();
  auto w = Application::sharedApplication().windowAt(centre);
  ASSERT_EQ(w, dialog->dialogWindow());
  auto touch = std::make_shared<Touch>();
  touch->setLocation(centre);
  touch->setTimestamp(now());
  Event event;
  event.mutableTouches().push_back(touch);
  w->sendEvent(event);
  touch->setPhase(TouchPhase::Ended);
  w->sendEvent(event);
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"clicked 1 101", "will 1"}));
  runFor(AlertDialog::kDismissDuration + 0.01);
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"clicked 1 101", "will 1", "did 1"}));
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(Application::sharedApplication().keyWindow(), window);
}

TEST_F(AlertDialogTest, DriverTapsAButtonByTitle) {
  auto dialog = AlertDialog::initWithTitle("", "m", delegate, "忽略", {"点击查看"});
  dialog->show();
  EXPECT_FALSE(tapSystemNoticeButton("没有"));
  EXPECT_TRUE(tapSystemNoticeButton("忽略"));
  runFor(1);
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"clicked 0 0", "will 0", "did 0"}));
  EXPECT_TRUE(visibleSystemNoticePanels().empty());
  EXPECT_FALSE(tapSystemNoticeButton("点击查看"));
}

TEST_F(AlertDialogTest, DismissInCodeSkipsClickedAndASecondTapIsIgnored) {
  auto dialog = AlertDialog::initWithTitle("", "m", delegate, "取消", {"确定"});
  dialog->show();
  dialog->dismissWithClickedButtonIndex(0, false);
  dialog->tapButtonAtIndex(1);
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"will 0", "did 0"}));
}

TEST_F(AlertDialogTest, LookIsTakenWhenTheDialogIsMade) {
  bool night = false;
  AlertDialog::setLookProvider([&] {
    AlertDialogLook look;
    look.titleColor = night ? Color::rgb255(165, 175, 187) : Color::rgb255(91, 94, 101);
    return look;
  });
  auto day = AlertDialog::initWithTitle("t", "m", delegate, "ok");
  night = true;
  auto later = AlertDialog::initWithTitle("t", "m", delegate, "ok");
  EXPECT_TRUE(day->look().titleColor.sameAs(Color::rgb255(91, 94, 101)));
  EXPECT_TRUE(later->look().titleColor.sameAs(Color::rgb255(165, 175, 187)));
}

}  // namespace
}  // namespace platform
