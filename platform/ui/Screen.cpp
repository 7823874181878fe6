#include "platform/ui/Screen.h"

#include "platform/ui/Application.h"

namespace platform {

Screen& Screen::mainScreen() {
  static Screen screen;
  return screen;
}

Rect Screen::applicationFrame() const {
  Rect b = bounds();
  if (Application::sharedApplication().isStatusBarHidden()) return b;
  return {0, 20, b.width(), b.height() - 20};
}

}  // namespace platform
