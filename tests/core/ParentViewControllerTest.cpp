#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/ParentViewController.h"
#include "core/NavigationFixture.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

namespace vorn {
namespace {

using platform::Rect;
using test::CountingScreen;
using test::NavigationTest;

class ParentViewControllerTest : public NavigationTest {};

void expectFrame(const std::shared_ptr<platform::View>& view, const Rect& expected) {
  const Rect r = view->frame();
  EXPECT_DOUBLE_EQ(r.x(), expected.x());
  EXPECT_DOUBLE_EQ(r.y(), expected.y());
  EXPECT_DOUBLE_EQ(r.width(), expected.width());
  EXPECT_DOUBLE_EQ(r.height(), expected.height());
}

TEST_F(ParentViewControllerTest, PushSlidesTheScreenInAndRaisesTheIndexWhenTheSlideEnds) {
  auto root = home->childViewControllers().front();
  home->refreshMarginValue(0);
  auto screen = std::make_shared<CountingScreen>();
  home->pushChildViewController(screen);

  // The slide's end values hold at once; the index waits for its end.
  expectFrame(screen->view(), {0, 0, 320, 568});
  expectFrame(root->view(), {-160, 0, 320, 568});
  EXPECT_EQ(screen->view()->superview(), home->view());
  EXPECT_EQ(screen->parentViewController(), home);
  EXPECT_EQ(home->currentChildIndex(), 0);
  EXPECT_TRUE(home->isPushing());
  EXPECT_EQ(home->getCurrentMarginValue(), 160);  // even though the root had switched it off

  runFor(0.39);
  EXPECT_EQ(home->currentChildIndex(), 0);
  runFor(0.02);
  EXPECT_EQ(home->currentChildIndex(), 1);
  EXPECT_FALSE(home->isPushing());
}

TEST_F(ParentViewControllerTest, ASecondPushDuringTheFirstIsDropped) {
  auto first = std::make_shared<CountingScreen>("First");
  auto second = std::make_shared<CountingScreen>("Second");
  home->pushChildViewController(first);
  runFor(0.2);
  home->pushChildViewController(second);
  runFor(0.5);
  EXPECT_EQ(home->currentChildIndex(), 1);
  ASSERT_EQ(home->childViewControllers().size(), 2u);
  EXPECT_EQ(home->childViewControllers().back(), first);
  EXPECT_EQ(second->parentViewController(), nullptr);
  EXPECT_FALSE(second->isViewLoaded());
  // A pop during a push is ignored the same way, and the container goes on working.
  auto third = std::make_shared<CountingScreen>("Third");
  home->pushChildViewController(third);
  home->popChildViewController();
  runFor(0.5);
  EXPECT_EQ(home->currentChildIndex(), 2);
  EXPECT_EQ(home->childViewControllers().size(), 3u);
}

TEST_F(ParentViewControllerTest, PopAtTheRootOnlyPostsAndTheNextPushIsAccepted) {
  home->popChildViewController();
  runFor(0.5);
  EXPECT_EQ(backgroundFlags, (std::vector<std::string>{"hidden/NO"}));
  EXPECT_EQ(home->childViewControllers().size(), 1u);
  EXPECT_FALSE(home->isPushing());
  pushAndSettle(home, std::make_shared<CountingScreen>());
  EXPECT_EQ(home->currentChildIndex(), 1);
}

TEST_F(ParentViewControllerTest, PopRevealsTheScreenBelowAndTellsItToAppearAgain) {
  auto screens = fillHome(3);
  // On system 8 the container lies below the status bar.
  const double h = home->view()->bounds().height();
  ASSERT_EQ(h, 548);
  home->popChildViewController();
  EXPECT_EQ(home->currentChildIndex(), 1);  // lowered before the slide
  EXPECT_EQ(backgroundFlags, (std::vector<std::string>{"hidden/NO"}));
  expectFrame(screens[2]->view(), {320, 0, 320, h});
  expectFrame(screens[1]->view(), {0, 0, 320, h});
  EXPECT_EQ(screens[1]->reappearances, 0);
  EXPECT_EQ(home->getCurrentMarginValue(), 160);

  runFor(0.41);
  EXPECT_EQ(screens[2]->parentViewController(), nullptr);
  EXPECT_EQ(screens[2]->view()->superview(), nullptr);
  EXPECT_EQ(screens[1]->reappearances, 1);
  EXPECT_EQ(home->childViewControllers().size(), 2u);

  // Back at the root, swipe-back is off.
  home->popChildViewController();
  EXPECT_EQ(home->getCurrentMarginValue(), 0);
  runFor(0.41);
  EXPECT_EQ(screens[0]->reappearances, 1);
  expectFrame(screens[0]->view(), {0, 0, 320, h});
}

TEST_F(ParentViewControllerTest, GoingBackByAnOffset) {
  struct Case {
    int offset;
    int topAfter;          // -1: nothing happens
    std::size_t removedAtOnce;  // children gone before the slide
  } cases[] = {
      {2, 2, 1}, {1, 3, 0}, {0, 3, 0}, {4, 0, 3}, {5, -1, 0}, {-1, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    home = makeContainer(std::make_shared<CountingScreen>("Root"));
    window->setRootViewController(home);
    auto screens = fillHome(5);
    home->popToChildViewControllerWithOffset(c.offset);
    if (c.topAfter < 0) {
      runFor(0.5);
      EXPECT_EQ(home->childViewControllers().size(), 5u);
      EXPECT_EQ(home->currentChildIndex(), 4);
      continue;
    }
    EXPECT_EQ(home->childViewControllers().size(), 5u - c.removedAtOnce);
    runFor(0.41);
    EXPECT_EQ(home->currentChildIndex(), c.topAfter);
    ASSERT_EQ(home->childViewControllers().size(), static_cast<std::size_t>(c.topAfter) + 1);
    EXPECT_EQ(home->childViewControllers().back(), screens[static_cast<std::size_t>(c.topAfter)]);
    EXPECT_EQ(screens[static_cast<std::size_t>(c.topAfter)]->reappearances, 1);
  }
}

TEST_F(ParentViewControllerTest, PoppingToAChildRemovesTheScreensBetweenAndSlidesTheTopAway) {
  auto screens = fillHome(5);
  home->popToChildViewController(screens[1]);
  EXPECT_EQ(screens[2]->parentViewController(), nullptr);
  EXPECT_EQ(screens[3]->parentViewController(), nullptr);
  EXPECT_EQ(screens[4]->parentViewController(), home);  // sliding away
  runFor(0.41);
  EXPECT_EQ(home->currentChildIndex(), 1);
  EXPECT_EQ(home->childViewControllers(),
            (std::vector<std::shared_ptr<platform::ViewController>>{screens[0], screens[1]}));
  EXPECT_EQ(screens[1]->reappearances, 1);
}

TEST_F(ParentViewControllerTest, PoppingToTheTopChildOrToAStrangerChangesNothing) {
  auto screens = fillHome(4);
  home->popToChildViewController(screens[3]);
  home->popToChildViewController(std::make_shared<CountingScreen>());
  runFor(0.5);
  EXPECT_EQ(home->childViewControllers().size(), 4u);
  EXPECT_EQ(home->currentChildIndex(), 3);
  EXPECT_EQ(home->getCurrentMarginValue(), 160);
  EXPECT_TRUE(backgroundFlags.empty());
}

TEST_F(ParentViewControllerTest, PopWithAChoiceOfAnimation) {
  auto screens = fillHome(3);
  home->popChildViewControllerWithAnimated(false);
  EXPECT_EQ(screens[2]->parentViewController(), nullptr);
  EXPECT_EQ(screens[1]->reappearances, 1);
  EXPECT_EQ(home->currentChildIndex(), 1);

  home->popChildViewControllerWithAnimated(true);
  EXPECT_EQ(home->getCurrentMarginValue(), 0);
  runFor(0.45);
  EXPECT_EQ(screens[1]->parentViewController(), home);  // still sliding
  runFor(0.06);
  EXPECT_EQ(screens[1]->parentViewController(), nullptr);
  EXPECT_EQ(screens[0]->reappearances, 1);
  EXPECT_TRUE(backgroundFlags.empty());  // this pop posts nothing
  home->popChildViewControllerWithAnimated(true);  // at the root: nothing
  EXPECT_EQ(home->childViewControllers().size(), 1u);
}

class RecordingPushDelegate : public PushingCompleteDelegate {
 public:
  void pushCompleted() override { ++completed; }
  int completed = 0;
};

TEST_F(ParentViewControllerTest, PushDelegateIsToldOnceWhenThePushEnds) {
  auto first = std::make_shared<RecordingPushDelegate>();
  auto second = std::make_shared<RecordingPushDelegate>();
  home->setPushDelegate(first);
  home->setPushDelegate(second);  // dropped: one is already set
  EXPECT_EQ(home->pushDelegate(), first);
  home->pushChildViewController(std::make_shared<CountingScreen>());
  EXPECT_EQ(first->completed, 0);
  runFor(0.41);
  EXPECT_EQ(first->completed, 1);
  EXPECT_EQ(second->completed, 0);
  EXPECT_EQ(home->pushDelegate(), nullptr);

  // Set while a push slides: told at the end of that push.
  home->pushChildViewController(std::make_shared<CountingScreen>());
  runFor(0.2);
  home->setPushDelegate(second);
  runFor(0.21);
  EXPECT_EQ(second->completed, 1);
  pushAndSettle(home, std::make_shared<CountingScreen>());
  EXPECT_EQ(first->completed, 1);
  EXPECT_EQ(second->completed, 1);
}

TEST_F(ParentViewControllerTest, PhotoBrowserOnTopIsAnnouncedOnlyAfterItsSlide) {
  home->pushChildViewController(makePhotoBrowser());
  runFor(0.39);
  EXPECT_TRUE(backgroundFlags.empty());
  runFor(0.02);
  EXPECT_EQ(backgroundFlags, (std::vector<std::string>{"disply/YES"}));
  pushAndSettle(home, std::make_shared<CountingScreen>());
  EXPECT_EQ(backgroundFlags.size(), 1u);
}

TEST_F(ParentViewControllerTest, MarginFollowsRotationButStaysOffWhenOff) {
  delegate->setShouldAutorate(true);
  auto& device = platform::Device::currentDevice();
  auto& app = platform::Application::sharedApplication();
  fillHome(2);
  ASSERT_EQ(home->getCurrentMarginValue(), 160);
  device.setOrientation(platform::DeviceOrientation::LandscapeLeft);
  ASSERT_EQ(app.statusBarOrientation(), platform::InterfaceOrientation::LandscapeLeft);
  EXPECT_EQ(home->getCurrentMarginValue(), 240);
  device.setOrientation(platform::DeviceOrientation::PortraitUpsideDown);  // not allowed: nothing turns
  EXPECT_EQ(home->getCurrentMarginValue(), 240);
  device.setOrientation(platform::DeviceOrientation::Portrait);
  EXPECT_EQ(home->getCurrentMarginValue(), 160);

  home->refreshMarginValue(0);
  device.setOrientation(platform::DeviceOrientation::LandscapeRight);
  EXPECT_EQ(home->getCurrentMarginValue(), 0);
  device.setOrientation(platform::DeviceOrientation::Portrait);
  EXPECT_EQ(home->getCurrentMarginValue(), 0);
}

TEST_F(ParentViewControllerTest, OrientationIsPortraitUnlessTheDelegateAllowsTurning) {
  EXPECT_EQ(home->supportedInterfaceOrientations(), 2u);
  delegate->setShouldAutorate(true);
  EXPECT_EQ(home->supportedInterfaceOrientations(), 26u);
  EXPECT_TRUE(home->shouldAutorotateToInterfaceOrientation(platform::InterfaceOrientation::Portrait));
  EXPECT_FALSE(home->shouldAutorotateToInterfaceOrientation(platform::InterfaceOrientation::LandscapeLeft));
}

TEST_F(ParentViewControllerTest, ChangeOrientationTurnsTheInterfaceBackToPortrait) {
  for (const char* version : {"8.4", "7.1"}) {
    SCOPED_TRACE(version);
    auto& app = platform::Application::sharedApplication();
    auto& device = platform::Device::currentDevice();
    device.setSystemVersion(version);
    delegate->setShouldAutorate(true);
    auto screens = fillHome(2);
    device.setOrientation(platform::DeviceOrientation::LandscapeLeft);
    ASSERT_EQ(app.statusBarOrientation(), platform::InterfaceOrientation::LandscapeLeft);
    screens[1]->view()->setFrame({0, 0, 568, 320});

    delegate->setShouldAutorate(false);
    home->changeOrientation();
    runFor(0.1);
    EXPECT_EQ(app.statusBarOrientation(), platform::InterfaceOrientation::Portrait);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    // The screens are laid out for portrait again (the container then keeps
    // its band for the status bar, and the top screen fills what is left).
    expectFrame(screens[1]->view(), home->view()->bounds());
    EXPECT_EQ(screens[1]->view()->frame().width(), 320);
    home->popChildViewControllerWithAnimated(false);
    device.setOrientation(platform::DeviceOrientation::Portrait);
  }
}

TEST_F(ParentViewControllerTest, MarginOperationsOnTheLeftEdgeRecognizer) {
  EXPECT_EQ(home->edgeGestureRecognizers().size(), 1u);
  home->refreshMarginWithSide(1, 30);  // no right-edge recognizer: nothing changes
  EXPECT_EQ(home->getCurrentMarginValue(), 0);
  home->refreshMarginWithSide(0, 30);
  EXPECT_EQ(home->getCurrentMarginValue(), 30);
  home->refreshMarginValue(160);
  EXPECT_EQ(home->getCurrentMarginValue(), 160);
}

TEST_F(ParentViewControllerTest, TheSwipeShadowIsAStripJustLeftOfTheScreen) {
  const auto& shadow = home->shadowImgView();
  ASSERT_NE(shadow->image(), nullptr);
  EXPECT_DOUBLE_EQ(shadow->image()->size().width, 10);
  expectFrame(shadow, {-10, -10, 10, 548});
  EXPECT_TRUE(shadow->isHidden());
  platform::Screen::mainScreen().setHeight(480);
  expectFrame(std::make_shared<ParentViewController>()->shadowImgView(), {-10, -10, 10, 460});
}

}  // namespace
}  // namespace vorn
