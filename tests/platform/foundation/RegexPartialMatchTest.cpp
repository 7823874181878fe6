#include <gtest/gtest.h>

#include "platform/foundation/Regex.h"

namespace platform {
namespace {

struct PartialCase {
  const char* pattern;
  const char* text;
  bool canMatch;
};

TEST(RegexPartialMatchTest, TextThatMoreInputCouldCompleteCanStillMatch) {
  const PartialCase cases[] = {
      {"^\\d{11}$", "", true},
      {"^\\d{11}$", "138", true},
      {"^\\d{11}$", "13800138000", true},
      {"^\\d{11}$", "138001380001", false},  // one digit too many
      {"^\\d{11}$", "13a", false},
      {"^\\d{11}$", "a", false},
      {"^\\d{6}$", "12345", true},
      {"^\\d{6}$", "123456", true},
      {"^\\d{6}$", "1234567", false},
  };
  for (const auto& c : cases) {
    auto regex = Regex::make(c.pattern);
    ASSERT_TRUE(regex) << c.pattern;
    EXPECT_EQ(regex->canMatchWithMoreText(c.text), c.canMatch) << c.pattern << " / " << c.text;
  }
}

}  // namespace
}  // namespace platform
