#include "account/AccountTourStops.h"

#include "account/UserLoginViewController.h"
#include "core/AppDelegate.h"

namespace vorn {

void addAccountTourStops(TourStops& stops) {
  stops.push_back({"login", "UserLoginViewController", "",
                   [] {
                     AppDelegate::sharedAppDelegate()->modalContainers().setLoginNavController(
                         tour::presentInContainer(std::make_shared<UserLoginViewController>()));
                   },
                   "",
                   [] {
                     tour::dismissModal();
                     AppDelegate::sharedAppDelegate()->modalContainers().setLoginNavController(nullptr);
                   }});
}

}  // namespace vorn
