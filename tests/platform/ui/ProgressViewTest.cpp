#include <gtest/gtest.h>

#include <limits>

#include "platform/ui/ProgressView.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

class ProgressViewTest : public UiTest {};

TEST_F(ProgressViewTest, ProgressIsClampedAndFillsItsShareOfTheWidth) {
  auto bar = ProgressView::initWithProgressViewStyle(ProgressViewStyle::Default);
  bar->setFrame({10, 50, 200, 20});
  expectRect(bar->frame(), 10, 50, 200, ProgressView::kHeight);
  struct Case {
    double given, kept;
  };
  const Case cases[] = {{0.25, 0.25}, {1.5, 1}, {-0.1, 0}, {std::numeric_limits<double>::quiet_NaN(), 0}, {1, 1}};
  for (const auto& c : cases) {
    bar->setProgress(c.given);
    EXPECT_DOUBLE_EQ(bar->progress(), c.kept);
    EXPECT_DOUBLE_EQ(bar->progressBar()->frame().width(), 200 * c.kept);
  }
}

TEST_F(ProgressViewTest, AnimatedProgressTakesItsValueAtOnceAndSlidesOnScreen) {
  auto bar = ProgressView::initWithProgressViewStyle(ProgressViewStyle::Bar);
  bar->setFrame({0, 0, 100, 2});
  EXPECT_EQ(bar->backgroundColor().alpha, 0);  // the bar style has no track
  bar->setProgress(0.8, true);
  EXPECT_DOUBLE_EQ(bar->progress(), 0.8);
  EXPECT_DOUBLE_EQ(bar->progressBar()->frame().width(), 80);
  double mid = bar->progressBar()->presentationFrame(now() + ProgressView::kAnimationDuration / 2).width();
  EXPECT_GT(mid, 0);
  EXPECT_LT(mid, 80);
}

}  // namespace
}  // namespace platform::testing
