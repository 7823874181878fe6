#include <gtest/gtest.h>

#include "platform/foundation/Value.h"

using namespace platform;

TEST(ValueTest, TextFormMatchesThePlatformRendering) {
  Value d = {{"i", 12}, {"r", 2.5}, {"whole", 3.0}, {"s", "北京"}, {"n", nullptr}, {"b", true}};
  struct Case { const char* key; const char* text; } cases[] = {
      {"i", "12"}, {"r", "2.5"}, {"whole", "3"}, {"s", "北京"}, {"n", "<null>"}, {"b", "1"}, {"missing", "(null)"}};
  for (auto& c : cases) EXPECT_EQ(textOf(d, c.key), c.text) << c.key;
  EXPECT_EQ(plainTextOf(d, "n"), "");
  EXPECT_EQ(plainTextOf(d, "missing"), "");
  EXPECT_EQ(textOf(Value("x"), "k"), "(null)");  // not a dictionary
}

TEST(ValueTest, IntegerValueReadsTheLeadingNumber) {
  struct Case { Value v; long long expected; } cases[] = {
      {"12abc", 12}, {"abc", 0}, {" 7", 7}, {"-3x", -3}, {"", 0}, {3.9, 3}, {-3.9, -3},
      {true, 1}, {nullptr, 0}, {Value::array({1}), 0}, {"99999999999999999999", INT64_MAX}};
  for (auto& c : cases) EXPECT_EQ(intValueOf(c.v), c.expected) << c.v.dump();
  EXPECT_DOUBLE_EQ(doubleValueOf(Value("2.5km")), 2.5);
  EXPECT_DOUBLE_EQ(doubleValueOf(Value("nan")), 0.0);
  EXPECT_TRUE(boolValueOf(Value("YES")));
  EXPECT_TRUE(boolValueOf(Value("1")));
  EXPECT_FALSE(boolValueOf(Value("NO")));
  EXPECT_FALSE(boolValueOf(Value("0")));
}

TEST(ValueTest, MalformedJsonIsAnErrorValueNotAnException) {
  for (const char* bad : {"", "{", "{\"a\":}", "[1,2", "\xff\xfe", "nul"}) {
    std::string error;
    EXPECT_FALSE(parseJson(std::string_view(bad), &error).has_value()) << bad;
    EXPECT_FALSE(error.empty());
  }
  auto ok = parseJson(std::string_view(R"({"b":1,"a":[true,null]})"));
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->begin().key(), "b");  // insertion order kept
  EXPECT_TRUE(isNull(valueAt(valueFor(*ok, "a"), 1)));
  EXPECT_TRUE(isNull(valueAt(valueFor(*ok, "a"), 7)));
}

TEST(ValueTest, JsonNestedDeeperThanTheLimitIsMalformed) {
  auto nested = [](std::size_t depth, char open, char close, const char* inner) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i) text += open == '{' ? std::string("{\"a\":") : std::string(1, open);
    text += inner;
    text += std::string(depth, close);
    return text;
  };
  for (auto [open, close] : {std::pair{'{', '}'}, std::pair{'[', ']'}}) {
    EXPECT_TRUE(parseJson(nested(kMaxJsonDepth, open, close, "1"))) << open;
    for (std::size_t depth : {kMaxJsonDepth + 1, std::size_t{100000}}) {
      std::string error;
      EXPECT_FALSE(parseJson(nested(depth, open, close, "1"), &error)) << open << depth;
      EXPECT_FALSE(error.empty());
    }
  }
  // Brackets inside texts are not nesting.
  const std::string brackets = "[\"" + std::string(5000, '[') + "\\\"{\"]";
  auto v = parseJson(brackets);
  ASSERT_TRUE(v);
  EXPECT_EQ(textOf(valueAt(*v, 0)).size(), 5002u);
}

TEST(ValueTest, DataSerialisesAsBase64) {
  EXPECT_EQ(toJson(Value{{"d", dataValue(std::string_view("hi!"))}}), R"({"d":"aGkh"})");
  EXPECT_EQ(bytesAsString(dataValue(std::string_view("abc"))), "abc");
}
