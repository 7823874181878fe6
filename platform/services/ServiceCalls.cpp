#include "platform/services/ServiceCalls.h"

#include "platform/foundation/RunLoop.h"

namespace platform::services {

void ServiceCalls::record(std::string operation, Value arguments) {
  ServiceCall call{currentTime(), std::move(operation), std::move(arguments)};
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
}

std::vector<ServiceCall> ServiceCalls::all() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<ServiceCall> ServiceCalls::named(const std::string& operation) const {
  std::lock_guard lock(mutex_);
  std::vector<ServiceCall> out;
  for (const auto& c : calls_) {
    if (c.operation == operation) out.push_back(c);
  }
  return out;
}

ServiceCall ServiceCalls::last(const std::string& operation) const {
  std::lock_guard lock(mutex_);
  for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
    if (it->operation == operation) return *it;
  }
  return {};
}

std::size_t ServiceCalls::count(const std::string& operation) const {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const auto& c : calls_) {
    if (c.operation == operation) ++n;
  }
  return n;
}

void ServiceCalls::clear() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

}  // namespace platform::services
