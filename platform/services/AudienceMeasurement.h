#pragma once
// The audience-measurement client, created at launch with the application key,
// the channel and an optional user id; its logging can be switched on.
// Only the start is ours to make: it records what it was given and answers nothing.
#include <string>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

class AudienceMeasurement {
 public:
  static AudienceMeasurement& shared();

  void start(const std::string& appKey, const std::string& channel, const std::string& userId = "");
  void setLogEnabled(bool enabled);
  std::string appKey() const { return appKey_; }
  std::string channel() const { return channel_; }
  std::string userId() const { return userId_; }
  bool logEnabled() const { return logEnabled_; }
  bool isStarted() const { return started_; }
  const ServiceCalls& calls() const { return calls_; }
  void reset();

 private:
  AudienceMeasurement() = default;
  bool started_ = false;
  std::string appKey_;
  std::string channel_;
  std::string userId_;
  bool logEnabled_ = false;
  ServiceCalls calls_;
};

}  // namespace platform::services
