#include <cmath>
#include <map>

#include "UiTestFixture.h"
#include "platform/ui/Animation.h"
#include "platform/ui/Layer.h"
#include "platform/ui/View.h"

namespace platform::testing {
namespace {

using AnimationTimingTest = UiTest;

TEST_F(AnimationTimingTest, PropertiesTakeFinalValuesAtOnceAndCompletionRunsAfterDurationAndDelay) {
  auto v = View::create({0, 0, 100, 100});
  std::vector<std::pair<double, bool>> done;
  double start = now();
  View::animate(0.4, 0.1, AnimationOption::CurveLinear, [&] {
    v->setFrame({100, 0, 100, 100});
    v->setAlpha(0.5);
  }, [&](bool finished) { done.emplace_back(now() - start, finished); });
  expectRect(v->frame(), 100, 0, 100, 100);
  EXPECT_EQ(v->alpha(), 0.5);
  runFor(0.49);
  EXPECT_TRUE(done.empty());
  runFor(0.02);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_NEAR(done[0].first, 0.5, 1e-6);
  EXPECT_TRUE(done[0].second);
}

TEST_F(AnimationTimingTest, PresentationValuesInterpolateBetweenFromAndTo) {
  auto v = View::create({0, 0, 100, 100});
  double start = now();
  View::animate(0.4, 0.1, AnimationOption::CurveLinear, [&] {
    v->setCenter({250, 50});
    v->setAlpha(0);
  });
  EXPECT_EQ(v->presentationCenter(start + 0.05), (Point{50, 50}));  // still in the delay
  EXPECT_NEAR(v->presentationCenter(start + 0.2).x, 100, 1e-3);    // a quarter of the way
  EXPECT_NEAR(v->presentationAlpha(start + 0.3), 0.5, 1e-6);
  EXPECT_EQ(v->presentationCenter(start + 0.6), (Point{250, 50}));
  runFor(1);
  EXPECT_TRUE(v->layer().animations().empty());
  EXPECT_EQ(v->presentationCenter(now()), (Point{250, 50}));
}

TEST_F(AnimationTimingTest, EaseCurvesStayWithinTheirBoundsAndEndExactly) {
  for (auto f : {TimingFunction::EaseIn, TimingFunction::EaseOut, TimingFunction::EaseInOut}) {
    EXPECT_DOUBLE_EQ(applyTiming(f, 0), 0);
    EXPECT_NEAR(applyTiming(f, 1), 1, 1e-12);
    EXPECT_NEAR(applyTiming(f, 0.5), f == TimingFunction::EaseIn ? 0.3153 : f == TimingFunction::EaseOut ? 0.6847 : 0.5,
                1e-3);
  }
}

TEST_F(AnimationTimingTest, ReplacedAnimationCompletesUnfinishedAndNewOneFromCurrentState) {
  auto v = View::create({0, 0, 100, 100});
  std::vector<std::string> log;
  double start = now();
  View::animate(1.0, 0, AnimationOption::CurveLinear, [&] { v->setCenter({150, 50}); },
                [&](bool f) { log.push_back(f ? "first finished" : "first interrupted"); });
  runFor(0.5);
  View::animate(1.0, 0, AnimationOption::CurveLinear | AnimationOption::BeginFromCurrentState,
                [&] { v->setCenter({50, 50}); }, [&](bool f) { log.push_back(f ? "second finished" : "second interrupted"); });
  EXPECT_NEAR(v->presentationCenter(now()).x, 100, 1e-6);  // starts where the first one was
  runFor(2);
  EXPECT_EQ(log, (std::vector<std::string>{"first interrupted", "second finished"}));
  (void)start;
}

TEST_F(AnimationTimingTest, InterruptedBlockCompletesWhenInterruptedNotAtItsPlannedEnd) {
  auto a = View::create({0, 0, 100, 100});
  auto b = View::create({0, 0, 100, 100});
  std::vector<std::pair<std::string, double>> log;
  double start = now();
  auto note = [&](const char* name) {
    return [&, name](bool f) { log.emplace_back(std::string(name) + (f ? " finished" : " interrupted"), now() - start); };
  };
  View::animate(1.0, [&] { a->setCenter({150, 50}); }, note("alone"));
  View::animate(1.0, [&] {
    a->setAlpha(0.5);
    b->setAlpha(0.5);
  }, note("pair"));
  runFor(0.25);
  // Replacing every animation of the first block ends it now; replacing one
  // of the pair leaves the other running to the planned end.
  View::animate(0.5, [&] {
    a->setCenter({0, 0});
    b->setAlpha(1);
  }, note("second"));
  runFor(0.01);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].first, "alone interrupted");
  EXPECT_NEAR(log[0].second, 0.25, 0.011);
  runFor(2);
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1].first, "second finished");
  EXPECT_NEAR(log[1].second, 0.75, 1e-6);
  EXPECT_EQ(log[2].first, "pair interrupted");
  EXPECT_NEAR(log[2].second, 1.0, 1e-6);
}

TEST_F(AnimationTimingTest, NestedBlocksInheritDurationAndChainedBlocksRunInTurn) {
  auto a = View::create({0, 0, 10, 10});
  auto b = View::create({0, 0, 10, 10});
  std::vector<std::pair<std::string, double>> log;
  double start = now();
  View::animate(0.3, [&] {
    a->setAlpha(0);
    View::animate(5.0, 0, 0, [&] { b->setAlpha(0); }, [&](bool) { log.push_back({"inner", now() - start}); });
  }, [&](bool) {
    log.push_back({"outer", now() - start});
    View::animate(0.2, [&] { a->setAlpha(1); }, [&](bool) { log.push_back({"chained", now() - start}); });
  });
  runFor(1);
  ASSERT_EQ(log.size(), 3u);
  std::map<std::string, double> at(log.begin(), log.end());
  EXPECT_NEAR(at["outer"], 0.3, 1e-6);
  EXPECT_NEAR(at["inner"], 0.3, 1e-6);  // the inner block took the outer duration
  EXPECT_EQ(log[2].first, "chained");
  EXPECT_NEAR(log[2].second, 0.5, 1e-6);
}

TEST_F(AnimationTimingTest, BeginCommitReportsItsIdentifierToTheDidStopHandler) {
  auto v = View::create({0, 0, 10, 10});
  std::string stopped;
  double at = 0;
  View::beginAnimations("slide");
  View::setAnimationDuration(0.25);
  View::setAnimationDidStop([&](const std::string& id, bool finished) {
    stopped = id + (finished ? ":yes" : ":no");
    at = now();
  });
  v->setCenter({100, 100});
  double start = now();
  View::commitAnimations();
  EXPECT_EQ(v->center(), (Point{100, 100}));
  runFor(1);
  EXPECT_EQ(stopped, "slide:yes");
  EXPECT_NEAR(at - start, 0.25, 1e-6);
}

TEST_F(AnimationTimingTest, ChangesWithoutAnimationDoNotRecordAnything) {
  auto v = View::create({0, 0, 10, 10});
  v->setCenter({1, 1});
  View::performWithoutAnimation([&] { v->setAlpha(0.2); });
  View::animate(0.3, [&] { View::performWithoutAnimation([&] { v->setCenter({7, 7}); }); });
  EXPECT_TRUE(v->layer().animations().empty());
}

struct StopRecorder : AnimationDelegate {
  std::vector<std::string> events;
  void animationDidStart(Animation& a) override { events.push_back("start " + a.valueForKey("name")); }
  void animationDidStop(Animation& a, bool finished) override {
    events.push_back("stop " + a.valueForKey("name") + (finished ? " finished" : " removed"));
  }
};

TEST_F(AnimationTimingTest, LayerAnimationsLeaveTheModelAndReportTheirStop) {
  auto v = View::create({0, 0, 20, 20});
  auto recorder = std::make_shared<StopRecorder>();
  auto spin = Animation::basic("transform.rotation.z");
  spin->fromValue = 0.0;
  spin->toValue = 2 * M_PI;
  spin->duration = 1.0;
  spin->repeatCount = 2;
  spin->delegate = recorder;
  spin->setValue("name", "spin");
  double start = now();
  v->layer().addAnimation(spin, "spin");
  EXPECT_TRUE(v->transform().isIdentity());
  EXPECT_NEAR(v->presentationTransform(start + 1.25).rotationAngle(), M_PI / 2, 1e-6);

  auto move = Animation::basic("position");
  move->toValue = Point{110, 10};
  move->duration = 0.5;
  move->delegate = recorder;
  move->setValue("name", "move");
  v->layer().addAnimation(move, "move");
  EXPECT_EQ(v->presentationCenter(start + 0.25), (Point{60, 10}));
  runFor(0.1);
  v->layer().removeAnimationForKey("move");
  EXPECT_EQ(v->presentationCenter(now()), (Point{10, 10}));
  runFor(3);
  EXPECT_EQ(recorder->events,
            (std::vector<std::string>{"start spin", "start move", "stop move removed", "stop spin finished"}));
  EXPECT_TRUE(v->layer().animations().empty());
}

TEST_F(AnimationTimingTest, AutoreversingKeyframesReturnToTheirFirstValue) {
  auto v = View::create({0, 0, 20, 20});
  auto bounce = Animation::keyframe("position");
  bounce->values = {Point{0, 0}, Point{0, 100}, Point{0, 50}};
  bounce->keyTimes = {0, 0.5, 1};
  bounce->duration = 1;
  bounce->autoreverses = true;
  double start = now();
  v->layer().addAnimation(bounce, "bounce");
  EXPECT_EQ(v->presentationCenter(start + 0.25), (Point{0, 50}));
  EXPECT_EQ(v->presentationCenter(start + 0.75), (Point{0, 75}));
  EXPECT_EQ(v->presentationCenter(start + 1.25), (Point{0, 75}));  // on the way back
  EXPECT_DOUBLE_EQ(bounce->totalDuration(), 2);
}

TEST_F(AnimationTimingTest, TransactionCompletionWaitsForItsAnimations) {
  auto v = View::create({0, 0, 20, 20});
  double doneAt = -1, start = now();
  Transaction::begin();
  Transaction::setCompletionBlock([&] { doneAt = now() - start; });
  auto fade = Animation::basic("opacity");
  fade->fromValue = 1.0;
  fade->toValue = 0.0;
  fade->duration = 0.7;
  v->layer().addAnimation(fade, "fade");
  Transaction::commit();
  runFor(1);
  EXPECT_NEAR(doneAt, 0.7, 1e-6);

  doneAt = -1;
  start = now();
  Transaction::begin();
  Transaction::setDisableActions(true);
  Transaction::setCompletionBlock([&] { doneAt = now() - start; });
  View::animate(0.5, [&] { v->setAlpha(0.1); });
  Transaction::commit();
  EXPECT_EQ(v->layer().animationForKey("opacity"), nullptr);
  runFor(1);
  EXPECT_NEAR(doneAt, 0.5, 1e-6);  // the block's own completion time still counts
}

TEST_F(AnimationTimingTest, TransitionsRecordTheirKindAndCompleteAfterTheirDuration) {
  auto container = View::create({0, 0, 100, 100});
  auto front = View::create({0, 0, 100, 100});
  auto back = View::create({0, 0, 100, 100});
  container->addSubview(front);
  bool done = false;
  View::transitionFromView(front, back, 0.6, AnimationOption::TransitionFlipFromLeft, [&](bool f) { done = f; });
  EXPECT_EQ(front->superview(), nullptr);
  EXPECT_EQ(back->superview(), container);
  auto t = container->layer().animationForKey("transition");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->type, kTransitionFlipFromLeft);
  runFor(0.59);
  EXPECT_FALSE(done);
  runFor(0.02);
  EXPECT_TRUE(done);

  auto push = Animation::transition(kTransitionPush, kTransitionFromRight);
  push->duration = 0.3;
  container->layer().addAnimation(push, "");
  ASSERT_EQ(container->layer().animationKeys().size(), 1u);  // the flip has ended
  EXPECT_EQ(container->layer().animationForKey(container->layer().animationKeys()[0])->subtype, kTransitionFromRight);
}

TEST_F(AnimationTimingTest, AnimatingViewsTakeNoTouchesUnlessAllowed) {
  auto root = View::create({0, 0, 320, 480});
  auto moving = View::create({0, 0, 100, 100});
  root->addSubview(moving);
  View::animate(0.4, [&] { moving->setCenter({60, 60}); });
  EXPECT_EQ(root->hitTest({50, 50}), root);
  runFor(0.5);
  EXPECT_EQ(root->hitTest({50, 50}), moving);
  View::animate(0.4, 0, AnimationOption::AllowUserInteraction, [&] { moving->setCenter({50, 50}); });
  EXPECT_EQ(root->hitTest({50, 50}), moving);
}

}  // namespace
}  // namespace platform::testing
