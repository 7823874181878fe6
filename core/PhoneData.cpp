#include "core/PhoneData.h"

#include <cstdio>
#include <mutex>

#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Device.h"

namespace vorn {
namespace {

using platform::services::LocationManager;

constexpr char kYes[] = "YES";
constexpr char kNo[] = "NO";
constexpr char kNoCoordinate[] = "0";
// The look-up failed because the device has no connection.
constexpr int kErrorNotConnectedToInternet = -1009;

std::mutex& classLock() {
  static std::mutex lock;
  return lock;
}
std::shared_ptr<PhoneData>& sharedInstance() {
  static std::shared_ptr<PhoneData> instance;
  return instance;
}

platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }

// The request for when-in-use permission exists from system 8 on.
bool offersAuthorizationRequests() {
  const std::string& version = platform::Device::currentDevice().systemVersion();
  return std::atoi(version.c_str()) >= 8;
}

std::string coordinateText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", value);
  return text;
}

// A value of the answer as text; nullopt when it is missing or null.
std::optional<std::string> answerText(const platform::Value& answer, const char* key) {
  const platform::Value& value = platform::valueFor(answer, key);
  if (value.is_null()) return std::nullopt;
  return platform::textOf(value);
}

void post(const char* name, std::optional<platform::Value> object) {
  auto& center = platform::NotificationCenter::defaultCenter();
  if (object) {
    center.post(name, *object);
  } else {
    center.post(name);
  }
}

}  // namespace

std::shared_ptr<PhoneData> PhoneData::openData() {
  std::shared_ptr<PhoneData> made;
  {
    std::lock_guard lock(classLock());
    auto& instance = sharedInstance();
    if (instance) return instance;
    instance = std::make_shared<PhoneData>();
    made = instance;
  }
  // Locating starts once the instance is shared, so its delegate pointer holds.
  made->askLocationInfo();
  return made;
}

void PhoneData::closeData() {
  std::lock_guard lock(classLock());
  sharedInstance().reset();
}

PhoneData::PhoneData() {
  const auto id = defaults().stringForKey(kCurrentCityIDKey);
  const auto name = defaults().stringForKey(kCurrentCityNameKey);
  if (!id || !name || name->empty()) {
    cityID_ = "";
    cityName_ = "";
  } else {
    cityID_ = *id;
    cityName_ = *name;
  }
}

void PhoneData::askLocationInfo() {
  if (!LocationManager::locationServicesEnabled()) {
    platform::Value record = platform::dictionary();
    record[kLocationLatitude] = kNoCoordinate;
    record[kLocationLongitude] = kNoCoordinate;
    record[kLocationEnable] = kNo;
    record[kLocationNotAllow] = kYes;
    post(kGetLocationInfo, record);
    return;
  }
  if (locationManager_) locationManager_->stopUpdatingLocation();
  locationManager_ = LocationManager::create();
  fixTaken_ = false;
  if (offersAuthorizationRequests()) locationManager_->requestWhenInUseAuthorization();
  locationManager_->setDelegate(weak_from_this());
  locationManager_->setDesiredAccuracy(platform::services::kLocationAccuracyBest);
  locationManager_->startUpdatingLocation();
}

void PhoneData::didChangeAuthorizationStatus(LocationManager& manager, int status) {
  if (status == platform::services::kLocationStatusNotDetermined && offersAuthorizationRequests())
    manager.requestWhenInUseAuthorization();
}

void PhoneData::didUpdateLocations(LocationManager& manager,
                                   const std::vector<platform::services::Location>& locations) {
  if (&manager != locationManager_.get() || fixTaken_ || locations.empty()) return;
  fixTaken_ = true;
  const auto& fix = locations.back();
  platform::Value record = platform::dictionary();
  record[kLocationLatitude] = coordinateText(fix.latitude);
  record[kLocationLongitude] = coordinateText(fix.longitude);
  record[kLocationEnable] = kYes;
  record[kLocationNotAllow] = kNo;
  record[kLocationNotNet] = kNo;
  getPositionInfo(std::move(record));
  manager.stopUpdatingLocation();
}

void PhoneData::didFailWithError(LocationManager& manager, const platform::services::LocationError& error) {
  if (&manager != locationManager_.get()) return;
  platform::Value record = platform::dictionary();
  record[kLocationLatitude] = kNoCoordinate;
  record[kLocationLongitude] = kNoCoordinate;
  record[kLocationEnable] = kYes;
  record[kLocationNotAllow] = kYes;
  if (error.code == platform::services::kLocationErrorLocationUnknown) record[kLocationNotNet] = kYes;
  if (error.code == platform::services::kLocationErrorDenied) record[kLocationNotNet] = kNo;
  // The manager keeps running, so a later fix still leads to a look-up.
  post(kGetLocationInfo, record);
}

void PhoneData::getPositionInfo(platform::Value record) {
  std::weak_ptr<PhoneData> weak = weak_from_this();
  auto& client = Vorn5APIClient::sharedClient();
  client.postPath(PortalHosts::url(PortalHost::CarData, kCityByGpsPath), record, false, false, client, false,
                  [weak, record](const platform::Value& answer, const std::optional<ApiError>& error) mutable {
                    auto self = weak.lock();
                    if (!self) return;
                    if (error && (error->code == kErrorNotConnectedToInternet ||
                                  error->kind == platform::net::HttpErrorKind::NoConnection))
                      record[kLocationNotNet] = kYes;
                    self->lookupAnswered(std::move(record), answer);
                  });
}

void PhoneData::lookupAnswered(platform::Value record, const platform::Value& answer) {
  if (answer.is_null()) {
    takeChosenCity();
    post(kGetLocationInfo, std::nullopt);
    return;
  }
  platform::Value parsed;
  if (platform::isData(answer)) {
    parsed = platform::parseJson(platform::bytesOf(answer)).value_or(platform::Value());
  } else {
    parsed = answer;
  }
  cityName_ = answerText(parsed, kLookupCityName);
  cityID_ = answerText(parsed, kLookupCityId);
  if (!cityID_ || cityID_->empty()) takeChosenCity();

  auto& store = defaults();
  const auto storeOrRemove = [&store](const char* key, const std::optional<std::string>& value) {
    if (value) {
      store.setString(key, *value);
    } else {
      store.removeObject(key);
    }
  };
  storeOrRemove(kCurrentCityIDKey, cityID_);
  storeOrRemove(kCurrentCityNameKey, cityName_);
  store.synchronize();

  platform::Value position = platform::dictionary();
  if (cityID_) position[kLocationCityId] = *cityID_;
  if (cityName_) position[kLocationCityName] = *cityName_;
  post(kGetCityPosition, position);
  if (cityID_) record[kLocationCityId] = *cityID_;
  if (cityName_) record[kLocationCityName] = *cityName_;
  post(kGetLocationInfo, record);
}

void PhoneData::takeChosenCity() {
  auto& store = defaults();
  if (!store.hasObjectForKey(kChosenCityFlagKey) || store.integerForKey(kChosenCityFlagKey) == 0) {
    cityID_ = "";
    cityName_ = "";
    return;
  }
  if (!store.hasObjectForKey(kChosenCityIDKey) || !store.hasObjectForKey(kChosenCityNameKey)) {
    if (!store.hasObjectForKey(kChosenCityIDKey)) store.setString(kChosenCityIDKey, kDefaultChosenCityID);
    if (!store.hasObjectForKey(kChosenCityNameKey)) store.setString(kChosenCityNameKey, kDefaultChosenCityName);
    store.synchronize();
  }
  cityID_ = store.stringForKey(kChosenCityIDKey).value_or("");
  cityName_ = store.stringForKey(kChosenCityNameKey).value_or("");
}

}  // namespace vorn
