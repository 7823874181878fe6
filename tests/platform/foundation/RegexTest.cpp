#include <gtest/gtest.h>

#include "platform/foundation/Regex.h"

using namespace platform;

TEST(RegexTest, CjkClassMatchesWholeCharacters) {
  struct Case { const char* pattern; const char* text; bool whole; } cases[] = {
      {"[一-龥]+", "沃恩汽车", true},
      {"[一-龥]+", "沃恩汽车5", false},
      {"^[一-龥]{2,4}$", "北京", true},
      {"^[一-龥]{2,4}$", "北", false},
      {"^1[3-9][0-9]{9}$", "13812345678", true},
      {"^1[3-9][0-9]{9}$", "1381234567", false},
      {"^[A-Za-z0-9_]{6,16}$", "user_01", true},
      {".", "😀", true},  // one code point, two UTF-16 units
      {"\\d+", "１２３", true},
  };
  for (auto& c : cases) EXPECT_EQ(regexMatchesWhole(c.pattern, c.text), c.whole) << c.pattern << " " << c.text;
}

TEST(RegexTest, MatchesReportUtf16RangesAndGroups) {
  auto regex = Regex::make("(\\d+)(万)?");
  ASSERT_TRUE(regex);
  auto matches = regex->allMatches("售价😀12万起，油耗8");
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(matches[0].text, "12万");
  EXPECT_EQ(matches[0].range.location, 4u);  // "售价" 2 + emoji 2
  EXPECT_EQ(matches[0].range.length, 3u);
  EXPECT_EQ(matches[0].groups[0], "12");
  EXPECT_EQ(matches[0].groups[1], "万");
  EXPECT_EQ(matches[1].text, "8");
  EXPECT_FALSE(matches[1].groups[1].has_value());
  EXPECT_FALSE(matches[1].groupRanges[1].has_value());
  EXPECT_EQ(regex->numberOfMatches("无"), 0u);
  EXPECT_FALSE(regex->firstMatch("无"));
  EXPECT_EQ(regex->firstMatch("a7")->range.location, 1u);
  EXPECT_TRUE(regex->matchesAnywhere("x1"));
}

TEST(RegexTest, ReplaceAndOptions) {
  auto tags = Regex::make("<[^>]+>");
  ASSERT_TRUE(tags);
  EXPECT_EQ(tags->replaceAll("<p>宝马<br/>X5</p>", ""), "宝马X5");
  auto swap = Regex::make("(\\w+)-(\\w+)");
  EXPECT_EQ(swap->replaceAll("a-b c-d", "$2-$1"), "b-a d-c");
  EXPECT_EQ(swap->replaceAll("a-b", "$9"), "a-b");  // bad template: unchanged
  auto ci = Regex::make("bmw", RegexOptions{.caseInsensitive = true});
  EXPECT_TRUE(ci->matchesWhole("BMW"));
  EXPECT_FALSE(Regex::make("bmw")->matchesWhole("BMW"));
  auto lines = Regex::make("^x$", RegexOptions{.anchorsMatchLines = true});
  EXPECT_EQ(lines->numberOfMatches("x\ny\nx"), 2u);
}

TEST(RegexTest, InvalidPatternIsAnErrorValue) {
  for (const char* bad : {"[", "(", "a{2,1}", "*a", "\\", "(?<name"}) {
    std::string error;
    EXPECT_FALSE(Regex::make(bad, {}, &error)) << bad;
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(regexMatchesWhole(bad, "a"));
  }
}

TEST(RegexTest, RunawayMatchGivesUpInsteadOfHanging) {
  auto evil = Regex::make("(a+)+$");
  ASSERT_TRUE(evil);
  std::string text(40, 'a');
  text += "!";
  EXPECT_FALSE(evil->matchesWhole(text));
  EXPECT_TRUE(evil->allMatches(text).size() <= 1);
  EXPECT_EQ(evil->replaceAll(text, "x").size() > 0, true);
}
