#pragma once
// The user defaults: small settings and state as property-list values, kept in
// one property-list file under Library/Preferences of the home folder.
//
// The file is read by load() (at start, and again by tests after they change the
// home folder). synchronize() writes the whole file atomically, and only when
// something was set or removed since the last load or write. A file that exists
// but cannot be read as a dictionary is moved aside (kDamagedFileSuffix added,
// never deleted) and the defaults start empty, so one damaged file cannot stop
// every launch.
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"

namespace platform {

inline constexpr char kUserDefaultsFileName[] = "vorn.plist";
inline constexpr char kDamagedFileSuffix[] = ".damaged";

class UserDefaults {
 public:
  static UserDefaults& standardUserDefaults();

  // Reads the file of the current home folder, replacing what is held in memory.
  void load();
  // Forgets everything in memory without touching the file (the next load reads it).
  void reset();
  // The file the defaults live in.
  std::string filePath() const;

  // The stored value (a copy); null when absent.
  Value objectForKey(std::string_view key) const;
  bool hasObjectForKey(std::string_view key) const;
  // A text as it is, a number as its decimal text; nullopt for anything else.
  std::optional<std::string> stringForKey(std::string_view key) const;
  // Numbers convert; texts give their leading number ("12abc" -> 12); else 0.
  long long integerForKey(std::string_view key) const;
  double doubleForKey(std::string_view key) const;
  // Numbers: non-zero. Texts: "YES", "true", "1"... (a leading non-zero digit or
  // Y/y/T/t, as the platform read them). Anything else: false.
  bool boolForKey(std::string_view key) const;
  // The value when it is an array / a dictionary / data; nullopt otherwise.
  std::optional<Value> arrayForKey(std::string_view key) const;
  std::optional<Value> dictionaryForKey(std::string_view key) const;
  std::optional<Value> dataForKey(std::string_view key) const;
  // Everything, as one dictionary.
  Value dictionaryRepresentation() const;

  // Stores a copy. A null value is refused (nothing changes), and so is a value
  // with a null inside it, which a property list cannot hold.
  void setObject(std::string_view key, const Value& value);
  void setString(std::string_view key, const std::string& value);
  void setInteger(std::string_view key, long long value);
  void setBool(std::string_view key, bool value);
  void setDouble(std::string_view key, double value);
  void removeObject(std::string_view key);

  // Writes the file whole and atomically when something changed. Returns false
  // when the write failed (the earlier file stays and the changes stay pending).
  bool synchronize();

 private:
  UserDefaults() = default;
  mutable std::mutex mutex_;
  Value values_ = Value::object();
  bool dirty_ = false;
};

}  // namespace platform
