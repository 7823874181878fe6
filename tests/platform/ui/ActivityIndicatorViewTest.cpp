#include <gtest/gtest.h>

#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Animation.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

class ActivityIndicatorViewTest : public UiTest {};

TEST_F(ActivityIndicatorViewTest, StylesGiveSizeAndColour) {
  struct Case {
    ActivityIndicatorViewStyle style;
    double side;
    Color color;
  };
  const Case cases[] = {
      {ActivityIndicatorViewStyle::WhiteLarge, 37, Color::white()},
      {ActivityIndicatorViewStyle::White, 20, Color::white()},
      {ActivityIndicatorViewStyle::Gray, 20, Color::gray()},
  };
  for (const auto& c : cases) {
    auto spinner = ActivityIndicatorView::initWithActivityIndicatorStyle(c.style);
    expectRect(spinner->bounds(), 0, 0, c.side, c.side);
    EXPECT_TRUE(spinner->color().sameAs(c.color));
  }
  auto spinner = ActivityIndicatorView::initWithActivityIndicatorStyle(ActivityIndicatorViewStyle::Gray);
  spinner->setCenter({100, 100});
  spinner->setActivityIndicatorViewStyle(ActivityIndicatorViewStyle::WhiteLarge);
  expectRect(spinner->frame(), 81.5, 81.5, 37, 37);
}

TEST_F(ActivityIndicatorViewTest, TurnsWhileAnimatingAndHidesWhenStopped) {
  auto spinner = ActivityIndicatorView::initWithActivityIndicatorStyle(ActivityIndicatorViewStyle::White);
  EXPECT_TRUE(spinner->isHidden());
  spinner->startAnimating();
  EXPECT_TRUE(spinner->isAnimating());
  EXPECT_FALSE(spinner->isHidden());
  double start = now();
  EXPECT_NE(spinner->presentationTransform(start + 0.25).b, 0);  // a quarter turn in
  runFor(10);
  EXPECT_TRUE(spinner->layer().animationForKey(ActivityIndicatorView::kSpinAnimationKey));
  spinner->stopAnimating();
  EXPECT_TRUE(spinner->isHidden());
  EXPECT_FALSE(spinner->layer().animationForKey(ActivityIndicatorView::kSpinAnimationKey));

  spinner->setHidesWhenStopped(false);
  EXPECT_FALSE(spinner->isHidden());
  spinner->startAnimating();
  spinner->stopAnimating();
  EXPECT_FALSE(spinner->isHidden());
}

}  // namespace
}  // namespace platform::testing
