#pragma once
// A launched-looking application for navigation tests: a fresh application
// delegate, a shown key window the size of the screen, and a home container as
// its root with a root child; screens that count how often they are told to
// appear again; the photo browser the container treats apart; notifications of
// the container counted by flag.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/ParentViewController.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Value.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "support/VornTest.h"
#include "ui/PyxoPhotoBrowser.h"

namespace vorn::test {

// A plain screen that counts the explicit appearance calls the container sends
// to a screen already on screen (the platform's own calls come while it is not).
class CountingScreen : public platform::ViewController {
 public:
  explicit CountingScreen(std::string name = "CountingScreen") : name_(std::move(name)) {}
  std::string className() const override { return name_; }
  void viewWillAppear(bool animated) override {
    if (!animated && isViewVisible()) ++reappearances;
  }
  int reappearances = 0;

 private:
  std::string name_;
};

// A picture source with no pictures: the photo browser as the container meets
// it, without loading anything.
class NoPictures : public PyxoPhotoBrowserDelegate {
 public:
  unsigned numberOfPhotosInPhotoBrowser(PyxoPhotoBrowser&) override { return 0; }
  std::shared_ptr<PyxoPhotoProtocol> photoAtIndex(PyxoPhotoBrowser&, unsigned) override { return nullptr; }
};

class NavigationTest : public VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    platform::Application::sharedApplication().reset();
    delegate = std::make_shared<VornAppDelegate>();
    AppDelegate::setSharedAppDelegate(delegate);
    window = platform::Window::create(platform::Screen::mainScreen().bounds());
    window->makeKeyAndVisible();
    delegate->setWindow(window);
    home = makeContainer(std::make_shared<CountingScreen>("HomeScreen"));
    window->setRootViewController(home);
    delegate->setHomePageNavigationController(home);
    auto& center = platform::NotificationCenter::defaultCenter();
    center.addObserver(this, kHiddenOrDisplyBGView, [this](const platform::Notification& n) {
      const auto* info = std::any_cast<platform::Value>(&n.object);
      backgroundFlags.push_back(info ? platform::textOf(*info, kBGViewFlagKey) + "/" +
                                           platform::textOf(*info, kBGViewAddViewKey)
                                     : std::string("?"));
    });
    center.addObserver(this, kDisplayKeyboard, [this](const platform::Notification&) { ++keyboardRequests; });
  }
  void TearDown() override {
    platform::NotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(this));
    platform::Application::sharedApplication().reset();
    VornTest::TearDown();
  }

  // A container with `root` installed as its creator installs it.
  static std::shared_ptr<ParentViewController> makeContainer(const std::shared_ptr<platform::ViewController>& root) {
    auto container = std::make_shared<ParentViewController>();
    container->addChildViewController(root);
    container->view()->addSubview(root->view());
    container->refreshMarginValue(0);
    root->view()->setFrame(container->view()->bounds());
    return container;
  }

  // Pushes and lets the slide finish.
  void pushAndSettle(const std::shared_ptr<ParentViewController>& container,
                     const std::shared_ptr<platform::ViewController>& screen) {
    container->pushChildViewController(screen);
    runFor(ParentViewController::kPushDuration + 0.01);
  }

  // Home container with `count` children in all (the root included).
  std::vector<std::shared_ptr<CountingScreen>> fillHome(int count) {
    std::vector<std::shared_ptr<CountingScreen>> screens;
    screens.push_back(std::static_pointer_cast<CountingScreen>(home->childViewControllers().front()));
    for (int i = 1; i < count; ++i) {
      auto screen = std::make_shared<CountingScreen>("Screen" + std::to_string(i));
      pushAndSettle(home, screen);
      screens.push_back(screen);
    }
    return screens;
  }

  // The photo browser as a plain gallery (it may turn to landscape).
  std::shared_ptr<PyxoPhotoBrowser> makePhotoBrowser() { return PyxoPhotoBrowser::initWithDelegate(noPictures_); }

  std::shared_ptr<VornAppDelegate> delegate;
  std::shared_ptr<platform::Window> window;
  std::shared_ptr<ParentViewController> home;
  std::vector<std::string> backgroundFlags;
  int keyboardRequests = 0;

 private:
  std::shared_ptr<NoPictures> noPictures_ = std::make_shared<NoPictures>();
};

}  // namespace vorn::test
