#include <gtest/gtest.h>

#include "platform/ui/Switch.h"
#include "platform/ui/TestDriver.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

class SwitchTest : public UiTest {};

TEST_F(SwitchTest, ATapFlipsItAndReportsWhileCodeChangesAreSilent) {
  auto window = makeWindow();
  auto sw = Switch::create({200, 100, 10, 10});
  window->addSubview(sw);
  expectRect(sw->frame(), 200, 100, Switch::kWidth, Switch::kHeight);  // the size is its own
  std::vector<bool> reported;
  sw->addAction([&](Control& c) { reported.push_back(static_cast<Switch&>(c).isOn()); }, ControlEvent::ValueChanged);

  TestDriver::tap(sw);
  EXPECT_TRUE(sw->isOn());
  TestDriver::tap(sw);
  EXPECT_FALSE(sw->isOn());
  EXPECT_EQ(reported, (std::vector<bool>{true, false}));

  sw->setOn(true);
  EXPECT_TRUE(sw->isOn());
  EXPECT_EQ(reported.size(), 2u);

  // A finger that slides off before lifting changes nothing.
  TestDriver::drag(sw, 0, 200);
  EXPECT_TRUE(sw->isOn());
  sw->setEnabled(false);
  TestDriver::tap(sw);
  EXPECT_TRUE(sw->isOn());
  EXPECT_EQ(reported.size(), 2u);
}

TEST_F(SwitchTest, AnimatedChangeSlidesTheThumbOnTheClock) {
  auto sw = Switch::create();
  sw->setOn(true, true);
  double start = now();
  EXPECT_DOUBLE_EQ(sw->thumbPosition(start), 0);
  EXPECT_NEAR(sw->thumbPosition(start + Switch::kSlideDuration / 2), 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(sw->thumbPosition(start + Switch::kSlideDuration), 1);
  sw->setOn(false);
  EXPECT_DOUBLE_EQ(sw->thumbPosition(start), 0);
}

}  // namespace
}  // namespace platform::testing
