#pragma once
// The headless tour and the desktop window.
#include <iosfwd>
#include <string>

namespace vorn::shell {

class Session;

// Launches the client on the virtual clock, visits every screen that exists and
// writes one PNG per screen into `folder`. Returns the process exit status.
int runTour(Session& session, const std::string& folder, std::ostream& out, std::ostream& err);

// Launches the client on real time in a desktop window until it is closed.
int runWindow(Session& session, std::ostream& err);

}  // namespace vorn::shell
