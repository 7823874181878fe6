#include "UiTestFixture.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/View.h"

namespace platform::testing {
namespace {

// A minimal text input: keeps what is typed.
class Field : public View {
 public:
  using View::View;
  std::string className() const override { return "Field"; }
  bool canBecomeFirstResponder() const override { return true; }
  bool acceptsText() const override { return true; }
  KeyboardType keyboardType() const override { return type; }
  void insertText(const std::string& s) override { text += s; }
  void deleteBackward() override {
    auto cps = TextMetrics::decode(text);
    if (!cps.empty()) cps.pop_back();
    text = TextMetrics::encode(cps);
  }
  void pressReturn() override { returns++; }
  std::string automationText() const override { return text; }
  std::string text;
  int returns = 0;
  KeyboardType type = KeyboardType::Default;
};

class Caption : public View {
 public:
  Caption(const Rect& f, std::string t) : View(f), text(std::move(t)) {}
  std::string className() const override { return "Caption"; }
  std::string automationText() const override { return text; }
  std::string text;
};

class KeyboardAndDriverTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    for (auto* name : {kKeyboardWillShowNotification, kKeyboardDidShowNotification, kKeyboardWillHideNotification,
                       kKeyboardDidHideNotification})
      NotificationCenter::defaultCenter().addObserver(this, name, [this](const Notification& n) {
        notes.push_back({n.name, now(), Keyboard::endFrame(n), Keyboard::animationDuration(n)});
      });
  }
  struct Note {
    std::string name;
    double at;
    Rect end;
    double duration;
  };
  std::shared_ptr<Window> window;
  std::vector<Note> notes;
};

TEST_F(KeyboardAndDriverTest, FirstResponderRaisesAndLowersTheKeyboardWithNotifications) {
  auto field = std::make_shared<Field>(Rect{10, 100, 200, 30});
  window->addSubview(field);
  double start = now();
  ASSERT_TRUE(field->becomeFirstResponder());
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].name, kKeyboardWillShowNotification);
  expectRect(notes[0].end, 0, 352, 320, 216);
  EXPECT_EQ(notes[0].duration, Keyboard::kAnimationDuration);
  runFor(0.3);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[1].name, kKeyboardDidShowNotification);
  EXPECT_NEAR(notes[1].at - start, Keyboard::kAnimationDuration, 1e-6);

  // The keyboard's own window is the application's second one, and lets
  // touches through except on what lies on it.
  auto windows = Application::sharedApplication().windows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[1], Keyboard::shared().window());
  auto done = View::create({0, 515, 106, 53});
  windows[1]->addSubview(done);
  EXPECT_EQ(TestDriver::viewAt({50, 540}), done);
  EXPECT_EQ(TestDriver::viewAt({50, 105}), field);

  EXPECT_TRUE(window->endEditing(true));
  EXPECT_FALSE(field->isFirstResponder());
  runFor(0.3);
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[2].name, kKeyboardWillHideNotification);
  expectRect(notes[2].end, 0, 568, 320, 216);
  EXPECT_EQ(notes[3].name, kKeyboardDidHideNotification);
  EXPECT_EQ(TestDriver::viewAt({50, 540}), window);
  NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(KeyboardAndDriverTest, MovingBetweenFieldsKeepsTheKeyboardUp) {
  auto a = std::make_shared<Field>(Rect{10, 100, 200, 30});
  auto b = std::make_shared<Field>(Rect{10, 200, 200, 30});
  window->addSubview(a);
  window->addSubview(b);
  a->becomeFirstResponder();
  b->becomeFirstResponder();
  runFor(1);
  for (auto& n : notes) EXPECT_NE(n.name, kKeyboardWillHideNotification);
  b->removeFromSuperview();  // leaving the window resigns
  EXPECT_EQ(Responder::currentFirstResponder(), nullptr);
  EXPECT_FALSE(Keyboard::shared().isVisible());
  NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(KeyboardAndDriverTest, DriverTypesIntoTheFirstResponder) {
  auto field = std::make_shared<Field>(Rect{10, 100, 200, 30});
  window->addSubview(field);
  EXPECT_FALSE(TestDriver::typeText("x"));  // nobody takes text yet
  EXPECT_TRUE(TestDriver::typeText(field, "ab\xE4\xB8\xAD"));
  EXPECT_EQ(field->text, "ab\xE4\xB8\xAD");
  EXPECT_TRUE(TestDriver::backspace(2));
  EXPECT_EQ(field->text, "a");
  EXPECT_TRUE(TestDriver::pressReturn());
  EXPECT_EQ(field->returns, 1);
  NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(KeyboardAndDriverTest, LookupsFindVisibleViewsByTextTagClassAndPoint) {
  auto back = std::make_shared<Caption>(Rect{0, 0, 100, 40}, "新闻资讯");
  auto front = std::make_shared<Caption>(Rect{0, 50, 100, 40}, "新闻");
  auto hidden = std::make_shared<Caption>(Rect{0, 100, 100, 40}, "论坛");
  hidden->setHidden(true);
  front->setTag(42);
  window->addSubview(back);
  window->addSubview(front);
  window->addSubview(hidden);
  EXPECT_EQ(TestDriver::find("\"新闻\""), front);     // equal text wins
  EXPECT_EQ(TestDriver::find("\"资讯\""), back);      // else containing
  EXPECT_EQ(TestDriver::find("\"论坛\""), nullptr);   // hidden views are not found
  EXPECT_EQ(TestDriver::find("#42"), front);
  EXPECT_EQ(TestDriver::find(".Caption"), front);    // the front-most visible one
  EXPECT_EQ(TestDriver::find("@50,70"), front);
  EXPECT_EQ(TestDriver::find("#x"), nullptr);
  NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(KeyboardAndDriverTest, DumpShowsTheTreeInWindowCoordinates) {
  auto panel = View::create({10, 20, 200, 100});
  panel->setBackgroundColor(Color::rgb255(53, 160, 217));
  auto caption = std::make_shared<Caption>(Rect{5, 5, 50, 20}, "标题");
  caption->setTag(7);
  caption->setAlpha(0.5);
  panel->addSubview(caption);
  window->addSubview(panel);
  auto v = TestDriver::dumpValue(*panel);
  EXPECT_EQ(v["class"], "View");
  EXPECT_EQ(v["frame"], Value::array({10, 20, 200, 100}));
  EXPECT_EQ(v["bg"], Value::array({53, 160, 217, 1.0}));
  ASSERT_EQ(v["children"].size(), 1u);
  auto& c = v["children"][0];
  EXPECT_EQ(c["class"], "Caption");
  EXPECT_EQ(c["frame"], Value::array({15, 25, 50, 20}));
  EXPECT_EQ(c["text"], "标题");
  EXPECT_EQ(c["tag"], 7);
  EXPECT_EQ(c["alpha"], 0.5);
  EXPECT_EQ(c["hidden"], false);
  EXPECT_EQ(c["image"], "");

  auto screen = *parseJson(TestDriver::dump());
  EXPECT_EQ(screen["class"], "Screen");
  ASSERT_EQ(screen["children"].size(), 1u);
  EXPECT_EQ(screen["children"][0]["class"], "Window");
  NotificationCenter::defaultCenter().removeObserver(this);
}

}  // namespace
}  // namespace platform::testing
