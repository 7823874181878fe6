#include <gtest/gtest.h>

#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/Text.h"
#include "TempHome.h"

using namespace platform;

namespace {
Value sample() {
  return Value{{"time", 1418205600},
               {"md5", "0cc175b9c0f1b6a831c399e269772661"},
               {"name", "沃恩汽车 😀"},
               {"neg", -5},
               {"ratio", 2.5},
               {"flag", true},
               {"bytes", dataValue(std::string_view("\x00\xff\x10", 3))},
               {"list", Value::array({1, "二", Value::array(), Value::object()})},
               {"zeta", Value{{"b", 1}, {"a", 2}}}};
}
}  // namespace

TEST(PlistTest, XmlAndBinaryRoundTripKeepTypesAndOrder) {
  for (auto format : {PlistFormat::Xml, PlistFormat::Binary}) {
    auto bytes = serializePlist(sample(), format);
    ASSERT_TRUE(bytes);
    auto back = parsePlist(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, sample()) << back->dump();
    EXPECT_TRUE(isData(valueFor(*back, "bytes")));
    EXPECT_EQ(valueFor(*back, "zeta").begin().key(), "b");
  }
  auto xml = serializePlist(Value("x"), PlistFormat::Xml);
  ASSERT_TRUE(xml);
  EXPECT_NE(std::string(xml->begin(), xml->end()).find("<string>x</string>"), std::string::npos);
}

TEST(PlistTest, DatesReadAsSecondsSince1970) {
  const char* xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
      "<key>d</key><date>2014-12-10T10:00:00Z</date></dict></plist>";
  auto v = parsePlist(std::string_view(xml));
  ASSERT_TRUE(v);
  EXPECT_DOUBLE_EQ(doubleValueOf(*v, "d"), 1418205600.0);
}

TEST(PlistTest, MalformedBytesGiveNothing) {
  auto good = serializePlist(sample(), PlistFormat::Binary).value();
  std::vector<std::string> bad = {
      "", "not a plist", "{\"json\": 1}", "<plist><dict><key>a</key>", "<plist><dict><key>a</key><integer>x",
      "<?xml version=\"1.0\"?><plist><array><string>a</array></plist>",
      "bplist00", "bplist00\xff\xff\xff\xff", std::string(good.begin(), good.begin() + good.size() / 2)};
  // Every byte of a binary list flipped in turn must not crash the reader.
  for (std::size_t i = 0; i < good.size(); i += 3) {
    std::string flipped(good.begin(), good.end());
    flipped[i] = static_cast<char>(flipped[i] ^ 0xA5);
    (void)parsePlist(flipped);
  }
  for (auto& b : bad) EXPECT_FALSE(parsePlist(b)) << b;
}

TEST(PlistTest, TextHoldingANulDoesNotAbortTheReader) {
  // libplist's copying text getter aborts on such a text; a damaged file must not.
  auto bytes = serializePlist(Value{{"k", "aXc"}}, PlistFormat::Xml).value();
  std::string raw(bytes.begin(), bytes.end());
  auto at = raw.find("aXc");
  ASSERT_NE(at, std::string::npos);
  raw[at + 1] = '\0';
  auto v = parsePlist(raw);
  ASSERT_TRUE(v);
  EXPECT_TRUE(hasPrefix(textOf(*v, "k"), "a")) << v->dump();
}

TEST(PlistTest, ValuesWithNullCannotBeWritten) {
  EXPECT_FALSE(serializePlist(Value()));
  EXPECT_FALSE(serializePlist(Value{{"a", Value::array({1, nullptr})}}));
  platform::testing::TempHome home;
  const std::string path = home / "Documents/x.plist";
  ASSERT_TRUE(writePlistFile(path, Value{{"a", 1}}));
  EXPECT_FALSE(writePlistFile(path, Value{{"a", nullptr}}));
  EXPECT_EQ(readPlistFile(path), (Value{{"a", 1}}));  // the earlier file stays
  EXPECT_FALSE(readPlistFile(home / "Documents/none.plist"));
}
