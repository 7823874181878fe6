// Labels and buttons draw where their layout says: a label's ink stays inside
// the text rectangle it measures, aligned as asked; a button's title and
// picture are drawn once, at the rectangles the button (or its subclass)
// gives, in the colours and pictures of its state.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/Animation.h"
#include "platform/ui/Button.h"
#include "platform/ui/EmojiLabel.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TagRichTextLabel.h"
#include "RenderTestFixture.h"

namespace platform::render::testing {
namespace {

class LabelAndButtonPaintingTest : public RenderTest {
 protected:
  // `rect` of `view` in window coordinates.
  static Rect inWindow(const View& view, const Rect& rect) { return view.convertRectToView(rect, nullptr); }

  static void expectInside(const Rect& ink, const Rect& box, double slack) {
    EXPECT_GE(ink.x(), box.x() - slack);
    EXPECT_GE(ink.y(), box.y() - slack);
    EXPECT_LE(ink.maxX(), box.maxX() + slack);
    EXPECT_LE(ink.maxY(), box.maxY() + slack);
  }
};

TEST_F(LabelAndButtonPaintingTest, LabelInkStaysInItsTextRectAlignedAsAsked) {
  struct Case {
    const char* name;
    std::string text;
    platform::TextAlignment alignment;
    int lines;
    LineBreakMode mode;
    Rect frame;
    Font font;
  } cases[] = {
      {"left, one line", "Vorn 沃恩", platform::TextAlignment::Left, 1, LineBreakMode::TruncateTail, {20, 60, 200, 30},
       Font::systemFont(17)},
      {"centred", "Vorn 沃恩", platform::TextAlignment::Center, 1, LineBreakMode::TruncateTail, {20, 100, 280, 30},
       Font::systemFont(17)},
      {"right", "Vorn 沃恩", platform::TextAlignment::Right, 1, LineBreakMode::TruncateTail, {20, 140, 280, 30},
       Font::boldSystemFont(15)},
      {"tail truncated", "一段很长很长的文字会被截断 and cut at the end", platform::TextAlignment::Left, 1,
       LineBreakMode::TruncateTail, {20, 180, 150, 24}, Font::systemFont(14)},
      {"middle truncated", "一段很长很长的文字会被截断 and cut in the middle", platform::TextAlignment::Right, 1,
       LineBreakMode::TruncateMiddle, {20, 210, 150, 24}, Font::systemFont(14)},
      {"two lines of many", "长文本会在视图的宽度内换行，超出的部分以省略号结尾 wrapping by words", platform::TextAlignment::Center,
       2, LineBreakMode::TruncateTail, {20, 240, 160, 80}, Font::systemFont(13)},
      {"as many lines as fit", "长文本会在视图的宽度内换行，超出的部分以省略号结尾 wrapping by words and more",
       platform::TextAlignment::Left, 0, LineBreakMode::WordWrap, {20, 330, 120, 50}, Font::systemFont(12)},
      {"taller than its box", "Tall", platform::TextAlignment::Left, 1, LineBreakMode::TruncateTail,
       {20, 400, 100, 14}, Font::systemFont(20)},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Application::sharedApplication().reset();
    auto w = whiteWindow();
    auto label = Label::create(c.frame);
    label->setText(c.text);
    label->setFont(c.font);
    label->setTextAlignment(c.alignment);
    label->setNumberOfLines(c.lines);
    label->setLineBreakMode(c.mode);
    w->addSubview(label);
    Bitmap b = renderScreen(noStatusBar());
    auto lines = label->displayedLines();
    Rect box = inWindow(*label, label->textRectForBounds(label->bounds(), static_cast<int>(lines.size())));
    auto ink = inkBox(b, c.frame.insetBy(-20, -20));
    ASSERT_TRUE(ink.has_value());
    expectInside(*ink, box, 1);
    // Ink reaches the aligned edge (or centre) of the text rectangle.
    if (c.alignment == platform::TextAlignment::Left) {
      EXPECT_NEAR(ink->x(), box.x(), 2.5);
    } else if (c.alignment == platform::TextAlignment::Right) {
      EXPECT_NEAR(ink->maxX(), box.maxX(), 2.5);
    } else {
      EXPECT_NEAR(ink->midX(), box.midX(), 2.5);
    }
    // As many rows of ink as lines shown.
    double lineHeight = label->displayedFont().lineHeight();
    EXPECT_GT(ink->height(), lineHeight * (static_cast<double>(lines.size()) - 1));
    EXPECT_LE(ink->height(), lineHeight * static_cast<double>(lines.size()) + 1);
  }
}

TEST_F(LabelAndButtonPaintingTest, DrawnLinesAreAsWideAsTheMetricsMeasureThem) {
  // Kerning pairs, long Latin runs, bullets, an ellipsis and Latin-1 letters:
  // the ink ends where the measured width ends (less the last glyph's side
  // bearing), with no drift from pixel rounding, kerning or another font's advances.
  const char* texts[] = {"AVAWAY To Te Yo", "Image and title, image and title", "图片和标题 Image and title",
                         "\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F", "价格\xE2\x80\xA6 more\xE2\x80\xA6",
                         "\xC3\x97 caf\xC3\xA9 \xC3\xBC"};
  Font font = Font::systemFont(18);
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    Application::sharedApplication().reset();
    auto w = whiteWindow();
    auto label = Label::create({10, 100, 300, 30});
    label->setText(text);
    label->setFont(font);
    w->addSubview(label);
    auto ink = inkBox(renderScreen(noStatusBar()), {0, 80, 320, 70});
    ASSERT_TRUE(ink.has_value());
    double measured = TextMetrics::lineWidth(text, font);
    EXPECT_LE(ink->maxX(), 10 + measured + 0.5);
    EXPECT_GT(ink->maxX(), 10 + measured - 0.3 * font.pointSize);
  }
}

TEST_F(LabelAndButtonPaintingTest, ShrinkingLabelDrawsItsSmallerFontWithinTheWidth) {
  auto w = whiteWindow();
  auto label = Label::create({20, 100, 120, 30});
  label->setText("汽车之家 Vorn cars and more");
  label->setFont(Font::systemFont(17));
  label->setAdjustsFontSizeToFitWidth(true);
  label->setMinimumFontSize(8);
  w->addSubview(label);
  Bitmap b = renderScreen(noStatusBar());
  ASSERT_LT(label->displayedFont().pointSize, 17);
  auto ink = inkBox(b, {0, 80, 320, 70});
  ASSERT_TRUE(ink.has_value());
  EXPECT_GE(ink->x(), 19);
  EXPECT_LE(ink->maxX(), 141);
  // Not cut with "…": the whole text fits, so ink runs to near the end of the width.
  EXPECT_GT(ink->maxX(), 140 - 10);
  EXPECT_LE(ink->height(), label->displayedFont().lineHeight() + 1);
}

TEST_F(LabelAndButtonPaintingTest, LabelColourFollowsHighlightAndShadowIsOffset) {
  auto w = whiteWindow();
  auto label = Label::create({20, 100, 200, 40});
  label->setText("沃恩汽车");
  label->setFont(Font::boldSystemFont(30));
  label->setTextColor(Color::rgba(1, 0, 0));
  label->setHighlightedTextColor(Color::rgba(0, 0, 1));
  w->addSubview(label);
  Rect area{0, 80, 320, 80};
  EXPECT_GT(countNear(renderScreen(noStatusBar()), area, 0xFF0000), 100);
  label->setHighlighted(true);
  Bitmap highlighted = renderScreen(noStatusBar());
  EXPECT_EQ(countNear(highlighted, area, 0xFF0000), 0);
  EXPECT_GT(countNear(highlighted, area, 0x0000FF), 100);

  label->setHighlighted(false);
  auto plain = inkBox(renderScreen(noStatusBar()), area);
  label->setShadowColor(Color::rgba(0, 1, 0));
  label->setShadowOffset({3, 4});
  Bitmap shadowed = renderScreen(noStatusBar());
  auto withShadow = inkBox(shadowed, area);
  ASSERT_TRUE(plain && withShadow);
  EXPECT_NEAR(withShadow->maxX() - plain->maxX(), 3, 1);
  EXPECT_NEAR(withShadow->maxY() - plain->maxY(), 4, 1);
  EXPECT_GT(countNear(shadowed, area, 0x00FF00), 20);
}

// A screen's own label class (its own class name) keeps the label's look.
class CaptionLabel : public Label {
 public:
  using Label::Label;
  std::string className() const override { return "CaptionLabel"; }
};

TEST_F(LabelAndButtonPaintingTest, LabelSubclassWithItsOwnClassNameIsDrawnAsALabel) {
  auto w = whiteWindow();
  auto caption = std::make_shared<CaptionLabel>(Rect{20, 100, 280, 30});
  caption->setText("Caption 标题");
  caption->setFont(Font::systemFont(12));
  caption->setTextAlignment(platform::TextAlignment::Right);
  w->addSubview(caption);
  auto ink = inkBox(renderScreen(noStatusBar()), {0, 90, 320, 50});
  ASSERT_TRUE(ink.has_value());
  EXPECT_NEAR(ink->maxX(), 300, 2.5);
  EXPECT_GT(ink->x(), 150);  // not the generic text at the left
  EXPECT_LE(ink->height(), Font::systemFont(12).lineHeight() + 1);
}

TEST_F(LabelAndButtonPaintingTest, PainterRegisteredByClassNameComesBeforeTheTypesPainter) {
  class BadgeLabel : public Label {
   public:
    using Label::Label;
    std::string className() const override { return "RenderTestBadgeLabel"; }
  };
  registerPainter("RenderTestBadgeLabel", [](PaintContext& c, const View&, const Rect& bounds) {
    fillRoundedRect(c, bounds, 0, Color::rgba(0, 0, 1));
  });
  auto w = whiteWindow();
  auto badge = std::make_shared<BadgeLabel>(Rect{20, 100, 100, 30});
  badge->setText("沃恩");
  badge->setTextColor(Color::rgba(1, 0, 0));
  w->addSubview(badge);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 70, 115), 0x0000FFu);
  EXPECT_EQ(countNear(b, {20, 100, 100, 30}, 0xFF0000), 0);
}

TEST_F(LabelAndButtonPaintingTest, MovingLabelIsDrawnWhereItsAnimationIsNow) {
  auto w = whiteWindow();
  auto label = Label::create({0, 100, 100, 30});
  label->setText("Vorn");
  w->addSubview(label);
  double start = now();
  View::animate(1.0, 0, AnimationOption::CurveLinear, [&] { label->setFrame({200, 100, 100, 30}); });
  RenderOptions halfway = noStatusBar();
  halfway.time = start + 0.5;
  auto ink = inkBox(renderScreen(halfway), {0, 90, 320, 50});
  ASSERT_TRUE(ink.has_value());
  EXPECT_NEAR(ink->x(), 100, 3);
}

TEST_F(LabelAndButtonPaintingTest, LinkLabelWrapsItsTextInItsFontWithLinksInTheLinkColour) {
  auto w = whiteWindow();
  auto label = EmojiLabel::create({20, 100, 150, 60});
  label->setFont(Font::systemFont(13));
  label->setTextColor(Color::rgba(0, 0, 0));
  label->setLinkColor(Color::rgba(0, 0, 1));
  label->setText("回复 @沃恩小编 这款车的油耗表现和操控都不错");
  w->addSubview(label);
  Bitmap b = renderScreen(noStatusBar());
  ASSERT_FALSE(label->links().empty());
  Rect area{0, 90, 320, 80};
  auto ink = inkBox(b, area);
  ASSERT_TRUE(ink.has_value());
  auto lines = TextMetrics::layoutText(label->text(), label->font(), 150, LineBreakMode::WordWrap).lines;
  ASSERT_GE(lines.size(), 2u);
  // Wrapped within the width, in its own font's line height, centred in the height.
  EXPECT_LE(ink->maxX(), 170.5);
  EXPECT_NEAR(ink->midY(), 130, 3);
  EXPECT_LE(ink->height(), label->font().lineHeight() * static_cast<double>(lines.size()) + 1);
  // The mention in the link colour, after "回复 " in the text colour.
  double mentionX = 20 + TextMetrics::lineWidth("回复 ", label->font());
  EXPECT_GT(countNear(b, {mentionX, 100, TextMetrics::lineWidth("@沃恩小编", label->font()), 60}, 0x0000FF, 30), 30);
  EXPECT_EQ(countNear(b, {20, 100, mentionX - 20 - 1, 60}, 0x0000FF, 30), 0);
}

TEST_F(LabelAndButtonPaintingTest, RichTextRunsKeepTheirColoursOnOneBaseline) {
  auto w = whiteWindow();
  auto label = TagRichTextLabel::create({20, 100, 280, 40});
  label->setFont(Font::systemFont(14));
  label->setTextColor(Color::rgba(0, 0, 0));
  label->setText("价格 <font color='#FF0000' size='24'>12.8万</font> <u>起</u>");
  w->addSubview(label);
  Bitmap b = renderScreen(noStatusBar());
  Rect area{0, 90, 320, 60};
  EXPECT_GT(countNear(b, area, 0xFF0000, 30), 50);
  auto black = inkBox(b, {20, 100, TextMetrics::lineWidth("价格 ", Font::systemFont(14)), 40});
  auto red = inkBox(b, area, 0xFFFFFF, 40);
  ASSERT_TRUE(black && red);
  // The small text sits on the big text's baseline: their bottoms (less descenders) line up.
  Font big = Font::systemFont(24);
  double baseline = 120 - big.lineHeight() / 2 + big.ascender();
  EXPECT_NEAR(black->maxY(), baseline, 2.5);
  EXPECT_LE(red->maxY(), baseline + 3);  // the underline just below the baseline
}

TEST_F(LabelAndButtonPaintingTest, ButtonTitleIsDrawnOnceInItsTitleRect) {
  auto w = whiteWindow();
  auto button = Button::create({20, 100, 280, 44});
  button->setTitle("确定 OK", ControlState::Normal);
  button->setTitleColor(Color::rgba(0, 0, 0), ControlState::Normal);
  w->addSubview(button);
  Bitmap b = renderScreen(noStatusBar());
  auto ink = inkBox(b, {0, 90, 320, 64});
  ASSERT_TRUE(ink.has_value());
  Rect title = button->titleLabel()->frameInWindow();
  expectInside(*ink, title, 1);
  EXPECT_NEAR(ink->midX(), 160, 2.5);
}

TEST_F(LabelAndButtonPaintingTest, ButtonShowsThePicturesAndTitleColourOfItsState) {
  struct Case {
    const char* name;
    bool highlighted, selected, enabled;
    std::uint32_t background;
    std::uint32_t title;
  } cases[] = {
      {"normal", false, false, true, 0xFF0000, 0x000000},
      {"highlighted", true, false, true, 0x0000FF, 0xFFFFFF},
      {"selected", false, true, true, 0x00FF00, 0xFFFF00},
      {"disabled", false, false, false, 0x808080, 0x404040},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Application::sharedApplication().reset();
    auto w = whiteWindow();
    auto button = Button::create({20, 100, 200, 50});
    button->setTitle("按钮", ControlState::Normal);
    button->titleLabel()->setFont(Font::boldSystemFont(24));
    button->setBackgroundImage(solidImage(4, 4, 0xFF0000), ControlState::Normal);
    button->setBackgroundImage(solidImage(4, 4, 0x0000FF), ControlState::Highlighted);
    button->setBackgroundImage(solidImage(4, 4, 0x00FF00), ControlState::Selected);
    button->setBackgroundImage(solidImage(4, 4, 0x808080), ControlState::Disabled);
    button->setTitleColor(Color::rgba(0, 0, 0), ControlState::Normal);
    button->setTitleColor(Color::rgba(1, 1, 1), ControlState::Highlighted);
    button->setTitleColor(Color::rgba(1, 1, 0), ControlState::Selected);
    button->setTitleColor(Color::rgb255(64, 64, 64), ControlState::Disabled);
    button->setHighlighted(c.highlighted);
    button->setSelected(c.selected);
    button->setEnabled(c.enabled);
    w->addSubview(button);
    Bitmap b = renderScreen(noStatusBar());
    EXPECT_EQ(at(b, 22, 102), c.background);  // a corner, away from the title
    EXPECT_GT(countNear(b, button->titleLabel()->frameInWindow(), c.title, 8), 30);
  }
}

TEST_F(LabelAndButtonPaintingTest, ButtonPictureDarkensWhileHighlightedUnlessTheStateHasItsOwn) {
  auto w = whiteWindow();
  auto button = Button::create({20, 100, 100, 100});
  button->setImage(solidImage(40, 40, 0xFF0000), ControlState::Normal);  // 20 x 20 points in the middle
  w->addSubview(button);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 70, 150), 0xFF0000u);
  button->setHighlighted(true);
  std::uint32_t darker = at(renderScreen(noStatusBar()), 70, 150);
  EXPECT_LT(red(darker), 200);
  EXPECT_EQ(green(darker), 0);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 50, 120), 0xFFFFFFu);  // outside the picture: not shaded
  button->setImage(solidImage(40, 40, 0x0000FF), ControlState::Highlighted);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 70, 150), 0x0000FFu);
  button->setAdjustsImageWhenHighlighted(false);
  button->setImage(nullptr, ControlState::Highlighted);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 70, 150), 0xFF0000u);
}

// A button that puts its picture at the top and its title below it.
class StackedButton : public Button {
 public:
  using Button::Button;
  std::string className() const override { return "StackedButton"; }
  Rect imageRectForContentRect(const Rect& content) const override {
    return {content.midX() - 10, content.y() + 4, 20, 20};
  }
  Rect titleRectForContentRect(const Rect& content) const override {
    return {content.x(), content.maxY() - 20, content.width(), 20};
  }
};

TEST_F(LabelAndButtonPaintingTest, OverriddenTitleAndImageRectsPlaceWhatIsDrawn) {
  auto w = whiteWindow();
  auto button = std::make_shared<StackedButton>(Rect{100, 100, 80, 60});
  button->setImage(solidImage(40, 40, 0x0000FF), ControlState::Normal);
  button->setTitle("首页", ControlState::Normal);
  button->setTitleColor(Color::rgba(1, 0, 0), ControlState::Normal);
  button->titleLabel()->setFont(Font::systemFont(12));
  w->addSubview(button);
  Bitmap b = renderScreen(noStatusBar());
  auto picture = inkBox(b, {100, 100, 80, 30});
  ASSERT_TRUE(picture.has_value());
  EXPECT_NEAR(picture->x(), 130, 0.5);
  EXPECT_NEAR(picture->y(), 104, 0.5);
  EXPECT_NEAR(picture->width(), 20, 0.5);
  auto title = inkBox(b, {100, 130, 80, 30});
  ASSERT_TRUE(title.has_value());
  expectInside(*title, {100, 140, 80, 20}, 1);
  EXPECT_GT(countNear(b, {100, 140, 80, 20}, 0xFF0000), 10);
}

}  // namespace
}  // namespace platform::render::testing
