// What the alert, the action sheet and the alert dialog share: their buttons
// are real buttons a finger taps, their texts real labels, each closes once,
// and a closed panel lets go of its window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ActionSheet.h"
#include "platform/ui/AlertDialog.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TestDriver.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

struct Recorder : AlertViewDelegate, ActionSheetDelegate, AlertDialogDelegate {
  std::vector<std::string> calls;
  void note(const char* what, int i) { calls.push_back(std::string(what) + " " + std::to_string(i)); }
  void clickedButtonAtIndex(AlertView&, int i) override { note("clicked", i); }
  void willDismissWithButtonIndex(AlertView&, int i) override { note("will", i); }
  void didDismissWithButtonIndex(AlertView&, int i) override { note("did", i); }
  void clickedButtonAtIndex(ActionSheet&, int i) override { note("clicked", i); }
  void willDismissWithButtonIndex(ActionSheet&, int i) override { note("will", i); }
  void didDismissWithButtonIndex(ActionSheet&, int i) override { note("did", i); }
  void clickedButtonAtIndex(AlertDialog&, int i) override { note("clicked", i); }
  void willDismissWithButtonIndex(AlertDialog&, int i) override { note("will", i); }
  void didDismissWithButtonIndex(AlertDialog&, int i) override { note("did", i); }
};

struct Kind {
  const char* name;
  // Shows a panel titled "标题" with buttons "取消" (cancel) and "确定"; answers it.
  std::function<std::shared_ptr<NoticePanelView>(std::shared_ptr<Recorder>)> show;
  double closing;  // seconds the panel takes to leave
};

const Kind kKinds[] = {
    {"alert",
     [](std::shared_ptr<Recorder> r) {
       auto a = AlertView::initWithTitle("标题", "内容", r, "取消", {"确定"});
       a->show();
       return std::static_pointer_cast<NoticePanelView>(a);
     },
     AlertView::kDismissDuration},
    {"sheet",
     [](std::shared_ptr<Recorder> r) {
       auto s = ActionSheet::initWithTitle("标题", r, "取消", "", {"确定"});
       s->showInView(nullptr);
       return std::static_pointer_cast<NoticePanelView>(s);
     },
     ActionSheet::kDismissDuration},
    {"dialog",
     [](std::shared_ptr<Recorder> r) {
       auto d = AlertDialog::initWithTitle("标题", "内容", r, "取消", {"确定"});
       d->show();
       return std::static_pointer_cast<NoticePanelView>(d);
     },
     AlertDialog::kDismissDuration},
};

class NoticePanelButtonsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    resetSystemNotices();
    makeWindow();
  }
  void TearDown() override {
    resetSystemNotices();
    UiTest::TearDown();
  }
};

TEST_F(NoticePanelButtonsTest, AFingerOnARealButtonClosesThePanelOnce) {
  for (const auto& kind : kKinds) {
    auto recorder = std::make_shared<Recorder>();
    std::weak_ptr<NoticePanelView> weakPanel;
    std::weak_ptr<Window> weakWindow;
    {
      auto panel = kind.show(recorder);
      runFor(0.5);
      weakPanel = panel;
      weakWindow = panel->panelWindow();
      int ok = panel->cancelButtonIndex() == 0 ? 1 : 0;
      auto button = panel->buttonAtIndex(ok);
      ASSERT_TRUE(button) << kind.name;
      EXPECT_EQ(button->className(), "Button");
      EXPECT_EQ(button->currentTitle(), "确定");
      auto title = std::dynamic_pointer_cast<Label>(TestDriver::findByText("标题"));
      ASSERT_TRUE(title) << kind.name;
      EXPECT_EQ(title->textAlignment(), TextAlignment::Center);

      // The finger lands on the button's title label, which passes the touch to the button.
      EXPECT_EQ(TestDriver::tap(button), button) << kind.name;
      // A second tap while it leaves is not taken.
      TestDriver::tap(button);
      EXPECT_FALSE(tapSystemNoticeButton("取消")) << kind.name;
      std::string ix = std::to_string(ok);
      EXPECT_EQ(recorder->calls, (std::vector<std::string>{"clicked " + ix, "will " + ix})) << kind.name;
      runFor(kind.closing + 0.01);
      EXPECT_EQ(recorder->calls.back(), "did " + ix) << kind.name;
      EXPECT_FALSE(panel->isVisible());
      EXPECT_TRUE(visibleSystemNoticePanels().empty());
    }
    // Nothing keeps a closed panel or its window alive.
    EXPECT_TRUE(weakPanel.expired()) << kind.name;
    EXPECT_TRUE(weakWindow.expired()) << kind.name;
  }
}

TEST_F(NoticePanelButtonsTest, DialogButtonsTakeTouchesExclusively) {
  auto recorder = std::make_shared<Recorder>();
  auto dialog = AlertDialog::initWithTitle("标题", "", recorder, "取消", {"确定"});
  dialog->show();
  for (int i = 0; i < dialog->numberOfButtons(); ++i) EXPECT_TRUE(dialog->buttonAtIndex(i)->isExclusiveTouch());
  auto alert = AlertView::initWithTitle("标题", "", recorder, "取消", {"确定"});
  alert->show();
  EXPECT_FALSE(alert->buttonAtIndex(0)->isExclusiveTouch());
}

}  // namespace
}  // namespace platform::testing
