#include <gtest/gtest.h>

#include "core/ConversionData.h"

namespace vorn {
namespace {

struct Case {
  const char* text;
  const char* initials;
  const char* pinyin;
};

TEST(ConversionData, ConvertsTextToInitialsAndPinyin) {
  const Case cases[] = {
      {"奔驰C200", "bcC200", "BENCHIC200"},
      {"宝马x5", "bmx5", "BAOMAX5"},
      {"长", "z", "CHANG"},
      {"厦", "s", "XIA"},
      {"曾", "c", "ZENG"},
      {"中国汽车", "zgqc", "ZHONGGUOQICHE"},
      {"一丁", "yd", "YIDING"},
      {"重朝藏", "zcz", "ZHONGCHAOCANG"},
      {"啊", "a", "A"},
      // Codes that no syllable covers: their first letters still come through.
      {"逼", "b", ""},
      {"凑", "c", ""},
      {"怠", "d", ""},
      {"噶", "g", ""},
      {"嘎", "g", ""},
      {"楔", "x", ""},
      // Full-width letters sit in GB2312 symbol areas: no syllable.
      {"Ａ", "Ａ", ""},
      {"abc", "abc", "ABC"},
      {"`{|}~", "`{|}~", "@[\\]^"},
      {"龥", "y", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ConversionData::to_Shouzimu(c.text), c.initials);
    EXPECT_EQ(ConversionData::pinyinFromChiniseString(c.text).value_or("<nil>"), c.pinyin);
  }
}

TEST(ConversionData, EmptyInputGivesEmptyInitialsAndNoPinyin) {
  EXPECT_EQ(ConversionData::to_Shouzimu(""), "");
  EXPECT_FALSE(ConversionData::pinyinFromChiniseString("").has_value());
}

TEST(ConversionData, OnlyTheUnifiedIdeographRangeHasFirstLetters) {
  // U+9FA6 and beyond, a character outside the BMP, and a broken UTF-8 byte are copied.
  EXPECT_EQ(ConversionData::to_Shouzimu("\u9FA6\u9FA5"), "\u9FA6y");
  EXPECT_EQ(ConversionData::to_Shouzimu("\U00020000车"), "\U00020000c");
  EXPECT_EQ(ConversionData::to_Shouzimu(std::string("\xE8\xBD", 2)), std::string("\xE8\xBD", 2));
  EXPECT_EQ(ConversionData::to_Shouzimu("〇，。"), "〇，。");
}

TEST(ConversionData, CharactersOutsideGb2312AddOnlyTheirAsciiBytes) {
  // 龥 is a GBK character (FD 9B): the trail byte 0x9B is below 0xA1, nothing is added.
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("龥车"), "CHE");
  // A four-byte GB 18030 sequence (U+20000 is 95 32 82 36) adds its two digit bytes.
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("\U00020000"), "26");
  // A GBK character whose trail byte is ASCII: 丂 is 81 40, which leaves "@".
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("丂"), "@");
}

TEST(ConversionData, LevelTwoCharactersUseTheirOwnSyllables) {
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("亍"), "CHU");   // 5601
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("兀"), "WU");    // 5603
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("丐"), "GAI");   // 5604
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("廿"), "NIAN");  // 5605
  EXPECT_EQ(ConversionData::pinyinFromChiniseString("丌"), "");      // 5602
}

}  // namespace
}  // namespace vorn
