#include "core/ThemeChangeBaseViewController.h"

#include "core/AppDelegate.h"
#include "core/ThemeChangeMethod.h"
#include "platform/ui/View.h"

namespace vorn {

ThemeChangeBaseViewController::~ThemeChangeBaseViewController() { removeThemeChangeNotify(this); }

void ThemeChangeBaseViewController::viewDidLoad() {
  platform::ViewController::viewDidLoad();
  std::weak_ptr<platform::ViewController> weak = weak_from_this();
  addThemeChangeNotify(this, [weak] {
    if (auto self = std::dynamic_pointer_cast<ThemeChangeBaseViewController>(weak.lock()))
      self->receivedThemeChangeNotify();
  });
}

void ThemeChangeBaseViewController::receivedThemeChangeNotify() {
  view()->setBackgroundColor(backgroundColorForMode(AppDelegate::getCurrentMode()));
}

platform::Color ThemeChangeBaseViewController::backgroundColorForMode(const std::string& mode) {
  return mode == kThemeModeNormal ? platform::Color::rgb255(236, 236, 236) : platform::Color::rgb255(36, 37, 41);
}

}  // namespace vorn
