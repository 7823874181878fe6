#include "platform/services/Camera.h"

namespace platform::services {

Camera& Camera::shared() {
  static Camera instance;
  return instance;
}

bool Camera::isAvailable() const {
  std::lock_guard lock(mutex_);
  return available_;
}

int Camera::captureAuthorizationStatus() const {
  std::lock_guard lock(mutex_);
  return status_;
}

void Camera::setAvailable(bool available) {
  std::lock_guard lock(mutex_);
  available_ = available;
}

bool Camera::setCaptureAuthorizationStatus(int status) {
  if (status < kCaptureNotDetermined || status > kCaptureAuthorized) return false;
  std::lock_guard lock(mutex_);
  status_ = status;
  return true;
}

void Camera::reset() {
  std::lock_guard lock(mutex_);
  available_ = true;
  status_ = kCaptureAuthorized;
}

}  // namespace platform::services
