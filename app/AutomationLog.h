#pragma once
// The outputs of a scripted run: JSON lines of every request sent, notice
// shown, analytics event and address handed to the system, in the order they
// happened, each stamped with virtual seconds since launch.
#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

namespace vorn::shell {

class JsonLines {
 public:
  // Opens (truncates) `path`; an empty path keeps lines in memory only.
  explicit JsonLines(const std::string& path = {});
  void append(const platform::Value& line);
  const std::vector<platform::Value>& lines() const { return lines_; }

 private:
  std::ofstream out_;
  std::vector<platform::Value> lines_;
};

class AutomationLog {
 public:
  // Writes requests.jsonl, notices.jsonl and opened-urls.jsonl under `outDir`
  // and starts listening to the HTTP layer and the application.
  explicit AutomationLog(const std::string& outDir);
  ~AutomationLog();

  void setLaunchTime(double epochSeconds) { launchTime_ = epochSeconds; }
  double elapsed() const;

  void notice(platform::Value line);  // "kind", "title", "message", "buttons", "tag"
  const JsonLines& requests() const { return requests_; }
  const JsonLines& notices() const { return notices_; }
  const JsonLines& openedUrls() const { return opened_; }

 private:
  double launchTime_;
  JsonLines requests_;
  JsonLines notices_;
  JsonLines opened_;
};

// The address with the values of secret parameters (passwords, tokens) as "***".
std::string maskSecrets(const std::string& url);

}  // namespace vorn::shell
