#include "net/PortalHosts.h"

#include "platform/foundation/Text.h"

#include <mutex>

#include "platform/net/HttpUrl.h"

namespace vorn {
namespace {

constexpr std::array<std::string_view, kPortalHostCount> kRoleNames = {
    "cardata", "mobileweb", "forum", "member", "comment", "newcar", "dealer"};

// Until the command line or a test says otherwise, every role points at the
// loopback address where the app starts its bundled portal.
constexpr char kDefaultBase[] = "http://127.0.0.1";

struct Table {
  std::mutex mutex;
  std::array<std::string, kPortalHostCount> bases;
  Table() { bases.fill(kDefaultBase); }
};

Table& table() {
  static Table t;
  return t;
}

std::string trimmed(std::string_view base) {
  std::string text(base);
  while (!text.empty() && text.back() == '/') text.pop_back();
  return text;
}

}  // namespace

std::string PortalHosts::baseUrl(PortalHost role) {
  std::lock_guard lock(table().mutex);
  return table().bases[static_cast<std::size_t>(role)];
}

std::string PortalHosts::url(PortalHost role, std::string_view path) {
  return baseUrl(role) + std::string(path);
}

void PortalHosts::setBaseUrl(PortalHost role, std::string_view base) {
  std::lock_guard lock(table().mutex);
  table().bases[static_cast<std::size_t>(role)] = trimmed(base);
}

void PortalHosts::setAllBaseUrls(std::string_view base) {
  std::lock_guard lock(table().mutex);
  table().bases.fill(trimmed(base));
}

std::string_view PortalHosts::roleName(PortalHost role) {
  return kRoleNames[static_cast<std::size_t>(role)];
}

std::optional<PortalHost> PortalHosts::roleNamed(std::string_view name) {
  for (std::size_t i = 0; i < kRoleNames.size(); ++i)
    if (kRoleNames[i] == name) return static_cast<PortalHost>(i);
  return std::nullopt;
}

bool PortalHosts::isPortalUrl(std::string_view url) {
  const auto target = platform::net::HttpUrl::parse(std::string(url));
  if (!target) return false;
  for (std::size_t i = 0; i < kPortalHostCount; ++i) {
    const auto base = platform::net::HttpUrl::parse(baseUrl(static_cast<PortalHost>(i)));
    if (base && base->scheme == target->scheme && base->host == target->host &&
        base->port == target->port)
      return true;
  }
  return false;
}

std::string PortalHosts::urlWithId(PortalHost role, std::string_view pathFormat, std::string_view id) {
  return url(role, platform::replaceAll(std::string(pathFormat), "%@", platform::escapeQueryComponent(std::string(id))));
}

}  // namespace vorn
