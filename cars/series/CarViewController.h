#pragma once
// The car section's root screen. While it is on top of its container it keeps the
// swipe margin by its mode: off while the brand list is hidden (choosing by
// conditions), normal otherwise.
#include <string>

#include "core/ThemedScreen.h"

namespace vorn {

class CarViewController : public ThemedScreen {
 public:
  CarViewController() = default;
  PLATFORM_CLASS_NAME(CarViewController)

  void viewWillAppear(bool animated) override;
  // Leaving by an edge swipe ends the way the section was entered.
  void leftBySwipeBack() override;

  bool isBrandListHidden() const { return brandListHidden_; }

 protected:
  bool brandListHidden_ = false;
};

}  // namespace vorn
