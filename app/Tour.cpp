#include "app/Tour.h"

#include <ostream>

#include "app/DesktopWindow.h"
#include "app/Script.h"
#include "app/ScriptRunner.h"
#include "app/Session.h"
#include "platform/foundation/Files.h"

namespace vorn::shell {

namespace {
// The screens a visitor sees, in order; each ends with a screenshot.
constexpr const char* kTourScript = R"(launch
wait 6
settle
screenshot "01-launch.png"
)";
}  // namespace

int runTour(Session& session, const std::string& folder, std::ostream& out, std::ostream& err) {
  if (!platform::createDirectory(folder)) {
    err << "cannot write the tour into " << folder << "\n";
    return kScriptUnreadable;
  }
  ScriptRunner runner(session, out, err, folder);
  int status = runner.run(parseScript(kTourScript));
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
