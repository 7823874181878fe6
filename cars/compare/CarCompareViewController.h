#pragma once
// The comparison page. No swipe-back begins while it is on top of its container.
#include <string>

#include "core/ThemeChangeBaseViewController.h"

namespace vorn {

class CarCompareViewController : public ThemeChangeBaseViewController {
 public:
  CarCompareViewController() = default;
  std::string className() const override { return "CarCompareViewController"; }
  void viewDidLoad() override {
    ThemeChangeBaseViewController::viewDidLoad();
    receivedThemeChangeNotify();  // paints in the current theme from the start
  }
};

}  // namespace vorn
