#include "platform/services/LocationManager.h"

#include <functional>

#include "platform/foundation/RunLoop.h"

namespace platform::services {

namespace {

struct Device {
  bool servicesEnabled = true;
  int status = kLocationStatusNotDetermined;
  int answer = kLocationStatusAuthorizedWhenInUse;
  std::optional<Location> position;
  std::vector<std::weak_ptr<LocationManager>> managers;
};

Device& device() {
  static Device d;
  return d;
}

bool authorised(int status) {
  return status == kLocationStatusAuthorizedAlways || status == kLocationStatusAuthorizedWhenInUse;
}

// Every manager still alive; forgets the gone ones.
std::vector<std::shared_ptr<LocationManager>> liveManagers() {
  std::vector<std::shared_ptr<LocationManager>> out;
  auto& list = device().managers;
  std::vector<std::weak_ptr<LocationManager>> kept;
  for (auto& weak : list) {
    if (auto m = weak.lock()) {
      out.push_back(m);
      kept.push_back(weak);
    }
  }
  list = std::move(kept);
  return out;
}

void tellEveryManager(const std::function<void(LocationManager&)>& tell) {
  for (auto& m : liveManagers()) tell(*m);
}

}  // namespace

std::shared_ptr<LocationManager> LocationManager::create() {
  std::shared_ptr<LocationManager> m(new LocationManager());
  device().managers.push_back(m);
  return m;
}

bool LocationManager::locationServicesEnabled() { return device().servicesEnabled; }

int LocationManager::authorizationStatus() {
  return device().servicesEnabled ? device().status : kLocationStatusDenied;
}

void LocationManager::setDelegate(std::weak_ptr<LocationManagerDelegate> delegate) {
  delegate_ = std::move(delegate);
  calls_.record("setDelegate");
  reportStatus(authorizationStatus());
}

void LocationManager::requestWhenInUseAuthorization() {
  calls_.record("requestWhenInUseAuthorization");
  askPerson();
}

void LocationManager::requestAlwaysAuthorization() {
  calls_.record("requestAlwaysAuthorization");
  askPerson();
}

void LocationManager::askPerson() {
  if (!device().servicesEnabled || device().status != kLocationStatusNotDetermined) return;
  setAuthorizationStatus(device().answer);
}

void LocationManager::setDesiredAccuracy(double metres) {
  desiredAccuracy_ = metres;
  calls_.record("setDesiredAccuracy", Value{{"accuracy", metres}});
}

void LocationManager::startUpdatingLocation() {
  calls_.record("startUpdatingLocation");
  updating_ = true;
  if (device().servicesEnabled && device().status == kLocationStatusNotDetermined) {
    askPerson();  // the answer reaches this manager too
    return;
  }
  answerStart();
}

void LocationManager::stopUpdatingLocation() {
  calls_.record("stopUpdatingLocation");
  updating_ = false;
}

void LocationManager::answerStart() {
  if (!updating_) return;
  int status = authorizationStatus();
  if (status == kLocationStatusDenied || status == kLocationStatusRestricted) {
    reportError(kLocationErrorDenied);
  } else if (authorised(status) && device().position) {
    reportFix(*device().position);
  }
}

void LocationManager::reportFix(const Location& fix) {
  std::weak_ptr<LocationManager> weak = weak_from_this();
  dispatchMain([weak, fix] {
    auto self = weak.lock();
    // A manager stopped before the fix arrives hears nothing of it.
    if (!self || !self->updating_) return;
    Location stamped = fix;
    stamped.timestamp = currentTime();
    self->location_ = stamped;
    if (auto d = self->delegate_.lock()) d->didUpdateLocations(*self, {stamped});
  });
}

void LocationManager::reportError(int code) {
  std::weak_ptr<LocationManager> weak = weak_from_this();
  dispatchMain([weak, code] {
    auto self = weak.lock();
    if (!self || !self->updating_) return;
    if (auto d = self->delegate_.lock()) d->didFailWithError(*self, LocationError{code, kLocationErrorDomain});
  });
}

void LocationManager::reportStatus(int status) {
  std::weak_ptr<LocationManager> weak = weak_from_this();
  dispatchMain([weak, status] {
    auto self = weak.lock();
    if (!self) return;
    if (auto d = self->delegate_.lock()) d->didChangeAuthorizationStatus(*self, status);
  });
}

void LocationManager::setDevicePosition(double latitude, double longitude) {
  Location fix;
  fix.latitude = latitude;
  fix.longitude = longitude;
  device().position = fix;
  tellEveryManager([&](LocationManager& m) {
    if (m.updating_ && authorised(authorizationStatus())) m.reportFix(fix);
  });
}

void LocationManager::clearDevicePosition() { device().position.reset(); }

std::optional<Location> LocationManager::devicePosition() { return device().position; }

void LocationManager::setLocationServicesEnabled(bool enabled) {
  if (device().servicesEnabled == enabled) return;
  int before = authorizationStatus();
  device().servicesEnabled = enabled;
  int after = authorizationStatus();
  tellEveryManager([&](LocationManager& m) {
    if (after != before) m.reportStatus(after);
    m.answerStart();
  });
}

void LocationManager::setAuthorizationStatus(int status) {
  int before = authorizationStatus();
  device().status = status;
  int after = authorizationStatus();
  tellEveryManager([&](LocationManager& m) {
    if (after == before) return;
    m.reportStatus(after);
    m.answerStart();
  });
}

void LocationManager::setAuthorizationAnswer(int status) { device().answer = status; }

void LocationManager::deliverError(int code) {
  tellEveryManager([&](LocationManager& m) {
    if (m.updating_) m.reportError(code);
  });
}

void LocationManager::resetAll() { device() = Device{}; }

}  // namespace platform::services
