#include "app/Session.h"

#include <cstdlib>
#include <filesystem>

#include "application/VornAppDelegate.h"
#include "net/PortalHosts.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"
#include "portal/DemoPortal.h"

namespace vorn::shell {

namespace {
// The time zone an ISO 8601 offset stands for: China's own zone for +08:00.
std::string zoneForOffset(const std::string& iso) {
  if (iso.size() >= 6) {
    std::string tail = iso.substr(iso.size() - 6);
    if (tail == "+08:00") return platform::kDefaultTimeZone;
    if ((tail[0] == '+' || tail[0] == '-') && tail[3] == ':') return "GMT" + tail;
  }
  if (!iso.empty() && (iso.back() == 'Z')) return "UTC";
  return platform::kDefaultTimeZone;
}

std::string makeTemporaryHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorn-home-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return {};
  return pattern;
}
}  // namespace

Session::Session(ShellOptions options) : options_(std::move(options)) {}

Session::~Session() {
  // The analytics log lives in the home folder; the run's outputs get a copy.
  if (!outDir_.empty()) {
    auto events = platform::readFile(platform::services::UsageAnalytics::shared().logPath());
    platform::writeFileAtomically(platform::joinPath(outDir_, "analytics.jsonl"),
                                  events ? *events : platform::Bytes());
  }
  log_.reset();
  if (portal_) portal_->stop();
  if (temporaryHome_) std::filesystem::remove_all(home_);
}

bool Session::prepare(std::string* error) {
  auto& loop = platform::RunLoop::main();
  loop.adoptCurrentThread();

  home_ = options_.home;
  if (home_.empty()) {
    home_ = makeTemporaryHome();
    temporaryHome_ = true;
  }
  if (home_.empty() || !platform::setHomeDirectory(home_)) {
    *error = "cannot use home folder " + home_;
    return false;
  }
  // Before anything writes: what an atomic write killed midway left behind.
  platform::removeAtomicWriteLeftovers(home_);
  platform::UserDefaults::standardUserDefaults().load();

  // Scripts and the tour run on the virtual clock; the window on real time.
  if (options_.mode != RunMode::Window) {
    double start = options_.now ? *platform::parseIso8601(*options_.now) : loop.now();
    loop.useVirtualClock(start);
  }
  platform::setTimeZone(options_.now ? zoneForOffset(*options_.now) : platform::kDefaultTimeZone);

  platform::Screen::mainScreen().setHeight(options_.device);
  platform::Device::currentDevice().setSystemVersion(options_.os);
  platform::Device::currentDevice().setModel(options_.model);

  if (options_.portal.empty() && options_.roles.empty()) {
    portal_ = std::make_unique<vorn::portal::DemoPortal>();
    if (!portal_->start()) {
      *error = "the demo portal cannot start";
      return false;
    }
    PortalHosts::setAllBaseUrls(portal_->baseUrl());
  } else {
    if (!options_.portal.empty()) PortalHosts::setAllBaseUrls(options_.portal);
    for (const auto& [name, url] : options_.roles)
      if (auto role = PortalHosts::roleNamed(name)) PortalHosts::setBaseUrl(*role, url);
  }

  std::string out = options_.out.empty() ? std::string(".") : options_.out;
  if (!platform::createDirectory(out)) {
    *error = "cannot write to " + out;
    return false;
  }
  log_ = std::make_unique<AutomationLog>(out);
  outDir_ = out;
  return true;
}

bool Session::launch(const platform::Value& launchOptions) {
  auto& app = platform::Application::sharedApplication();
  log_->setLaunchTime(platform::currentTime());
  platform::services::UsageAnalytics::shared().setTimeOrigin(platform::currentTime());
  app.setDelegate(VornAppDelegate::shared());
  launched_ = app.launch(launchOptions.is_object() ? launchOptions : platform::Value());
  return launched_;
}

}  // namespace vorn::shell
