#include "core/TourStop.h"

#include "core/AppDelegate.h"
#include "core/ModalContainers.h"
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

TourStop modalStop(std::string picture, std::string screen,
                   std::function<std::shared_ptr<platform::ViewController>()> make,
                   void (ModalContainers::*setter)(const std::shared_ptr<ParentViewController>&)) {
  auto modals = []() -> ModalContainers& { return AppDelegate::sharedAppDelegate()->modalContainers(); };
  return {std::move(picture), std::move(screen), "",
          [make = std::move(make), setter, modals] { (modals().*setter)(presentInContainer(make())); },
          "",
          [setter, modals] {
            dismissModal();
            (modals().*setter)(nullptr);
          }};
}

}  // namespace vorn::tour
