#pragma once
// The parts of an absolute http(s) address that the layer needs: host for
// cookies and reachability, path for cancel-by-path and cookie paths.
#include <optional>
#include <string>

namespace platform::net {

struct HttpUrl {
  std::string scheme;  // lower case
  std::string host;    // lower case, without brackets
  int port = 0;        // the default port of the scheme when none is given
  std::string path;    // "/" when empty
  std::string query;   // without "?", "" when none

  // nullopt for anything that is not an absolute address with a host.
  static std::optional<HttpUrl> parse(const std::string& text);
  // `reference` resolved against `base` (an absolute reference stays as it is).
  static std::string resolve(const std::string& base, const std::string& reference);
};

bool isLoopbackHost(const std::string& host);

}  // namespace platform::net
