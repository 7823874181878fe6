#include <gtest/gtest.h>

#include "platform/ui/TextMetrics.h"

namespace platform {
namespace {

TEST(TextMetricsTest, SingleLineSizesAreTheSameEverywhere) {
  struct Case { const char* text; double size; double w; double h; };
  const Case cases[] = {
      {"", 14, 0, 0},
      {"Hello", 15, 35, 18},                 // 34.97 rounded up
      {"\xE4\xB8\xAD\xE6\x96\x87", 14, 28, 17},  // "中文": one em each
      {"a\nbb", 17, 20, 40},                 // two lines, the wider decides
      {"\xEF\xBC\x8C" "1", 10, 16, 12},          // full-width comma and a digit
  };
  for (auto& c : cases) {
    Size s = TextMetrics::sizeOfText(c.text, Font::systemFont(c.size));
    EXPECT_EQ(s.width, c.w) << c.text;
    EXPECT_EQ(s.height, c.h) << c.text;
  }
  // A guard on the table itself: all printable ASCII at 17 points.
  std::string ascii;
  for (char c = 0x20; c < 0x7F; ++c) ascii.push_back(c);
  EXPECT_DOUBLE_EQ(TextMetrics::lineWidth(ascii, Font::systemFont(17)), 99996.0 * 17 / 2048);
  EXPECT_EQ(TextMetrics::lineWidth(ascii, Font::boldSystemFont(17)), TextMetrics::lineWidth(ascii, Font::systemFont(17)));
}

TEST(TextMetricsTest, WrappingBreaksAtWordsOrCharactersWithinTheWidth) {
  Font f = Font::systemFont(15);
  auto words = TextMetrics::layoutText("Hello world", f, 60, LineBreakMode::WordWrap);
  EXPECT_EQ(words.lines, (std::vector<std::string>{"Hello", "world"}));
  EXPECT_EQ(words.size.width, 39);
  EXPECT_EQ(words.size.height, 36);

  auto chars = TextMetrics::layoutText("Hello world", f, 60, LineBreakMode::CharWrap);
  EXPECT_EQ(chars.lines.size(), 2u);
  EXPECT_EQ(chars.lines[0], "Hello wo");

  const std::string six = "\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87";  // 中文中文中文
  auto cjk = TextMetrics::layoutText(six, Font::systemFont(14), 50, LineBreakMode::WordWrap);
  EXPECT_EQ(cjk.lines.size(), 2u);  // CJK breaks between any two characters
  EXPECT_EQ(cjk.size.width, 42);
  EXPECT_EQ(cjk.size.height, 33);

  auto longWord = TextMetrics::layoutText("abcdefghijklmnop", f, 40, LineBreakMode::WordWrap);
  EXPECT_GT(longWord.lines.size(), 1u);  // a word wider than the line breaks by characters
  for (auto& l : longWord.lines) EXPECT_LE(TextMetrics::lineWidth(l, f), 40);
}

TEST(TextMetricsTest, TruncationKeepsTheShownLinesAndMarksWhatIsLeftOut) {
  Font f = Font::systemFont(14);
  const std::string six = "\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87";
  EXPECT_EQ(TextMetrics::truncate(six, f, 50, LineBreakMode::TruncateTail), "\xE4\xB8\xAD\xE6\x96\x87\xE2\x80\xA6");
  EXPECT_EQ(TextMetrics::truncate(six, f, 50, LineBreakMode::TruncateHead), "\xE2\x80\xA6\xE4\xB8\xAD\xE6\x96\x87");
  EXPECT_EQ(TextMetrics::truncate(six, f, 50, LineBreakMode::Clip), six);
  EXPECT_EQ(TextMetrics::truncate(six, f, 200, LineBreakMode::TruncateTail), six);

  auto two = TextMetrics::layoutText("one\ntwo\nthree", f, 100, LineBreakMode::TruncateTail, 2);
  EXPECT_EQ(two.lines, (std::vector<std::string>{"one", "two\xE2\x80\xA6"}));
  // A height for one line and a half shows one line.
  Size s = TextMetrics::sizeOfText("one\ntwo", f, {100, 25}, LineBreakMode::WordWrap);
  EXPECT_EQ(s.height, 17);
}

TEST(TextMetricsTest, BrokenUtf8MeasuresAsReplacementCharacters) {
  auto cps = TextMetrics::decode(std::string("a\xFF\xE4\xB8", 4));
  EXPECT_EQ(cps, (std::u32string{U'a', 0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(TextMetrics::encode(TextMetrics::decode("\xE4\xB8\xAD" "x")), "\xE4\xB8\xAD" "x");
}

}  // namespace
}  // namespace platform
