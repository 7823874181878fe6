#include <gtest/gtest.h>

#include "platform/ui/Keyboard.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/TextView.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

// A message composer's delegate: the return key sends instead of breaking the line.
class Composer : public TextViewDelegate {
 public:
  bool textViewShouldBeginEditing(TextView&) override { calls.push_back("shouldBegin"); return allowBegin; }
  void textViewDidBeginEditing(TextView&) override { calls.push_back("didBegin"); }
  bool textViewShouldEndEditing(TextView&) override { calls.push_back("shouldEnd"); return true; }
  void textViewDidEndEditing(TextView&) override { calls.push_back("didEnd"); }
  bool shouldChangeTextInRange(TextView& view, TextRange, const std::string& text) override {
    if (sendOnReturn && text == "\n") {
      sent.push_back(view.text());
      return false;
    }
    return true;
  }
  void textViewDidChange(TextView&) override { ++changes; }
  void scrollViewDidScroll(ScrollView&) override { ++scrolls; }
  std::vector<std::string> calls;
  std::vector<std::string> sent;
  bool allowBegin = true;
  bool sendOnReturn = false;
  int changes = 0;
  int scrolls = 0;
};

class TextViewEditingTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    view = TextView::create({10, 100, 300, 80});
    view->setFont(Font::systemFont(16));
    window->addSubview(view);
    composer = std::make_shared<Composer>();
    view->setDelegate(composer);
    NotificationCenter::defaultCenter().addObserver(this, kTextViewTextDidChangeNotification,
                                                    [this](const Notification&) { ++changeNotes; });
  }
  void TearDown() override {
    NotificationCenter::defaultCenter().removeObserver(this);
    UiTest::TearDown();
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<TextView> view;
  std::shared_ptr<Composer> composer;
  int changeNotes = 0;
};

TEST_F(TextViewEditingTest, TypingWithLineBreaksIsReportedAndGrowsTheContent) {
  TestDriver::tap(view);
  ASSERT_TRUE(view->isEditing());
  EXPECT_TRUE(Keyboard::shared().isVisible());
  EXPECT_EQ(composer->calls, (std::vector<std::string>{"shouldBegin", "didBegin"}));
  double oneLine = view->contentSize().height;
  TestDriver::typeText("第一行\n第二行");
  EXPECT_EQ(view->text(), "第一行\n第二行");
  EXPECT_EQ(composer->changes, 7);
  EXPECT_EQ(changeNotes, 7);
  EXPECT_EQ(view->displayedLines().size(), 2u);
  EXPECT_GT(view->contentSize().height, oneLine);

  // A return on its own starts an empty line where the caret goes.
  double caretY = view->caretRect().y();
  TestDriver::pressReturn();
  EXPECT_EQ(view->text(), "第一行\n第二行\n");
  EXPECT_GT(view->caretRect().y(), caretY);
  EXPECT_DOUBLE_EQ(view->caretRect().x(), view->textRect().x());

  TestDriver::backspace(4);
  EXPECT_EQ(view->text(), "第一行\n");
}

TEST_F(TextViewEditingTest, ReturnKeyMayBeTakenByTheDelegate) {
  composer->sendOnReturn = true;
  TestDriver::typeText(view, "你好\n");
  EXPECT_EQ(view->text(), "你好");
  EXPECT_EQ(composer->sent, (std::vector<std::string>{"你好"}));
  EXPECT_EQ(composer->changes, 2);
}

TEST_F(TextViewEditingTest, LongTextScrollsToKeepTheCaretInSight) {
  TestDriver::typeText(view, "1\n2\n3\n4\n5\n6\n7\n8");
  EXPECT_GT(view->contentSize().height, view->bounds().height());
  Rect caret = view->caretRect();
  Rect visible = view->bounds();
  EXPECT_GE(caret.y(), visible.y());
  EXPECT_LE(caret.maxY(), visible.maxY());
  EXPECT_GT(composer->scrolls, 0);  // the delegate hears the scrolling too
}

TEST_F(TextViewEditingTest, ReadOnlyAndRefusedViewsDoNotEdit) {
  view->setEditable(false);
  TestDriver::tap(view);
  EXPECT_FALSE(view->isEditing());
  EXPECT_TRUE(composer->calls.empty());

  view->setEditable(true);
  composer->allowBegin = false;
  TestDriver::tap(view);
  EXPECT_FALSE(view->isEditing());
  EXPECT_FALSE(Keyboard::shared().isVisible());

  // Turning editing off while editing gives up the keyboard.
  composer->allowBegin = true;
  view->becomeFirstResponder();
  view->setEditable(false);
  EXPECT_FALSE(view->isEditing());
  EXPECT_EQ(composer->calls.back(), "didEnd");
}

TEST_F(TextViewEditingTest, WrappedTextKeepsItsWordsAndTheCursorInsertsInPlace) {
  view->setText("The quick brown fox jumps over the lazy dog again and again");
  auto lines = view->displayedLines();
  ASSERT_GT(lines.size(), 1u);
  view->becomeFirstResponder();
  view->setSelectedRange({4, 0});
  view->insertText("very ");
  EXPECT_EQ(view->text().substr(0, 15), "The very quick ");
  EXPECT_EQ(view->selectedRange(), (TextRange{9, 0}));
}

}  // namespace
}  // namespace platform::testing
