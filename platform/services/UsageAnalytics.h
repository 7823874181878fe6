#pragma once
// The usage-analytics client. It is started once at launch with the application
// key, report policy and channel; screens report named events, some with a label.
// Nothing is sent anywhere: every event is kept in memory and appended as one JSON
// line {"t", "event", "label"} to the analytics log in the home folder, t being
// seconds on the main loop's clock since the time origin (the launch).
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

inline constexpr char kAnalyticsLogFileName[] = "analytics.jsonl";

struct AnalyticsEvent {
  double t = 0;  // seconds since the time origin
  std::string event;
  std::optional<std::string> label;
};

class UsageAnalytics {
 public:
  static UsageAnalytics& shared();

  void start(const std::string& appKey, int reportPolicy, const std::string& channel);
  void event(const std::string& eventId);
  void event(const std::string& eventId, const std::string& label);

  bool isStarted() const;
  std::string appKey() const;
  int reportPolicy() const;
  std::string channel() const;
  std::vector<AnalyticsEvent> events() const;
  const ServiceCalls& calls() const { return calls_; }

  // Where the log lines go: by default kAnalyticsLogFileName in the home folder
  // (read at each event, so a changed home folder is followed); an empty path
  // keeps events in memory only.
  void setLogPath(const std::string& path);
  std::string logPath() const;
  // The moment `t` counts from (seconds since 1970 on the main loop's clock).
  // Without one, the moment of start() is taken.
  void setTimeOrigin(double secondsSince1970);

  // Forgets everything (tests start from a clean client); the log file stays.
  void reset();

 private:
  UsageAnalytics() = default;
  void record(const std::string& eventId, std::optional<std::string> label);

  mutable std::mutex mutex_;
  bool started_ = false;
  std::string appKey_;
  int reportPolicy_ = 0;
  std::string channel_;
  std::optional<double> origin_;
  std::optional<std::string> logPath_;
  std::vector<AnalyticsEvent> events_;
  ServiceCalls calls_;
};

}  // namespace platform::services
