#include "platform/services/InstallAttribution.h"

namespace platform::services {

InstallAttribution& InstallAttribution::shared() {
  static InstallAttribution instance;
  return instance;
}

void InstallAttribution::startWithAppId(const std::string& appId, const std::string& channel) {
  started_ = true;
  appId_ = appId;
  channel_ = channel;
  calls_.record("start", Value{{"appId", appId}, {"channel", channel}});
}

void InstallAttribution::reset() {
  started_ = false;
  appId_.clear();
  channel_.clear();
  calls_.clear();
}

}  // namespace platform::services
