#include "app/Shell.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "app/Script.h"
#include "app/ScriptRunner.h"
#include "app/Session.h"
#include "app/ShellOptions.h"
#include "app/Tour.h"

namespace vorn::shell {

namespace {
int runScriptFile(Session& session, const std::string& file) {
  std::ifstream in(file);
  if (!in) {
    std::cerr << "cannot read script " << file << "\n";
    return kScriptUnreadable;
  }
  std::stringstream text;
  text << in.rdbuf();
  ScriptRunner runner(session, std::cout, std::cerr);
  return runner.run(parseScript(text.str()));
}
}  // namespace

int main(int argc, char** argv) {
  auto parsed = parseOptions(argc, argv);
  if (parsed.help) {
    std::cout << usage();
    return 0;
  }
  if (!parsed.options) {
    std::cerr << "vorn: " << parsed.error << "\n" << usage();
    return kScriptUnreadable;
  }
  Session session(*parsed.options);
  std::string error;
  if (!session.prepare(&error)) {
    std::cerr << "vorn: " << error << "\n";
    return kScriptUnreadable;
  }
  switch (parsed.options->mode) {
    case RunMode::Script: return runScriptFile(session, parsed.options->target);
    case RunMode::Tour: return runTour(session, parsed.options->target, std::cout, std::cerr);
    case RunMode::Window: return runWindow(session, std::cerr);
  }
  return 0;
}

}  // namespace vorn::shell
