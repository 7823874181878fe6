#pragma once
// Dotted version numbers ("5.2.1") compared component by component as integers;
// a missing component counts 0 ("5.2" equals "5.2.0") and a component that is
// not a number counts its leading digits (none: 0).
#include <string_view>

namespace vorn {

// <0, 0 or >0 as `a` is older than, the same as or newer than `b`.
int compareVersions(std::string_view a, std::string_view b);
// Whether the portal's version is strictly newer than the installed one.
inline bool isNewerVersion(std::string_view portal, std::string_view installed) {
  return compareVersions(portal, installed) > 0;
}

}  // namespace vorn
