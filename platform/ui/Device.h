#pragma once
// The device: model, system version, idiom and physical orientation; all
// settable by tests and the command line.
#include <string>

namespace platform {

enum class DeviceOrientation { Unknown = 0, Portrait = 1, PortraitUpsideDown = 2, LandscapeLeft = 3,
                               LandscapeRight = 4, FaceUp = 5, FaceDown = 6 };
enum class UserInterfaceIdiom { Phone = 0, Pad = 1 };

inline constexpr char kDeviceOrientationDidChangeNotification[] = "UIDeviceOrientationDidChangeNotification";

class Device {
 public:
  static Device& currentDevice();

  std::string systemName() const { return "iPhone OS"; }
  const std::string& systemVersion() const { return systemVersion_; }
  // "iPhone", "iPod touch" or "iPad".
  const std::string& model() const { return model_; }
  std::string localizedModel() const { return model_; }
  const std::string& name() const { return name_; }
  UserInterfaceIdiom userInterfaceIdiom() const {
    return model_ == "iPad" ? UserInterfaceIdiom::Pad : UserInterfaceIdiom::Phone;
  }
  DeviceOrientation orientation() const { return orientation_; }
  // A stable per-installation identifier.
  const std::string& identifierForVendor() const { return vendorId_; }

  void setSystemVersion(const std::string& v) { systemVersion_ = v; }
  void setModel(const std::string& m) { model_ = m; }
  void setName(const std::string& n) { name_ = n; }
  void setIdentifierForVendor(const std::string& id) { vendorId_ = id; }
  // Turns the device: posts the orientation notification and lets the
  // interface follow when the front screen allows it.
  void setOrientation(DeviceOrientation o);
  void reset();

 private:
  std::string systemVersion_ = "8.4";
  std::string model_ = "iPhone";
  std::string name_ = "iPhone";
  std::string vendorId_ = "6B29FC40-CA47-1067-B31D-00DD010662DA";
  DeviceOrientation orientation_ = DeviceOrientation::Portrait;
};

}  // namespace platform
