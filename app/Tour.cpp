#include "app/Tour.h"

#include <functional>
#include <ostream>
#include <vector>

#include "app/DesktopWindow.h"
#include "app/Script.h"
#include "app/ScriptRunner.h"
#include "app/Session.h"
#include "application/AllTourStops.h"
#include "application/VornAppDelegate.h"
#include "core/LaunchKeys.h"
#include "core/StartupPrompts.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Text.h"

namespace vorn::shell {

namespace {

constexpr char kHomeScreen[] = "RootViewController";

std::string launchScript() {
  const std::string version = AppDelegate::getCurrentVersion();
  return std::string("defaults-set ") + kCityChosenFlag + " \"1\"\n"
         "defaults-set " + platform::replaceAll(kFeatureKeyFormat, "%@", version) + " \"" + kFeatureDone + "\"\n"
         "defaults-set " + kThemeVersionKey + " \"" + platform::Bundle::mainBundle().bundleVersion() + "\"\n"
         "defaults-set " + kThemeBlackHasAlertKey + " true\n"
         "defaults-set " + kThemeNormalHasAlertKey + " true\n"
         "launch\n"
         "wait 0.5\n"
         "screenshot \"01-launch-picture.png\"\n"
         "wait 2.5\n"
         "screenshot \"02-launch-advert.png\"\n"
         "wait 4\n"
         "settle\n"
         "expect-screen " + kHomeScreen + "\n"
         "screenshot \"03-home.png\"\n";
}

std::string numbered(int n, const std::string& name) {
  return (n < 10 ? "0" : "") + std::to_string(n) + "-" + name + ".png";
}

// Waits out a push or presentation and what it loads.
constexpr char kLetItArrive[] = "wait 0.6\nsettle\n";

}  // namespace

std::vector<std::string> tourPictures() {
  std::vector<std::string> names = {"01-launch-picture.png", "02-launch-advert.png", "03-home.png"};
  int n = static_cast<int>(names.size());
  for (const auto& stop : allTourStops()) names.push_back(numbered(++n, stop.picture));
  return names;
}

int runTour(Session& session, const std::string& folder, std::ostream& out, std::ostream& err) {
  if (!platform::createDirectory(folder)) {
    err << "cannot write the tour into " << folder << "\n";
    return kScriptUnreadable;
  }
  ScriptRunner runner(session, out, err, folder);
  auto run = [&](const std::string& where, const std::string& script) {
    int status = runner.run(parseScript(script));
    if (status != kScriptDone) err << "tour: stopped at " << where << "\n";
    return status;
  };
  if (int status = run("the launch", launchScript()); status != kScriptDone) return status;

  int n = 3;
  for (const auto& stop : allTourStops()) {
    const std::string picture = numbered(++n, stop.picture);
    if (!stop.openScript.empty()) {
      if (int status = run(picture, stop.openScript); status != kScriptDone) return status;
    } else {
      stop.open();
    }
    std::string look = std::string(kLetItArrive) + "expect-screen " + stop.screen + "\nscreenshot \"" + picture + "\"\n";
    if (int status = run(picture, look); status != kScriptDone) return status;

    if (stop.leave) {
      stop.leave();
    } else if (int status = run(picture, stop.leaveScript); status != kScriptDone) {
      return status;
    }
    std::string back = std::string(kLetItArrive) + "expect-screen " + kHomeScreen + "\n";
    if (int status = run("the way back from " + picture, back); status != kScriptDone) return status;
  }
  out << "tour: " << n << " pictures in " << folder << "\n";
  return kScriptDone;
}

int runWindow(Session& session, std::ostream& err) {
  if (!desktopDisplayAvailable()) {
    err << "vorn: no display for a window; use --tour DIR or --script FILE\n";
    return kScriptUnreadable;
  }
  WindowOptions window;
  window.heightPoints = session.options().device;
  window.onOpen = [&session] { session.launch(); };
  return runDesktopWindow(window);
}

}  // namespace vorn::shell
