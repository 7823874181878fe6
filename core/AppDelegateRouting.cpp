// Routing a screen onto the container in front: the first open modal
// container, else the home container.
#include "core/AppDelegate.h"
#include "core/ParentViewController.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/ViewController.h"

namespace vorn {

// ---- Routing a screen ----------------------------------------------------------

std::shared_ptr<ParentViewController> AppDelegate::frontNavigationController() const {
  if (auto modal = modalContainers_.front()) return modal;
  return homePageNavigationController_;
}

void AppDelegate::pushController(const std::shared_ptr<platform::ViewController>& controller) {
  platform::NotificationCenter::defaultCenter().post(kDisplayKeyboard, static_cast<const void*>(this));
  if (auto picker = modalContainers_.cityChangController()) {
    picker->dismissViewController(false);
    modalContainers_.setCityChangController(nullptr);
  }
  if (auto container = frontNavigationController()) container->pushChildViewController(controller);
}

}  // namespace vorn
