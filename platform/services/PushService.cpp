#include "platform/services/PushService.h"

#include <cstdio>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"

namespace platform::services {

namespace {
std::string hexOf(const Bytes& bytes) {
  std::string out;
  char buf[3];
  for (auto b : bytes) {
    std::snprintf(buf, sizeof buf, "%02x", b);
    out += buf;
  }
  return out;
}

Value tagList(const std::set<std::string>& tags) {
  Value list = Value::array();
  for (const auto& t : tags) list.push_back(t);
  return list;
}
}  // namespace

PushService& PushService::shared() {
  static PushService instance;
  return instance;
}

void PushService::setupWithOption(const Value& launchOptions) {
  {
    std::lock_guard lock(mutex_);
    setUp_ = true;
    launchOptions_ = launchOptions;
  }
  calls_.record("setup", Value{{"launchOptions", launchOptions}});
  deliverNetworkLogin();
}

void PushService::setLogEnabled(bool enabled) {
  {
    std::lock_guard lock(mutex_);
    logEnabled_ = enabled;
  }
  calls_.record("setLogEnabled", Value{{"enabled", enabled}});
}

void PushService::registerForRemoteNotificationTypes(int typeMask, const Value& categories) {
  {
    std::lock_guard lock(mutex_);
    types_ = typeMask;
  }
  calls_.record("registerForRemoteNotificationTypes", Value{{"types", typeMask}, {"categories", categories}});
}

void PushService::registerDeviceToken(const Bytes& token) {
  {
    std::lock_guard lock(mutex_);
    token_ = token;
  }
  calls_.record("registerDeviceToken", Value{{"token", hexOf(token)}});
}

void PushService::handleRemoteNotification(const Value& payload) {
  {
    std::lock_guard lock(mutex_);
    received_.push_back(payload);
  }
  calls_.record("handleRemoteNotification", Value{{"payload", payload}});
}

void PushService::setTags(const std::set<std::string>& tags, const std::string& alias, TagsAliasCallback callback) {
  {
    std::lock_guard lock(mutex_);
    tags_ = tags;
    alias_ = alias;
  }
  calls_.record("setTags", Value{{"tags", tagList(tags)}, {"alias", alias}});
  if (callback) {
    dispatchMain([callback = std::move(callback), tags, alias] { callback(0, tags, alias); });
  }
}

bool PushService::setBadge(int value) {
  calls_.record("setBadge", Value{{"badge", value}});
  if (value < 0) return false;
  std::lock_guard lock(mutex_);
  badge_ = value;
  return true;
}

void PushService::resetBadge() { setBadge(0); }

bool PushService::isSetUp() const {
  std::lock_guard lock(mutex_);
  return setUp_;
}
bool PushService::logEnabled() const {
  std::lock_guard lock(mutex_);
  return logEnabled_;
}
Value PushService::launchOptions() const {
  std::lock_guard lock(mutex_);
  return launchOptions_;
}
int PushService::registeredTypes() const {
  std::lock_guard lock(mutex_);
  return types_;
}
Bytes PushService::deviceToken() const {
  std::lock_guard lock(mutex_);
  return token_;
}
std::optional<std::string> PushService::alias() const {
  std::lock_guard lock(mutex_);
  return alias_;
}
std::set<std::string> PushService::tags() const {
  std::lock_guard lock(mutex_);
  return tags_;
}
int PushService::badge() const {
  std::lock_guard lock(mutex_);
  return badge_;
}
std::vector<Value> PushService::receivedNotifications() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void PushService::deliverNetworkLogin() {
  dispatchMain([] { NotificationCenter::defaultCenter().post(kPushServiceNetworkDidLoginNotification); });
}

void PushService::reset() {
  {
    std::lock_guard lock(mutex_);
    setUp_ = false;
    logEnabled_ = true;
    launchOptions_ = Value();
    types_ = 0;
    token_.clear();
    alias_.reset();
    tags_.clear();
    badge_ = 0;
    received_.clear();
  }
  calls_.clear();
}

}  // namespace platform::services
