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
  auto bytes = serializePlist(Value{{"k", "aXc"}}, PlistFormat::Binary).value();
  std::string raw(bytes.begin(), bytes.end());
  auto at = raw.find("aXc");
  ASSERT_NE(at, std::string::npos);
  raw[at + 1] = '\0';
  auto v = parsePlist(raw);
  ASSERT_TRUE(v);
  EXPECT_TRUE(hasPrefix(textOf(*v, "k"), "a")) << v->dump();
}

namespace {
// A binary list of `depth` arrays, each holding the next, around an integer.
std::string nestedBinaryArrays(std::size_t depth) {
  std::string out = "bplist00";
  std::vector<std::uint32_t> offsets;
  auto big = [&out](std::uint64_t n, int width) {
    for (int i = width - 1; i >= 0; --i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
  };
  for (std::size_t i = 0; i < depth; ++i) {
    offsets.push_back(static_cast<std::uint32_t>(out.size()));
    out += '\xA1';
    big(i + 1, 4);
  }
  offsets.push_back(static_cast<std::uint32_t>(out.size()));
  out += "\x10\x07";
  const std::size_t table = out.size();
  for (auto o : offsets) big(o, 4);
  out += std::string(6, '\0');
  out += '\x04';
  out += '\x04';
  big(offsets.size(), 8);
  big(0, 8);
  big(table, 8);
  return out;
}

std::string corpusFile(const std::string& name) {
  auto bytes = readFile(sourceDirectory() + "/fuzz/corpus/plist/" + name);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}
}  // namespace

TEST(PlistTest, BytesLibplistCannotHoldAreRefusedBeforeItReadsThem) {
  auto good = nestedBinaryArrays(100);
  auto v = parsePlist(good);
  ASSERT_TRUE(v);
  EXPECT_EQ(intValueOf(v->flatten().begin().value()), 7);

  auto looping = nestedBinaryArrays(3);
  looping[8 + 5 * 2 + 4] = '\0';  // the third array holds the first again
  struct Case { const char* what; std::string bytes; } cases[] = {
      {"binary nested 100000 deep", nestedBinaryArrays(100000)},
      {"binary nested 513 deep", nestedBinaryArrays(513)},
      {"binary loop", looping},
      {"binary key holding a NUL", corpusFile("plist-nul-key-crash.bin")},
      {"damaged answer cache 1", corpusFile("plist-crash-1c9540ecfa354fb051abb71f54e977b25318ae49")},
      {"damaged answer cache 2", corpusFile("plist-crash-3f0c21877cb51efe631c7f93cd41f13220ef1cb0")},
      {"damaged answer cache 3", corpusFile("plist-crash-b89d6c9beff320d782827fbad1a16794bb2ab207")},
      {"XML key with a character reference to NUL",
       "<?xml version=\"1.0\"?><plist><dict><key>a&#0;b</key><string>x</string></dict></plist>"},
      {"XML key with a hex reference to NUL",
       "<?xml version=\"1.0\"?><plist><dict><key>a&#x00;b</key><string>x</string></dict></plist>"},
      {"XML holding a raw NUL",
       std::string("<?xml version=\"1.0\"?><plist><dict><key>a\0b</key><string>x</string></dict></plist>", 79)},
  };
  for (auto& c : cases) {
    ASSERT_FALSE(c.bytes.empty()) << c.what;
    EXPECT_FALSE(parsePlist(c.bytes)) << c.what;
  }
}

TEST(PlistTest, FilesAreWrittenBinaryAndKeysOrTextsHoldingANulAreNotWritten) {
  platform::testing::TempHome home;
  const std::string path = home / "Documents/x.plist";
  ASSERT_TRUE(writePlistFile(path, sample()));
  EXPECT_TRUE(hasPrefix(readFileText(path).value_or(""), "bplist00"));
  EXPECT_EQ(readPlistFile(path), sample());
  // An XML file (older or written by someone else) still reads.
  ASSERT_TRUE(writePlistFile(path, sample(), PlistFormat::Xml));
  EXPECT_EQ(readPlistFile(path), sample());

  EXPECT_FALSE(serializePlist(Value{{std::string("a\0b", 3), 1}}));
  EXPECT_FALSE(serializePlist(Value{{"a", Value::array({std::string("x\0y", 3)})}}));
  // Bytes that are not UTF-8 (read from a damaged binary list) would not read back.
  EXPECT_FALSE(serializePlist(Value{{"\xF4itle", 1}}, PlistFormat::Binary));
  EXPECT_FALSE(serializePlist(Value{{"k", "\xC3("}}, PlistFormat::Binary));
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
