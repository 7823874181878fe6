// Text fields, text views, switches, page dots, progress bars and activity
// indicators draw what their state says, where their own geometry says.
#include <gtest/gtest.h>

#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Button.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/ProgressView.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "RenderTestFixture.h"

namespace platform::render::testing {
namespace {

using InputControlPaintingTest = RenderTest;

TEST_F(InputControlPaintingTest, TextFieldShowsPlaceholderOrTextInItsTextRect) {
  auto w = whiteWindow();
  auto field = TextField::create({20, 100, 280, 40});
  field->setBorderStyle(TextBorderStyle::None);
  field->setPlaceholder("请输入手机号");
  field->setPlaceholderColor(Color::rgba(1, 0, 0));
  field->setTextColor(Color::rgba(0, 0, 1));
  w->addSubview(field);
  Rect text = field->convertRectToView(field->textRectForBounds(field->bounds()), nullptr);
  Bitmap empty = renderScreen(noStatusBar());
  EXPECT_GT(countNear(empty, text, 0xFF0000), 50);
  auto placeholderInk = inkBox(empty, {0, 90, 320, 60});
  ASSERT_TRUE(placeholderInk.has_value());
  EXPECT_GE(placeholderInk->x(), text.x() - 0.5);
  EXPECT_LE(placeholderInk->maxY(), text.maxY());

  field->setText("13800138000");
  Bitmap filled = renderScreen(noStatusBar());
  EXPECT_EQ(countNear(filled, text, 0xFF0000), 0);
  EXPECT_GT(countNear(filled, text, 0x0000FF), 50);
  auto ink = inkBox(filled, {0, 90, 320, 60});
  ASSERT_TRUE(ink.has_value());
  // The digits' ink spans their measured width, less the first and last side bearings.
  double measured = TextMetrics::lineWidth("13800138000", field->font());
  EXPECT_GE(ink->x(), text.x() - 0.5);
  EXPECT_LE(ink->maxX(), text.x() + measured + 0.5);
  EXPECT_GT(ink->width(), measured - 10);
}

TEST_F(InputControlPaintingTest, SecureFieldDrawsOneBulletPerCharacter) {
  auto w = whiteWindow();
  auto field = TextField::create({20, 100, 280, 40});
  field->setText("abcdefgh");
  w->addSubview(field);
  double plainWidth = inkBox(renderScreen(noStatusBar()), {0, 90, 320, 60})->width();
  field->setSecureTextEntry(true);
  auto ink = inkBox(renderScreen(noStatusBar()), {0, 90, 320, 60});
  ASSERT_TRUE(ink.has_value());
  // Bullets sit where the cursor's measure puts them: their ink spans the
  // measured width less at most one bullet's side bearings.
  double bullets = TextMetrics::lineWidth(field->displayedText(), field->font());
  EXPECT_LE(ink->width(), bullets + 0.5);
  EXPECT_GT(ink->width(), bullets - TextMetrics::lineWidth(kSecureTextBullet, field->font()));
  EXPECT_GT(std::abs(ink->width() - plainWidth), 5);
}

TEST_F(InputControlPaintingTest, LongTextIsCutAtTheTextRectAndShowsItsEndWhileEditing) {
  auto w = whiteWindow();
  auto field = TextField::create({20, 100, 150, 40});
  field->setText("这是一段比输入框宽得多的文字 with Latin too");
  w->addSubview(field);
  Rect text = field->convertRectToView(field->textRectForBounds(field->bounds()), nullptr);
  auto ink = inkBox(renderScreen(noStatusBar()), {0, 90, 320, 60});
  ASSERT_TRUE(ink.has_value());
  EXPECT_GE(ink->x(), text.x() - 0.5);
  EXPECT_LE(ink->maxX(), text.maxX() + 0.5);
  ASSERT_TRUE(field->becomeFirstResponder());
  Bitmap editing = renderScreen(noStatusBar());
  auto editingInk = inkBox(editing, {0, 90, 320, 60});
  ASSERT_TRUE(editingInk.has_value());
  EXPECT_LE(editingInk->maxX(), text.maxX() + 0.5);
  // The end of the text is at the right, where the cursor is.
  EXPECT_GT(countNear(editing, {text.maxX() - 12, text.y(), 12, text.height()}, 0x000000, 60), 5);
}

TEST_F(InputControlPaintingTest, CursorIsDrawnOnlyWhileTheFieldIsFirstResponder) {
  auto w = whiteWindow();
  auto field = TextField::create({20, 100, 280, 40});
  field->setText("车");
  w->addSubview(field);
  std::uint32_t tint = 0x007AFF;
  EXPECT_EQ(countNear(renderScreen(noStatusBar()), {0, 90, 320, 60}, tint, 10), 0);
  ASSERT_TRUE(field->becomeFirstResponder());
  Rect caret = field->convertRectToView(field->caretRect(), nullptr);
  Bitmap editing = renderScreen(noStatusBar());
  EXPECT_GT(countNear(editing, caret.insetBy(-1, 0), tint, 10), 2 * caret.height());
}

TEST_F(InputControlPaintingTest, ClearButtonIsDrawnWhenShown) {
  auto w = whiteWindow();
  auto field = TextField::create({20, 100, 280, 40});
  field->setText("沃恩");
  field->setClearButtonMode(TextFieldViewMode::Always);
  w->addSubview(field);
  Rect clear = field->convertRectToView(field->clearButtonRectForBounds(field->bounds()), nullptr);
  EXPECT_TRUE(inkBox(renderScreen(noStatusBar()), clear).has_value());
  field->setClearButtonMode(TextFieldViewMode::Never);
  field->setNeedsLayout();
  EXPECT_FALSE(inkBox(renderScreen(noStatusBar()), clear).has_value());
}

TEST_F(InputControlPaintingTest, TextViewLinesScrollWithItsContent) {
  auto w = whiteWindow();
  auto view = platform::TextView::create({20, 100, 200, 100});
  view->setFont(Font::systemFont(14));
  std::string text;
  for (int i = 0; i < 20; ++i) text += "第" + std::to_string(i + 1) + "行\n";
  view->setText(text);
  w->addSubview(view);
  Rect frame = view->frame();
  Rect textBox = view->convertRectToView(view->textRect(), nullptr);
  auto ink = inkBox(renderScreen(noStatusBar()), frame.insetBy(-10, -10));
  ASSERT_TRUE(ink.has_value());
  EXPECT_NEAR(ink->x(), textBox.x(), 2);
  EXPECT_GE(ink->y(), textBox.y() - 0.5);
  EXPECT_LE(ink->maxY(), frame.maxY());  // cut at the bounds
  view->setContentOffset({0, 100});
  auto scrolled = inkBox(renderScreen(noStatusBar()), frame.insetBy(-10, -10));
  ASSERT_TRUE(scrolled.has_value());
  EXPECT_LT(scrolled->y(), frame.y() + 4);  // lines above now run under the top edge
}

TEST_F(InputControlPaintingTest, SwitchTrackAndThumbFollowItsValueAndSlide) {
  auto w = whiteWindow();
  auto control = Switch::create({100, 100, 0, 0});
  control->setOnTintColor(Color::rgba(0, 1, 0));
  w->addSubview(control);
  // Off: the thumb at the left, the track white inside its outline.
  Bitmap off = renderScreen(noStatusBar());
  EXPECT_EQ(at(off, 145, 115.5), 0xFFFFFFu);
  EXPECT_EQ(at(off, 110, 115.5), 0xFFFFFFu);  // the thumb
  EXPECT_NE(at(off, 100.5, 115.5), 0xFFFFFFu);  // the outline
  control->setOn(true);
  Bitmap on = renderScreen(noStatusBar());
  EXPECT_EQ(at(on, 110, 115.5), 0x00FF00u);
  EXPECT_EQ(at(on, 140, 115.5), 0xFFFFFFu);  // the thumb at the right
  control->setOn(false, true);
  RenderOptions halfway = noStatusBar();
  halfway.time = now() + Switch::kSlideDuration / 2;
  Bitmap sliding = renderScreen(halfway);
  std::uint32_t between = at(sliding, 110, 115.5);
  EXPECT_NE(between, 0xFFFFFFu);
  EXPECT_NE(between, 0x00FF00u);
}

TEST_F(InputControlPaintingTest, PageControlDrawsADotPerPageWithTheCurrentOneInItsColour) {
  auto w = whiteWindow();
  auto dots = PageControl::create({20, 100, 280, 20});
  dots->setNumberOfPages(5);
  dots->setCurrentPage(2);
  dots->setPageIndicatorTintColor(Color::rgba(1, 0, 0));
  dots->setCurrentPageIndicatorTintColor(Color::rgba(0, 0, 1));
  w->addSubview(dots);
  Bitmap b = renderScreen(noStatusBar());
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    Rect r = dots->convertRectToView(dots->dotRect(i), nullptr);
    EXPECT_EQ(at(b, r.midX(), r.midY()), i == 2 ? 0x0000FFu : 0xFF0000u);
  }
  auto ink = inkBox(b, {0, 90, 320, 40});
  ASSERT_TRUE(ink.has_value());
  EXPECT_NEAR(ink->width(), 5 * PageControl::kDotSize + 4 * PageControl::kDotSpacing, 1);
}

TEST_F(InputControlPaintingTest, ProgressBarFillsItsShareAndSlidesWhenAnimated) {
  auto w = whiteWindow();
  auto bar = ProgressView::initWithProgressViewStyle(ProgressViewStyle::Default);
  bar->setFrame({20, 100, 200, 0});
  bar->setProgressTintColor(Color::rgba(0, 0, 1));
  bar->setTrackTintColor(Color::rgba(1, 0, 0));
  bar->setProgress(0.25);
  w->addSubview(bar);
  Bitmap quarter = renderScreen(noStatusBar());
  EXPECT_EQ(at(quarter, 60, 101), 0x0000FFu);
  EXPECT_EQ(at(quarter, 80, 101), 0xFF0000u);
  double start = now();
  bar->setProgress(0.75, true);
  RenderOptions halfway = noStatusBar();
  halfway.time = start + ProgressView::kAnimationDuration / 2;
  Bitmap sliding = renderScreen(halfway);
  EXPECT_EQ(at(sliding, 110, 101), 0x0000FFu);
  EXPECT_EQ(at(sliding, 130, 101), 0xFF0000u);
}

TEST_F(InputControlPaintingTest, ActivityIndicatorSpokesTurnWhileAnimatingAndHideWhenStopped) {
  auto w = whiteWindow();
  auto spinner = ActivityIndicatorView::initWithActivityIndicatorStyle(ActivityIndicatorViewStyle::Gray);
  spinner->setCenter({160, 200});
  w->addSubview(spinner);
  Rect area = spinner->frame();
  EXPECT_FALSE(inkBox(renderScreen(noStatusBar()), area).has_value());
  spinner->startAnimating();
  double start = now();
  RenderOptions first = noStatusBar(), later = noStatusBar();
  first.time = start + 0.1;
  later.time = start + 0.35;
  Bitmap a = renderScreen(first), b = renderScreen(later);
  auto ink = inkBox(a, area);
  ASSERT_TRUE(ink.has_value());
  EXPECT_GT(ink->width(), area.width() * 0.7);
  EXPECT_GT(compareBitmaps(a, b, 30).differingPixels, 20);
  spinner->stopAnimating();
  EXPECT_FALSE(inkBox(renderScreen(noStatusBar()), area).has_value());
}

}  // namespace
}  // namespace platform::render::testing
