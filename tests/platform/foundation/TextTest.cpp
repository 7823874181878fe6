#include <gtest/gtest.h>

#include "platform/foundation/Text.h"

using namespace platform;

TEST(TextTest, Utf16LengthCountsCjkOnceAndEmojiTwice) {
  struct Case { std::string text; std::size_t units; } cases[] = {
      {"", 0}, {"abc", 3}, {"北京", 2}, {"沃恩汽车5.1", 7}, {"😀", 2}, {"a😀b", 4},
      {"👍🏻", 4},              // emoji with a skin-tone modifier: two pairs
      {"é", 1},                 // U+00E9, two UTF-8 bytes
      {"\xF0\xA0\x80\x80", 2},  // U+20000, a CJK extension B character
      {"\xff", 1},              // an invalid byte counts as one replacement character
      {"\xe5\x8c", 2},          // a truncated sequence: each byte replaced
  };
  for (auto& c : cases) EXPECT_EQ(utf16Length(c.text), c.units) << c.text;
}

TEST(TextTest, Utf16SubstringTakesWholeCharactersAndClamps) {
  struct Case { std::string text; std::size_t from, length; std::string expected; } cases[] = {
      {"沃恩汽车论坛", 0, 4, "沃恩汽车"},
      {"沃恩汽车论坛", 4, 2, "论坛"},
      {"沃恩汽车论坛", 4, 100, "论坛"},   // past the end: clamped
      {"沃恩汽车论坛", 9, 2, ""},         // start past the end
      {"a😀b", 0, 3, "a😀"},
      {"a😀b", 0, 2, "a"},                // would cut the pair: the half is left out
      {"a😀b", 2, 2, "b"},                // starts inside the pair
      {"abc", 1, std::string_view::npos, "bc"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(utf16Substring(c.text, c.from, c.length), c.expected) << c.text << " " << c.from;
  }
  EXPECT_EQ(utf16SubstringTo("北京欢迎你", 2), "北京");
  EXPECT_EQ(utf16SubstringFrom("北京欢迎你", 2), "欢迎你");
  EXPECT_EQ(byteOffsetOfUtf16("a😀b", 3), 5u);
  EXPECT_EQ(utf16OffsetOfByte("a😀b", 5), 3u);
  EXPECT_EQ(fromUtf16(toUtf16("a😀北")), "a😀北");
  EXPECT_EQ(toUtf16("😀").size(), 2u);
}

TEST(TextTest, TrimmingRemovesUnicodeSpacesAndNewlines) {
  EXPECT_EQ(trimWhitespaceAndNewlines(" \t\r\n 北京 车 \n"), "北京 车");
  EXPECT_EQ(trimWhitespaceAndNewlines("\u3000全角空格\u3000"), "全角空格");
  EXPECT_EQ(trimWhitespaceAndNewlines("\u00a0x\u2028"), "x");
  EXPECT_EQ(trimWhitespaceAndNewlines(" \n\t "), "");
  EXPECT_EQ(trimWhitespace("\n a \n"), "\n a \n");
  EXPECT_EQ(trimWhitespace("  a b  "), "a b");
}

TEST(TextTest, CaseInsensitiveSearchAndCompare) {
  EXPECT_TRUE(containsIgnoringCase("Hello World", "WORLD"));
  EXPECT_FALSE(containsIgnoringCase("Hello", "x"));
  EXPECT_EQ(findIgnoringCase("北京BMW宝马", "bmw"), 6u);  // byte offset in the original
  EXPECT_EQ(findIgnoringCase("ÄBC", "äb"), 0u);
  EXPECT_FALSE(findIgnoringCase("abc", "abcd"));
  EXPECT_EQ(compareIgnoringCase("cityName", "CITYNAME"), 0);
  EXPECT_LT(compareIgnoringCase("cityName", "type"), 0);
  EXPECT_LT(compareIgnoringCase("Type", "ver"), 0);
  EXPECT_GT(compareIgnoringCase("ver", "Type"), 0);
  EXPECT_TRUE(equalsIgnoringCase("JPG", "jpg"));
  EXPECT_EQ(lowercase("A.PNG"), "a.png");
  EXPECT_EQ(uppercase("bmw x5"), "BMW X5");
}

TEST(TextTest, SplitJoinReplace) {
  EXPECT_EQ(split("a//b.c", "//"), (std::vector<std::string>{"a", "b.c"}));
  EXPECT_EQ(split("/a/", "/"), (std::vector<std::string>{"", "a", ""}));
  EXPECT_EQ(split("", ","), (std::vector<std::string>{""}));
  EXPECT_EQ(split("abc", ""), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(join({"a", "b", "c"}, ", "), "a, b, c");
  EXPECT_EQ(join({}, ","), "");
  EXPECT_EQ(replaceAll("5.1.0", ".", ""), "510");
  EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
  EXPECT_TRUE(hasPrefix("http://x", "http://"));
  EXPECT_FALSE(hasPrefix("ht", "http"));
  EXPECT_TRUE(hasSuffix("a.json", ".json"));
  EXPECT_FALSE(hasSuffix("json", ".json"));
}

TEST(TextTest, QueryComponentEscapingTable) {
  struct Case { std::string in, out; } cases[] = {
      {"北京", "%E5%8C%97%E4%BA%AC"},
      {"5.1.0", "5.1.0"},
      {"a b", "a%20b"},
      {"a&b=c+d", "a%26b%3Dc%2Bd"},
      {":/?&=;+!@#$()~'", "%3A%2F%3F%26%3D%3B%2B%21%40%23%24%28%29%7E%27"},
      {"[1].x-y_z", "[1].x-y_z"},
      {"100%", "100%25"},
      {"\"<>{}|\\^`", "%22%3C%3E%7B%7D%7C%5C%5E%60"},
      {"😀", "%F0%9F%98%80"},
      {"", ""},
  };
  for (auto& c : cases) EXPECT_EQ(escapeQueryComponent(c.in), c.out) << c.in;
  EXPECT_EQ(percentEscape("a/b c", "/"), "a/b%20c");
}

TEST(TextTest, PercentUnescapingRejectsBrokenInput) {
  EXPECT_EQ(percentUnescape("%E5%8C%97%E4%BA%AC"), "北京");
  EXPECT_EQ(percentUnescape("a+b%20c"), "a+b c");
  EXPECT_EQ(percentUnescape("%e5%8c%97"), "北");
  for (const char* bad : {"%", "%2", "%zz", "abc%g1", "%E5%8C", "%FF"}) {
    EXPECT_FALSE(percentUnescape(bad).has_value()) << bad;
  }
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string utf8 = "北京 😀 " + std::string(all.begin(), all.begin() + 127);
  EXPECT_EQ(percentUnescape(escapeQueryComponent(utf8)), utf8);
}

TEST(TextTest, Gb18030RoundTrip) {
  auto gb = toGB18030("北京");
  ASSERT_TRUE(gb);
  EXPECT_EQ(*gb, "\xB1\xB1\xBE\xA9");
  EXPECT_EQ(fromGB18030(*gb), "北京");
  auto emoji = toGB18030("a😀");  // outside the two-byte range: four bytes
  ASSERT_TRUE(emoji);
  EXPECT_EQ(emoji->size(), 5u);
  EXPECT_EQ(fromGB18030(*emoji), "a😀");
  EXPECT_FALSE(toGB18030("\xff"));
  EXPECT_FALSE(fromGB18030("\xB1"));  // truncated
  // Long input goes through the converter in several buffers.
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "汽车";
  EXPECT_EQ(fromGB18030(toGB18030(many).value_or("")), many);
}

TEST(TextTest, FormatAndDigest) {
  EXPECT_EQ(format("%.1fMB", 0.1), "0.1MB");
  EXPECT_EQ(format("%d-%s", 7, "北京"), "7-北京");
  EXPECT_EQ(format("%s", std::string(1000, 'x').c_str()).size(), 1000u);
  EXPECT_EQ(sha1Hex(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  EXPECT_EQ(sha1Hex("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  EXPECT_EQ(sha1Hex(std::string(1000000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
  EXPECT_EQ(hexOf("\x01\xff"), "01ff");
}
