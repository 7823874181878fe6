#pragma once
// The crash reporter, started at launch with its API key.
// Only the start is ours to make: it records what it was given and answers nothing.
#include <string>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

class CrashReporter {
 public:
  static CrashReporter& shared();

  void startWithApiKey(const std::string& apiKey);
  std::string apiKey() const { return apiKey_; }
  bool isStarted() const { return started_; }
  const ServiceCalls& calls() const { return calls_; }
  void reset();

 private:
  CrashReporter() = default;
  bool started_ = false;
  std::string apiKey_;
  ServiceCalls calls_;
};

}  // namespace platform::services
