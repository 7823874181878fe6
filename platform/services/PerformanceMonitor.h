#pragma once
// The performance-monitoring agent, started at launch with the application id.
// Only the start is ours to make: it records what it was given and answers nothing.
#include <string>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

class PerformanceMonitor {
 public:
  static PerformanceMonitor& shared();

  void startWithAppId(const std::string& appId);
  std::string appId() const { return appId_; }
  bool isStarted() const { return started_; }
  const ServiceCalls& calls() const { return calls_; }
  void reset();

 private:
  PerformanceMonitor() = default;
  bool started_ = false;
  std::string appId_;
  ServiceCalls calls_;
};

}  // namespace platform::services
