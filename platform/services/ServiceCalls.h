#pragma once
// What an outside-service stand-in was asked: one entry per operation, in order,
// stamped with the main loop's clock. Tests and the automation driver read it.
#include <mutex>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

namespace platform::services {

struct ServiceCall {
  double t = 0;            // seconds since 1970 on the main loop's clock
  std::string operation;   // e.g. "start", "setAlias"
  Value arguments;         // a dictionary of what was passed (null when nothing)
};

class ServiceCalls {
 public:
  void record(std::string operation, Value arguments = Value());
  std::vector<ServiceCall> all() const;
  // The calls of one operation, oldest first.
  std::vector<ServiceCall> named(const std::string& operation) const;
  // The latest call of one operation; its `operation` is empty when there was none.
  ServiceCall last(const std::string& operation) const;
  std::size_t count(const std::string& operation) const;
  void clear();

 private:
  mutable std::mutex mutex_;
  std::vector<ServiceCall> calls_;
};

}  // namespace platform::services
