#pragma once
// Carries out a parsed script on the virtual clock, the way a person would use
// the phone, and checks its expectations.
#include <functional>
#include <iosfwd>
#include <string>

#include "app/Script.h"

namespace vorn::shell {

class Session;

// Exit statuses of a scripted run.
inline constexpr int kScriptDone = 0;
inline constexpr int kExpectationFailed = 1;
inline constexpr int kScriptUnreadable = 2;

class ScriptRunner {
 public:
  // Screenshots go to `screenshotDir` (the session's --out folder when empty).
  ScriptRunner(Session& session, std::ostream& out, std::ostream& err, std::string screenshotDir = {});
  // Runs every command in order; stops at the first failed expectation.
  int run(const ParsedScript& script);

 private:
  // Returns kScriptDone, or the status to stop with (after printing why).
  int execute(const Command& c);
  int fail(const Command& c, const std::string& why);
  int unusable(const Command& c, const std::string& why);
  void waitVirtual(double seconds);
  int expectRequest(const Command& c);
  // The commands that touch, type into or look at the screen.
  int driveScreen(const Command& c);
  void setNetworkStatus(int status);

  Session& session_;
  std::ostream& out_;
  std::ostream& err_;
  std::string screenshotDir_;
};

}  // namespace vorn::shell
