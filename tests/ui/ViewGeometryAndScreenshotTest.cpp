#include <gtest/gtest.h>

#include "ViewTestFixture.h"
#include "platform/ui/Image.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/View.h"
#include "ui/LaunchScrollView.h"
#include "ui/ViewScreenshot.h"

namespace vorn::test {
namespace {

using platform::Rect;
using platform::View;

class ViewGeometryAndScreenshotTest : public ViewTest {};

TEST_F(ViewGeometryAndScreenshotTest, EdgesAndSizeOfTheFrame) {
  auto view = View::create({10, 20, 100, 50});
  EXPECT_EQ(top(*view), 20);
  EXPECT_EQ(bottom(*view), 70);
  EXPECT_EQ(left(*view), 10);
  EXPECT_EQ(right(*view), 110);
  EXPECT_EQ(width(*view), 100);
  EXPECT_EQ(height(*view), 50);

  setRight(*view, 200);
  EXPECT_EQ(view->frame(), Rect(100, 20, 100, 50));
  setBottom(*view, 200);
  EXPECT_EQ(view->frame(), Rect(100, 150, 100, 50));
  setTop(*view, 5);
  setLeft(*view, 6);
  EXPECT_EQ(view->frame(), Rect(6, 5, 100, 50));

  auto other = View::create({10, 20, 100, 50});
  setWidth(*other, 30);
  EXPECT_EQ(other->frame(), Rect(10, 20, 30, 50));
  setHeight(*other, 12);
  EXPECT_EQ(other->frame(), Rect(10, 20, 30, 12));
}

// A 320 x 200 view: red rows 0 to 30, blue below.
std::shared_ptr<View> stripedView() {
  auto view = View::create({0, 0, 320, 200});
  view->setBackgroundColor(platform::Color::rgb255(0, 0, 255));
  auto band = View::create({0, 0, 320, 30});
  band->setBackgroundColor(platform::Color::rgb255(255, 0, 0));
  view->addSubview(band);
  return view;
}

// The colour at a point (in points) of a double-scale picture.
platform::Color at(const platform::Image& image, double x, double y) {
  return image.pixelAt(int(x * image.scale()), int(y * image.scale()));
}

TEST_F(ViewGeometryAndScreenshotTest, ScreenshotWithOffsetMovesTheDrawingAndGrowsThePicture) {
  auto view = stripedView();
  auto plain = screenshot(*view);
  EXPECT_EQ(plain->size(), (platform::Size{320, 200}));
  EXPECT_TRUE(sameRgb(at(*plain, 100, 10), 255, 0, 0));
  EXPECT_TRUE(sameRgb(at(*plain, 100, 100), 0, 0, 255));

  // Offset -40 and extraY 10: 320 x 220, content starting 30 points above the top.
  auto moved = screenshotWithOffset(*view, -40, 10);
  EXPECT_EQ(moved->size(), (platform::Size{320, 220}));
  EXPECT_TRUE(sameRgb(at(*moved, 100, 0.5), 0, 0, 255));  // the view's row 30
  EXPECT_EQ(at(*moved, 100, 0.5).alpha255(), 255);
  EXPECT_TRUE(sameRgb(at(*moved, 100, 169.5), 0, 0, 255));
  EXPECT_EQ(at(*moved, 100, 170.5).alpha255(), 0);  // below the view: transparent
  EXPECT_EQ(at(*moved, 100, 219.5).alpha255(), 0);

  auto down = screenshotWithOffset(*view, 20);
  EXPECT_EQ(down->size(), (platform::Size{320, 200}));
  EXPECT_EQ(at(*down, 100, 19.5).alpha255(), 0);
  EXPECT_TRUE(sameRgb(at(*down, 100, 20.5), 255, 0, 0));
}

// Counts the touches that reach it through the responder chain.
class TouchCounter : public View {
 public:
  using View::View;
  void touchesBegan(const platform::TouchSet&, const platform::Event&) override { ++began; }
  void touchesEnded(const platform::TouchSet&, const platform::Event&) override { ++ended; }
  int began = 0;
  int ended = 0;
};

TEST_F(ViewGeometryAndScreenshotTest, LaunchScrollViewPassesTouchesOnAndStillScrolls) {
  auto behind = std::make_shared<TouchCounter>(Rect(0, 0, 320, 568));
  window->addSubview(behind);
  auto pages = LaunchScrollView::create({0, 0, 320, 400});
  pages->setContentSize({960, 400});
  pages->setPagingEnabled(true);
  behind->addSubview(pages);

  platform::TestDriver::tap(pages);
  EXPECT_EQ(behind->began, 1);
  EXPECT_EQ(behind->ended, 1);

  platform::TestDriver::drag(pages, -200, 0, 0.3);
  runFor(1.0);
  EXPECT_EQ(pages->contentOffset().x, 320);
}

}  // namespace
}  // namespace vorn::test
