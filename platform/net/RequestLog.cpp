#include "platform/net/RequestLog.h"

#include <memory>
#include <mutex>

#include "platform/foundation/RunLoop.h"

namespace platform::net {
namespace {

std::mutex& loggerMutex() {
  static std::mutex m;
  return m;
}

std::shared_ptr<RequestLogger>& loggerSlot() {
  static std::shared_ptr<RequestLogger> slot;
  return slot;
}

std::shared_ptr<RequestLogger> currentLogger() {
  std::lock_guard lock(loggerMutex());
  return loggerSlot();
}

}  // namespace

void setRequestLogger(RequestLogger logger) {
  std::lock_guard lock(loggerMutex());
  loggerSlot() = logger ? std::make_shared<RequestLogger>(std::move(logger)) : nullptr;
}

void logSentRequest(SentRequest request) {
  if (RunLoop::main().isMainThread()) {
    if (auto logger = currentLogger()) (*logger)(request);
    return;
  }
  dispatchMain([request = std::move(request)] {
    if (auto logger = currentLogger()) (*logger)(request);
  });
}

}  // namespace platform::net
