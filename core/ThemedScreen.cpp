#include "core/ThemedScreen.h"

namespace vorn {

void ThemedScreen::viewDidLoad() {
  ThemeChangeBaseViewController::viewDidLoad();
  setUpScreen();
  receivedThemeChangeNotify();
}

}  // namespace vorn
