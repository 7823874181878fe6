#include "core/PreferStatusBarViewController.h"

#include "core/AppDelegate.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

namespace vorn {
namespace {

// The first character of the system version: the status bar overlaps the
// screens from version 7 on.
char systemGeneration() {
  const auto& version = platform::Device::currentDevice().systemVersion();
  return version.empty() ? '\0' : version.front();
}

}  // namespace

platform::StatusBarStyle PreferStatusBarViewController::preferredStatusBarStyle() const {
  return static_cast<platform::StatusBarStyle>(AppDelegate::sharedAppDelegate()->currentStatusBarStyle());
}

bool PreferStatusBarViewController::prefersStatusBarHidden() const {
  return AppDelegate::sharedAppDelegate()->statusBarIsHidden();
}

void PreferStatusBarViewController::viewDidLayoutSubviews() {
  const char generation = systemGeneration();
  if (generation == '7' || generation == '8') {
    const double height = platform::Screen::mainScreen().hasTallMode() ? 548 : 460;
    const double length = platform::Screen::mainScreen().hasTallMode() ? 568 : 480;
    const auto v = view();
    switch (AppDelegate::sharedAppDelegate()->currentOrientation()) {
      case static_cast<int>(platform::InterfaceOrientation::LandscapeRight):
        // On 8 the window turns with the interface, so the platform's frame stands.
        if (generation == '7') v->setFrame({20, 0, 300, length});
        break;
      case static_cast<int>(platform::InterfaceOrientation::LandscapeLeft):
        if (generation == '7') v->setFrame({0, 0, 300, length});
        break;
      default:
        v->setFrame({0, 20, 320, height});
        break;
    }
  }
  platform::ViewController::viewDidLayoutSubviews();
}

}  // namespace vorn
