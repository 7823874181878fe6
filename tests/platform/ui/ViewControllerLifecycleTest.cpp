#include "UiTestFixture.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"

namespace platform::testing {
namespace {

std::vector<std::string>* gLog = nullptr;

class Logged : public ViewController {
 public:
  explicit Logged(std::string name) : name_(std::move(name)) {}
  void loadView() override {
    log("loadView");
    ViewController::loadView();
  }
  void viewDidLoad() override { log("viewDidLoad"); }
  void viewWillAppear(bool a) override { log(std::string("willAppear ") + (a ? "animated" : "still")); }
  void viewDidAppear(bool a) override { log(std::string("didAppear ") + (a ? "animated" : "still")); }
  void viewWillDisappear(bool a) override { log(std::string("willDisappear ") + (a ? "animated" : "still")); }
  void viewDidDisappear(bool a) override { log(std::string("didDisappear ") + (a ? "animated" : "still")); }
  void willMoveToParentViewController(ViewController* p) override { log(p ? "willMove parent" : "willMove none"); }
  void didMoveToParentViewController(ViewController* p) override { log(p ? "didMove parent" : "didMove none"); }
  void willRotateToInterfaceOrientation(InterfaceOrientation o, double) override {
    log("willRotate " + std::to_string(int(o)));
  }
  void didReceiveMemoryWarning() override { log("memoryWarning"); }
  unsigned supportedInterfaceOrientations() const override { return mask; }
  unsigned mask = OrientationMask::AllButUpsideDown;

 private:
  void log(const std::string& s) {
    if (gLog) gLog->push_back(name_ + " " + s);
  }
  std::string name_;
};

class ViewControllerLifecycleTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    gLog = &log;
  }
  void TearDown() override {
    gLog = nullptr;
    UiTest::TearDown();
  }
  std::vector<std::string> take() {
    auto out = std::move(log);
    log.clear();
    return out;
  }
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(ViewControllerLifecycleTest, ViewIsBuiltOnceOnFirstUse) {
  auto vc = std::make_shared<Logged>("A");
  EXPECT_FALSE(vc->isViewLoaded());
  auto v = vc->view();
  EXPECT_EQ(vc->view(), v);
  EXPECT_EQ(take(), (Log{"A loadView", "A viewDidLoad"}));
  expectRect(v->frame(), 0, 0, 320, 568);
  EXPECT_EQ(v->viewController(), vc);
  EXPECT_EQ(v->nextResponder(), vc.get());
}

TEST_F(ViewControllerLifecycleTest, RootOfAVisibleWindowAppears) {
  auto window = Window::create({0, 0, 320, 568});
  auto root = std::make_shared<Logged>("R");
  window->setRootViewController(root);
  EXPECT_EQ(take(), (Log{"R loadView", "R viewDidLoad"}));  // the window is still hidden
  window->makeKeyAndVisible();
  EXPECT_EQ(take(), (Log{"R willAppear still", "R didAppear still"}));
  EXPECT_TRUE(window->isKeyWindow());
}

TEST_F(ViewControllerLifecycleTest, PushLikeChildChangesAnnounceAppearanceThroughTheViewTree) {
  auto window = makeWindow();
  auto container = std::make_shared<Logged>("C");
  window->setRootViewController(container);
  auto first = std::make_shared<Logged>("F");
  container->addChildViewController(first);
  container->view()->addSubview(first->view());
  take();

  auto second = std::make_shared<Logged>("S");
  container->addChildViewController(second);
  auto bounds = container->view()->bounds();
  second->view()->setFrame(bounds.offsetBy(bounds.width(), 0));
  container->view()->addSubview(second->view());
  second->didMoveToParentViewController(container.get());
  EXPECT_EQ(take(), (Log{"S willMove parent", "S loadView", "S viewDidLoad", "S willAppear still",
                         "S didAppear still", "S didMove parent"}));
  EXPECT_EQ(container->childViewControllers().size(), 2u);

  // Pop: the covered screen hears nothing from the platform; the container may
  // tell it itself.
  second->willMoveToParentViewController(nullptr);
  second->view()->removeFromSuperview();
  second->removeFromParentViewController();
  first->viewWillAppear(false);
  EXPECT_EQ(take(), (Log{"S willMove none", "S willDisappear still", "S didDisappear still", "S didMove none",
                         "F willAppear still"}));
  EXPECT_EQ(second->parentViewController(), nullptr);
}

TEST_F(ViewControllerLifecycleTest, ViewsOfUncontainedControllersMoveSilently) {
  auto window = makeWindow();
  auto loose = std::make_shared<Logged>("L");
  loose->view();
  take();
  window->addSubview(loose->view());
  loose->view()->removeFromSuperview();
  EXPECT_TRUE(take().empty());
}

TEST_F(ViewControllerLifecycleTest, PresentAndDismissCallInThePlatformsOrder) {
  auto window = makeWindow();
  auto root = std::make_shared<Logged>("A");
  window->setRootViewController(root);
  auto modal = std::make_shared<Logged>("B");
  modal->view();
  take();
  bool presented = false;
  double start = now();
  double presentedAt = -1;
  root->presentViewController(modal, true, [&] {
    presented = true;
    presentedAt = now() - start;
  });
  EXPECT_EQ(take(), (Log{"A willDisappear animated", "B willAppear animated"}));
  EXPECT_EQ(root->presentedViewController(), modal);
  EXPECT_EQ(modal->presentingViewController(), root);
  expectRect(modal->view()->frame(), 0, 0, 320, 568);
  EXPECT_NEAR(modal->view()->presentationFrame(now()).y(), 568, 1e-6);
  runFor(1);
  EXPECT_TRUE(presented);
  EXPECT_NEAR(presentedAt, ViewController::kPresentationDuration, 1e-6);
  EXPECT_EQ(take(), (Log{"B didAppear animated", "A didDisappear animated"}));
  EXPECT_EQ(root->view()->window(), nullptr);

  bool dismissed = false;
  modal->dismissViewController(false, [&] { dismissed = true; });
  EXPECT_EQ(take(), (Log{"B willDisappear still", "A willAppear still", "A didAppear still", "B didDisappear still"}));
  EXPECT_FALSE(dismissed);
  RunLoop::main().runUntilIdle();
  EXPECT_TRUE(dismissed);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(root->view()->window(), window);
  EXPECT_EQ(modal->view()->window(), nullptr);
}

TEST_F(ViewControllerLifecycleTest, PresentingWhilePresentingOrOffScreenDoesNothing) {
  auto window = makeWindow();
  auto root = std::make_shared<Logged>("A");
  window->setRootViewController(root);
  auto b = std::make_shared<Logged>("B"), c = std::make_shared<Logged>("C");
  root->presentViewController(b, false);
  root->presentViewController(c, false);
  EXPECT_EQ(root->presentedViewController(), b);
  EXPECT_EQ(c->presentingViewController(), nullptr);

  auto offscreen = std::make_shared<Logged>("O");
  bool called = false;
  offscreen->presentViewController(c, false, [&] { called = true; });
  EXPECT_EQ(offscreen->presentedViewController(), nullptr);
  EXPECT_FALSE(called);
}

TEST_F(ViewControllerLifecycleTest, PresentingAPortraitOnlyScreenTurnsTheInterfaceBack) {
  auto window = makeWindow();
  auto root = std::make_shared<Logged>("A");
  root->mask = OrientationMask::AllButUpsideDown;
  window->setRootViewController(root);
  Device::currentDevice().setOrientation(DeviceOrientation::LandscapeLeft);
  EXPECT_EQ(Application::sharedApplication().statusBarOrientation(), InterfaceOrientation::LandscapeLeft);
  take();

  auto portrait = std::make_shared<Logged>("P");
  portrait->mask = OrientationMask::Portrait;
  root->presentViewController(portrait, false, [&] { portrait->dismissViewController(false); });
  EXPECT_EQ(Application::sharedApplication().statusBarOrientation(), InterfaceOrientation::Portrait);
  RunLoop::main().runUntilIdle();
  auto events = take();
  EXPECT_EQ(events.front(), "A willRotate 1");
  // Once it is gone the root may follow the device again.
  EXPECT_EQ(Application::sharedApplication().statusBarOrientation(), InterfaceOrientation::LandscapeLeft);

  root->mask = OrientationMask::Portrait;
  Device::currentDevice().setOrientation(DeviceOrientation::LandscapeRight);
  EXPECT_EQ(Application::sharedApplication().statusBarOrientation(), InterfaceOrientation::Portrait);
}

TEST_F(ViewControllerLifecycleTest, MemoryWarningReachesEveryControllerInTheWindows) {
  auto window = makeWindow();
  auto root = std::make_shared<Logged>("R");
  window->setRootViewController(root);
  auto child = std::make_shared<Logged>("C");
  root->addChildViewController(child);
  auto loose = std::make_shared<Logged>("L");
  take();
  Application::sharedApplication().simulateMemoryWarning();
  EXPECT_EQ(take(), (Log{"R memoryWarning", "C memoryWarning"}));
}

TEST_F(ViewControllerLifecycleTest, ScreenAndDeviceAreSettable) {
  auto& screen = Screen::mainScreen();
  EXPECT_EQ(screen.currentModeSize(), (Size{640, 1136}));
  screen.setHeight(480);
  EXPECT_EQ(screen.currentModeSize(), (Size{640, 960}));
  expectRect(screen.bounds(), 0, 0, 320, 480);
  expectRect(screen.applicationFrame(), 0, 20, 320, 460);
  auto vc = std::make_shared<ViewController>();
  expectRect(vc->view()->frame(), 0, 0, 320, 480);
  Device::currentDevice().setModel("iPod touch");
  Device::currentDevice().setSystemVersion("7.1");
  EXPECT_EQ(Device::currentDevice().systemVersion().front(), '7');
  EXPECT_EQ(Device::currentDevice().userInterfaceIdiom(), UserInterfaceIdiom::Phone);
  Device::currentDevice().setModel("iPad");
  EXPECT_EQ(Device::currentDevice().userInterfaceIdiom(), UserInterfaceIdiom::Pad);
}

}  // namespace
}  // namespace platform::testing
