#include "platform/services/SystemSound.h"

#include <filesystem>
#include <system_error>

namespace platform::services {

SystemSound& SystemSound::shared() {
  static SystemSound instance;
  return instance;
}

std::optional<SystemSoundId> SystemSound::createSound(const std::string& path) {
  std::error_code ec;
  bool interface = path.rfind(kSystemSoundsFolder, 0) == 0 && path.size() > sizeof(kSystemSoundsFolder) - 1;
  bool exists = (interface && interfaceSounds_) || std::filesystem::is_regular_file(path, ec);
  calls_.record("createSound", Value{{"path", path}, {"created", exists}});
  if (!exists) return std::nullopt;
  SystemSoundId id = nextId_++;
  sounds_[id] = path;
  return id;
}

void SystemSound::playAlertSound(SystemSoundId id) { play(id, "playAlertSound"); }

void SystemSound::playSound(SystemSoundId id) { play(id, "playSound"); }

void SystemSound::play(SystemSoundId id, const char* operation) {
  calls_.record(operation, Value{{"id", id}});
  if (id == kSystemSoundVibrate) {
    played_.push_back(kPlayedVibrate);
    return;
  }
  auto it = sounds_.find(id);
  if (it != sounds_.end()) played_.push_back(it->second);
}

void SystemSound::reset() {
  interfaceSounds_ = true;
  nextId_ = 8000;
  sounds_.clear();
  played_.clear();
  calls_.clear();
}

}  // namespace platform::services
