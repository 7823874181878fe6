// The store's product page and the feedback screen: presented over a screen,
// closed by their own buttons, and what they were asked recorded.
#include <gtest/gtest.h>

#include "platform/ui/Button.h"
#include "platform/ui/FeedbackScreen.h"
#include "platform/ui/StoreProductViewController.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/TextView.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

class Closer : public StoreProductViewControllerDelegate {
 public:
  void productViewControllerDidFinish(StoreProductViewController& page) override {
    ++finished;
    page.dismissViewController(true);
  }
  int finished = 0;
};

class StoreAndFeedbackScreensTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    StoreProductViewController::resetHistory();
    FeedbackScreen::resetHistory();
    window = makeWindow();
    root = std::make_shared<ViewController>();
    window->setRootViewController(root);
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<ViewController> root;
};

TEST_F(StoreAndFeedbackScreensTest, ProductPageLoadsByIdentifierAndClosesThroughItsDelegate) {
  struct Case {
    Value id;
    bool loaded;
  };
  const Case cases[] = {{"517394625", true}, {517394625, true}, {"", false}, {"12ab", false}};
  for (const auto& c : cases) {
    auto page = StoreProductViewController::create();
    Value parameters = Value::object();
    parameters[kStoreProductParameterITunesItemIdentifier] = c.id;
    int answers = 0;
    bool loaded = !c.loaded;
    page->loadProductWithParameters(parameters, [&](bool ok, const std::string&) {
      ++answers;
      loaded = ok;
    });
    EXPECT_EQ(answers, 0);  // answered on a later turn
    runFor(0.01);
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(loaded, c.loaded) << c.id.dump();
  }

  auto closer = std::make_shared<Closer>();
  auto page = StoreProductViewController::create();
  page->setDelegate(closer);
  Value parameters = Value::object();
  parameters[kStoreProductParameterITunesItemIdentifier] = "517394625";
  page->loadProductWithParameters(parameters, nullptr);
  root->presentViewController(page, true);
  runFor(1);
  EXPECT_EQ(TestDriver::tap(page->doneButton()), page->doneButton());
  runFor(1);
  EXPECT_EQ(closer->finished, 1);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  auto history = StoreProductViewController::history();
  ASSERT_FALSE(history.empty());
  EXPECT_EQ(history.back()["op"], "finish");
  EXPECT_EQ(history.back()["id"], "517394625");
}

TEST_F(StoreAndFeedbackScreensTest, FeedbackScreenSendsATypedMessageWithTheKey) {
  auto screen = FeedbackScreen::showFeedback(root, "5f1e0c2b9a3d4e6f7a8b9c0d");
  runFor(1);
  EXPECT_EQ(root->presentedViewController(), screen);
  TestDriver::tap(screen->sendButton());  // nothing typed: nothing sent, still open
  EXPECT_EQ(root->presentedViewController(), screen);
  TestDriver::typeText(screen->messageView(), "图片加载太慢");
  TestDriver::tap(screen->sendButton());
  runFor(1);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  auto history = FeedbackScreen::history();
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0]["op"], "open");
  EXPECT_EQ(history[0]["appKey"], "5f1e0c2b9a3d4e6f7a8b9c0d");
  EXPECT_EQ(history[1]["op"], "send");
  EXPECT_EQ(history[1]["text"], "图片加载太慢");
}

}  // namespace
}  // namespace platform::testing
