#include "account/AccountTourStops.h"

#include "account/UserLoginViewController.h"
#include "core/ModalContainers.h"

namespace vorn {

void addAccountTourStops(TourStops& stops) {
  stops.push_back(tour::modalStop("login", "UserLoginViewController",
                                  [] { return std::make_shared<UserLoginViewController>(); },
                                  &ModalContainers::setLoginNavController));
}

}  // namespace vorn
