// The zooming page: fitting a picture into the page, the double-tap ladder, the
// delayed controls toggle of a single tap, the logo's places and the ring.
#include <any>

#include "PhotoBrowserFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/CircularProgressView.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/TestDriver.h"

namespace vorn::test {
namespace {

using platform::TestDriver;

class ZoomingPageTest : public PhotoBrowserTest {
 protected:
  std::shared_ptr<PyxoZoomingScrollView> currentPage() {
    return browser_->pageDisplayedAtIndex(browser_->currentPageIndex());
  }
};

TEST_F(ZoomingPageTest, SmallPictureStaysAtNaturalSizeCentredInThePage) {
  addPicture(200, 150, "small");
  open();
  auto page = currentPage();
  ASSERT_TRUE(page);
  page->layoutIfNeeded();
  EXPECT_EQ(page->bounds().size, (platform::Size{320, 480}));
  EXPECT_DOUBLE_EQ(page->minimumZoomScale(), 1);
  EXPECT_DOUBLE_EQ(page->zoomScale(), 1);
  EXPECT_DOUBLE_EQ(page->maximumZoomScale(), 3);
  EXPECT_EQ(page->photoImageView()->frame(), (platform::Rect{60, 165, 200, 150}));
  EXPECT_FALSE(page->photoImageView()->isHidden());
  EXPECT_TRUE(page->progressView()->isHidden());
  EXPECT_TRUE(page->logoView()->isHidden());
}

TEST_F(ZoomingPageTest, LargePictureOpensFittedAndDoubleTapsClimbTheLadder) {
  addPicture(640, 960, "large");
  open();
  auto page = currentPage();
  ASSERT_TRUE(page);
  page->layoutIfNeeded();
  EXPECT_DOUBLE_EQ(page->minimumZoomScale(), 0.5);
  EXPECT_DOUBLE_EQ(page->zoomScale(), 0.5);
  EXPECT_DOUBLE_EQ(page->maximumZoomScale(), 3);
  EXPECT_EQ(page->photoImageView()->frame(), (platform::Rect{0, 0, 320, 480}));

  // Fit -> the middle of fit and maximum -> the maximum -> back to the fit.
  for (double expected : {1.75, 3.0, 0.5}) {
    TestDriver::doubleTap(page->photoImageView());
    runFor(0.5);
    EXPECT_DOUBLE_EQ(page->zoomScale(), expected);
  }
  // The first tap of each double tap never toggled the controls.
  EXPECT_FALSE(browser_->areControlsHidden());
}

TEST_F(ZoomingPageTest, SingleTapTogglesTheControlsAfterTheDelay) {
  addPicture(640, 960, "toggle");
  open();
  auto page = currentPage();
  TestDriver::tap(page->photoImageView());
  EXPECT_FALSE(browser_->areControlsHidden());  // not yet
  runFor(0.25);
  EXPECT_TRUE(browser_->areControlsHidden());
  EXPECT_DOUBLE_EQ(browser_->titlebgImage()->alpha(), 0);
  // Once the fade has ended, a tap where the top bar was brings them back.
  runFor(0.4);
  TestDriver::tapAt({160, 20});
  runFor(0.25);
  EXPECT_FALSE(browser_->areControlsHidden());
}

TEST_F(ZoomingPageTest, LogoMovesWithTheOrientationOfThePage) {
  addPicture(200, 150, "logo");
  open();
  auto page = currentPage();
  page->resetDefaultImg();
  EXPECT_EQ(page->logoView()->frame(), (platform::Rect{189, 135, 82, 30}));
  page->setDefaultImg();
  EXPECT_EQ(page->logoView()->frame(), (platform::Rect{119, 215, 82, 30}));
  // A zoom range worked out on a wide page puts the logo in its landscape place.
  page->setFrame({0, 0, 480, 320});
  page->setMaxMinZoomScalesForCurrentBounds();
  EXPECT_EQ(page->logoView()->frame(), (platform::Rect{189, 135, 82, 30}));
  page->setFrame({0, 0, 320, 480});
  page->setMaxMinZoomScalesForCurrentBounds();
  EXPECT_EQ(page->logoView()->frame(), (platform::Rect{119, 215, 82, 30}));
}

TEST_F(ZoomingPageTest, RingFollowsOnlyItsOwnPhotoAndStaysWithinRange) {
  addPicture(200, 150, "ring");
  open();
  auto page = currentPage();
  auto other = PyxoPhoto::photoWithURL(pictureUrl(10, 10, "other"));
  auto post = [](const std::shared_ptr<PyxoPhotoProtocol>& photo, float value) {
    platform::NotificationCenter::defaultCenter().post(kPyxoPhotoProgressNotification, PyxoPhotoProgress{value, photo});
    platform::RunLoop::main().runUntilIdle();
  };
  struct Case { float posted; double shown; } cases[] = {{0.25f, 0.25}, {1.7f, 1.0}, {-0.5f, 0.0}};
  for (const auto& c : cases) {
    post(page->photo(), c.posted);
    EXPECT_DOUBLE_EQ(page->progressView()->progress(), c.shown) << c.posted;
  }
  post(page->photo(), 0.5f);
  post(other, 0.9f);
  EXPECT_DOUBLE_EQ(page->progressView()->progress(), 0.5);
}

TEST_F(ZoomingPageTest, FailedPictureShowsTheLogoInsteadOfTheRing) {
  source_->photos.push_back(PyxoPhoto::photoWithURL(portal().baseUrl() + "/pic/broken/none.jpg"));
  browser_ = PyxoPhotoBrowser::initWithDelegate(source_);
  container_->pushChildViewController(browser_);
  runFor(0.6);
  ASSERT_TRUE(runUntil([&] { return !currentPage()->logoView()->isHidden(); }));
  auto page = currentPage();
  EXPECT_TRUE(page->progressView()->isHidden());
  EXPECT_TRUE(page->photoImageView()->isHidden());
  EXPECT_FALSE(browser_->titleSaveButton()->isEnabled());
}

}  // namespace
}  // namespace vorn::test
