#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Finger.h"
#include "UiTestFixture.h"
#include "platform/ui/ScrollView.h"

namespace platform::testing {
namespace {

// Records the delegate calls, collapsing runs of did-scroll into one entry.
struct Recorder : ScrollViewDelegate {
  std::vector<std::string> calls;
  std::shared_ptr<View> zoomView;
  Point lastVelocity;
  bool lastWillDecelerate = false;
  void add(const std::string& c) {
    if (c == "scroll" && !calls.empty() && calls.back() == "scroll") return;
    calls.push_back(c);
  }
  void scrollViewDidScroll(ScrollView&) override { add("scroll"); }
  void scrollViewWillBeginDragging(ScrollView& s) override {
    EXPECT_TRUE(s.isDragging());
    add("willBeginDragging");
  }
  void scrollViewWillEndDragging(ScrollView&, Point v, Point*) override {
    lastVelocity = v;
    add("willEndDragging");
  }
  void scrollViewDidEndDragging(ScrollView& s, bool decelerate) override {
    EXPECT_FALSE(s.isDragging());
    lastWillDecelerate = decelerate;
    add(decelerate ? "didEndDragging(decelerate)" : "didEndDragging");
  }
  void scrollViewWillBeginDecelerating(ScrollView& s) override {
    EXPECT_TRUE(s.isDecelerating());
    add("willBeginDecelerating");
  }
  void scrollViewDidEndDecelerating(ScrollView& s) override {
    EXPECT_FALSE(s.isDecelerating());
    add("didEndDecelerating");
  }
  void scrollViewDidEndScrollingAnimation(ScrollView&) override { add("didEndScrollingAnimation"); }
  std::shared_ptr<View> viewForZoomingInScrollView(ScrollView&) override { return zoomView; }
  void scrollViewDidZoom(ScrollView&) override { add("zoom"); }
  void scrollViewWillBeginZooming(ScrollView&, View*) override { add("willBeginZooming"); }
  void scrollViewDidEndZooming(ScrollView&, View*, double) override { add("didEndZooming"); }
};

class ScrollViewScrollingTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    scroll = ScrollView::create({0, 0, 320, 480});
    scroll->setContentSize({320, 2000});
    window->addSubview(scroll);
    recorder = std::make_shared<Recorder>();
    scroll->setDelegate(recorder);
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<ScrollView> scroll;
  std::shared_ptr<Recorder> recorder;
};

TEST_F(ScrollViewScrollingTest, FlickDeceleratesOnTheClockWithTheDelegateCallsInOrder) {
  Finger f(window, {160, 400});
  f.drag(0, -200);
  EXPECT_TRUE(scroll->isDragging());
  double afterDrag = scroll->contentOffset().y;
  EXPECT_GT(afterDrag, 150);  // the hysteresis before the drag began is not counted
  f.lift();
  EXPECT_TRUE(scroll->isDecelerating());
  EXPECT_GT(recorder->lastVelocity.y, 0);  // content moves down the page: positive, points per ms
  runFor(5);
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_GT(scroll->contentOffset().y, afterDrag);
  EXPECT_EQ(recorder->calls,
            (std::vector<std::string>{"willBeginDragging", "scroll", "willEndDragging", "didEndDragging(decelerate)",
                                      "willBeginDecelerating", "scroll", "didEndDecelerating"}));
}

TEST_F(ScrollViewScrollingTest, FingerThatRestsBeforeLiftingDoesNotDecelerate) {
  Finger f(window, {160, 400});
  f.drag(0, -100);
  runFor(0.5);
  f.lift();
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_EQ(recorder->calls,
            (std::vector<std::string>{"willBeginDragging", "scroll", "willEndDragging", "didEndDragging"}));
  double rest = scroll->contentOffset().y;
  runFor(2);
  EXPECT_EQ(scroll->contentOffset().y, rest);
}

TEST_F(ScrollViewScrollingTest, PullPastTheTopBouncesBackToTheInset) {
  scroll->setContentInset({50, 0, 0, 0});
  scroll->setContentOffset({0, -50});
  Finger f(window, {160, 100});
  f.drag(0, 200);
  EXPECT_LT(scroll->contentOffset().y, -50 - 80);  // rubber band: half the finger's way beyond the edge
  EXPECT_GT(scroll->contentOffset().y, -50 - 200);
  runFor(0.5);
  f.lift();
  EXPECT_TRUE(scroll->isDecelerating());
  runFor(1);
  EXPECT_EQ(scroll->contentOffset(), (Point{0, -50}));
  EXPECT_EQ(recorder->calls.back(), "didEndDecelerating");
}

TEST_F(ScrollViewScrollingTest, PagingSettlesOnTheNextPage) {
  scroll->setContentSize({320 * 5, 480});
  scroll->setPagingEnabled(true);
  Finger f(window, {300, 200});
  f.drag(-100, 0);
  f.lift();
  runFor(1);
  EXPECT_EQ(scroll->contentOffset(), (Point{320, 0}));
  EXPECT_EQ(recorder->calls.back(), "didEndDecelerating");
}

TEST_F(ScrollViewScrollingTest, DisabledScrollingIgnoresTheFinger) {
  scroll->setScrollEnabled(false);
  Finger f(window, {160, 400});
  f.drag(0, -200);
  f.lift();
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
  EXPECT_TRUE(recorder->calls.empty());
}

TEST_F(ScrollViewScrollingTest, AnimatedOffsetEndsWithTheScrollingAnimationCall) {
  scroll->setContentOffset({0, 300}, true);
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
  runFor(0.5);
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 300}));
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"scroll", "didEndScrollingAnimation"}));
}

TEST_F(ScrollViewScrollingTest, ScrollRectToVisibleMovesTheLeastDistance) {
  struct Case { Rect rect; double expected; };
  const Case cases[] = {
      {{0, 100, 320, 50}, 0},      // already visible
      {{0, 900, 320, 100}, 520},   // below: its bottom meets the bottom
      {{0, 1990, 320, 100}, 1520}, // never past the end
  };
  for (auto& c : cases) {
    scroll->scrollRectToVisible(c.rect, false);
    EXPECT_EQ(scroll->contentOffset().y, c.expected);
  }
  scroll->scrollRectToVisible({0, 10, 320, 20}, false);
  EXPECT_EQ(scroll->contentOffset().y, 10);
}

TEST_F(ScrollViewScrollingTest, ZoomStaysWithinItsLimits) {
  auto picture = View::create({0, 0, 640, 960});
  scroll->addSubview(picture);
  recorder->zoomView = picture;
  scroll->setMaximumZoomScale(3);
  scroll->setMinimumZoomScale(0.5);
  scroll->setZoomScale(0.5);
  EXPECT_EQ(scroll->contentSize(), (Size{320, 480}));
  expectRect(picture->frame(), 0, 0, 320, 480);

  scroll->setZoomScale(10);
  EXPECT_EQ(scroll->zoomScale(), 3);
  scroll->setZoomScale(0.1);
  EXPECT_EQ(scroll->zoomScale(), 0.5);

  // Zooming to a rectangle: its centre comes to the centre of the view.
  recorder->calls.clear();
  scroll->zoomToRect({320 - 320 / 1.75 / 2, 480 - 480 / 1.75 / 2, 320 / 1.75, 480 / 1.75}, true);
  EXPECT_DOUBLE_EQ(scroll->zoomScale(), 1.75);
  runFor(0.5);
  EXPECT_NEAR(scroll->contentOffset().x, 320 * 1.75 - 160, 1e-6);
  EXPECT_NEAR(scroll->contentOffset().y, 480 * 1.75 - 240, 1e-6);
  EXPECT_EQ(recorder->calls.front(), "willBeginZooming");
  EXPECT_EQ(recorder->calls.back(), "didEndZooming");
}

TEST_F(ScrollViewScrollingTest, ZoomWithoutAZoomingViewChangesNothing) {
  scroll->setMaximumZoomScale(3);
  scroll->setZoomScale(2);
  EXPECT_EQ(scroll->zoomScale(), 1);
}

}  // namespace
}  // namespace platform::testing
