#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/EdgeSwipeGestureRecognizer.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Finger.h"
#include "platform/ui/UiTestFixture.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

using platform::GestureRecognizerState;
using platform::Point;
using platform::testing::Finger;

class EdgeSwipeGestureRecognizerTest : public platform::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    area = platform::View::create({0, 0, 320, 568});
    window->addSubview(area);
    edge = std::make_shared<EdgeSwipeGestureRecognizer>();
    edge->addTarget([this](platform::GestureRecognizer& r) { reported.push_back(r.state()); });
    area->addGestureRecognizer(edge);
  }
  std::shared_ptr<platform::Window> window;
  std::shared_ptr<platform::View> area;
  std::shared_ptr<EdgeSwipeGestureRecognizer> edge;
  std::vector<GestureRecognizerState> reported;
};

TEST_F(EdgeSwipeGestureRecognizerTest, DefaultsAreTheLeftEdgeWithA160PointMargin) {
  EXPECT_EQ(edge->side(), 0);
  EXPECT_EQ(edge->margin(), 160.0f);
  EXPECT_EQ(edge->minimumRecognitionDistance(), 5.0f);
}

TEST_F(EdgeSwipeGestureRecognizerTest, DistanceAndDirectionDecideWhetherTheSwipeBegins) {
  struct Case {
    int side;
    float margin;
    Point start;
    Point move;
    GestureRecognizerState after;
  } cases[] = {
      {0, 160, {10, 300}, {4, 0}, GestureRecognizerState::Possible},   // not far enough yet
      {0, 160, {10, 300}, {6, 0}, GestureRecognizerState::Began},
      {0, 160, {10, 300}, {5, 5}, GestureRecognizerState::Failed},     // exactly 45 degrees
      {0, 160, {10, 300}, {5, -4}, GestureRecognizerState::Began},
      {0, 160, {10, 300}, {-6, 0}, GestureRecognizerState::Failed},    // towards the edge
      {0, 160, {160, 300}, {6, 0}, GestureRecognizerState::Began},     // on the margin
      {0, 160, {161, 300}, {6, 0}, GestureRecognizerState::Failed},    // beyond it
      {0, 0, {1, 300}, {6, 0}, GestureRecognizerState::Failed},        // margin 0: off
      {0, 0, {0, 300}, {6, 0}, GestureRecognizerState::Began},
      {1, 160, {300, 300}, {-6, 1}, GestureRecognizerState::Began},    // just below pi
      {1, 160, {300, 300}, {-6, -1}, GestureRecognizerState::Began},   // shifted past pi
      {1, 160, {159, 300}, {-6, 0}, GestureRecognizerState::Failed},   // too far from the right edge
      {2, 160, {100, 10}, {0, 6}, GestureRecognizerState::Began},
      {2, 160, {100, 10}, {6, 0}, GestureRecognizerState::Failed},
      {3, 160, {100, 560}, {1, -6}, GestureRecognizerState::Began},
      {3, 160, {100, 400}, {0, -6}, GestureRecognizerState::Failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "side " << c.side << " start " << c.start.x << "," << c.start.y << " move "
                                    << c.move.x << "," << c.move.y);
    edge->setSide(c.side);
    edge->setMargin(c.margin);
    reported.clear();
    Finger finger(window, c.start);
    finger.moveTo({c.start.x + c.move.x, c.start.y + c.move.y});
    EXPECT_EQ(edge->state(), c.after);
    finger.lift();
    EXPECT_EQ(reported.empty(), c.after != GestureRecognizerState::Began);
    if (c.after == GestureRecognizerState::Began) {
      EXPECT_EQ(reported, (std::vector<GestureRecognizerState>{GestureRecognizerState::Began,
                                                               GestureRecognizerState::Ended}));
    }
  }
}

TEST_F(EdgeSwipeGestureRecognizerTest, EveryMoveOfARunningSwipeIsReported) {
  Finger finger(window, {10, 300});
  finger.drag(100, 0, 5, 0.1);
  finger.lift();
  EXPECT_EQ(reported, (std::vector<GestureRecognizerState>{
                          GestureRecognizerState::Began, GestureRecognizerState::Changed,
                          GestureRecognizerState::Changed, GestureRecognizerState::Changed,
                          GestureRecognizerState::Changed, GestureRecognizerState::Ended}));
}

TEST_F(EdgeSwipeGestureRecognizerTest, TranslationFromTheStartAndVelocityFromTheLastTwoSamples) {
  Finger finger(window, {10, 300});
  finger.moveTo({30, 300}, 0.1);
  finger.moveTo({70, 310}, 0.1);
  EXPECT_DOUBLE_EQ(edge->translationInView(area.get()).x, 60);
  EXPECT_DOUBLE_EQ(edge->translationInView(area.get()).y, 10);
  EXPECT_NEAR(edge->velocityInView(area.get()).x, 400, 0.01);  // the clock counts from 1970
  EXPECT_NEAR(edge->velocityInView(area.get()).y, 100, 0.01);
  EXPECT_EQ(edge->translationInView(nullptr).x, 0);  // no view, no translation

  // A view that sits elsewhere sees the same vector; a scaled one sees it scaled.
  auto half = platform::View::create({0, 0, 320, 568});
  half->setTransform(platform::AffineTransform::scale(0.5, 0.5));
  window->addSubview(half);
  EXPECT_NEAR(edge->translationInView(half.get()).x, 120, 1e-9);

  finger.moveTo({90, 310}, 0);  // a second sample at the same moment
  EXPECT_EQ(edge->velocityInView(area.get()).x, 0);
  EXPECT_EQ(edge->velocityInView(area.get()).y, 0);
  finger.lift();
}

TEST_F(EdgeSwipeGestureRecognizerTest, TwoFingersLandingTogetherFail) {
  auto a = std::make_shared<platform::Touch>();
  auto b = std::make_shared<platform::Touch>();
  a->setLocation({10, 300});
  b->setLocation({20, 320});
  platform::Event down;
  for (auto& t : {a, b}) {
    t->setPhase(platform::TouchPhase::Began);
    down.mutableTouches().push_back(t);
  }
  window->sendEvent(down);
  EXPECT_EQ(edge->state(), GestureRecognizerState::Failed);
  platform::Event up;
  for (auto& t : {a, b}) {
    t->setPhase(platform::TouchPhase::Ended);
    up.mutableTouches().push_back(t);
  }
  window->sendEvent(up);
  EXPECT_TRUE(reported.empty());
}

TEST_F(EdgeSwipeGestureRecognizerTest, ACancelledSwipeEndsAsFailedWithItsStartCleared) {
  Finger finger(window, {10, 300});
  finger.drag(50, 0, 5, 0.1);
  finger.cancel();
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), GestureRecognizerState::Failed);
  EXPECT_EQ(edge->startPoint(), (Point{0, 0}));
}

}  // namespace
}  // namespace vorn
