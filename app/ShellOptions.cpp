#include "app/ShellOptions.h"

#include <string_view>

#include "platform/foundation/Date.h"
#include "platform/foundation/Text.h"

namespace vorn::shell {

namespace {
constexpr const char* kRoles[] = {"cardata", "mobileweb", "forum", "member", "comment", "newcar", "dealer"};

bool knownRole(std::string_view name) {
  for (const char* r : kRoles)
    if (name == r) return true;
  return false;
}
}  // namespace

const char* usage() {
  return "usage: vorn [--home DIR] [--portal URL | --portal-ROLE URL ...] [--device 480|568] [--os 8.4]\n"
         "            [--model iPhone] [--now 2026-12-10T21:30:00+08:00] [--out DIR]\n"
         "            (--script FILE | --tour DIR | --window)\n"
         "roles: cardata mobileweb forum member comment newcar dealer\n"
         "script targets: \"TEXT\" #TAG .CLASS (the front-most visible view) or @X,Y (a point);\n"
         "  visible is what a person sees: not hidden or transparent, in a shown window, inside\n"
         "  its clipping views, not covered by an opaque view or by a screen pushed over it;\n"
         "  a touch goes to the centre of the visible part, drag @X,Y presses at the point.\n"
         "  KEY (defaults, defaults-set) is a bare word or \"quoted\"; dump marks \"visible\".\n"
         "  location LAT LNG also lifts an earlier 'location denied' or 'location off'.\n";
}

ParsedOptions parseOptions(int argc, const char* const* argv) {
  ParsedOptions parsed;
  ShellOptions o;
  bool modeGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      return parsed;
    }
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    auto setMode = [&](RunMode m, bool takesValue) {
      if (modeGiven) {
        parsed.error = "choose one of --script, --tour, --window";
        return false;
      }
      modeGiven = true;
      o.mode = m;
      if (takesValue) {
        auto v = value();
        if (!v) {
          parsed.error = arg + " needs a value";
          return false;
        }
        o.target = *v;
      }
      return true;
    };
    if (arg == "--script") {
      if (!setMode(RunMode::Script, true)) return parsed;
    } else if (arg == "--tour") {
      if (!setMode(RunMode::Tour, true)) return parsed;
    } else if (arg == "--window") {
      if (!setMode(RunMode::Window, false)) return parsed;
    } else if (arg == "--home" || arg == "--portal" || arg == "--device" || arg == "--os" ||
               arg == "--model" || arg == "--now" || arg == "--out" || platform::hasPrefix(arg, "--portal-")) {
      auto v = value();
      if (!v) {
        parsed.error = arg + " needs a value";
        return parsed;
      }
      if (arg == "--home") o.home = *v;
      else if (arg == "--portal") o.portal = *v;
      else if (arg == "--os") o.os = *v;
      else if (arg == "--model") o.model = *v;
      else if (arg == "--out") o.out = *v;
      else if (arg == "--now") {
        if (!platform::parseIso8601(*v)) {
          parsed.error = "--now: not a date and time: " + *v;
          return parsed;
        }
        o.now = *v;
      } else if (arg == "--device") {
        if (*v != "480" && *v != "568") {
          parsed.error = "--device: 480 or 568";
          return parsed;
        }
        o.device = std::stoi(*v);
      } else {
        std::string role = arg.substr(9);
        if (!knownRole(role)) {
          parsed.error = "unknown host role: " + role;
          return parsed;
        }
        o.roles[role] = *v;
      }
    } else {
      parsed.error = "unknown option: " + arg;
      return parsed;
    }
  }
  parsed.options = o;
  return parsed;
}

}  // namespace vorn::shell
