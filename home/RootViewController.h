#pragma once
// The home screen. The launch makes it the root child of the home container and
// the application delegate keeps it as viewController.
#include <string>

#include "core/ThemeChangeBaseViewController.h"

namespace vorn {

class RootViewController : public ThemeChangeBaseViewController {
 public:
  RootViewController() = default;
  std::string className() const override { return "RootViewController"; }
  void viewDidLoad() override {
    ThemeChangeBaseViewController::viewDidLoad();
    receivedThemeChangeNotify();  // paints in the current theme from the start
  }

  // Fetches the focus pictures of the home carousel and fills it.
  virtual void getHotImageData();

  // True while a home band opened with the expand animation is on top.
  bool expand() const { return expand_; }
  void setExpand(bool expand) { expand_ = expand; }

 private:
  bool expand_ = false;
};

}  // namespace vorn
