// What the application does with the outcome of locating: on the first run the
// located city becomes the chosen city and the city chooser goes away by itself;
// later, the first outcome after launch decides whether the car and dealer
// pages may offer to switch cities.
#include <any>

#include "core/AppDelegate.h"
#include "core/PhoneData.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/View.h"

namespace vorn {
namespace {

constexpr char kYes[] = "YES";
constexpr char kChosenFlagValue[] = "1";

const platform::Value* recordOf(const platform::Notification& notification) {
  return std::any_cast<platform::Value>(&notification.object);
}

}  // namespace

void AppDelegate::doGetLocationInfo(const platform::Notification& notification) {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  const platform::Value* record = recordOf(notification);
  const platform::Value none;
  const platform::Value& info = record ? *record : none;

  if (defaults.hasObjectForKey(kChosenCityFlagKey) && defaults.integerForKey(kChosenCityFlagKey) == 1) {
    if (!isCurrentViewController()) {
      setIsTagFlag(platform::textOf(info, kLocationNotAllow) == kYes ||
                   platform::textOf(info, kLocationEnable) != kYes);
    }
    setIsCurrentViewController(true);
    return;
  }

  // The first run: take the located city over only when the position is real
  // and the portal named a city; an answer without a city id leaves the
  // chooser up, so the person chooses instead of keeping an empty city.
  const bool located = record && platform::textOf(info, kLocationNotAllow) != kYes &&
                       platform::textOf(info, kLocationEnable) == kYes &&
                       platform::textOf(info, kLocationNotNet) != kYes &&
                       platform::doubleValueOf(info, kLocationLatitude) != 0;
  const std::string cityId = platform::plainTextOf(info, kLocationCityId);
  if (located && !cityId.empty()) {
    defaults.setString(kChosenCityIDKey, cityId);
    defaults.setString(kChosenCityNameKey, platform::plainTextOf(info, kLocationCityName));
    defaults.synchronize();
    defaults.setString(kChosenCityFlagKey, kChosenFlagValue);
    defaults.synchronize();
    if (auto chooser = CityView()) {
      chooser->setHidden(true);
      chooser->removeFromSuperview();
      setCityView(nullptr);
    }
    return;
  }
  if (CityView()) {
    if (auto guide = newFeaturesImgView())
      if (auto holder = guide->superview()) holder->bringSubviewToFront(guide);
  }
}

}  // namespace vorn
