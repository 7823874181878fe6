#pragma once
// The application bundle: its information dictionary (resources/Info.plist) and
// the paths of its resources.
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"

namespace platform {

inline constexpr char kInfoPlistFileName[] = "Info.plist";
inline constexpr char kCFBundleVersion[] = "CFBundleVersion";
inline constexpr char kCFBundleShortVersionString[] = "CFBundleShortVersionString";
inline constexpr char kCFBundleDisplayName[] = "CFBundleDisplayName";
inline constexpr char kCFBundleExecutable[] = "CFBundleExecutable";
inline constexpr char kCFBundleIdentifier[] = "CFBundleIdentifier";
inline constexpr char kCFBundleName[] = "CFBundleName";

class Bundle {
 public:
  static Bundle& mainBundle();

  // The information dictionary, read from the resources folder on first use (an
  // empty dictionary when the file is missing or malformed).
  Value infoDictionary();
  // One entry of it; null when absent.
  Value objectForInfoDictionaryKey(std::string_view key);
  // The text of one entry, "" when it is absent or not a text.
  std::string infoText(std::string_view key);
  std::string bundleVersion() { return infoText(kCFBundleVersion); }
  std::string shortVersion() { return infoText(kCFBundleShortVersionString); }
  std::string displayName() { return infoText(kCFBundleDisplayName); }
  std::string executableName() { return infoText(kCFBundleExecutable); }
  std::string bundleIdentifier() { return infoText(kCFBundleIdentifier); }

  std::string resourcePath() const;
  // resources/name.ext (ext may be empty, or given within name); nullopt when no such file.
  std::optional<std::string> pathForResource(std::string_view name, std::string_view ext = {}) const;

  // Reads the information dictionary again (after the resources folder changed).
  void reload();

 private:
  Bundle() = default;
  std::mutex mutex_;
  std::optional<Value> info_;
};

}  // namespace platform
