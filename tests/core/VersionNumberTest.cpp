#include <gtest/gtest.h>

#include "core/VersionNumber.h"

namespace vorn {
namespace {

TEST(VersionNumber, ComparesComponentByComponentAsIntegers) {
  struct Case {
    const char* portal;
    const char* installed;
    bool newer;
  } cases[] = {
      {"5.2", "5.2.0", false},      // equal, written differently
      {"5.2.0", "5.2", false},
      {"5.2.9", "5.3", false},
      {"5.2.1", "5.2.1.9", false},  // the fourth component counts too
      {"5.2.1.9", "5.2.1", true},
      {"5.10", "5.9", true},        // not a decimal fraction
      {"5.2.10", "5.3.0", false},
      {"5.3", "5.2.9", true},
      {"6", "5.99.99", true},
      {"5.1.0", "5.1.0", false},
      {"abc", "0", false},
      {"", "5.1", false},
      {"5.1b", "5.1", false},       // leading digits of a component
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.portal) + " vs " + c.installed);
    EXPECT_EQ(isNewerVersion(c.portal, c.installed), c.newer);
  }
}

}  // namespace
}  // namespace vorn
