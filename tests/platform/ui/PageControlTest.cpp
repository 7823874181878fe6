#include <gtest/gtest.h>

#include "platform/ui/PageControl.h"
#include "platform/ui/TestDriver.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

class PageControlTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    dots = PageControl::create({60, 400, 200, 37});
    dots->setNumberOfPages(3);
    window->addSubview(dots);
    dots->addAction([this](Control& c) { pages.push_back(static_cast<PageControl&>(c).currentPage()); },
                    ControlEvent::ValueChanged);
  }
  void tapSide(bool right) { TestDriver::tapAt({right ? 250.0 : 70.0, 418}); }
  std::shared_ptr<Window> window;
  std::shared_ptr<PageControl> dots;
  std::vector<int> pages;
};

TEST_F(PageControlTest, TapsStepOnePageTowardTheirSideWithinTheRange) {
  tapSide(false);  // already on the first page
  tapSide(true);
  tapSide(true);
  tapSide(true);  // already on the last
  tapSide(false);
  EXPECT_EQ(pages, (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(dots->currentPage(), 1);
}

TEST_F(PageControlTest, DeferredDisplayWaitsForTheOwner) {
  dots->setDefersCurrentPageDisplay(true);
  tapSide(true);
  EXPECT_EQ(dots->currentPage(), 1);
  EXPECT_EQ(dots->displayedPage(), 0);
  dots->updateCurrentPageDisplay();
  EXPECT_EQ(dots->displayedPage(), 1);
}

TEST_F(PageControlTest, PagesClampAndASinglePageHidesWhenAsked) {
  dots->setCurrentPage(7);
  EXPECT_EQ(dots->currentPage(), 2);
  dots->setCurrentPage(-1);
  EXPECT_EQ(dots->currentPage(), 0);
  dots->setCurrentPage(2);
  dots->setNumberOfPages(2);
  EXPECT_EQ(dots->currentPage(), 1);
  dots->setNumberOfPages(0);
  EXPECT_EQ(dots->currentPage(), 0);
  tapSide(true);  // no pages: nothing to step to
  EXPECT_TRUE(pages.empty());

  dots->setHidesForSinglePage(true);
  EXPECT_TRUE(dots->isHidden());
  dots->setNumberOfPages(4);
  EXPECT_FALSE(dots->isHidden());
  // Dots are centred, 7 points wide and 9 apart.
  EXPECT_DOUBLE_EQ(PageControl::sizeForNumberOfPages(4).width, 55);
  EXPECT_DOUBLE_EQ(dots->dotRect(0).x(), (200 - 55) / 2.0);
  EXPECT_DOUBLE_EQ(dots->dotRect(1).x() - dots->dotRect(0).x(), 16);
}

}  // namespace
}  // namespace platform::testing
