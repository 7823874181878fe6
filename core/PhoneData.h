#pragma once
// The device's location and the current city. Locating asks the location
// service for one fix, asks the portal which city the position lies in,
// remembers that city as the current city ("currentCityID"/"currentCityName")
// and tells everyone: "GetLocationInfo" after every outcome (its object the
// location record below, or none when the city look-up brought no answer) and
// "GetCityPosition" after a look-up answer ({"cityId", "cityNam"}).
//
// The location record (every value text): "latitude", "longitude" ("%f", "0"
// without a fix), "locationEnable" ("NO" when location services are off),
// "NotAllow" ("YES" without a position), "NotNet" (whether the look-up or the
// fix failed for want of a connection), and "cityId"/"cityNam" after a look-up
// answer.
//
// One shared instance, made by openData (which starts locating) and dropped by
// closeData. Everything else runs on the main thread.
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"
#include "platform/services/LocationManager.h"

namespace vorn {

inline constexpr char kGetLocationInfo[] = "GetLocationInfo";
inline constexpr char kGetCityPosition[] = "GetCityPosition";
inline constexpr char kCityByGpsPath[] = "/interface/gcp/GetCityByGPS.php";

// User defaults: the current city (written here and by the city choosers).
inline constexpr char kCurrentCityIDKey[] = "currentCityID";
inline constexpr char kCurrentCityNameKey[] = "currentCityName";
// User defaults of the chosen city, which the city choosers own; read here as
// the fallback and written by the first run's take-over.
inline constexpr char kChosenCityFlagKey[] = "flag";
inline constexpr char kChosenCityIDKey[] = "selectCityID";
inline constexpr char kChosenCityNameKey[] = "selectCityName";
inline constexpr char kDefaultChosenCityID[] = "475";
inline constexpr char kDefaultChosenCityName[] = "北京";

// Keys of the location record.
inline constexpr char kLocationLatitude[] = "latitude";
inline constexpr char kLocationLongitude[] = "longitude";
inline constexpr char kLocationEnable[] = "locationEnable";
inline constexpr char kLocationNotAllow[] = "NotAllow";
inline constexpr char kLocationNotNet[] = "NotNet";
inline constexpr char kLocationCityId[] = "cityId";
inline constexpr char kLocationCityName[] = "cityNam";
// Keys of the look-up answer.
inline constexpr char kLookupCityId[] = "cityId";
inline constexpr char kLookupCityName[] = "cityName";

class PhoneData : public platform::services::LocationManagerDelegate,
                  public std::enable_shared_from_this<PhoneData> {
 public:
  // The shared instance; the first call makes it and starts locating.
  static std::shared_ptr<PhoneData> openData();
  // Drops the shared instance; the next openData makes a new one and locates again.
  static void closeData();

  // Locates again (a fresh location manager each time; only its first fix counts).
  void askLocationInfo();
  // The city look-up for a location record with a fix.
  void getPositionInfo(platform::Value record);

  // The current city; "" when none.
  std::string cityID() const { return cityID_.value_or(""); }
  std::string cityName() const { return cityName_.value_or(""); }
  void setCityID(const std::string& id) { cityID_ = id; }
  void setCityName(const std::string& name) { cityName_ = name; }

  // Location-manager delegate.
  void didUpdateLocations(platform::services::LocationManager& manager,
                          const std::vector<platform::services::Location>& locations) override;
  void didFailWithError(platform::services::LocationManager& manager,
                        const platform::services::LocationError& error) override;
  void didChangeAuthorizationStatus(platform::services::LocationManager& manager, int status) override;

  // Use openData.
  PhoneData();

 private:
  void takeChosenCity();
  void lookupAnswered(platform::Value record, const platform::Value& answer);

  // Unset after a look-up answer without the value.
  std::optional<std::string> cityID_;
  std::optional<std::string> cityName_;
  std::shared_ptr<platform::services::LocationManager> locationManager_;
  bool fixTaken_ = false;
};

}  // namespace vorn
