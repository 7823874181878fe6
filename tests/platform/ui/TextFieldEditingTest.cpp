#include <gtest/gtest.h>

#include <algorithm>

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/PatternTextField.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/TextField.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

// Records every delegate call in order, and answers as told.
class Recorder : public TextFieldDelegate {
 public:
  bool textFieldShouldBeginEditing(TextField&) override { calls.push_back("shouldBegin"); return allowBegin; }
  void textFieldDidBeginEditing(TextField&) override { calls.push_back("didBegin"); }
  bool textFieldShouldEndEditing(TextField&) override { calls.push_back("shouldEnd"); return allowEnd; }
  void textFieldDidEndEditing(TextField&) override { calls.push_back("didEnd"); }
  bool shouldChangeCharactersInRange(TextField& field, TextRange range, const std::string& s) override {
    calls.push_back("change " + std::to_string(range.location) + "," + std::to_string(range.length) + " '" + s + "'");
    // The caller's length limit: at most maxLength UTF-16 units.
    return utf16Length(field.text()) - range.length + utf16Length(s) <= maxLength;
  }
  bool textFieldShouldClear(TextField&) override { calls.push_back("shouldClear"); return allowClear; }
  bool textFieldShouldReturn(TextField&) override { calls.push_back("shouldReturn"); return allowReturn; }
  std::vector<std::string> calls;
  bool allowBegin = true, allowEnd = true, allowClear = true, allowReturn = true;
  std::size_t maxLength = 1000;
};

class TextFieldEditingTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    field = TextField::create({20, 100, 200, 30});
    window->addSubview(field);
    recorder = std::make_shared<Recorder>();
    field->setDelegate(recorder);
    field->addAction([this](Control&) { events.push_back("changed"); }, ControlEvent::EditingChanged);
    field->addAction([this](Control&) { events.push_back("began"); }, ControlEvent::EditingDidBegin);
    field->addAction([this](Control&) { events.push_back("ended"); }, ControlEvent::EditingDidEnd);
    for (auto* name : {kTextFieldTextDidBeginEditingNotification, kTextFieldTextDidChangeNotification,
                       kTextFieldTextDidEndEditingNotification, kKeyboardWillShowNotification,
                       kKeyboardWillHideNotification})
      NotificationCenter::defaultCenter().addObserver(this, name,
                                                      [this](const Notification& n) { notes.push_back(n.name); });
  }
  void TearDown() override {
    NotificationCenter::defaultCenter().removeObserver(this);
    UiTest::TearDown();
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<TextField> field;
  std::shared_ptr<Recorder> recorder;
  std::vector<std::string> events;
  std::vector<std::string> notes;
};

TEST_F(TextFieldEditingTest, TapBeginsEditingWithTheFieldsKeyboardAndTypingIsAskedAndReported) {
  field->setKeyboardType(KeyboardType::NumberPad);
  Keyboard::shared().setHeight(KeyboardType::NumberPad, 216);
  TestDriver::tap(field);
  EXPECT_TRUE(field->isEditing());
  EXPECT_TRUE(field->isFirstResponder());
  EXPECT_EQ(Keyboard::shared().type(), KeyboardType::NumberPad);
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"shouldBegin", "didBegin"}));
  EXPECT_EQ(events, (std::vector<std::string>{"began"}));
  EXPECT_EQ(notes, (std::vector<std::string>{kTextFieldTextDidBeginEditingNotification, kKeyboardWillShowNotification}));

  recorder->calls.clear();
  events.clear();
  notes.clear();
  ASSERT_TRUE(TestDriver::typeText("a中"));
  EXPECT_EQ(field->text(), "a中");
  EXPECT_EQ(field->selectedRange(), (TextRange{2, 0}));
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"change 0,0 'a'", "change 1,0 '中'"}));
  EXPECT_EQ(events, (std::vector<std::string>{"changed", "changed"}));
  EXPECT_EQ(notes, (std::vector<std::string>{kTextFieldTextDidChangeNotification, kTextFieldTextDidChangeNotification}));

  // Text set from code asks and tells nobody.
  recorder->calls.clear();
  events.clear();
  notes.clear();
  field->setText("138");
  EXPECT_TRUE(recorder->calls.empty());
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(field->selectedRange(), (TextRange{3, 0}));
}

TEST_F(TextFieldEditingTest, RefusedBeginLeavesTheKeyboardDown) {
  recorder->allowBegin = false;
  TestDriver::tap(field);
  EXPECT_FALSE(field->isEditing());
  EXPECT_FALSE(Keyboard::shared().isVisible());
  EXPECT_FALSE(TestDriver::typeText("x"));
  EXPECT_EQ(field->text(), "");
  EXPECT_TRUE(events.empty());

  field->setEnabled(false);
  recorder->allowBegin = true;
  EXPECT_FALSE(field->becomeFirstResponder());
}

TEST_F(TextFieldEditingTest, EditsLandAtTheCursor) {
  struct Case {
    const char* text;
    TextRange selection;
    const char* typed;  // nullptr: the delete key
    const char* expected;
    TextRange cursorAfter;
    const char* asked;  // the delegate's question, "" when none
  };
  const Case cases[] = {
      {"abcd", {2, 0}, "X", "abXcd", {3, 0}, "change 2,0 'X'"},
      {"abcd", {1, 2}, "中文", "a中文d", {3, 0}, "change 1,2 '中文'"},
      {"abcd", {2, 0}, nullptr, "acd", {1, 0}, "change 1,1 ''"},
      {"abcd", {1, 2}, nullptr, "ad", {1, 0}, "change 1,2 ''"},
      {"abcd", {0, 0}, nullptr, "abcd", {0, 0}, ""},  // nothing before the cursor
      {"a😀b", {3, 0}, nullptr, "ab", {1, 0}, "change 1,2 ''"},  // both units of the emoji
      {"a😀b", {2, 0}, "X", "aX😀b", {2, 0}, "change 1,0 'X'"},  // no cursor inside a pair
      {"abcd", {9, 3}, "X", "abcdX", {5, 0}, "change 4,0 'X'"},  // clamped to the text
  };
  field->becomeFirstResponder();
  for (const auto& c : cases) {
    field->setText(c.text);
    field->setSelectedRange(c.selection);
    recorder->calls.clear();
    if (c.typed) field->insertText(c.typed);
    else field->deleteBackward();
    EXPECT_EQ(field->text(), c.expected) << c.text << " " << (c.typed ? c.typed : "<del>");
    EXPECT_EQ(field->selectedRange(), c.cursorAfter) << c.expected;
    std::vector<std::string> asked;
    if (*c.asked) asked.push_back(c.asked);
    EXPECT_EQ(recorder->calls, asked) << c.expected;
  }
}

TEST_F(TextFieldEditingTest, DelegateKeepsALengthLimitAndRefusedEditsChangeNothing) {
  recorder->maxLength = 4;
  TestDriver::typeText(field, "123456");
  EXPECT_EQ(field->text(), "1234");
  EXPECT_EQ(events, (std::vector<std::string>{"began", "changed", "changed", "changed", "changed"}));
  EXPECT_EQ(std::count(notes.begin(), notes.end(), kTextFieldTextDidChangeNotification), 4);
  // Replacing a selection within the limit is taken.
  field->setSelectedRange({0, 2});
  field->insertText("ab");
  EXPECT_EQ(field->text(), "ab34");
}

TEST_F(TextFieldEditingTest, ReturnKeyAsksTheDelegateAndEndsOnExitOnlyWithSuchAnAction) {
  TestDriver::typeText(field, "x");
  recorder->calls.clear();
  recorder->allowReturn = false;
  int exits = 0;
  TestDriver::pressReturn();
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"shouldReturn"}));
  EXPECT_TRUE(field->isEditing());

  recorder->allowReturn = true;
  TestDriver::pressReturn();
  EXPECT_TRUE(field->isEditing());  // no action for the return key's event: the keyboard stays

  field->addAction([&](Control&) { ++exits; }, ControlEvent::EditingDidEndOnExit);
  recorder->calls.clear();
  TestDriver::pressReturn();
  EXPECT_EQ(exits, 1);
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"shouldReturn", "shouldEnd", "didEnd"}));
  EXPECT_EQ(events.back(), "ended");
  EXPECT_EQ(notes.back(), kKeyboardWillHideNotification);
}

TEST_F(TextFieldEditingTest, ReturnKeyEnabledOnlyWithTextWhenAsked) {
  field->setEnablesReturnKeyAutomatically(true);
  field->becomeFirstResponder();
  recorder->calls.clear();
  EXPECT_FALSE(field->isReturnKeyEnabled());
  field->pressReturn();
  EXPECT_TRUE(recorder->calls.empty());
  field->insertText("a");
  EXPECT_TRUE(field->isReturnKeyEnabled());
  field->pressReturn();
  EXPECT_EQ(recorder->calls.back(), "shouldReturn");
}

TEST_F(TextFieldEditingTest, ShouldEndKeepsTheFieldEditingUnlessForced) {
  auto other = TextField::create({20, 200, 200, 30});
  window->addSubview(other);
  field->becomeFirstResponder();
  recorder->allowEnd = false;
  EXPECT_FALSE(other->becomeFirstResponder());
  EXPECT_FALSE(field->resignFirstResponder());
  EXPECT_TRUE(field->isEditing());
  EXPECT_FALSE(window->endEditing(false));
  EXPECT_TRUE(field->isEditing());

  EXPECT_TRUE(window->endEditing(true));
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(recorder->calls.back(), "didEnd");
  EXPECT_EQ(events.back(), "ended");
  EXPECT_FALSE(Keyboard::shared().isVisible());

  recorder->allowEnd = true;
  field->becomeFirstResponder();
  EXPECT_TRUE(other->becomeFirstResponder());  // moving on keeps the keyboard up
  EXPECT_FALSE(field->isEditing());
  EXPECT_TRUE(other->isEditing());
  EXPECT_TRUE(Keyboard::shared().isVisible());
}

TEST_F(TextFieldEditingTest, SecureEntryShowsBulletsButKeepsTheText) {
  field->setSecureTextEntry(true);
  TestDriver::typeText(field, "pw中");
  EXPECT_EQ(field->text(), "pw中");
  EXPECT_EQ(field->displayedText(), "●●●");
  EXPECT_EQ(TestDriver::dumpValue(*field)["text"], "●●●");
  EXPECT_EQ(TestDriver::findByText("pw中"), nullptr);
}

TEST_F(TextFieldEditingTest, CompositionIsShownMarkedAndReplacedByTheChosenText) {
  field->becomeFirstResponder();
  field->insertText("我");
  field->setMarkedText("n", {1, 0});
  field->setMarkedText("ni", {2, 0});
  EXPECT_EQ(field->text(), "我ni");
  EXPECT_EQ(field->markedTextRange(), (TextRange{1, 2}));
  EXPECT_EQ(field->selectedRange(), (TextRange{3, 0}));
  field->insertText("你");
  EXPECT_EQ(field->text(), "我你");
  EXPECT_FALSE(field->markedTextRange());
  EXPECT_EQ(recorder->calls.back(), "change 1,2 '你'");

  field->setMarkedText("h", {1, 0});
  field->deleteBackward();  // removes the composition
  EXPECT_EQ(field->text(), "我你");
  field->setMarkedText("hao", {3, 0});
  field->unmarkText();  // the composition is kept as typed
  EXPECT_EQ(field->text(), "我你hao");
  EXPECT_FALSE(field->markedTextRange());
}

TEST_F(TextFieldEditingTest, ClearButtonShowsPerModeAndEmptiesWhenAllowed) {
  field->setClearButtonMode(TextFieldViewMode::WhileEditing);
  field->setText("abc");
  field->layoutIfNeeded();
  EXPECT_TRUE(!field->clearButton() || field->clearButton()->isHidden());
  TestDriver::tap(field);
  field->layoutIfNeeded();
  ASSERT_TRUE(field->clearButton());
  EXPECT_FALSE(field->clearButton()->isHidden());
  // The text stops short of the button.
  EXPECT_LE(field->textRectForBounds(field->bounds()).maxX(), field->clearButton()->frame().x());

  recorder->allowClear = false;
  TestDriver::tap(field->clearButton());
  EXPECT_EQ(field->text(), "abc");
  recorder->allowClear = true;
  events.clear();
  TestDriver::tap(field->clearButton());
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(events, (std::vector<std::string>{"changed"}));
  field->layoutIfNeeded();
  EXPECT_TRUE(field->clearButton()->isHidden());
  EXPECT_TRUE(field->isEditing());
}

TEST_F(TextFieldEditingTest, InputViewAndAccessoryTakeTheKeyboardsPlace) {
  auto picker = View::create({0, 0, 320, 180});
  auto bar = View::create({0, 0, 320, 44});
  field->setInputView(picker);
  field->setInputAccessoryView(bar);
  field->becomeFirstResponder();
  expectRect(Keyboard::shared().frame(), 0, 568 - 224, 320, 224);
  EXPECT_EQ(picker->window(), Keyboard::shared().window());
  expectRect(picker->frameInWindow(), 0, 388, 320, 180);
  expectRect(bar->frameInWindow(), 0, 344, 320, 44);

  field->setInputView(nullptr);
  field->reloadInputViews();
  EXPECT_EQ(picker->superview(), nullptr);
  expectRect(Keyboard::shared().frame(), 0, 568 - 260, 320, 260);
}

TEST_F(TextFieldEditingTest, CaretFollowsTheCursorAndPlaceholderOnlyWhileEmpty) {
  field->setPlaceholder("请输入");
  EXPECT_TRUE(field->showsPlaceholder());
  field->becomeFirstResponder();
  double start = field->caretRect().x();
  field->insertText("ab");
  EXPECT_FALSE(field->showsPlaceholder());
  double end = field->caretRect().x();
  EXPECT_GT(end, start);
  field->setSelectedRange({1, 0});
  EXPECT_GT(field->caretRect().x(), start);
  EXPECT_LT(field->caretRect().x(), end);
}

// The pattern field through the keyboard.

TEST_F(TextFieldEditingTest, PatternFieldTakesOnlyWhatCanStillMatchAndReportsValueChanges) {
  auto phone = PatternTextField::create({20, 300, 200, 30});
  window->addSubview(phone);
  phone->setPattern("^\\d{11}$");
  auto asked = std::make_shared<Recorder>();
  phone->setDelegate(asked);
  int valueChanges = 0;
  phone->addAction([&](Control&) { ++valueChanges; }, ControlEvent::ValueChanged);
  TestDriver::typeText(phone, "138a0013800099");
  EXPECT_EQ(phone->text(), "13800138000");
  EXPECT_EQ(valueChanges, 11);
  // The delegate hears only edits the pattern took.
  EXPECT_EQ(std::count_if(asked->calls.begin(), asked->calls.end(),
                          [](const std::string& c) { return c.rfind("change", 0) == 0; }),
            11);
  TestDriver::backspace(2);
  EXPECT_EQ(phone->text(), "138001380");
  EXPECT_EQ(valueChanges, 13);

  auto name = PatternTextField::create({20, 350, 200, 30});  // no pattern: every edit
  window->addSubview(name);
  TestDriver::typeText(name, "张三 abc");
  EXPECT_EQ(name->text(), "张三 abc");
}

}  // namespace
}  // namespace platform::testing
