#pragma once
// One run of the client from the command line: its home folder, clock, portal
// (the embedded demo portal unless addresses were given), screen and device,
// and the automation outputs.
#include <memory>
#include <string>

#include "app/AutomationLog.h"
#include "app/ShellOptions.h"
#include "platform/foundation/Value.h"

namespace vorn::portal {
class DemoPortal;
}

namespace vorn::shell {

class Session {
 public:
  explicit Session(ShellOptions options);
  ~Session();

  // Prepares everything before launch; false (with the reason) when it cannot.
  bool prepare(std::string* error);
  // application:didFinishLaunchingWithOptions: with `launchOptions`.
  bool launch(const platform::Value& launchOptions = platform::Value());
  bool isLaunched() const { return launched_; }

  const ShellOptions& options() const { return options_; }
  AutomationLog& log() { return *log_; }
  // The embedded demo portal; null when addresses were given.
  vorn::portal::DemoPortal* embeddedPortal() { return portal_.get(); }
  const std::string& home() const { return home_; }

 private:
  ShellOptions options_;
  std::string home_;
  bool temporaryHome_ = false;
  std::string outDir_;
  std::unique_ptr<vorn::portal::DemoPortal> portal_;
  std::unique_ptr<AutomationLog> log_;
  bool launched_ = false;
};

}  // namespace vorn::shell
