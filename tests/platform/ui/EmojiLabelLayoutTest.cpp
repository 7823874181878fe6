// An emoji label lays its emoticons out as inline pictures: each pictured code
// takes one em-square in place of its text, in measuring and in the fragments
// the renderer draws; codes without a picture stay text, and links keep their
// place around the pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/ui/EmojiLabel.h"
#include "platform/ui/TextMetrics.h"

namespace platform {
namespace {

class EmojiLabelLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EmojiLabel::setForumHost("bbs.example.com");
    EmojiLabel::setEmoticonPictures({{"[强]", "Expression_1"}, {":)", "Expression_2"}});
  }
  void TearDown() override {
    EmojiLabel::setForumHost("");
    EmojiLabel::setEmoticonPictures({});
  }
  static std::shared_ptr<EmojiLabel> label(const std::string& text, const Rect& frame = Rect(0, 0, 300, 40)) {
    auto l = EmojiLabel::create(frame);
    l->setFont(Font::systemFont(15));
    l->setText(text);
    return l;
  }
  static std::vector<LinkLabelFragment> pictures(const std::vector<LinkLabelFragment>& fragments) {
    std::vector<LinkLabelFragment> out;
    for (const auto& f : fragments)
      if (!f.pictureName.empty()) out.push_back(f);
    return out;
  }
};

TEST_F(EmojiLabelLayoutTest, PicturedCodesMeasureOneEmEachAndUnknownCodesAsText) {
  const Font font = Font::systemFont(15);
  const double line = std::ceil(font.lineHeight());
  const double cjk = TextMetrics::lineWidth("好", font);
  ASSERT_DOUBLE_EQ(cjk, 15);
  struct Case {
    const char* text;
    double width;  // the label's width (0: unlimited)
    Size expected;
  } cases[] = {
      {"好[强]好:)", 0, {4 * cjk, line}},
      {"[强][强][强]", 0, {3 * cjk, line}},
      // ":(" has no picture: it measures as its text.
      {"好:(", 0, {std::ceil(cjk + TextMetrics::lineWidth(":(", font)), line}},
      // Three characters fill 50 points; the picture goes to the next line whole.
      {"好好好[强]", 50, {3 * cjk, 2 * line}},
      {"好好好[强]", 60, {4 * cjk, line}},
  };
  for (const auto& c : cases) {
    auto l = label(c.text);
    Size size = l->sizeThatFits({c.width, 0});
    EXPECT_EQ(size.width, c.expected.width) << c.text << " in " << c.width;
    EXPECT_EQ(size.height, c.expected.height) << c.text << " in " << c.width;
  }
}

TEST_F(EmojiLabelLayoutTest, PicturesTakeTheirCodesPlaceInTheLineBox) {
  auto l = label("好[强]好:):(");
  const Font& font = l->font();
  const Rect bounds(0, 0, 300, font.lineHeight());
  auto fragments = l->fragmentsInBounds(bounds);
  auto pics = pictures(fragments);
  ASSERT_EQ(pics.size(), 2u);
  EXPECT_EQ(pics[0].pictureName, "Expression_1");
  EXPECT_EQ(pics[0].location, 1u);  // after "好"
  EXPECT_EQ(pics[1].pictureName, "Expression_2");
  EXPECT_EQ(pics[1].location, 5u);  // after "好[强]好"
  const double em = font.pointSize;
  const double top = (font.lineHeight() - em) / 2;
  EXPECT_EQ(pics[0].frame, Rect(15, top, em, em));
  EXPECT_EQ(pics[1].frame, Rect(45, top, em, em));
  // No code text is laid out; the unknown code is, right after the second picture.
  std::string drawn;
  for (const auto& f : fragments) drawn += f.text;
  EXPECT_EQ(drawn, "好好:(");
  EXPECT_EQ(fragments.back().text, ":(");
  EXPECT_EQ(fragments.back().frame.x(), 60);
}

TEST_F(EmojiLabelLayoutTest, WrappingMovesAWholePictureToTheNextLine) {
  const Font font = Font::systemFont(15);
  auto l = label("好好好[强]好", Rect(0, 0, 50, 2 * font.lineHeight()));
  auto fragments = l->fragmentsInBounds(l->bounds());
  auto pics = pictures(fragments);
  ASSERT_EQ(pics.size(), 1u);
  EXPECT_EQ(pics[0].frame.x(), 0);
  EXPECT_NEAR(pics[0].frame.midY(), font.lineHeight() * 1.5, 1e-9);
  EXPECT_EQ(pics[0].frame.width(), 15);
  EXPECT_EQ(fragments.front().text, "好好好");
  EXPECT_EQ(fragments.back().text, "好");
  EXPECT_EQ(fragments.back().frame.x(), 15);
}

TEST_F(EmojiLabelLayoutTest, LinksAroundPicturesKeepTheirTextAndPlace) {
  auto l = label("回复@小王[强]看#新车#");
  ASSERT_EQ(l->links().size(), 2u);
  auto fragments = l->fragmentsInBounds(Rect(0, 0, 300, 40));
  std::vector<std::string> linked;
  double topicX = -1;
  for (const auto& f : fragments) {
    if (f.link) linked.push_back(f.text);
    if (f.text == "#新车#") topicX = f.frame.x();
  }
  EXPECT_EQ(linked, (std::vector<std::string>{"@小王", "#新车#"}));
  const Font& font = l->font();
  EXPECT_DOUBLE_EQ(topicX, TextMetrics::lineWidth("回复@小王", font) + font.pointSize + TextMetrics::lineWidth("看", font));
  EXPECT_TRUE(l->tapLinkWithText("#新车#"));
}

TEST(LinkLabelLayoutTest, APlainLinkLabelLaysOutItsTextAsItIs) {
  auto l = LinkLabel::create(Rect(0, 0, 300, 40));
  l->setText("看[强]和@小王");
  EXPECT_EQ(l->layoutText(), l->text());
  std::string drawn;
  for (const auto& f : l->fragmentsInBounds(l->bounds())) {
    EXPECT_TRUE(f.pictureName.empty());
    drawn += f.text;
  }
  EXPECT_EQ(drawn, l->text());
}

}  // namespace
}  // namespace platform
