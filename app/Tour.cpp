#include "app/Tour.h"

#include <ostream>

#include "app/DesktopWindow.h"
#include "app/Script.h"
#include "app/ScriptRunner.h"
#include "app/Session.h"
#include "core/AppDelegate.h"
#include "platform/foundation/Files.h"

namespace vorn::shell {

namespace {
// The screens a visitor sees, in order; each ends with a screenshot. The
// visitor has chosen a city and seen this version's guide before, so the launch
// runs its full course: the launch picture, the advert after its 2.0 s wait (the
// demo portal's advert is fetched meanwhile), the slides, then the home container.
std::string tourScript() {
  return "defaults-set flag \"1\"\n"
         "defaults-set feature" + AppDelegate::getCurrentVersion() + " \"Done\"\n"
         "launch\n"
         "wait 0.5\n"
         "screenshot \"01-launch-picture.png\"\n"
         "wait 2.5\n"
         "screenshot \"02-launch-advert.png\"\n"
         "wait 4\n"
         "settle\n"
         "expect-screen RootViewController\n"
         "screenshot \"03-home.png\"\n";
}
}  // namespace

int runTour(Session& session, const std::string& folder, std::ostream& out, std::ostream& err) {
  if (!platform::createDirectory(folder)) {
    err << "cannot write the tour into " << folder << "\n";
    return kScriptUnreadable;
  }
  ScriptRunner runner(session, out, err, folder);
  int status = runner.run(parseScript(tourScript()));
  if (status == kScriptDone) out << "tour: pictures in " << folder << "\n";
  return status;
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
