#pragma once
// The install-attribution client, started at launch with the application id and channel.
// Only the start is ours to make: it records what it was given and answers nothing.
#include <string>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

class InstallAttribution {
 public:
  static InstallAttribution& shared();

  void startWithAppId(const std::string& appId, const std::string& channel);
  std::string appId() const { return appId_; }
  std::string channel() const { return channel_; }
  bool isStarted() const { return started_; }
  const ServiceCalls& calls() const { return calls_; }
  void reset();

 private:
  InstallAttribution() = default;
  bool started_ = false;
  std::string appId_;
  std::string channel_;
  ServiceCalls calls_;
};

}  // namespace platform::services
