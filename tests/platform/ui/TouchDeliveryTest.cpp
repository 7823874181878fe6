#include <cmath>

#include "Finger.h"
#include "UiTestFixture.h"
#include "platform/ui/LongPressGestureRecognizer.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/SwipeGestureRecognizer.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"

namespace platform::testing {
namespace {

using States = std::vector<GestureRecognizerState>;
using S = GestureRecognizerState;

class TouchLogView : public View {
 public:
  using View::View;
  std::vector<std::string>* log = nullptr;
  std::string name;
  bool swallow = true;
  void touchesBegan(const TouchSet& t, const Event& e) override {
    if (note("began")) View::touchesBegan(t, e);
  }
  void touchesMoved(const TouchSet& t, const Event& e) override {
    if (note("moved")) View::touchesMoved(t, e);
  }
  void touchesEnded(const TouchSet& t, const Event& e) override {
    if (note("ended")) View::touchesEnded(t, e);
  }
  void touchesCancelled(const TouchSet& t, const Event& e) override {
    if (note("cancelled")) View::touchesCancelled(t, e);
  }

 private:
  // Logs once per phase; answers whether to pass the touches on.
  bool note(const char* what) {
    if (log && (log->empty() || log->back() != name + " " + what)) log->push_back(name + " " + what);
    return !swallow;
  }
};

class TouchDeliveryTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
  }
  std::shared_ptr<Window> window;
};

TEST_F(TouchDeliveryTest, TouchesGoToTheHitViewAndUpTheResponderChain) {
  std::vector<std::string> log;
  auto outer = std::make_shared<TouchLogView>(Rect{0, 0, 320, 300});
  outer->log = &log;
  outer->name = "outer";
  auto inner = std::make_shared<TouchLogView>(Rect{10, 10, 100, 100});
  inner->log = &log;
  inner->name = "inner";
  inner->swallow = false;  // passes on to its next responder
  outer->addSubview(inner);
  window->addSubview(outer);

  EXPECT_EQ(TestDriver::tap(inner), inner);
  EXPECT_EQ(log, (std::vector<std::string>{"inner began", "outer began", "inner ended", "outer ended"}));
  log.clear();
  inner->setUserInteractionEnabled(false);
  EXPECT_EQ(TestDriver::tap(inner), outer);
  EXPECT_EQ(log, (std::vector<std::string>{"outer began", "outer ended"}));
}

TEST_F(TouchDeliveryTest, RecognizedGestureCancelsTheViewsTouches) {
  std::vector<std::string> log;
  auto v = std::make_shared<TouchLogView>(Rect{0, 0, 320, 300});
  v->log = &log;
  v->name = "view";
  window->addSubview(v);
  States states;
  auto pan = std::make_shared<PanGestureRecognizer>([&](GestureRecognizer& r) { states.push_back(r.state()); });
  v->addGestureRecognizer(pan);
  TestDriver::drag(v, 100, 0, 0.3);
  ASSERT_GE(states.size(), 3u);
  EXPECT_EQ(states.front(), S::Began);
  EXPECT_EQ(states[1], S::Changed);
  EXPECT_EQ(states.back(), S::Ended);
  EXPECT_EQ(log, (std::vector<std::string>{"view began", "view moved", "view cancelled"}));
  EXPECT_EQ(pan->state(), S::Possible);  // reset once the fingers are up

  log.clear();
  states.clear();
  pan->setCancelsTouchesInView(false);
  TestDriver::drag(v, 100, 0, 0.3);
  EXPECT_EQ(log.back(), "view ended");
}

TEST_F(TouchDeliveryTest, PanReportsTranslationAndVelocityInAView) {
  auto v = View::create({0, 100, 320, 300});
  window->addSubview(v);
  Point translation, velocity, location;
  auto pan = std::make_shared<PanGestureRecognizer>([&](GestureRecognizer& r) {
    auto& p = static_cast<PanGestureRecognizer&>(r);
    if (r.state() == S::Ended) return;
    translation = p.translationInView(v.get());
    velocity = p.velocityInView(v.get());
    location = p.locationInView(v.get());
  });
  v->addGestureRecognizer(pan);
  TestDriver::dragPath({{50, 200}, {110, 180}}, 0.5);
  EXPECT_NEAR(translation.x, 60, 1e-6);
  EXPECT_NEAR(translation.y, -20, 1e-6);
  EXPECT_NEAR(velocity.x, 120, 1e-3);  // 60 points over 0.5 s, sampled evenly
  EXPECT_NEAR(velocity.y, -40, 1e-3);
  EXPECT_NEAR(location.x, 110, 1e-6);
  EXPECT_NEAR(location.y, 80, 1e-6);
}

// A pan that only starts near the left edge and fails itself otherwise,
// setting its own states from its touch methods.
class LeftEdgePan : public PanGestureRecognizer {
 public:
  using PanGestureRecognizer::PanGestureRecognizer;
  double margin = 40;
  void touchesBegan(const TouchSet& touches, const Event& event) override {
    PanGestureRecognizer::touchesBegan(touches, event);
    if (touches.size() != 1 || touches[0]->locationInView(view().get()).x > margin) setState(S::Failed);
    else start = touches[0]->locationInView(view().get());
  }
  void touchesMoved(const TouchSet& touches, const Event& event) override {
    PanGestureRecognizer::touchesMoved(touches, event);
    if (state() == S::Failed) return;
    Point p = touches[0]->locationInView(view().get());
    if (state() == S::Possible && std::hypot(p.x - start.x, p.y - start.y) >= 5)
      setState(p.x > start.x ? S::Began : S::Failed);
    else if (state() == S::Began)
      setState(S::Changed);
  }
  Point start;
};

TEST_F(TouchDeliveryTest, PanSubclassSetsAndFailsItsOwnState) {
  auto v = View::create({0, 0, 320, 568});
  window->addSubview(v);
  States states;
  auto edge = std::make_shared<LeftEdgePan>([&](GestureRecognizer& r) { states.push_back(r.state()); });
  v->addGestureRecognizer(edge);

  TestDriver::dragPath({{100, 200}, {300, 200}}, 0.2);  // starts too far from the edge
  EXPECT_TRUE(states.empty());
  TestDriver::dragPath({{20, 200}, {0, 200}}, 0.2);  // wrong way
  EXPECT_TRUE(states.empty());
  TestDriver::edgeSwipe(5, 250, 0.2);
  ASSERT_GE(states.size(), 3u);
  EXPECT_EQ(states.front(), S::Began);
  EXPECT_EQ(states.back(), S::Ended);
}

struct Refusing : GestureRecognizerDelegate {
  bool allow = false;
  bool gestureRecognizerShouldBegin(GestureRecognizer&) override { return allow; }
};

TEST_F(TouchDeliveryTest, DelegateRefusalFailsTheGesture) {
  auto v = View::create({0, 0, 320, 568});
  window->addSubview(v);
  int calls = 0;
  auto pan = std::make_shared<PanGestureRecognizer>([&](GestureRecognizer&) { ++calls; });
  auto refusing = std::make_shared<Refusing>();
  pan->setDelegate(refusing);
  v->addGestureRecognizer(pan);
  TestDriver::drag(v, 100, 0);
  EXPECT_EQ(calls, 0);
  refusing->allow = true;
  TestDriver::drag(v, 100, 0);
  EXPECT_GT(calls, 0);
}

TEST_F(TouchDeliveryTest, RequireToFailMakesARecognizerWaitForTheOther) {
  auto outer = View::create({0, 0, 320, 568});
  auto inner = View::create({0, 100, 320, 300});
  outer->addSubview(inner);
  window->addSubview(outer);
  std::vector<std::string> log;
  auto edge = std::make_shared<LeftEdgePan>([&](GestureRecognizer& r) {
    if (r.state() == S::Began) log.push_back("edge");
  });
  auto scroll = std::make_shared<PanGestureRecognizer>([&](GestureRecognizer& r) {
    if (r.state() == S::Began) log.push_back("scroll");
  });
  outer->addGestureRecognizer(edge);
  inner->addGestureRecognizer(scroll);
  scroll->requireGestureRecognizerToFail(edge);

  TestDriver::dragPath({{10, 200}, {200, 200}}, 0.3);  // the edge pan wins; the scroll never begins
  EXPECT_EQ(log, (std::vector<std::string>{"edge"}));
  log.clear();
  TestDriver::dragPath({{100, 200}, {300, 200}}, 0.3);  // the edge pan fails at once; the scroll goes
  EXPECT_EQ(log, (std::vector<std::string>{"scroll"}));
}

TEST_F(TouchDeliveryTest, SingleTapWaitsForTheDoubleTapToFail) {
  auto v = View::create({0, 0, 320, 568});
  window->addSubview(v);
  std::vector<std::pair<std::string, double>> log;
  double start = 0;
  auto single = std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { log.push_back({"single", now() - start}); });
  auto twice = std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { log.push_back({"double", now() - start}); });
  twice->setNumberOfTapsRequired(2);
  single->requireGestureRecognizerToFail(twice);
  v->addGestureRecognizer(single);
  v->addGestureRecognizer(twice);

  start = now();
  TestDriver::doubleTap(v);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].first, "double");
  log.clear();
  start = now();
  TestDriver::tap(v);
  EXPECT_TRUE(log.empty());  // still waiting for a second tap
  runFor(0.5);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].first, "single");
  EXPECT_NEAR(log[0].second, 0.05 + TapGestureRecognizer::kTapInterval, 1e-6);
}

TEST_F(TouchDeliveryTest, LongPressAndSwipeRecognize) {
  auto v = View::create({0, 0, 320, 568});
  window->addSubview(v);
  States press;
  auto lp = std::make_shared<LongPressGestureRecognizer>([&](GestureRecognizer& r) { press.push_back(r.state()); });
  v->addGestureRecognizer(lp);
  TestDriver::tap(v);
  EXPECT_TRUE(press.empty());
  TestDriver::longPress(v, 0.6);
  EXPECT_EQ(press, (States{S::Began, S::Ended}));
  v->removeGestureRecognizer(lp);

  int ups = 0, rights = 0;
  auto up = std::make_shared<SwipeGestureRecognizer>([&](GestureRecognizer&) { ++ups; });
  up->setDirection(SwipeDirection::Up);
  auto right = std::make_shared<SwipeGestureRecognizer>([&](GestureRecognizer&) { ++rights; });
  v->addGestureRecognizer(up);
  v->addGestureRecognizer(right);
  TestDriver::drag(v, 0, -120, 0.2);
  TestDriver::drag(v, 120, 10, 0.2);
  TestDriver::drag(v, 120, 0, 2.0);  // too slow for a swipe
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(rights, 1);
}

TEST_F(TouchDeliveryTest, IgnoringInteractionDropsTouches) {
  int taps = 0;
  auto v = View::create({0, 0, 320, 568});
  window->addSubview(v);
  v->addGestureRecognizer(std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { ++taps; }));
  Application::sharedApplication().beginIgnoringInteractionEvents();
  TestDriver::tap(v);
  Application::sharedApplication().endIgnoringInteractionEvents();
  TestDriver::tap(v);
  EXPECT_EQ(taps, 1);
}

TEST_F(TouchDeliveryTest, ExclusiveTouchViewsShareNoTouchSequence) {
  std::vector<std::string> log;
  auto make = [&](const char* name, Rect frame) {
    auto v = std::make_shared<TouchLogView>(frame);
    v->log = &log;
    v->name = name;
    window->addSubview(v);
    return v;
  };
  auto plainA = make("a", {0, 0, 100, 100});
  auto exclusive = make("x", {0, 200, 100, 100});
  auto plainB = make("b", {200, 0, 100, 100});
  exclusive->setExclusiveTouch(true);

  {  // A finger on a plain view keeps the exclusive one from taking a second finger.
    Finger first(window, {50, 50});
    Finger second(window, {50, 250});
    Finger third(window, {250, 50});  // two plain views may share
    second.lift();
    third.lift();
    first.lift();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"a began", "b began", "b ended", "a ended"}));
  log.clear();
  {  // While the exclusive view is touched, nobody else takes a touch.
    Finger first(window, {50, 250});
    Finger second(window, {50, 50});
    second.lift();
    first.lift();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"x began", "x ended"}));
}

TEST_F(TouchDeliveryTest, DelayedTouchesBeganReachTheViewOnlyWhenTheRecognizerFails) {
  std::vector<std::string> log;
  auto view = std::make_shared<TouchLogView>(Rect{0, 0, 320, 300});
  view->log = &log;
  view->name = "view";
  window->addSubview(view);
  int swipes = 0;
  auto swipe = std::make_shared<SwipeGestureRecognizer>([&](GestureRecognizer&) { ++swipes; });
  swipe->setDirection(SwipeDirection::Right);
  swipe->setDelaysTouchesBegan(true);
  view->addGestureRecognizer(swipe);

  {  // A swipe: the view never hears of the touch.
    Finger f(window, {20, 100});
    EXPECT_TRUE(log.empty());
    f.drag(200, 0, 5, 0.1);
    EXPECT_EQ(swipe->state(), S::Ended);
    f.lift();
  }
  EXPECT_EQ(swipes, 1);
  EXPECT_EQ(swipe->state(), S::Possible);  // reset once the fingers are up
  EXPECT_TRUE(log.empty());

  runFor(0.1);
  swipe->setCancelsTouchesInView(false);
  {  // Held touches of a recognized gesture are dropped even when it cancels nothing.
    Finger f(window, {20, 100});
    f.drag(200, 0, 5, 0.1);
    f.lift();
  }
  EXPECT_EQ(swipes, 2);
  EXPECT_TRUE(log.empty());
  swipe->setCancelsTouchesInView(true);

  runFor(0.1);
  {  // A still finger lifted: the view gets the held began, then the end.
    Finger f(window, {20, 100});
    runFor(0.05);
    EXPECT_TRUE(log.empty());
    f.lift();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"view began", "view ended"}));

  log.clear();
  {  // A drag the wrong way fails the swipe: began arrives with the move that failed it.
    Finger f(window, {200, 100});
    f.drag(0, 150, 5, 0.2);
    EXPECT_EQ(swipe->state(), S::Failed);
    EXPECT_EQ(log, (std::vector<std::string>{"view began", "view moved"}));
    f.lift();
  }
}

// The held began follows how each recognizer ends: a tap fails once the finger
// moves too far and recognizes on lifting; a pan fails only when the finger
// lifts without having moved far enough.
TEST_F(TouchDeliveryTest, DelayedTouchesBeganFollowTheRecognizersFailure) {
  struct Case {
    const char* name;
    bool pan;
    double dx;
    std::vector<std::string> seen;
  };
  const Case cases[] = {
      {"tap recognized", false, 0, {}},
      {"tap failed by moving", false, 40, {"view began", "view moved", "view ended"}},
      {"pan failed by lifting", true, 0, {"view began", "view ended"}},
      {"pan recognized", true, 100, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> log;
    auto view = std::make_shared<TouchLogView>(Rect{0, 0, 320, 300});
    view->log = &log;
    view->name = "view";
    window->addSubview(view);
    std::shared_ptr<GestureRecognizer> r;
    if (c.pan) r = std::make_shared<PanGestureRecognizer>();
    else r = std::make_shared<TapGestureRecognizer>();
    r->setDelaysTouchesBegan(true);
    view->addGestureRecognizer(r);
    {
      Finger f(window, {100, 100});
      if (c.dx != 0) f.drag(c.dx, 0, 4, 0.2);
      f.lift();
    }
    EXPECT_EQ(log, c.seen);
    view->removeFromSuperview();
    runFor(1);
  }
}

}  // namespace
}  // namespace platform::testing
