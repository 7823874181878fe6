#include <gtest/gtest.h>

#include "UiTestFixture.h"
#include "platform/ui/Label.h"

namespace platform::testing {
namespace {

class LabelLayoutTest : public UiTest {};

TEST_F(LabelLayoutTest, SizeToFitMeasuresWithTheTextMetrics) {
  auto label = Label::create({10, 20, 0, 0});
  label->setFont(Font::systemFont(14));
  label->setText("汽车之家");
  label->sizeToFit();
  Size expected = TextMetrics::sizeOfText("汽车之家", Font::systemFont(14));
  expectRect(label->frame(), 10, 20, expected.width, expected.height);
  EXPECT_EQ(label->automationText(), "汽车之家");
  EXPECT_FALSE(label->isUserInteractionEnabled());
}

TEST_F(LabelLayoutTest, LinesFollowNumberOfLinesAndTruncateAtTheEnd) {
  auto label = Label::create({0, 0, 60, 200});
  label->setFont(Font::systemFont(12));
  label->setText("一二三四五六七八九十一二三四五六七八九十");
  EXPECT_EQ(label->displayedLines().size(), 1u);  // one line by default
  EXPECT_NE(label->displayedLines()[0].find(kEllipsis), std::string::npos);
  label->setNumberOfLines(2);
  EXPECT_EQ(label->displayedLines().size(), 2u);
  label->setNumberOfLines(0);
  label->setLineBreakMode(LineBreakMode::WordWrap);
  EXPECT_EQ(label->displayedLines().size(), 4u);  // five 12-point characters a line
  // Multi-line fitting wraps within the width asked for.
  Size fitted = label->sizeThatFits({60, 0});
  EXPECT_LE(fitted.width, 60);
  EXPECT_GT(fitted.height, TextMetrics::sizeOfText("一", Font::systemFont(12)).height * 3);
}

TEST_F(LabelLayoutTest, ShrinksToFitDownToTheMinimumFontSize) {
  auto label = Label::create({0, 0, 60, 20});
  label->setFont(Font::systemFont(20));
  label->setText("一二三四五");
  EXPECT_EQ(label->displayedFont().pointSize, 20);
  label->setAdjustsFontSizeToFitWidth(true);
  EXPECT_EQ(label->displayedFont().pointSize, 20);  // without a minimum it keeps its size
  label->setMinimumFontSize(10);
  EXPECT_LE(TextMetrics::lineWidth("一二三四五", label->displayedFont()), 60);
  EXPECT_GE(label->displayedFont().pointSize, 10);
  label->setText("一二三四五六七八九十");
  EXPECT_EQ(label->displayedFont().pointSize, 10);  // never below the minimum
}

}  // namespace
}  // namespace platform::testing
