#pragma once
// The remote-notification service client. The application sets it up with its
// launch options, asks it to register for notification types, hands it the device
// token and every received payload, addresses the device by an alias with tags,
// and keeps its badge. Once set up, the client logs in to its network and posts
// kPushServiceNetworkDidLoginNotification on the main loop (again for each later
// login the driver or a test delivers).
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

inline constexpr char kPushServiceNetworkDidLoginNotification[] = "PushServiceNetworkDidLoginNotification";

// Notification types, combined as a mask.
inline constexpr int kPushTypeBadge = 1;
inline constexpr int kPushTypeSound = 2;
inline constexpr int kPushTypeAlert = 4;

class PushService {
 public:
  // Answer of an alias/tags request: result code (0 = accepted), the tags and alias set.
  using TagsAliasCallback = std::function<void(int code, const std::set<std::string>& tags, const std::string& alias)>;

  static PushService& shared();

  void setupWithOption(const Value& launchOptions);
  void setLogEnabled(bool enabled);
  void registerForRemoteNotificationTypes(int typeMask, const Value& categories = Value());
  void registerDeviceToken(const Bytes& token);
  void handleRemoteNotification(const Value& payload);
  // The alias addresses this device ("" = none). The answer, when asked for,
  // comes on the main loop.
  void setTags(const std::set<std::string>& tags, const std::string& alias, TagsAliasCallback callback = {});
  // The server-side badge; a negative value is refused (false) and changes nothing.
  bool setBadge(int value);
  void resetBadge();

  bool isSetUp() const;
  bool logEnabled() const;
  Value launchOptions() const;
  int registeredTypes() const;
  Bytes deviceToken() const;
  std::optional<std::string> alias() const;  // nullopt until an alias was set
  std::set<std::string> tags() const;
  int badge() const;
  std::vector<Value> receivedNotifications() const;
  const ServiceCalls& calls() const { return calls_; }

  // Posts the network-login notice on the main loop (a reconnection).
  void deliverNetworkLogin();
  void reset();

 private:
  PushService() = default;

  mutable std::mutex mutex_;
  bool setUp_ = false;
  bool logEnabled_ = true;
  Value launchOptions_;
  int types_ = 0;
  Bytes token_;
  std::optional<std::string> alias_;
  std::set<std::string> tags_;
  int badge_ = 0;
  std::vector<Value> received_;
  ServiceCalls calls_;
};

}  // namespace platform::services
