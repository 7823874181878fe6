#include "platform/foundation/Bundle.h"

#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"

namespace platform {

Bundle& Bundle::mainBundle() {
  static Bundle* bundle = new Bundle();
  return *bundle;
}

Value Bundle::infoDictionary() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!info_) {
    auto read = readPlistFile(platform::resourcePath(kInfoPlistFileName));
    info_ = (read && read->is_object()) ? std::move(*read) : Value::object();
  }
  return *info_;
}

Value Bundle::objectForInfoDictionaryKey(std::string_view key) {
  return valueFor(infoDictionary(), key);
}

std::string Bundle::infoText(std::string_view key) {
  Value v = objectForInfoDictionaryKey(key);
  return v.is_string() ? v.get<std::string>() : std::string();
}

std::string Bundle::resourcePath() const { return resourcesDirectory(); }

std::optional<std::string> Bundle::pathForResource(std::string_view name, std::string_view ext) const {
  std::string file(name);
  if (!ext.empty()) {
    file += '.';
    file += ext;
  }
  if (file.empty() || file.find("..") != std::string::npos) return std::nullopt;
  std::string path = platform::resourcePath(file);
  if (!isRegularFile(path)) return std::nullopt;
  return path;
}

void Bundle::reload() {
  std::lock_guard<std::mutex> lock(mutex_);
  info_.reset();
}

}  // namespace platform
