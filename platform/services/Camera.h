#pragma once
// The device's camera: whether it has one ("camera none" takes it away) and the
// application's capture permission (0 not determined, 1 restricted, 2 denied,
// 3 authorised), both settable by tests and the driver.
#include <mutex>

namespace platform::services {

inline constexpr int kCaptureNotDetermined = 0;
inline constexpr int kCaptureRestricted = 1;
inline constexpr int kCaptureDenied = 2;
inline constexpr int kCaptureAuthorized = 3;

class Camera {
 public:
  static Camera& shared();

  bool isAvailable() const;
  int captureAuthorizationStatus() const;

  void setAvailable(bool available);
  // Values outside 0…3 are ignored (false).
  bool setCaptureAuthorizationStatus(int status);
  void reset();  // a camera, access authorised

 private:
  Camera() = default;
  mutable std::mutex mutex_;
  bool available_ = true;
  int status_ = kCaptureAuthorized;
};

}  // namespace platform::services
