#include "platform/services/CrashReporter.h"

namespace platform::services {

CrashReporter& CrashReporter::shared() {
  static CrashReporter instance;
  return instance;
}

void CrashReporter::startWithApiKey(const std::string& apiKey) {
  started_ = true;
  apiKey_ = apiKey;
  calls_.record("start", Value{{"apiKey", apiKey}});
}

void CrashReporter::reset() {
  started_ = false;
  apiKey_.clear();
  calls_.clear();
}

}  // namespace platform::services
