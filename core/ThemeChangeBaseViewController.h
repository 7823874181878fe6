#pragma once
// The base of screens that follow the day/night theme: from viewDidLoad it
// observes "ThemeChangeNotify" and repaints its view's background; subclasses
// paint first by calling receivedThemeChangeNotify at the end of their
// viewDidLoad and override it to repaint their own views.
#include <string>

#include "platform/ui/Color.h"
#include "platform/ui/ViewController.h"

namespace vorn {

class ThemeChangeBaseViewController : public platform::ViewController {
 public:
  ThemeChangeBaseViewController() = default;
  ~ThemeChangeBaseViewController() override;
  std::string className() const override { return "ThemeChangeBaseViewController"; }

  void viewDidLoad() override;
  // Sets the view's background to the colour of the current mode.
  virtual void receivedThemeChangeNotify();

  static platform::Color backgroundColorForMode(const std::string& mode);
};

}  // namespace vorn
