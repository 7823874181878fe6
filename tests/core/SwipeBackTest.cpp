#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cars/compare/CarCompareViewController.h"
#include "cars/series/CarViewController.h"
#include "application/VornAppDelegate.h"
#include "core/NavigationFixture.h"
#include "core/ParentViewController.h"
#include "home/RootViewController.h"
#include "messages/MessageContentController2.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Finger.h"

namespace vorn {
namespace {

using platform::Point;
using platform::TestDriver;
using test::CountingScreen;
using test::NavigationTest;

constexpr double kFingerY = 300;

class SwipeBackTest : public NavigationTest {
 protected:
  // A new home container with only its root, for each case of a table.
  void freshHome() {
    home = makeContainer(std::make_shared<CountingScreen>("Root"));
    window->setRootViewController(home);
    delegate->setHomePageNavigationController(home);
  }
  // A finger that lands at x 5, drags right to `tx - last`, then moves the final
  // `last` points in 0.1 s (so the release velocity is last / 0.1) and lifts.
  void swipe(double tx, double velocity, bool lift = true) {
    const double last = velocity * 0.1;
    finger = std::make_unique<platform::testing::Finger>(window, Point{5, kFingerY});
    const double before = tx - last;
    for (int i = 1; i <= 10; ++i) finger->moveTo({5 + before * i / 10, kFingerY}, 0.02);
    finger->moveTo({5 + tx, kFingerY}, 0.1);
    if (lift) finger->lift();
  }
  std::unique_ptr<platform::testing::Finger> finger;
};

// What a person sees of the stack: only the top screen, and the one a swipe
// is uncovering while the finger is down.
TEST_F(SwipeBackTest, ScreensUnderTheTopAreOutOfSightUnlessASwipeUncoversThem) {
  auto screens = fillHome(3);
  auto marker = platform::View::create({200, 100, 100, 40});
  auto deeper = platform::View::create({200, 100, 100, 40});
  screens[1]->view()->addSubview(marker);
  screens[0]->view()->addSubview(deeper);
  EXPECT_FALSE(TestDriver::isVisible(*marker));

  swipe(100, 0, false);
  EXPECT_TRUE(TestDriver::isVisible(*marker)) << "uncovered by the finger";
  EXPECT_FALSE(TestDriver::isVisible(*deeper));
  finger->lift();
  runFor(ParentViewController::kSwipeEndDuration + 0.01);
  EXPECT_EQ(home->currentChildIndex(), 2) << "a short swipe springs back";
  EXPECT_FALSE(TestDriver::isVisible(*marker));

  home->popChildViewController();
  runFor(ParentViewController::kPushDuration + 0.01);
  EXPECT_TRUE(TestDriver::isVisible(*marker));
  EXPECT_FALSE(TestDriver::isVisible(*deeper));
}

TEST_F(SwipeBackTest, ReleaseCompletesWhenTranslationPlusHalfTheVelocityPassesHalfTheWidth) {
  struct Case {
    double tx, vx;
    bool completes;
  } cases[] = {
      {200, 0, true}, {100, 200, true}, {100, 100, false}, {150, -50, false}, {160, 0, false}, {161, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "tx " << c.tx << " vx " << c.vx);
    freshHome();
    auto screens = fillHome(3);
    const int before = screens[1]->reappearances;
    swipe(c.tx, c.vx);
    runFor(ParentViewController::kSwipeEndDuration + 0.01);
    if (c.completes) {
      EXPECT_EQ(home->currentChildIndex(), 1);
      EXPECT_EQ(screens[2]->parentViewController(), nullptr);
      EXPECT_EQ(screens[2]->view()->superview(), nullptr);
      EXPECT_EQ(screens[1]->reappearances - before, 1);
      EXPECT_DOUBLE_EQ(screens[1]->view()->frame().x(), 0);
      EXPECT_TRUE(screens[1]->view()->transform().isIdentity());
    } else {
      EXPECT_EQ(home->currentChildIndex(), 2);
      EXPECT_EQ(screens[2]->parentViewController(), home);
      EXPECT_TRUE(screens[2]->view()->transform().isIdentity());
      EXPECT_TRUE(screens[1]->view()->transform().isIdentity());
      EXPECT_DOUBLE_EQ(screens[2]->view()->frame().x(), 0);
      EXPECT_EQ(screens[1]->reappearances, before);
    }
    EXPECT_TRUE(home->shadowImgView()->isHidden());
    EXPECT_EQ(home->shadowImgView()->superview(), nullptr);
  }
}

TEST_F(SwipeBackTest, TheTopScreenFollowsTheFingerAndTheScreenBelowHalfAsFar) {
  auto screens = fillHome(2);
  swipe(100, 0, false);
  EXPECT_DOUBLE_EQ(screens[1]->view()->frameInWindow().x(), 100);
  EXPECT_DOUBLE_EQ(screens[0]->view()->frameInWindow().x(), -160 + 50);
  EXPECT_FALSE(home->shadowImgView()->isHidden());
  EXPECT_EQ(home->shadowImgView()->superview(), screens[1]->view());
  // Back past the start: the top screen rests at its place, the shadow off screen.
  finger->moveTo({2, kFingerY}, 0.05);
  EXPECT_DOUBLE_EQ(screens[1]->view()->frameInWindow().x(), 0);
  finger->lift();
  runFor(0.3);
  EXPECT_EQ(home->currentChildIndex(), 1);
  EXPECT_FALSE(backgroundFlags.empty());
  for (const auto& flag : backgroundFlags) EXPECT_EQ(flag, "hidden/NO");
}

TEST_F(SwipeBackTest, AnEdgeSwipeFromTheDriverTakesTheScreenAway) {
  auto screens = fillHome(2);
  TestDriver::edgeSwipe();
  runFor(0.3);
  EXPECT_EQ(home->currentChildIndex(), 0);
  EXPECT_EQ(home->childViewControllers().size(), 1u);
  EXPECT_EQ(home->getCurrentMarginValue(), 0);  // back at the root
  // At the root the swipe is off: nothing is even reported.
  backgroundFlags.clear();
  TestDriver::edgeSwipe();
  EXPECT_TRUE(backgroundFlags.empty());
}

TEST_F(SwipeBackTest, NoSwipeBeginsBeyondTheMarginOnTheComparisonPageOrWhileAPushSlides) {
  struct Case {
    const char* name;
    std::function<std::shared_ptr<platform::ViewController>()> pushTop;  // null: the last filled screen
    double fromX, toX;
  };
  const Case cases[] = {
      {"touch beyond the margin", nullptr, 170, 400},
      {"comparison page",
       [&] {
         auto comparison = std::make_shared<CarCompareViewController>();
         pushAndSettle(home, comparison);
         return comparison;
       },
       5, 250},
      {"push still sliding",
       [&] {
         auto coming = std::make_shared<CountingScreen>("Coming");
         home->pushChildViewController(coming);
         return coming;
       },
       5, 250},  // within the 0.4 s slide
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshHome();
    fillHome(2);
    const auto top = c.pushTop ? c.pushTop() : home->childViewControllers().back();
    const int topIndex = static_cast<int>(home->childViewControllers().size()) - 1;
    backgroundFlags.clear();
    TestDriver::edgeSwipe(c.fromX, c.toX, 0.2);
    runFor(0.5);
    EXPECT_EQ(home->currentChildIndex(), topIndex);
    EXPECT_EQ(home->childViewControllers().back(), top);
    for (const auto& child : home->childViewControllers())
      EXPECT_TRUE(child->view()->transform().isIdentity()) << child->className();
    EXPECT_TRUE(backgroundFlags.empty());
  }
}

TEST_F(SwipeBackTest, WithTheKeyboardUpEveryEventAsksForItAndNothingMoves) {
  auto screens = fillHome(2);
  platform::Keyboard::shared().show(platform::KeyboardType::Default);
  runFor(0.3);  // fully up
  swipe(200, 0);
  runFor(0.3);
  EXPECT_GE(keyboardRequests, 3);
  EXPECT_EQ(static_cast<std::size_t>(keyboardRequests), backgroundFlags.size());
  EXPECT_EQ(home->currentChildIndex(), 1);
  EXPECT_TRUE(screens[1]->view()->transform().isIdentity());

  // Once it is down, the same swipe works.
  platform::Keyboard::shared().hide();
  runFor(0.3);
  swipe(200, 0);
  runFor(0.3);
  EXPECT_EQ(home->currentChildIndex(), 0);
}

// A conversation whose reply bar holds text (or not, as the test says).
class DraftConversation : public MessageContentController2 {
 public:
  bool checkTheDraft() override { return hasDraft; }
  void onlyDoBack() override { ++leaveRequests; }
  bool hasDraft = true;
  int leaveRequests = 0;
};

TEST_F(SwipeBackTest, AScreenWithADraftIsAskedOncePerGestureAndNothingMoves) {
  fillHome(2);
  auto conversation = std::make_shared<DraftConversation>();
  pushAndSettle(home, conversation);
  swipe(200, 300, false);
  EXPECT_EQ(conversation->leaveRequests, 1);
  EXPECT_TRUE(conversation->view()->transform().isIdentity());
  finger->lift();
  runFor(0.3);
  EXPECT_EQ(conversation->leaveRequests, 1);
  EXPECT_EQ(home->currentChildIndex(), 2);
  EXPECT_TRUE(home->shadowImgView()->isHidden());

  TestDriver::edgeSwipe();
  EXPECT_EQ(conversation->leaveRequests, 2);

  // The draft goes away during a gesture: that gesture moves the screen back, and
  // the next gesture on a draft is asked again.
  swipe(50, 0, false);
  EXPECT_EQ(conversation->leaveRequests, 3);
  conversation->hasDraft = false;
  finger->moveTo({60, kFingerY}, 0.05);
  EXPECT_DOUBLE_EQ(conversation->view()->frameInWindow().x(), 55);
  finger->lift();
  runFor(0.3);
  EXPECT_EQ(home->currentChildIndex(), 2);
  conversation->hasDraft = true;
  TestDriver::edgeSwipe();
  EXPECT_EQ(conversation->leaveRequests, 4);

  // Without a draft the swipe takes the conversation away.
  conversation->hasDraft = false;
  TestDriver::edgeSwipe();
  runFor(0.3);
  EXPECT_EQ(home->currentChildIndex(), 1);
  EXPECT_EQ(conversation->leaveRequests, 4);
}

TEST_F(SwipeBackTest, SwipingBackToTheHomeScreenClearsItsExpandFlag) {
  auto homeScreen = std::make_shared<RootViewController>();
  home = makeContainer(homeScreen);
  window->setRootViewController(home);
  delegate->setViewController(homeScreen);
  homeScreen->setExpand(true);
  pushAndSettle(home, std::make_shared<CountingScreen>());
  TestDriver::edgeSwipe();
  runFor(0.3);
  EXPECT_FALSE(homeScreen->expand());
  EXPECT_EQ(home->getCurrentMarginValue(), 0);
}

TEST_F(SwipeBackTest, SwipingTheCarSectionAwayResetsHowItWasEntered) {
  fillHome(2);
  pushAndSettle(home, std::make_shared<CarViewController>());
  delegate->carSection().setCurrentEntryBrandType(2);
  TestDriver::edgeSwipe();
  runFor(0.3);
  EXPECT_EQ(home->currentChildIndex(), 1);
  EXPECT_EQ(delegate->carSection().currentEntryBrandType(), 0);
}

TEST_F(SwipeBackTest, TheCarSectionRestoresTheMarginWhenItComesBackToTheTop) {
  fillHome(1);
  auto cars = std::make_shared<CarViewController>();
  pushAndSettle(home, cars);
  pushAndSettle(home, std::make_shared<CountingScreen>());
  home->refreshMarginValue(0);
  home->popChildViewController();
  runFor(0.41);
  EXPECT_EQ(home->getCurrentMarginValue(), 160);
}

TEST_F(SwipeBackTest, APhotoBrowserInLandscapeStaysAndOnceUprightLeavesTheScreensBelowUpright) {
  auto& app = platform::Application::sharedApplication();
  fillHome(2);
  pushAndSettle(home, makePhotoBrowser());
  ASSERT_TRUE(delegate->shouldAutorate()) << "a gallery may turn to landscape";
  // Touches wait for the rotation's animation; the edge swipe then runs along
  // the turned screen, where the browser has switched swipe-back off.
  TestDriver::rotateDevice(platform::DeviceOrientation::LandscapeLeft);
  ASSERT_EQ(app.statusBarOrientation(), platform::InterfaceOrientation::LandscapeLeft);
  EXPECT_EQ(delegate->currentOrientation(), static_cast<int>(platform::InterfaceOrientation::LandscapeLeft));
  TestDriver::edgeSwipe();
  runFor(0.5);
  EXPECT_EQ(home->currentChildIndex(), 2);

  TestDriver::rotateDevice(platform::DeviceOrientation::Portrait);
  TestDriver::edgeSwipe();
  runFor(0.5);
  EXPECT_EQ(home->currentChildIndex(), 1);
  EXPECT_FALSE(delegate->shouldAutorate());
  TestDriver::rotateDevice(platform::DeviceOrientation::LandscapeLeft);
  EXPECT_EQ(app.statusBarOrientation(), platform::InterfaceOrientation::Portrait);
}

TEST_F(SwipeBackTest, ASpringBackOnThePhotoBrowserShowsItsBackdropAgain) {
  fillHome(2);
  pushAndSettle(home, makePhotoBrowser());
  backgroundFlags.clear();
  swipe(60, 0);
  runFor(0.3);
  ASSERT_FALSE(backgroundFlags.empty());
  EXPECT_EQ(backgroundFlags.back(), "disply/NO");
  EXPECT_EQ(home->currentChildIndex(), 2);
}

TEST_F(SwipeBackTest, GesturesThatMustWaitForTheSwipeDoNot) {
  auto screens = fillHome(2);
  auto strip = platform::View::create({0, 0, 320, 568});
  screens[1]->view()->addSubview(strip);
  int pans = 0;
  auto pan = std::make_shared<platform::PanGestureRecognizer>([&](platform::GestureRecognizer&) { ++pans; });
  strip->addGestureRecognizer(pan);
  home->requireEdgeGesturesToFailForView(screens[1]->view());
  TestDriver::edgeSwipe();
  runFor(0.3);
  EXPECT_EQ(pans, 0);
  EXPECT_EQ(home->currentChildIndex(), 0);
}

}  // namespace
}  // namespace vorn
