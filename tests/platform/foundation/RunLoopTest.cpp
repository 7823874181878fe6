#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"

using namespace platform;

namespace {
class RunLoopTest : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::main().useVirtualClock(1'000'000.0); }

  // Real I/O stand-in: a worker that holds work in flight on the loop and posts
  // `answer` only once the loop runs (the loop's first task lets it go), so the
  // answer comes while the loop is already running, without sleeping for it.
  std::thread answerWhileTheLoopRuns(Task answer) {
    auto work = std::make_shared<RunLoop::ExternalWork>(loop);
    auto go = std::make_shared<std::promise<void>>();
    std::thread worker([this, work, answer = std::move(answer), running = go->get_future()]() mutable {
      running.wait();
      loop.post(std::move(answer));
      work.reset();
    });
    loop.post([go] { go->set_value(); });
    return worker;
  }

  RunLoop& loop = RunLoop::main();
};
}  // namespace

TEST_F(RunLoopTest, TimersFireInTimeOrderAndPostedTasksRunFirst) {
  std::vector<std::string> order;
  loop.schedule(0.3, [&] { order.push_back("c@0.3"); });
  loop.schedule(0.1, [&] {
    order.push_back("a@0.1");
    loop.post([&] { order.push_back("posted-by-a"); });
  });
  loop.schedule(0.2, [&] { order.push_back("b@0.2"); });
  loop.post([&] { order.push_back("posted"); });
  loop.runFor(0.25);
  EXPECT_EQ(order, (std::vector<std::string>{"posted", "a@0.1", "posted-by-a", "b@0.2"}));
  EXPECT_DOUBLE_EQ(loop.now(), 1'000'000.25);
  loop.runFor(0.05);
  EXPECT_EQ(order.back(), "c@0.3");
}

TEST_F(RunLoopTest, TimeSeenInsideATimerIsItsDueTime) {
  double seen = 0;
  loop.schedule(1.5, [&] { seen = loop.now(); });
  loop.runFor(10);
  EXPECT_DOUBLE_EQ(seen, 1'000'001.5);
}

TEST_F(RunLoopTest, RepeatingTimerFiresUntilCancelledFromInside) {
  int fired = 0;
  TimerId id = 0;
  id = loop.schedule(0.1, [&] {
    if (++fired == 3) loop.cancel(id);
  }, 0.1);
  loop.runFor(1.0);
  EXPECT_EQ(fired, 3);
  EXPECT_FALSE(loop.isScheduled(id));
}

TEST_F(RunLoopTest, CancelledDelayedPerformNeverRuns) {
  bool ran = false;
  TimerId id = dispatchAfter(0.5, [&] { ran = true; });
  cancelDispatch(id);
  loop.runFor(1);
  EXPECT_FALSE(ran);
}

TEST_F(RunLoopTest, RealWorkInFlightArrivesBeforeVirtualTimeMovesOn) {
  bool answered = false, timedOut = false;
  loop.schedule(0.01, [&] { timedOut = !answered; });
  std::thread worker = answerWhileTheLoopRuns([&] { answered = true; });
  loop.runFor(1);
  worker.join();
  EXPECT_TRUE(answered);
  EXPECT_FALSE(timedOut);
}

TEST_F(RunLoopTest, RunUntilStopsWhenThePredicateHolds) {
  int n = 0;
  loop.schedule(5, [&] { n = 1; });
  loop.schedule(9, [&] { n = 2; });
  EXPECT_TRUE(loop.runUntil([&] { return n == 1; }, 1.0));
  EXPECT_DOUBLE_EQ(loop.now(), 1'000'005.0);
}

TEST(NotificationCenterTest, ObserversRunInRegistrationOrderAndMayRemoveOthersDuringAPost) {
  NotificationCenter center;
  std::vector<int> calls;
  int a = 0, b = 0, c = 0;
  center.addObserver(&a, "N", [&](const Notification&) {
    calls.push_back(1);
    center.removeObserver(&c);  // removed before its turn in this very post
  });
  center.addObserver(&b, "N", [&](const Notification& n) {
    calls.push_back(2);
    EXPECT_EQ(textOf(n.userInfo, "flag"), "hidden");
    center.removeObserver(&b);  // removing itself is safe
  });
  center.addObserver(&c, "N", [&](const Notification&) { calls.push_back(3); });
  center.addObserver(&a, "Other", [&](const Notification&) { calls.push_back(9); });
  center.post("N", {}, Value{{"flag", "hidden"}});
  EXPECT_EQ(calls, (std::vector<int>{1, 2}));
  center.post("N");
  EXPECT_EQ(calls, (std::vector<int>{1, 2, 1}));
  center.removeObserver(&a);
  center.post("Other");
  EXPECT_EQ(calls.size(), 3u);
}

TEST_F(RunLoopTest, SettleWaitsForRealWorkButNeverMovesVirtualTime) {
  bool answered = false, timerFired = false;
  loop.schedule(5, [&] { timerFired = true; });
  double before = loop.now();
  std::thread worker = answerWhileTheLoopRuns([&] { answered = true; });
  EXPECT_TRUE(loop.settle(10));
  worker.join();
  EXPECT_TRUE(answered);
  EXPECT_FALSE(timerFired);
  EXPECT_DOUBLE_EQ(loop.now(), before);
}
