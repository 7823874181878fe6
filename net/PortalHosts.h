#pragma once
// The portal's host roles and the base address each one answers at. The command
// line sets them (one address for all, or one per role); tests point every role
// at the demo portal. A base address is "scheme://host[:port]", without a path.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

enum class PortalHost {
  CarData,    // car database, versions, adverts, forum list
  MobileWeb,  // news, articles and the member cookies of web pages
  Forum,      // the forum and the API client's base address
  Member,     // member centre, messages
  Comment,    // comments on pictures
  NewCar,     // the cache stamp
  Dealer,     // dealers and price inquiries
};

inline constexpr std::size_t kPortalHostCount = 7;

class PortalHosts {
 public:
  // The base address of a role, without a trailing "/".
  static std::string baseUrl(PortalHost role);
  // baseUrl(role) followed by `path` (which starts with "/").
  static std::string url(PortalHost role, std::string_view path);
  // The address of a path whose "%@" stands for an identifier, which may come
  // from outside: it enters escaped as a query component.
  static std::string urlWithId(PortalHost role, std::string_view pathFormat, std::string_view id);

  static void setBaseUrl(PortalHost role, std::string_view base);
  // Points every role at one address (the demo portal, or --portal URL).
  static void setAllBaseUrls(std::string_view base);

  // Role names as the command line spells them: "cardata", "mobileweb", "forum",
  // "member", "comment", "newcar", "dealer".
  static std::string_view roleName(PortalHost role);
  static std::optional<PortalHost> roleNamed(std::string_view name);

  // Whether an address belongs to one of the roles' hosts (same scheme, host and
  // port): only such addresses may carry the signed-in user's cookie.
  static bool isPortalUrl(std::string_view url);
};

}  // namespace vorn
