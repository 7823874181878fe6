#pragma once
// The device's position. A location manager is told what accuracy it wants and
// is started and stopped; its delegate hears, on the main loop, of fixes, of
// failures (kLocationErrorLocationUnknown, kLocationErrorDenied) and of changes of
// the authorisation. The delegate also hears the current authorisation once,
// soon after it is set, as the platform does.
//
// The device itself is process-wide and set by tests, the driver or the command
// line: its position (the next answer for every manager that is updating now and
// for every later start), whether location services are on, the authorisation, and
// what the person answers when asked for permission. Starting while the
// authorisation is not determined asks the person. Main thread only.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

inline constexpr int kLocationErrorLocationUnknown = 0;
inline constexpr int kLocationErrorDenied = 1;
inline constexpr char kLocationErrorDomain[] = "kCLErrorDomain";
inline constexpr double kLocationAccuracyBest = -1.0;
inline constexpr double kLocationAccuracyHundredMeters = 100.0;

// Authorisation values.
inline constexpr int kLocationStatusNotDetermined = 0;
inline constexpr int kLocationStatusRestricted = 1;
inline constexpr int kLocationStatusDenied = 2;
inline constexpr int kLocationStatusAuthorizedAlways = 3;
inline constexpr int kLocationStatusAuthorizedWhenInUse = 4;

struct Location {
  double latitude = 0;
  double longitude = 0;
  double horizontalAccuracy = 5;  // metres
  double timestamp = 0;           // seconds since 1970 on the main loop's clock
};

struct LocationError {
  int code = kLocationErrorLocationUnknown;
  std::string domain = kLocationErrorDomain;
};

class LocationManager;

class LocationManagerDelegate {
 public:
  virtual ~LocationManagerDelegate() = default;
  virtual void didUpdateLocations(LocationManager& /*manager*/, const std::vector<Location>& /*locations*/) {}
  virtual void didFailWithError(LocationManager& /*manager*/, const LocationError& /*error*/) {}
  virtual void didChangeAuthorizationStatus(LocationManager& /*manager*/, int /*status*/) {}
};

class LocationManager : public std::enable_shared_from_this<LocationManager> {
 public:
  static std::shared_ptr<LocationManager> create();

  static bool locationServicesEnabled();
  // Denied while location services are off.
  static int authorizationStatus();

  void setDelegate(std::weak_ptr<LocationManagerDelegate> delegate);
  void requestWhenInUseAuthorization();
  void requestAlwaysAuthorization();
  void setDesiredAccuracy(double metres);
  double desiredAccuracy() const { return desiredAccuracy_; }
  void startUpdatingLocation();
  void stopUpdatingLocation();
  bool isUpdating() const { return updating_; }
  // The latest fix this manager delivered.
  std::optional<Location> location() const { return location_; }
  const ServiceCalls& calls() const { return calls_; }

  // The device (tests, the driver, the command line).
  static void setDevicePosition(double latitude, double longitude);
  static void clearDevicePosition();
  static std::optional<Location> devicePosition();
  // Off: every manager that is updating fails with kLocationErrorDenied.
  static void setLocationServicesEnabled(bool enabled);
  // Denied or restricted: every manager that is updating fails with kLocationErrorDenied.
  static void setAuthorizationStatus(int status);
  // What the person answers when asked (authorised when in use unless set).
  static void setAuthorizationAnswer(int status);
  // A failure for every manager that is updating now (for example "location unknown").
  static void deliverError(int code);
  // Services on, nothing determined, no position, no managers.
  static void resetAll();

 private:
  LocationManager() = default;
  void askPerson();
  void answerStart();  // what a manager that is updating hears now
  void reportFix(const Location& fix);
  void reportError(int code);
  void reportStatus(int status);

  std::weak_ptr<LocationManagerDelegate> delegate_;
  double desiredAccuracy_ = kLocationAccuracyHundredMeters;
  bool updating_ = false;
  std::optional<Location> location_;
  ServiceCalls calls_;
};

}  // namespace platform::services
