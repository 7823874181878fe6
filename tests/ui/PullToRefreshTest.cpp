#include <gtest/gtest.h>

#include <vector>

#include "ViewTestFixture.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TestDriver.h"
#include "ui/TrelixPullToRefreshView.h"

namespace vorn::test {
namespace {

using platform::Point;
using platform::ScrollView;
using platform::TestDriver;

class PullToRefreshTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    list = makeList();
  }

  std::shared_ptr<ScrollView> makeList(double topInset = 0) {
    auto scroll = ScrollView::create({0, 0, 320, 568});
    scroll->setContentSize({320, 2000});
    scroll->setContentInset({topInset, 0, 0, 0});
    scroll->setContentOffset({0, -topInset});
    window->addSubview(scroll);
    addPullToRefreshWithActionHandler(scroll, [this] {
      ++actions;
      if (finishAtOnce) pullToRefreshController(*list)->didFinishRefresh();
    });
    pullToRefreshController(*scroll)->setWaitingAnimation(0);
    return scroll;
  }
  std::shared_ptr<TrelixPullToRefreshView> header() { return pullToRefreshController(*list); }
  // The grid cell of each particle that is lit now.
  std::vector<int> litParticles() {
    std::vector<int> lit;
    for (int i = 0; i < 9; ++i)
      if (header()->particles()[i]->backgroundColor() == TrelixPullToRefreshView::litColor()) lit.push_back(i);
    return lit;
  }

  std::shared_ptr<ScrollView> list;
  int actions = 0;
  bool finishAtOnce = false;
};

TEST_F(PullToRefreshTest, AttachingPutsTheHeaderAboveTheContentAndIgnoresASecondAttach) {
  auto h = header();
  ASSERT_TRUE(h);
  EXPECT_EQ(h->superview(), list);
  EXPECT_EQ(h->frame(), platform::Rect(0, -100, 320, 100));
  EXPECT_TRUE(showsPullToRefresh(*list));
  EXPECT_TRUE(h->isObserving());
  EXPECT_EQ(h->particles().size(), 9u);

  int second = 0;
  addPullToRefreshWithActionHandler(list, [&] { ++second; });
  EXPECT_EQ(pullToRefreshController(*list), h);
  list->setContentOffset({0, -101});
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(second, 0);
}

TEST_F(PullToRefreshTest, PullPastTheThresholdStartsTheActionOnceAndFinishingRestoresTheInset) {
  TestDriver::drag(list, 0, 300, 0.5);  // past -100 and released
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(header()->currentState(), TrelixPullToRefreshView::kStateLoading);
  EXPECT_TRUE(header()->isRefreshing());
  EXPECT_EQ(list->contentInset().top, 100);
  runFor(3.5);  // the list settles with the header in view
  EXPECT_EQ(list->contentOffset().y, -100);
  EXPECT_EQ(actions, 1);

  header()->didFinishRefresh();
  EXPECT_EQ(header()->currentState(), TrelixPullToRefreshView::kStateStopped);
  EXPECT_FALSE(header()->isRefreshing());
  EXPECT_EQ(list->contentInset().top, 0);
  runFor(1.0);
  EXPECT_EQ(list->contentOffset().y, 0);
  header()->didFinishRefresh();  // outside a refresh: nothing
  EXPECT_EQ(list->contentInset().top, 0);

  TestDriver::drag(list, 0, 300, 0.5);  // the next pull refreshes again
  EXPECT_EQ(actions, 2);
}

TEST_F(PullToRefreshTest, AReloadEndingWhileTheListStillMovesTakesItBackToTheTop) {
  TestDriver::drag(list, 0, 300, 0.3);  // thrown: still moving after the lift
  ASSERT_EQ(actions, 1);
  runFor(0.2);
  header()->didFinishRefresh();
  runFor(3.5);
  EXPECT_EQ(list->contentInset().top, 0);
  EXPECT_EQ(list->contentOffset().y, 0);
}

TEST_F(PullToRefreshTest, ASmallPullDoesNotRefresh) {
  TestDriver::drag(list, 0, 150, 0.5);  // rests above the threshold
  runFor(1.0);
  EXPECT_EQ(actions, 0);
  EXPECT_EQ(header()->currentState(), TrelixPullToRefreshView::kStateStopped);
  EXPECT_EQ(list->contentInset().top, 0);
}

TEST_F(PullToRefreshTest, AnOffsetSetFromCodeBeyondTheThresholdStartsARefresh) {
  struct Case {
    double offset;
    int actions;
  } cases[] = {{-100, 0}, {-100.5, 1}, {-101, 1}, {-300, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    list->removeFromSuperview();
    actions = 0;
    list = makeList();
    list->setContentOffset({0, c.offset});
    EXPECT_EQ(actions, c.actions);
    EXPECT_EQ(header()->isRefreshing(), c.actions == 1);
    EXPECT_EQ(list->contentInset().top, c.actions == 1 ? 100 : 0);
  }
}

TEST_F(PullToRefreshTest, AnActionThatFinishesAtOnceEndsItsRefresh) {
  finishAtOnce = true;
  list->setContentOffset({0, -101});
  EXPECT_EQ(actions, 1);
  EXPECT_FALSE(header()->isRefreshing());
  EXPECT_EQ(header()->currentState(), TrelixPullToRefreshView::kStateStopped);
  EXPECT_EQ(list->contentInset().top, 0);
  runFor(1.0);
  EXPECT_EQ(header()->animationStep(), 0);  // no waiting animation left running

  list->setContentOffset({0, -101});  // and the next one starts as well
  EXPECT_EQ(actions, 2);

  // A finger held past the threshold after such a refresh does not start another.
  TestDriver::drag(list, 0, 400, 1.0);
  EXPECT_EQ(actions, 3);
  runFor(1.0);
  EXPECT_EQ(actions, 3);
}

TEST_F(PullToRefreshTest, TheHighlightWalksAroundTheGridEveryTenthOfASecond) {
  list->setContentOffset({0, -101});
  EXPECT_EQ(litParticles(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  std::vector<int> walk;
  for (int tick = 0; tick < 9; ++tick) {
    runFor(0.1);
    auto lit = litParticles();
    ASSERT_EQ(lit.size(), 1u);
    walk.push_back(lit[0]);
  }
  EXPECT_EQ(walk, (std::vector<int>{2, 5, 8, 7, 6, 3, 0, 1, 2}));

  // A theme switch lights every particle in the new colour until the next tick.
  switchToNight();
  EXPECT_EQ(litParticles().size(), 9u);
  EXPECT_TRUE(sameRgb(header()->particles()[4]->backgroundColor(), 72, 154, 198));
  runFor(0.1);
  EXPECT_TRUE(sameRgb(header()->particles()[4]->backgroundColor(), 61, 132, 170));
  EXPECT_EQ(litParticles().size(), 1u);

  header()->didFinishRefresh();
  EXPECT_EQ(litParticles().size(), 9u);
  runFor(0.5);
  EXPECT_EQ(litParticles().size(), 9u);
}

TEST_F(PullToRefreshTest, ParticlesFollowTheOffsetOneChangeLate) {
  list->setContentOffset({0, -100});  // p = 50: the grid (laid out at the next change)
  list->setContentOffset({0, -60});
  EXPECT_EQ(actions, 0);
  EXPECT_EQ(header()->particles()[4]->center(), (Point{160, 50}));
  EXPECT_EQ(header()->particles()[0]->center(), (Point{152, 42}));
  EXPECT_EQ(header()->particles()[8]->center(), (Point{168, 58}));

  list->setContentOffset({0, 0});  // laid out for -60: p = 30, radius 80
  const double radius = 80;
  const double angle = -30 * M_PI / 180;
  EXPECT_FLOAT_EQ(header()->particles()[0]->center().x, float(160 + radius * std::cos(angle)));
  EXPECT_FLOAT_EQ(header()->particles()[0]->center().y, float(100 - (radius * std::sin(angle) + 50)));
  // 0 and 8 share an angle (45 x 8 = 360 degrees).
  EXPECT_FLOAT_EQ(header()->particles()[8]->center().x, header()->particles()[0]->center().x);
  EXPECT_FLOAT_EQ(header()->particles()[8]->center().y, header()->particles()[0]->center().y);
}

TEST_F(PullToRefreshTest, AListWithATopInsetRefreshesBelowMinus100AndLoadsWithAnInsetOf100) {
  list->removeFromSuperview();
  list = makeList(64);
  EXPECT_EQ(header()->originalTopInset(), 64);
  list->setContentOffset({0, -101});
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(list->contentInset().top, 100);
  header()->didFinishRefresh();
  EXPECT_EQ(list->contentInset().top, 64);
}

TEST_F(PullToRefreshTest, WhileLoadingFurtherDragsChangeNothing) {
  list->setContentOffset({0, -101});
  const auto before = header()->particles()[0]->center();
  TestDriver::drag(list, 0, 200, 0.5);
  TestDriver::drag(list, 0, -50, 0.3);
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(header()->currentState(), TrelixPullToRefreshView::kStateLoading);
  EXPECT_EQ(header()->particles()[0]->center(), before);
}

TEST_F(PullToRefreshTest, HidingOrRemovingTheHeaderStopsTheObservation) {
  setShowsPullToRefresh(*list, false);
  EXPECT_FALSE(showsPullToRefresh(*list));
  EXPECT_TRUE(header()->isHidden());
  list->setContentOffset({0, -150});
  EXPECT_EQ(actions, 0);
  setShowsPullToRefresh(*list, true);
  list->setContentOffset({0, -151});
  EXPECT_EQ(actions, 1);
  header()->didFinishRefresh();

  auto h = header();
  h->removeFromSuperview();
  EXPECT_FALSE(h->isObserving());
  list->setContentOffset({0, 0});
  list->setContentOffset({0, -150});
  EXPECT_EQ(actions, 1);
}

TEST_F(PullToRefreshTest, ParticlesTakeTheColoursOfTheTheme) {
  EXPECT_TRUE(sameRgb(header()->particles()[0]->backgroundColor(), 164, 213, 238));
  switchToNight();
  EXPECT_TRUE(sameRgb(header()->particles()[0]->backgroundColor(), 72, 154, 198));
  list->removeFromSuperview();
  list = makeList();  // made at night
  EXPECT_TRUE(sameRgb(header()->particles()[3]->backgroundColor(), 72, 154, 198));
}

}  // namespace
}  // namespace vorn::test
