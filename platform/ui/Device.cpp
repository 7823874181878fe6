#include "platform/ui/Device.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/ViewController.h"

namespace platform {

Device& Device::currentDevice() {
  static Device device;
  return device;
}

void Device::setOrientation(DeviceOrientation o) {
  if (o == orientation_) return;
  orientation_ = o;
  NotificationCenter::defaultCenter().post(kDeviceOrientationDidChangeNotification);
  ViewController::attemptRotationToDeviceOrientation();
}

void Device::reset() { *this = Device(); }

}  // namespace platform
