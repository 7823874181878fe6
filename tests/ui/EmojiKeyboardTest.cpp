#include <gtest/gtest.h>

#include <string>

#include "ViewTestFixture.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Button.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "ui/ExpressionTable.h"
#include "ui/PostEmojiKeyBoard.h"

namespace vorn::test {
namespace {

using platform::TestDriver;

// A composer's text view delegate: counts the changes it hears.
struct Composer : platform::TextViewDelegate {
  int changes = 0;
  void textViewDidChange(platform::TextView&) override { ++changes; }
};

class EmojiKeyboardTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    faces = ExpressionTable::load();
    keyboard = PostEmojiKeyBoard::init();
    textView = platform::TextView::create({10, 80, 300, 120});
    composer = std::make_shared<Composer>();
    textView->setDelegate(composer);
    window->addSubview(textView);
    platform::NotificationCenter::defaultCenter().addObserver(
        this, platform::kTextViewTextDidChangeNotification, [this](const platform::Notification&) { ++posted; });
  }
  std::shared_ptr<platform::View> key(int tag) { return keyboard->faceView()->viewWithTag(tag); }

  std::vector<Expression> faces;
  std::shared_ptr<PostEmojiKeyBoard> keyboard;
  std::shared_ptr<platform::TextView> textView;
  std::shared_ptr<Composer> composer;
  int posted = 0;
};

TEST_F(EmojiKeyboardTest, KeysSitTwentyEightAPageWithDotsAndADeleteKey) {
  ASSERT_EQ(faces.size(), 41u);
  EXPECT_EQ(keyboard->frame(), platform::Rect(0, 0, 320, 210));
  EXPECT_EQ(keyboard->faceView()->contentSize(), (platform::Size{640, 190}));
  EXPECT_EQ(keyboard->facePageControl()->numberOfPages(), 2);
  EXPECT_EQ(keyboard->facePageControl()->frame(), platform::Rect(110, 185, 100, 20));
  EXPECT_FALSE(keyboard->facePageControl()->isUserInteractionEnabled());
  struct Case {
    int tag;
    double x, y;
  } cases[] = {{1, 6, 8}, {7, 270, 8}, {8, 6, 52}, {28, 270, 140}, {29, 326, 8}, {41, 326 + 5 * 44, 52}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    auto k = key(c.tag);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->frame(), platform::Rect(c.x, c.y, 44, 44));
  }
  EXPECT_EQ(keyboard->deleteKey()->frame(), platform::Rect(272, 182, 38, 28));
  EXPECT_EQ(keyboard->deleteKey()->superview(), keyboard);  // stays while the pages move
  EXPECT_TRUE(sameRgb(keyboard->backgroundColor(), 236, 236, 236));
  EXPECT_TRUE(keyboard->enableInputClicksWhenVisible());
}

TEST_F(EmojiKeyboardTest, AFaceKeyInsertsItsShowTextAtTheCursorAndReportsOnce) {
  keyboard->setTextView(textView);
  EXPECT_EQ(textView->inputView(), keyboard);
  ASSERT_TRUE(textView->becomeFirstResponder());
  TestDriver::typeText("你好");
  textView->setSelectedRange({1, 0});
  composer->changes = posted = 0;

  TestDriver::tap(key(2));  // the key tagged t inserts entry t - 1
  EXPECT_EQ(textView->text(), "你" + faces[1].show + "好");
  EXPECT_EQ(posted, 1);
  EXPECT_EQ(composer->changes, 1);

  // A selection is replaced.
  textView->setSelectedRange({0, 1});
  TestDriver::tap(key(1));
  EXPECT_EQ(textView->text(), faces[0].show + faces[1].show + "好");
  EXPECT_EQ(posted, 2);
}

TEST_F(EmojiKeyboardTest, TheDeleteKeyDeletesOneStepBackwards) {
  keyboard->setTextView(textView);
  ASSERT_TRUE(textView->becomeFirstResponder());
  TestDriver::typeText("车");
  TestDriver::tap(key(1));
  posted = 0;
  TestDriver::tap(keyboard->deleteKey());
  EXPECT_EQ(textView->text(), "车" + faces[0].show.substr(0, faces[0].show.size() - 1));
  EXPECT_EQ(posted, 1);
  // The thread page's own delete takes a whole face at once.
  EXPECT_EQ(ExpressionTable::deleteBackward("车" + faces[0].show, faces), "车");
}

TEST_F(EmojiKeyboardTest, ATextFieldCanBeBoundAndUnboundAgain) {
  auto field = platform::TextField::create({10, 40, 300, 30});
  window->addSubview(field);
  keyboard->setTextView(field);
  EXPECT_EQ(field->inputView(), keyboard);
  ASSERT_TRUE(field->becomeFirstResponder());
  int fieldChanges = 0;
  platform::NotificationCenter::defaultCenter().addObserver(
      this, platform::kTextFieldTextDidChangeNotification, [&](const platform::Notification&) { ++fieldChanges; });
  TestDriver::tap(key(3));
  EXPECT_EQ(field->text(), faces[2].show);
  EXPECT_EQ(fieldChanges, 1);

  keyboard->setTextView(nullptr);
  EXPECT_FALSE(keyboard->textView());
  keyboard->characterPressed(*std::static_pointer_cast<platform::Control>(key(4)));  // bound to nothing: nothing
  EXPECT_EQ(field->text(), faces[2].show);
}

TEST_F(EmojiKeyboardTest, AScreenClosedWithFacesUpFreesItsTextViewAndKeyboard) {
  keyboard->setTextView(textView);
  std::weak_ptr<platform::TextView> weakView = textView;
  std::weak_ptr<PostEmojiKeyBoard> weakKeyboard = keyboard;
  textView->removeFromSuperview();
  textView.reset();
  keyboard.reset();
  EXPECT_TRUE(weakView.expired());
  EXPECT_TRUE(weakKeyboard.expired());
}

TEST_F(EmojiKeyboardTest, PagingMovesTheDotsAndNightGivesItsBackground) {
  window->addSubview(keyboard);
  TestDriver::drag(keyboard->faceView(), -200, 0, 0.3);
  runFor(1.0);
  EXPECT_EQ(keyboard->faceView()->contentOffset().x, 320);
  EXPECT_EQ(keyboard->facePageControl()->currentPage(), 1);

  switchToNight();
  auto night = PostEmojiKeyBoard::init();
  EXPECT_TRUE(sameRgb(night->backgroundColor(), 27, 28, 31));
  EXPECT_TRUE(sameRgb(keyboard->backgroundColor(), 236, 236, 236));
}

}  // namespace
}  // namespace vorn::test
