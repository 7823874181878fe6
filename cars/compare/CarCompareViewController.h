#pragma once
// The comparison page. No swipe-back begins while it is on top of its container.
#include <string>

#include "core/ThemedScreen.h"

namespace vorn {

class CarCompareViewController : public ThemedScreen {
 public:
  CarCompareViewController() = default;
  PLATFORM_CLASS_NAME(CarCompareViewController)
  bool allowsSwipeBack() const override { return false; }
};

}  // namespace vorn
