#include <gtest/gtest.h>

#include <vector>

#include "ViewTestFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/TestDriver.h"
#include "ui/ExpressionScrollView.h"

namespace vorn::test {
namespace {

using platform::TestDriver;

// The thread page's part: a quick-reply text that faces go into.
struct ReplyHost : ExpressionScrollViewHost {
  std::vector<long long> faces;
  int deletes = 0;
  void ExpressionTouched(platform::Control& sender) override { faces.push_back(sender.tag()); }
  void ExpressionDelTouched(platform::Control&) override { ++deletes; }
};

class ExpressionPanelTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    host = std::make_shared<ReplyHost>();
    panel = ExpressionScrollView::initWithFrame({0, 332, 320, 216}, host);
    window->addSubview(panel);
  }
  std::shared_ptr<ReplyHost> host;
  std::shared_ptr<ExpressionScrollView> panel;
};

TEST_F(ExpressionPanelTest, ThirtyThreeFacesOnTwoPagesWithADeleteKeyEach) {
  ASSERT_EQ(panel->faceKeys().size(), 33u);
  const double cell = 320.0 / 7;
  struct Case {
    int face;
    double x, y;
  } cases[] = {{0, 0, 0}, {6, 6 * cell, 0}, {7, 0, 48}, {26, 5 * cell, 144}, {27, 320, 0}, {32, 320 + 5 * cell, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.face);
    const auto& key = panel->faceKeys()[c.face];
    EXPECT_EQ(key->tag(), c.face);
    EXPECT_DOUBLE_EQ(key->frame().x(), c.x);
    EXPECT_DOUBLE_EQ(key->frame().y(), c.y);
    EXPECT_DOUBLE_EQ(key->frame().width(), cell);
    EXPECT_DOUBLE_EQ(key->frame().height(), 48);
  }
  ASSERT_EQ(panel->deleteKeys().size(), 2u);
  EXPECT_NEAR(panel->deleteKeys()[0]->center().x, 297.14, 0.01);
  EXPECT_EQ(panel->deleteKeys()[0]->center().y, 168);
  EXPECT_NEAR(panel->deleteKeys()[1]->center().x, 617.14, 0.01);
  EXPECT_EQ(panel->scrollView()->contentSize(), (platform::Size{640, 216}));
  EXPECT_TRUE(panel->scrollView()->isPagingEnabled());
  EXPECT_TRUE(sameRgb(panel->scrollView()->backgroundColor(), 236, 236, 236));
}

TEST_F(ExpressionPanelTest, KeysTellTheHostWhichFaceOrToDelete) {
  TestDriver::tap(panel->faceKeys()[3]);
  TestDriver::tap(panel->faceKeys()[26]);
  TestDriver::tap(panel->deleteKeys()[0]);
  EXPECT_EQ(host->faces, (std::vector<long long>{3, 26}));
  EXPECT_EQ(host->deletes, 1);

  // The second page, after a swipe.
  TestDriver::drag(panel->scrollView(), -200, 0, 0.3);
  runFor(1.0);
  EXPECT_EQ(panel->scrollView()->contentOffset().x, 320);
  TestDriver::tap(panel->faceKeys()[30]);
  EXPECT_EQ(host->faces.back(), 30);
}

TEST_F(ExpressionPanelTest, TheHostIsNotRetained) {
  std::weak_ptr<ReplyHost> weak = host;
  host.reset();
  EXPECT_TRUE(weak.expired());
  TestDriver::tap(panel->faceKeys()[0]);  // reaches nobody, harmlessly
}

TEST_F(ExpressionPanelTest, MadeAtNightItKeepsTheNightBackground) {
  switchToNight();
  auto night = ExpressionScrollView::initWithFrame({0, 244, 320, 216}, host);
  switchToDay();
  EXPECT_TRUE(sameRgb(night->scrollView()->backgroundColor(), 36, 37, 41));
}

}  // namespace
}  // namespace vorn::test
