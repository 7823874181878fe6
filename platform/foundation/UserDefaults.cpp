#include "platform/foundation/UserDefaults.h"

#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/ValueCopy.h"

namespace platform {

UserDefaults& UserDefaults::standardUserDefaults() {
  static UserDefaults* defaults = [] {
    auto* d = new UserDefaults();
    d->load();
    return d;
  }();
  return *defaults;
}

std::string UserDefaults::filePath() const {
  return joinPath(preferencesDirectory(), kUserDefaultsFileName);
}

void UserDefaults::load() {
  const std::string path = filePath();
  auto stored = readPlistFile(path);
  if (!(stored && stored->is_object())) {
    stored.reset();
    // Kept for whoever wants to look at it, out of the way of the next write.
    if (fileExists(path)) moveItemAside(path, kDamagedFileSuffix);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  values_ = stored ? std::move(*stored) : Value::object();
  dirty_ = false;
}

void UserDefaults::reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  values_ = Value::object();
  dirty_ = false;
}

Value UserDefaults::objectForKey(std::string_view key) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return valueFor(values_, key);
}

bool UserDefaults::hasObjectForKey(std::string_view key) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return hasKey(values_, key);
}

std::optional<std::string> UserDefaults::stringForKey(std::string_view key) const {
  Value v = objectForKey(key);
  if (v.is_string()) return v.get<std::string>();
  if (v.is_number() || v.is_boolean()) return textOf(v);
  return std::nullopt;
}

long long UserDefaults::integerForKey(std::string_view key) const {
  Value v = objectForKey(key);
  return (v.is_string() || v.is_number() || v.is_boolean()) ? intValueOf(v) : 0;
}

double UserDefaults::doubleForKey(std::string_view key) const {
  Value v = objectForKey(key);
  return (v.is_string() || v.is_number() || v.is_boolean()) ? doubleValueOf(v) : 0.0;
}

bool UserDefaults::boolForKey(std::string_view key) const {
  Value v = objectForKey(key);
  return (v.is_string() || v.is_number() || v.is_boolean()) ? boolValueOf(v) : false;
}

std::optional<Value> UserDefaults::arrayForKey(std::string_view key) const {
  Value v = objectForKey(key);
  if (!v.is_array()) return std::nullopt;
  return v;
}

std::optional<Value> UserDefaults::dictionaryForKey(std::string_view key) const {
  Value v = objectForKey(key);
  if (!v.is_object()) return std::nullopt;
  return v;
}

std::optional<Value> UserDefaults::dataForKey(std::string_view key) const {
  Value v = objectForKey(key);
  if (!v.is_binary()) return std::nullopt;
  return v;
}

Value UserDefaults::dictionaryRepresentation() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return values_;
}

void UserDefaults::setObject(std::string_view key, const Value& value) {
  if (holdsNull(value)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  values_[std::string(key)] = value;
  dirty_ = true;
}

void UserDefaults::setString(std::string_view key, const std::string& value) {
  setObject(key, Value(value));
}
void UserDefaults::setInteger(std::string_view key, long long value) { setObject(key, Value(value)); }
void UserDefaults::setBool(std::string_view key, bool value) { setObject(key, Value(value)); }
void UserDefaults::setDouble(std::string_view key, double value) { setObject(key, Value(value)); }

void UserDefaults::removeObject(std::string_view key) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = values_.find(key);
  if (it == values_.end()) return;
  values_.erase(it);
  dirty_ = true;
}

bool UserDefaults::synchronize() {
  Value snapshot;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!dirty_) return true;
    snapshot = values_;
    dirty_ = false;
  }
  const std::string path = filePath();
  bool ok = createDirectory(preferencesDirectory()) && writePlistFile(path, snapshot);
  if (!ok) {
    std::lock_guard<std::mutex> lock(mutex_);
    dirty_ = true;
  }
  return ok;
}

}  // namespace platform
