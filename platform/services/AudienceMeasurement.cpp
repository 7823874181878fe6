#include "platform/services/AudienceMeasurement.h"

namespace platform::services {

AudienceMeasurement& AudienceMeasurement::shared() {
  static AudienceMeasurement instance;
  return instance;
}

void AudienceMeasurement::start(const std::string& appKey, const std::string& channel, const std::string& userId) {
  started_ = true;
  appKey_ = appKey;
  channel_ = channel;
  userId_ = userId;
  calls_.record("start", Value{{"appKey", appKey}, {"channel", channel}, {"userId", userId}});
}

void AudienceMeasurement::setLogEnabled(bool enabled) {
  logEnabled_ = enabled;
  calls_.record("setLogEnabled", Value{{"enabled", enabled}});
}

void AudienceMeasurement::reset() {
  started_ = false;
  appKey_.clear();
  channel_.clear();
  userId_.clear();
  logEnabled_ = false;
  calls_.clear();
}

}  // namespace platform::services
