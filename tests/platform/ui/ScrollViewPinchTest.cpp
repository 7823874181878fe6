// Pinching a scroll view's zooming view with two fingers: the scale follows the
// fingers' distance within the zoom range, the point between the fingers stays
// under them, and the delegate hears the zoom begin and end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Finger.h"
#include "UiTestFixture.h"
#include "platform/ui/ScrollView.h"

namespace platform::testing {
namespace {

struct ZoomDelegate : ScrollViewDelegate {
  std::shared_ptr<View> content;
  std::vector<std::string> calls;
  double endScale = 0;
  std::shared_ptr<View> viewForZoomingInScrollView(ScrollView&) override { return content; }
  void scrollViewWillBeginZooming(ScrollView& s, View*) override {
    EXPECT_TRUE(s.isZooming());
    calls.push_back("willBegin");
  }
  void scrollViewDidZoom(ScrollView&) override {
    if (calls.empty() || calls.back() != "zoom") calls.push_back("zoom");
  }
  void scrollViewDidEndZooming(ScrollView&, View*, double scale) override {
    endScale = scale;
    calls.push_back("didEnd");
  }
};

class ScrollViewPinchTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    scroll = ScrollView::create({0, 0, 320, 480});
    window->addSubview(scroll);
    delegate = std::make_shared<ZoomDelegate>();
    delegate->content = View::create({0, 0, 640, 960});
    scroll->addSubview(delegate->content);
    scroll->setContentSize({640, 960});
    scroll->setDelegate(delegate);
    scroll->setMaximumZoomScale(3);
    scroll->setMinimumZoomScale(0.5);
    scroll->setZoomScale(0.5);
    delegate->calls.clear();
  }
  // Two fingers on a line through (160, 240), `from` apart, end `to` apart;
  // both move in the same events, as fingers of one hand do.
  void pinch(double from, double to) {
    auto left = std::make_shared<Touch>();
    auto right = std::make_shared<Touch>();
    left->setLocation({160 - from / 2, 240});
    right->setLocation({160 + from / 2, 240});
    send({left, right}, TouchPhase::Began);
    for (int i = 1; i <= 10; ++i) {
      runFor(1.0 / 60);
      double d = from + (to - from) * i / 10;
      left->moveTo({160 - d / 2, 240});
      right->moveTo({160 + d / 2, 240});
      send({left, right}, TouchPhase::Moved);
    }
    send({left, right}, TouchPhase::Ended);
    runFor(0.1);
  }
  void send(const TouchSet& touches, TouchPhase phase) {
    Event e;
    e.setTimestamp(now());
    for (auto& t : touches) {
      t->setPhase(phase);
      t->setTimestamp(now());
      e.mutableTouches().push_back(t);
    }
    window->sendEvent(e);
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<ScrollView> scroll;
  std::shared_ptr<ZoomDelegate> delegate;
};

TEST_F(ScrollViewPinchTest, SpreadingFingersZoomsAroundThePointBetweenThem) {
  ASSERT_DOUBLE_EQ(scroll->zoomScale(), 0.5);
  pinch(100, 200);
  EXPECT_DOUBLE_EQ(scroll->zoomScale(), 1.0);
  EXPECT_EQ(scroll->contentSize(), (Size{640, 960}));
  // The content point that was between the fingers (320, 480 at scale 1) is still there.
  EXPECT_NEAR(scroll->contentOffset().x, 160, 1e-6);
  EXPECT_NEAR(scroll->contentOffset().y, 240, 1e-6);
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"willBegin", "zoom", "didEnd"}));
  EXPECT_DOUBLE_EQ(delegate->endScale, 1.0);
  EXPECT_FALSE(scroll->isZooming());
}

TEST_F(ScrollViewPinchTest, ScaleStaysWithinTheZoomRange) {
  struct Case { double from, to, scale; } cases[] = {{40, 400, 3.0}, {300, 30, 0.5}};
  for (const auto& c : cases) {
    pinch(c.from, c.to);
    EXPECT_DOUBLE_EQ(scroll->zoomScale(), c.scale) << c.from << " -> " << c.to;
  }
}

TEST_F(ScrollViewPinchTest, NoPinchWithoutRoomToZoomOrWithOneFinger) {
  scroll->setMaximumZoomScale(0.5);
  pinch(100, 200);
  EXPECT_DOUBLE_EQ(scroll->zoomScale(), 0.5);
  EXPECT_TRUE(delegate->calls.empty());

  scroll->setMaximumZoomScale(3);
  Finger one(window, {100, 240});
  one.drag(0, -50);
  one.lift();
  runFor(1.0);
  EXPECT_DOUBLE_EQ(scroll->zoomScale(), 0.5);
  EXPECT_TRUE(delegate->calls.empty());
}

}  // namespace
}  // namespace platform::testing
