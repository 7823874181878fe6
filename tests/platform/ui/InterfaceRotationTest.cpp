#include <cmath>

#include "UiTestFixture.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Device.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"

namespace platform::testing {
namespace {

using Log = std::vector<std::string>;

// A screen with a top bar that stretches, a button pinned to the bottom right
// and a fixed square, logging the rotation calls with what it sees in each.
class Turning : public ViewController {
 public:
  Turning(std::string name, Log* log) : name_(std::move(name)), log_(log) {}
  unsigned supportedInterfaceOrientations() const override { return mask; }
  unsigned mask = OrientationMask::AllButUpsideDown;

  void viewDidLoad() override {
    bar = View::create({0, 0, 320, 44});
    bar->setAutoresizingMask(Autoresizing::FlexibleWidth | Autoresizing::FlexibleBottomMargin);
    button = View::create({264, 518, 40, 40});
    button->setAutoresizingMask(Autoresizing::FlexibleLeftMargin | Autoresizing::FlexibleTopMargin);
    square = View::create({10, 60, 50, 50});
    for (auto& v : {bar, button, square}) view()->addSubview(v);
  }
  void willRotateToInterfaceOrientation(InterfaceOrientation o, double duration) override {
    note("will", o, duration);
  }
  void willAnimateRotationToInterfaceOrientation(InterfaceOrientation o, double duration) override {
    note("animate", o, duration);
  }
  void didRotateFromInterfaceOrientation(InterfaceOrientation from) override { note("did", from, 0); }

  std::shared_ptr<View> bar, button, square;

 private:
  // "<name> <call> <orientation> <duration>: status bar <o>, screen <o>, <w>x<h>"
  void note(const char* call, InterfaceOrientation o, double duration) {
    if (!log_) return;
    char text[160];
    std::snprintf(text, sizeof text, "%s %s %d %.1f: bar %d, screen %d, %gx%g", name_.c_str(), call, int(o),
                  duration, int(Application::sharedApplication().statusBarOrientation()),
                  int(interfaceOrientation()), view()->bounds().width(), view()->bounds().height());
    log_->push_back(text);
  }
  std::string name_;
  Log* log_;
};

class InterfaceRotationTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    root = std::make_shared<Turning>("A", &log);
    window->setRootViewController(root);
  }
  Log take() {
    auto out = std::move(log);
    log.clear();
    return out;
  }
  static void expectTransform(const AffineTransform& t, double a, double b, double c, double d) {
    EXPECT_EQ(t.a, a);
    EXPECT_EQ(t.b, b);
    EXPECT_EQ(t.c, c);
    EXPECT_EQ(t.d, d);
    EXPECT_EQ(t.tx, 0);
    EXPECT_EQ(t.ty, 0);
  }
  void expectPortraitLayout() {
    auto v = root->view();
    expectTransform(v->transform(), 1, 0, 0, 1);
    expectRect(v->bounds(), 0, 0, 320, 568);
    expectRect(v->frame(), 0, 0, 320, 568);
    expectRect(root->bar->frame(), 0, 0, 320, 44);
    expectRect(root->button->frame(), 264, 518, 40, 40);
    expectRect(root->square->frame(), 10, 60, 50, 50);
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<Turning> root;
  Log log;
};

TEST_F(InterfaceRotationTest, CallsComeInOrderAroundTheRotationsAnimation) {
  int willChange = -1;
  NotificationCenter::defaultCenter().addObserver(this, kApplicationWillChangeStatusBarOrientationNotification,
                                                  [&](const Notification& n) {
                                                    willChange = intValueOf(
                                                        n.userInfo, kApplicationStatusBarOrientationUserInfoKey);
                                                  });
  double start = now();
  Device::currentDevice().setOrientation(DeviceOrientation::LandscapeLeft);
  // Before: still laid out for portrait; inside the animation: laid out for landscape.
  EXPECT_EQ(take(), (Log{"A will 3 0.4: bar 1, screen 1, 320x568", "A animate 3 0.4: bar 3, screen 3, 568x320"}));
  EXPECT_EQ(willChange, 3);
  EXPECT_EQ(root->interfaceOrientation(), InterfaceOrientation::LandscapeLeft);
  // The turn is animated: the view starts from its portrait placement.
  EXPECT_NEAR(root->view()->presentationTransform(start).a, 1, 1e-9);
  runFor(ViewController::kRotationDuration - 0.01);
  EXPECT_TRUE(log.empty());
  runFor(0.02);
  EXPECT_EQ(take(), (Log{"A did 1 0.0: bar 3, screen 3, 568x320"}));

  // Landscape to landscape is half a turn and lasts twice as long.
  Device::currentDevice().setOrientation(DeviceOrientation::LandscapeRight);
  EXPECT_EQ(take(), (Log{"A will 4 0.8: bar 3, screen 3, 568x320", "A animate 4 0.8: bar 4, screen 4, 568x320"}));
  runFor(2 * ViewController::kRotationDuration + 0.01);
  EXPECT_EQ(take(), (Log{"A did 3 0.0: bar 4, screen 4, 568x320"}));
  NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(InterfaceRotationTest, ScreensTurnWithTheDeviceAndComeBackAsTheyWere) {
  // Where the interface's top-left corner lands in the window, per landscape side.
  struct Case {
    DeviceOrientation device;
    double a, b, c, d;
    Point topLeft;
  };
  const Case cases[] = {
      {DeviceOrientation::LandscapeLeft, 0, 1, -1, 0, {320, 0}},
      {DeviceOrientation::LandscapeRight, 0, -1, 1, 0, {0, 568}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.device));
    TestDriver::rotateDevice(c.device);
    auto v = root->view();
    expectTransform(v->transform(), c.a, c.b, c.c, c.d);
    expectRect(v->bounds(), 0, 0, 568, 320);
    expectRect(v->frame(), 0, 0, 320, 568);  // the window keeps its portrait coordinates
    // Subviews follow their autoresizing masks.
    expectRect(root->bar->frame(), 0, 0, 568, 44);
    expectRect(root->button->frame(), 512, 270, 40, 40);
    expectRect(root->square->frame(), 10, 60, 50, 50);
    Point corner = v->convertPointToView({0, 0}, nullptr);
    EXPECT_NEAR(corner.x, c.topLeft.x, 1e-9);
    EXPECT_NEAR(corner.y, c.topLeft.y, 1e-9);
    // A finger finds the turned button where it is drawn.
    EXPECT_EQ(TestDriver::viewAt(TestDriver::touchPointOf(*root->button)), root->button);

    // A frame given to the turned view sizes its bounds with the sides swapped
    // (a screen leaving a band for the status bar at the side).
    v->setFrame({0, 0, 300, 568});
    expectRect(v->bounds(), 0, 0, 568, 300);
    expectRect(v->frame(), 0, 0, 300, 568);

    TestDriver::rotateDevice(DeviceOrientation::Portrait);
    EXPECT_EQ(Application::sharedApplication().statusBarOrientation(), InterfaceOrientation::Portrait);
    expectPortraitLayout();
  }
}

TEST_F(InterfaceRotationTest, AScreenOrWindowThatRefusesKeepsPortrait) {
  struct RefusingDelegate : ApplicationDelegate {
    unsigned supportedInterfaceOrientationsForWindow(Application&) override { return OrientationMask::Portrait; }
  };
  for (bool byDelegate : {false, true}) {
    SCOPED_TRACE(byDelegate ? "window" : "screen");
    if (byDelegate) Application::sharedApplication().setDelegate(std::make_shared<RefusingDelegate>());
    else root->mask = OrientationMask::Portrait;
    root->view();
    take();
    TestDriver::rotateDevice(DeviceOrientation::LandscapeLeft);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(Application::sharedApplication().statusBarOrientation(), InterfaceOrientation::Portrait);
    EXPECT_EQ(root->interfaceOrientation(), InterfaceOrientation::Portrait);
    expectPortraitLayout();
    Application::sharedApplication().setDelegate(nullptr);
    root->mask = OrientationMask::AllButUpsideDown;
    Device::currentDevice().setOrientation(DeviceOrientation::Portrait);
  }
}

TEST_F(InterfaceRotationTest, PresentedScreensAreTurnedAndAPortraitOneTurnsTheInterfaceBack) {
  root->view();
  auto shown = std::make_shared<Turning>("B", nullptr);
  root->presentViewController(shown, false);
  TestDriver::rotateDevice(DeviceOrientation::LandscapeLeft);
  expectRect(shown->view()->bounds(), 0, 0, 568, 320);
  expectRect(shown->bar->frame(), 0, 0, 568, 44);
  // The screen underneath was out of the window: it comes back laid out for landscape.
  root->dismissViewController(false);
  RunLoop::main().runUntilIdle();
  expectRect(root->view()->bounds(), 0, 0, 568, 320);
  expectRect(root->button->frame(), 512, 270, 40, 40);

  // An animated presentation in landscape rises from the interface's bottom,
  // the window's left side here.
  double start = now();
  root->presentViewController(shown, true);
  Point from = shown->view()->presentationCenter(start);
  EXPECT_NEAR(from.x, 160 - 320, 1e-9);
  EXPECT_NEAR(from.y, 284, 1e-9);
  runFor(ViewController::kPresentationDuration + 0.01);
  expectRect(shown->view()->frame(), 0, 0, 320, 568);
  root->dismissViewController(false);
  RunLoop::main().runUntilIdle();

  // A screen that allows portrait only turns the interface back when it comes,
  // and the device's orientation wins again once it has gone.
  auto portrait = std::make_shared<Turning>("P", &log);
  portrait->mask = OrientationMask::Portrait;
  take();
  root->presentViewController(portrait, false);
  EXPECT_EQ(Application::sharedApplication().statusBarOrientation(), InterfaceOrientation::Portrait);
  expectPortraitLayout();
  expectRect(portrait->view()->bounds(), 0, 0, 320, 568);
  expectTransform(portrait->view()->transform(), 1, 0, 0, 1);
  runFor(1);
  Log seen = take();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), "A will 1 0.4: bar 3, screen 3, 568x320");
  root->dismissViewController(false);
  runFor(1);
  EXPECT_EQ(root->interfaceOrientation(), InterfaceOrientation::LandscapeLeft);
  expectRect(root->view()->bounds(), 0, 0, 568, 320);
}

TEST_F(InterfaceRotationTest, StatusBarSetByHandLeavesTheScreensUntilTheInterfaceTurns) {
  TestDriver::rotateDevice(DeviceOrientation::LandscapeLeft);
  take();
  // A screen puts the status bar back to portrait itself before it goes (as a
  // landscape picture viewer does), then stops allowing landscape.
  Application::sharedApplication().setStatusBarOrientation(InterfaceOrientation::Portrait);
  EXPECT_EQ(root->interfaceOrientation(), InterfaceOrientation::LandscapeLeft);
  expectRect(root->view()->bounds(), 0, 0, 568, 320);
  root->mask = OrientationMask::Portrait;
  // Presenting a portrait-only screen and taking it away at once still turns
  // the screens back, though the status bar already reads portrait.
  auto portrait = std::make_shared<Turning>("P", nullptr);
  portrait->mask = OrientationMask::Portrait;
  root->presentViewController(portrait, false, [portrait] { portrait->dismissViewController(false); });
  runFor(1);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(take(), (Log{"A will 1 0.4: bar 1, screen 3, 568x320", "A animate 1 0.4: bar 1, screen 1, 320x568",
                         "A did 3 0.0: bar 1, screen 1, 320x568"}));
  expectPortraitLayout();
}

}  // namespace
}  // namespace platform::testing
