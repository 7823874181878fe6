#include <gtest/gtest.h>

#include "platform/ui/TagRichTextLabel.h"

namespace platform {
namespace {

TEST(TagRichTextLabelTest, ColourTagsSplitTheTextIntoStyledRuns) {
  auto label = TagRichTextLabel::create(Rect(65, 40, 165, 18));
  label->setFont(Font::systemFont(14));
  label->setTextColor(Color::rgb255(153, 153, 153));
  label->setText("<font color='#AEAEAE'>关注  </font><font color='#77C2F9'>12</font>尾");
  const auto& runs = label->runs();
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, "关注  ");
  EXPECT_TRUE(runs[0].color.sameAs(Color::rgb255(0xAE, 0xAE, 0xAE)));
  EXPECT_EQ(runs[1].text, "12");
  EXPECT_TRUE(runs[1].color.sameAs(Color::rgb255(0x77, 0xC2, 0xF9)));
  EXPECT_EQ(runs[2].text, "尾");
  EXPECT_TRUE(runs[2].color.sameAs(Color::rgb255(153, 153, 153)));
  EXPECT_EQ(label->plainText(), "关注  12尾");
}

TEST(TagRichTextLabelTest, BoldUnderlineLinksNestAndUnknownTagsKeepTheirText) {
  auto runs = TagRichTextLabel::parse("a<b>b<u>c</u></b><a href=\"http://x/y\">d</a><i>e</i>&lt;f&gt;",
                                      Font::systemFont(14), Color::black());
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[0].text, "a");
  EXPECT_FALSE(runs[0].font.bold);
  EXPECT_EQ(runs[1].text, "b");
  EXPECT_TRUE(runs[1].font.bold);
  EXPECT_EQ(runs[2].text, "c");
  EXPECT_TRUE(runs[2].font.bold);
  EXPECT_TRUE(runs[2].underline);
  EXPECT_EQ(runs[3].text, "d");
  EXPECT_EQ(runs[3].link, "http://x/y");
  EXPECT_EQ(runs[4].text, "e<f>");
}

TEST(TagRichTextLabelTest, BadMarkupNeverLosesText) {
  const char* cases[] = {"<font color='zz'>x</font>", "x</font>", "<b>x", "x<", "<font size='-3'>x"};
  for (const char* markup : cases) {
    auto runs = TagRichTextLabel::parse(markup, Font::systemFont(14), Color::black());
    std::string text;
    for (const auto& r : runs) text += r.text;
    EXPECT_NE(text.find('x'), std::string::npos) << markup;
  }
}

TEST(TagRichTextLabelTest, BestHeightGrowsWithTheLinesTheWidthNeeds) {
  auto label = TagRichTextLabel::create(Rect(10, 10, 271, 1000));
  label->setFont(Font::systemFont(14));
  EXPECT_EQ(label->optimumHeight(), 0);
  label->setText("<font color='#77C2F9'>某人</font>回复了你");
  double one = label->optimumHeight();
  EXPECT_GT(one, 0);
  std::string longText;
  for (int i = 0; i < 10; ++i) longText += "<font color='#77C2F9'>某人</font>回复了你的帖子";
  label->setText(longText);
  EXPECT_GT(label->optimumHeight(), 2 * one);
}

}  // namespace
}  // namespace platform
