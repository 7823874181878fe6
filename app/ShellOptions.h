#pragma once
// The command line of `vorn`.
#include <map>
#include <optional>
#include <string>

namespace vorn::shell {

enum class RunMode { Script, Tour, Window };

struct ShellOptions {
  std::string home;                            // "" = a fresh temporary folder
  std::string portal;                          // one address for every host role
  std::map<std::string, std::string> roles;    // role name -> address
  int device = 568;                            // screen height in points
  std::string os = "8.4";
  std::string model = "iPhone";
  std::optional<std::string> now;              // ISO 8601 with offset
  std::string out = ".";
  RunMode mode = RunMode::Window;
  std::string target;                          // the script file or the tour folder
};

struct ParsedOptions {
  std::optional<ShellOptions> options;
  std::string error;  // set when the command line is wrong
  bool help = false;
};

ParsedOptions parseOptions(int argc, const char* const* argv);
const char* usage();

}  // namespace vorn::shell
