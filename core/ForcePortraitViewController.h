#pragma once
// An empty screen that allows portrait only: presented without animation and
// dismissed at once, it turns the interface back to portrait.
#include <string>

#include "platform/ui/ViewController.h"

namespace vorn {

class ForcePortraitViewController : public platform::ViewController {
 public:
  ForcePortraitViewController() = default;
  std::string className() const override { return "ForcePortraitViewController"; }

  unsigned supportedInterfaceOrientations() const override { return platform::OrientationMask::Portrait; }
  platform::InterfaceOrientation preferredInterfaceOrientationForPresentation() const override {
    return platform::InterfaceOrientation::Portrait;
  }
};

}  // namespace vorn
