#pragma once
// The theme-change habit every screen shares: observe "ThemeChangeNotify" from
// any sender and repaint. The observation is owned by the screen itself (owner
// = the controller's address), so removing it ends every observation the screen
// registered under that owner.
#include <functional>

namespace platform {
class ViewController;
}

namespace vorn {

// Observes "ThemeChangeNotify" with `received` (usually the screen's
// receivedThemeChangeNotify).
void addThemeChangeNotify(const platform::ViewController* controller, std::function<void()> received);
// Removes the screen from the default notification centre for every
// notification it observes.
void removeThemeChangeNotify(const platform::ViewController* controller);

}  // namespace vorn
