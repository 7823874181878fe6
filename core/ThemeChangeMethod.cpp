#include "core/ThemeChangeMethod.h"

#include "core/AppDelegate.h"
#include "platform/foundation/NotificationCenter.h"

namespace vorn {

void addThemeChangeNotify(const platform::ViewController* controller, std::function<void()> received) {
  platform::NotificationCenter::defaultCenter().addObserver(
      controller, kThemeChangeNotify, [received = std::move(received)](const platform::Notification&) {
        if (received) received();
      });
}

void removeThemeChangeNotify(const platform::ViewController* controller) {
  platform::NotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(controller));
}

}  // namespace vorn
