// Byte-level progress of the picture downloader against the demo portal: a
// large picture reports growing fractions that end at 1 just before its
// completion, a body of unknown length reports only its end, a cancelled
// handle hears nothing more while others waiting for the same picture go on,
// and an answer from the caches reports no progress.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Files.h"
#include "platform/net/CurlWorker.h"
#include "platform/net/HttpClientLayer.h"
#include "platform/ui/ImageDownloadCache.h"
#include "portal/PictureGenerator.h"
#include "support/VornTest.h"

namespace platform {
namespace {

using vorn::portal::PictureGenerator;
using vorn::portal::RouteOverride;

constexpr char kPicturePath[] = "/photos/large.jpg";

// What one fetch heard, in order: fractions, then "done".
struct Heard {
  std::vector<double> fractions;
  std::vector<std::int64_t> expected;
  bool done = false;
  bool progressAfterDone = false;
  std::shared_ptr<const Bytes> picture;
  std::string error;
};

class ImageDownloadProgressTest : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    cache().reset();
    picture = PictureGenerator::jpeg(1600, 1200, "progress");
  }
  void TearDown() override {
    portal().releaseHeldBodies();
    cache().reset();
    VornTest::TearDown();
  }
  static ImageDownloadCache& cache() { return ImageDownloadCache::sharedManager(); }
  std::string url() { return portal().baseUrl() + kPicturePath; }

  // The picture's first half goes out at once, the rest once released.
  void serveHeld(bool chunked) {
    RouteOverride o;
    o.body = picture;
    o.contentType = "image/jpeg";
    o.holdAfterBytes = picture.size() / 2;
    o.chunked = chunked;
    portal().overrideRoute(kPicturePath, o);
  }

  std::shared_ptr<ImageDownloadHandle> fetch(Heard& heard) {
    return cache().downloadWithURL(
        url(),
        [&heard](std::int64_t received, std::int64_t expected) {
          if (heard.done) heard.progressAfterDone = true;
          heard.expected.push_back(expected);
          heard.fractions.push_back(expected > 0 ? static_cast<double>(received) / static_cast<double>(expected)
                                                 : -1);
        },
        [&heard](std::shared_ptr<const Bytes> p, const std::string& error, ImageCacheType, bool) {
          heard.done = true;
          heard.picture = std::move(p);
          heard.error = error;
        });
  }

  std::string picture;
};

TEST_F(ImageDownloadProgressTest, LargePictureReportsGrowingFractionsEndingAtOne) {
  ASSERT_GT(picture.size(), static_cast<std::size_t>(4 * net::CurlWorker::kProgressStepBytes));
  serveHeld(false);
  Heard heard;
  fetch(heard);
  ASSERT_TRUE(runUntil([&] { return !heard.fractions.empty(); }));
  EXPECT_GT(heard.fractions.back(), 0);
  EXPECT_LE(heard.fractions.back(), 0.5) << "only the first half has arrived";
  EXPECT_FALSE(heard.done);

  portal().releaseHeldBodies();
  ASSERT_TRUE(runUntil([&] { return heard.done; }));
  ASSERT_TRUE(heard.picture);
  EXPECT_EQ(heard.picture->size(), picture.size());
  ASSERT_GE(heard.fractions.size(), 2u);
  for (std::size_t i = 1; i < heard.fractions.size(); ++i) {
    EXPECT_GT(heard.fractions[i], heard.fractions[i - 1]) << "report " << i;
  }
  EXPECT_DOUBLE_EQ(heard.fractions.back(), 1.0);
  for (auto e : heard.expected) EXPECT_EQ(e, static_cast<std::int64_t>(picture.size()));
  runFor(1);
  EXPECT_FALSE(heard.progressAfterDone);

  // From memory and from disk: done at once, no progress.
  for (bool fromDisk : {false, true}) {
    if (fromDisk) cache().clearMemory();
    Heard again;
    auto handle = fetch(again);
    EXPECT_TRUE(again.done) << fromDisk;
    EXPECT_TRUE(handle->isFinished());
    EXPECT_TRUE(again.fractions.empty()) << fromDisk;
  }
}

TEST_F(ImageDownloadProgressTest, PictureOfUnknownLengthReportsOnlyItsEnd) {
  serveHeld(true);
  Heard heard;
  fetch(heard);
  ASSERT_TRUE(portal().waitForRequests(1));
  // A second transfer of the same answer, started later, shows when the first
  // half is out: the picture's counts of unknown length say nothing of a fraction.
  net::HttpClientLayer probe(portal().baseUrl());
  bool probeHeard = false;
  auto op = probe.operationWithRequest(probe.requestForUrl("GET", url()), nullptr, nullptr);
  op->setDownloadProgressBlock([&](net::HttpOperation&, std::int64_t, std::int64_t) { probeHeard = true; });
  probe.enqueueOperation(op);
  ASSERT_TRUE(runUntil([&] { return probeHeard; }));
  runUntilIdle();
  EXPECT_TRUE(heard.fractions.empty());
  EXPECT_FALSE(heard.done);
  portal().releaseHeldBodies();
  ASSERT_TRUE(runUntil([&] { return heard.done; }));
  ASSERT_TRUE(heard.picture) << heard.error;
  EXPECT_EQ(heard.fractions, (std::vector<double>{1.0}));
}

TEST_F(ImageDownloadProgressTest, CancelledHandleHearsNothingMoreWhileTheOtherGoesOn) {
  serveHeld(false);
  Heard kept, dropped;
  fetch(kept);
  auto handle = fetch(dropped);
  ASSERT_TRUE(runUntil([&] { return !dropped.fractions.empty(); }));
  EXPECT_EQ(kept.fractions, dropped.fractions) << "both waiters hear the same counts";
  handle->cancel();
  std::size_t heardBefore = dropped.fractions.size();

  portal().releaseHeldBodies();
  ASSERT_TRUE(runUntil([&] { return kept.done; }));
  EXPECT_DOUBLE_EQ(kept.fractions.back(), 1.0);
  EXPECT_GT(kept.fractions.size(), heardBefore);
  runFor(1);
  EXPECT_EQ(dropped.fractions.size(), heardBefore);
  EXPECT_FALSE(dropped.done);
  EXPECT_EQ(portal().requestsTo(kPicturePath).size(), 1u) << "one download for both";
}

TEST_F(ImageDownloadProgressTest, CancellingTheOnlyHandleStopsTheDownloadAndItsReports) {
  serveHeld(false);
  Heard heard;
  auto handle = fetch(heard);
  ASSERT_TRUE(runUntil([&] { return !heard.fractions.empty(); }));
  handle->cancel();
  std::size_t heardBefore = heard.fractions.size();
  portal().releaseHeldBodies();
  runFor(2);
  EXPECT_EQ(heard.fractions.size(), heardBefore);
  EXPECT_FALSE(heard.done);
  EXPECT_FALSE(cache().imageFromMemoryCache(url())) << "a stopped download stores nothing";
}

}  // namespace
}  // namespace platform
