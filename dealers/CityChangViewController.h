#pragma once
// The city picker screen. Its opener presents it modally and keeps it as the
// application delegate's cityChangController while it is on screen.
#include <string>

#include "core/PreferStatusBarViewController.h"

namespace vorn {

class CityChangViewController : public PreferStatusBarViewController {
 public:
  CityChangViewController() = default;
  std::string className() const override { return "CityChangViewController"; }
};

}  // namespace vorn
