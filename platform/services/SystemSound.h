#pragma once
// System sounds: a sound is created from a sound file and played as an alert;
// the reserved sound id 4095 vibrates the device instead. Nothing is audible on
// the desktop: every play is recorded ("sound" with its file, or "vibrate").
// The device's own interface sounds live under kSystemSoundsFolder; they exist
// unless a test takes them away, so creating one of them succeeds without a file.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

using SystemSoundId = std::uint32_t;

inline constexpr SystemSoundId kSystemSoundVibrate = 4095;
inline constexpr char kSystemSoundsFolder[] = "/System/Library/Audio/UISounds/";

class SystemSound {
 public:
  static SystemSound& shared();

  // A sound for the file; nullopt when it is neither an interface sound of the
  // device nor a readable regular file.
  std::optional<SystemSoundId> createSound(const std::string& path);
  void playAlertSound(SystemSoundId id);
  void playSound(SystemSoundId id);

  // What was played, in order: the sound's file path, or "vibrate".
  std::vector<std::string> played() const { return played_; }
  void setInterfaceSoundsAvailable(bool available) { interfaceSounds_ = available; }
  const ServiceCalls& calls() const { return calls_; }
  void reset();

 private:
  SystemSound() = default;
  void play(SystemSoundId id, const char* operation);

  bool interfaceSounds_ = true;
  SystemSoundId nextId_ = 8000;
  std::map<SystemSoundId, std::string> sounds_;
  std::vector<std::string> played_;
  ServiceCalls calls_;
};

inline constexpr char kPlayedVibrate[] = "vibrate";

}  // namespace platform::services
