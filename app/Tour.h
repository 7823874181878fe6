#pragma once
// The headless tour and the desktop window.
#include <iosfwd>
#include <string>
#include <vector>

namespace vorn::shell {

class Session;

// Launches the client on the virtual clock, visits every screen that exists and
// writes one PNG per screen into `folder`. Returns the process exit status.
// Between two screens the visitor returns to the home screen.
int runTour(Session& session, const std::string& folder, std::ostream& out, std::ostream& err);
// The names of the pictures the tour writes, in order ("04-news-article.png").
std::vector<std::string> tourPictures();

// Launches the client on real time in a desktop window until it is closed.
int runWindow(Session& session, std::ostream& err);

}  // namespace vorn::shell
