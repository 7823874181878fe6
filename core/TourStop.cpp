#include "core/TourStop.h"

#include "core/AppDelegate.h"
#include "core/ParentViewController.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

namespace vorn::tour {

std::string productAddress(const std::string& query) { return "vorn5://open?" + query; }

void pushScreen(const std::shared_ptr<platform::ViewController>& screen) {
  AppDelegate::sharedAppDelegate()->pushController(screen);
}

std::shared_ptr<ParentViewController> presentInContainer(const std::shared_ptr<platform::ViewController>& first) {
  auto container = std::make_shared<ParentViewController>();
  container->addChildViewController(first);
  container->view()->addSubview(first->view());
  container->refreshMarginValue(0);
  first->view()->setFrame({0, 0, 320, platform::Screen::mainScreen().isTall() ? 568.0 : 480.0});
  if (auto home = AppDelegate::sharedAppDelegate()->homePageNavigationController())
    home->presentViewController(container, true);
  return container;
}

void dismissModal() {
  if (auto home = AppDelegate::sharedAppDelegate()->homePageNavigationController()) home->dismissViewController(true);
}

}  // namespace vorn::tour
