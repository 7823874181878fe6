#include "platform/services/PerformanceMonitor.h"

namespace platform::services {

PerformanceMonitor& PerformanceMonitor::shared() {
  static PerformanceMonitor instance;
  return instance;
}

void PerformanceMonitor::startWithAppId(const std::string& appId) {
  started_ = true;
  appId_ = appId;
  calls_.record("start", Value{{"appId", appId}});
}

void PerformanceMonitor::reset() {
  started_ = false;
  appId_.clear();
  calls_.clear();
}

}  // namespace platform::services
