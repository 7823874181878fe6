#pragma once
// The car section's root screen. While it is on top of its container it keeps the
// swipe margin by its mode: off while the brand list is hidden (choosing by
// conditions), normal otherwise.
#include <string>

#include "core/ThemeChangeBaseViewController.h"

namespace vorn {

class CarViewController : public ThemeChangeBaseViewController {
 public:
  CarViewController() = default;
  std::string className() const override { return "CarViewController"; }
  void viewDidLoad() override {
    ThemeChangeBaseViewController::viewDidLoad();
    receivedThemeChangeNotify();  // paints in the current theme from the start
  }

  void viewWillAppear(bool animated) override;

  bool isBrandListHidden() const { return brandListHidden_; }

 protected:
  bool brandListHidden_ = false;
};

}  // namespace vorn
