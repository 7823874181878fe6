#include "platform/services/UsageAnalytics.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"

namespace platform::services {

namespace {

// One write() of the whole line on a descriptor opened for appending, so a line
// is never interleaved with another or left half written by us.
bool appendLine(const std::string& path, const std::string& line) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  bool ok = true;
  while (done < line.size()) {
    ssize_t n = ::write(fd, line.data() + done, line.size() - done);
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return ok;
}

}  // namespace

UsageAnalytics& UsageAnalytics::shared() {
  static UsageAnalytics instance;
  return instance;
}

void UsageAnalytics::start(const std::string& appKey, int reportPolicy, const std::string& channel) {
  {
    std::lock_guard lock(mutex_);
    started_ = true;
    appKey_ = appKey;
    reportPolicy_ = reportPolicy;
    channel_ = channel;
    if (!origin_) origin_ = currentTime();
  }
  calls_.record("start", Value{{"appKey", appKey}, {"reportPolicy", reportPolicy}, {"channel", channel}});
}

void UsageAnalytics::event(const std::string& eventId) { record(eventId, std::nullopt); }

void UsageAnalytics::event(const std::string& eventId, const std::string& label) { record(eventId, label); }

void UsageAnalytics::record(const std::string& eventId, std::optional<std::string> label) {
  std::string path;
  AnalyticsEvent e;
  {
    std::lock_guard lock(mutex_);
    e.t = currentTime() - origin_.value_or(currentTime());
    e.event = eventId;
    e.label = std::move(label);
    events_.push_back(e);
  }
  path = logPath();
  Value args{{"event", eventId}};
  if (e.label) args["label"] = *e.label;
  calls_.record("event", args);
  if (path.empty()) return;
  Value line{{"t", e.t}, {"event", e.event}};
  if (e.label) line["label"] = *e.label;
  appendLine(path, toJson(line) + "\n");
}

bool UsageAnalytics::isStarted() const {
  std::lock_guard lock(mutex_);
  return started_;
}
std::string UsageAnalytics::appKey() const {
  std::lock_guard lock(mutex_);
  return appKey_;
}
int UsageAnalytics::reportPolicy() const {
  std::lock_guard lock(mutex_);
  return reportPolicy_;
}
std::string UsageAnalytics::channel() const {
  std::lock_guard lock(mutex_);
  return channel_;
}
std::vector<AnalyticsEvent> UsageAnalytics::events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

void UsageAnalytics::setLogPath(const std::string& path) {
  std::lock_guard lock(mutex_);
  logPath_ = path;
}
std::string UsageAnalytics::logPath() const {
  {
    std::lock_guard lock(mutex_);
    if (logPath_) return *logPath_;
  }
  return joinPath(homeDirectory(), kAnalyticsLogFileName);
}
void UsageAnalytics::setTimeOrigin(double secondsSince1970) {
  std::lock_guard lock(mutex_);
  origin_ = secondsSince1970;
}

void UsageAnalytics::reset() {
  {
    std::lock_guard lock(mutex_);
    started_ = false;
    appKey_.clear();
    reportPolicy_ = 0;
    channel_.clear();
    origin_.reset();
    logPath_.reset();
    events_.clear();
  }
  calls_.clear();
}

}  // namespace platform::services
