// Paging through a browser: the news set's counter and wrap-around, the bound
// of three images held and two idle pages, clamping, and saving to the album.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "PhotoBrowserFixture.h"
#include "platform/services/PhotoLibrary.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Finger.h"

namespace vorn::test {
namespace {

using platform::TestDriver;

class BrowserPagingTest : public PhotoBrowserTest {
 protected:
  // A news set of three pictures handed over as five positions: a copy of the
  // last, the three pictures, a copy of the first.
  void makeNewsSetOfThree() {
    std::vector<std::pair<std::string, std::string>> pictures = {
        {pictureUrl(640, 960, "news3-a"), "9001"}, {pictureUrl(800, 600, "news3-b"), "9002"},
        {pictureUrl(200, 150, "news3-c"), "9003"}};
    std::vector<std::size_t> order = {2, 0, 1, 2, 0};
    for (std::size_t i : order) {
      source_->photos.push_back(PyxoPhoto::photoWithURL(pictures[i].first));
      platform::Value record = platform::Value::object();
      record[kPicsPicURL] = pictures[i].first;
      record[kPicsPicId] = pictures[i].second;
      record[kPicsPicCommentLink] =
          portal().baseUrl() + "/cms/interface/5.0/show_pic_comment.php?picid=" + pictures[i].second;
      newsRecords_.push_back(record);
    }
  }
  std::string counter() const { return browser_->titlePicNumsLabel()->text(); }
};

TEST_F(BrowserPagingTest, NewsSetCountsItsPicturesAndWrapsFromLastToFirst) {
  makeNewsSetOfThree();
  open(kNewsPictureSet, 1);
  EXPECT_EQ(counter(), "1/3");
  EXPECT_FALSE(browser_->titlePicNumsLabel()->isHidden());
  EXPECT_TRUE(browser_->bottomCommentView()->isHidden());

  swipe(true);
  EXPECT_EQ(browser_->currentPageIndex(), 2u);
  EXPECT_EQ(counter(), "2/3");
  swipe(true);
  EXPECT_EQ(counter(), "3/3");
  // Past the last picture rests on the copy of the first, then jumps to the first.
  swipe(true);
  EXPECT_EQ(counter(), "1/3");
  EXPECT_EQ(browser_->currentPageIndex(), 1u);
  EXPECT_DOUBLE_EQ(browser_->pagingScrollView()->contentOffset().x, browser_->contentOffsetForPageAtIndex(1).x);
  // And back before the first picture lands on the last.
  swipe(false);
  EXPECT_EQ(counter(), "3/3");
  EXPECT_EQ(browser_->currentPageIndex(), 3u);
}

TEST_F(BrowserPagingTest, OpenerPassingTheTrailingCopyGetsTheLastPicture) {
  makeNewsSetOfThree();
  open(kNewsPictureSet, 4);
  EXPECT_EQ(counter(), "3/3");
}

TEST_F(BrowserPagingTest, ScrollingThroughTenPicturesNeverHoldsMoreThanThreeImages) {
  for (int i = 0; i < 10; ++i) addPicture(640, 480, "ten-" + std::to_string(i));
  open();
  EXPECT_EQ(browser_->pageNumsLabel()->text(), "1/10");
  int most = source_->imagesHeld();
  for (int step = 1; step < 10; ++step) {
    swipe(true);
    // Let the neighbours arrive too, then count.
    runUntil([&] { return source_->imagesHeld() >= (step < 9 ? 3 : 2); }, 5);
    most = std::max(most, source_->imagesHeld());
    EXPECT_LE(source_->imagesHeld(), 3) << "at picture " << step + 1;
    EXPECT_LE(browser_->recycledPages().size(), 2u);
    EXPECT_LE(browser_->visiblePages().size(), 2u);
  }
  EXPECT_EQ(browser_->currentPageIndex(), 9u);
  EXPECT_EQ(browser_->pageNumsLabel()->text(), "10/10");
  EXPECT_EQ(most, 3);
  // The current picture and its one neighbour are what is left.
  EXPECT_TRUE(source_->photos[9]->underlyingImage());
  EXPECT_TRUE(source_->photos[8]->underlyingImage());
  EXPECT_FALSE(source_->photos[7]->underlyingImage());
}

TEST_F(BrowserPagingTest, AnEdgeSwipeLeavesFromTheFirstPictureAndPagesBackFromTheSecond) {
  // The driver's swipe moves 20 points a step, so the paging area and the
  // container's edge recognizer both could begin on its first move; a slow drag
  // crosses each threshold on a different move.
  struct Case {
    const char* name;
    unsigned from;
    std::function<void()> swipe;
    bool leaves;
  };
  auto quick = [] { TestDriver::edgeSwipe(); };
  auto slow = [this] {
    platform::testing::Finger finger(window_, {5, 240});
    finger.drag(245, 0, 245, 2.5);
    finger.lift();
  };
  const Case cases[] = {
      {"quick swipe over the first picture", 0, quick, true},
      {"slow drag over the first picture", 0, slow, true},
      {"quick swipe over the second picture", 1, quick, false},
      {"slow drag over the second picture", 1, slow, false},
  };
  for (int i = 0; i < 3; ++i) addPicture(320, 240, "edge-" + std::to_string(i));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(0, c.from);
    c.swipe();
    runFor(1.0);
    if (c.leaves) {
      EXPECT_EQ(container_->childViewControllers().size(), 1u);
      EXPECT_EQ(browser_->parentViewController(), nullptr);
    } else {
      ASSERT_EQ(container_->childViewControllers().size(), 2u);
      EXPECT_EQ(browser_->currentPageIndex(), c.from - 1);
      container_->popChildViewController();
      runFor(0.6);
    }
  }
}

TEST_F(BrowserPagingTest, ChoosingAPositionBeyondTheSetShowsTheLast) {
  for (int i = 0; i < 4; ++i) addPicture(320, 240, "four-" + std::to_string(i));
  open(0, 10);
  EXPECT_EQ(browser_->currentPageIndex(), 3u);
  EXPECT_EQ(browser_->pageNumsLabel()->text(), "4/4");
}

TEST_F(BrowserPagingTest, MemoryWarningKeepsOnlyTheCurrentImage) {
  for (int i = 0; i < 3; ++i) addPicture(320, 240, "warn-" + std::to_string(i));
  open(0, 1);
  runUntil([&] { return source_->imagesHeld() == 3; }, 5);
  browser_->didReceiveMemoryWarning();
  EXPECT_EQ(source_->imagesHeld(), 1);
  EXPECT_TRUE(source_->photos[1]->underlyingImage());
}

TEST_F(BrowserPagingTest, SavingWritesThePictureIntoTheLibrary) {
  addPicture(320, 240, "save-me");
  open();
  auto& library = platform::services::PhotoLibrary::shared();
  std::size_t before = library.savedPhotosNewestFirst().size();
  TestDriver::tap(browser_->bottomSaveButton());
  ASSERT_TRUE(browser_->saveNotice());
  // The library answers at once; the notice still stays up its minimum time.
  EXPECT_EQ(browser_->saveNotice()->labelText(), kSavedText);
  runFor(0.9);
  EXPECT_TRUE(browser_->saveNotice()->isShowing());
  runFor(2.0);
  EXPECT_FALSE(browser_->saveNotice()->isShowing());
  auto saved = library.savedPhotosNewestFirst();
  ASSERT_EQ(saved.size(), before + 1);
  auto bytes = saved.front().readBytes();
  ASSERT_TRUE(bytes);
  auto image = platform::Image::imageWithData(std::string(bytes->begin(), bytes->end()));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (platform::Size{320, 240}));
}

TEST_F(BrowserPagingTest, RefusedAlbumWriteReportsTheFailure) {
  addPicture(320, 240, "refused");
  open();
  platform::services::PhotoLibrary::setAuthorizationStatus(platform::services::kPhotoAccessDenied);
  TestDriver::tap(browser_->bottomSaveButton());
  runFor(1.2);
  ASSERT_TRUE(browser_->saveNotice());
  EXPECT_EQ(browser_->saveNotice()->labelText(), kSaveFailedText);
  EXPECT_TRUE(platform::services::PhotoLibrary::shared().savedPhotosNewestFirst().empty());
  platform::services::PhotoLibrary::setAuthorizationStatus(platform::services::kPhotoAccessAuthorized);
}

}  // namespace
}  // namespace vorn::test
