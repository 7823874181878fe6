#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/foundation/Files.h"
#include "platform/ui/ImageDownloadCache.h"
#include "support/VornTest.h"

namespace platform {
namespace {

struct Answer {
  bool done = false;
  int calls = 0;
  std::shared_ptr<const Bytes> picture;
  std::string error;
  ImageCacheType type = ImageCacheType::None;
};

class ImageDownloadCacheTest : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    cache().reset();
  }
  void TearDown() override {
    cache().reset();
    VornTest::TearDown();
  }
  static ImageDownloadCache& cache() { return ImageDownloadCache::sharedManager(); }
  std::string picture(const std::string& name) { return portal().baseUrl() + "/pic/" + name; }
  std::shared_ptr<ImageDownloadHandle> fetch(const std::string& url, Answer& answer) {
    return cache().downloadWithURL(url, nullptr,
                                   [&answer](std::shared_ptr<const Bytes> p, const std::string& e, ImageCacheType t,
                                             bool) {
                                     answer.done = true;
                                     ++answer.calls;
                                     answer.picture = std::move(p);
                                     answer.error = e;
                                     answer.type = t;
                                   });
  }
};

TEST_F(ImageDownloadCacheTest, DownloadsAsAPictureRequestAndServesTheSecondFromItsCaches) {
  std::string url = picture("120x80/seed1.jpg");
  Answer first;
  std::int64_t received = 0, expected = 0;
  cache().downloadWithURL(url, [&](std::int64_t r, std::int64_t e) { received = r; expected = e; },
                          [&first](std::shared_ptr<const Bytes> p, const std::string& e, ImageCacheType t, bool) {
                            first.done = true;
                            first.picture = std::move(p);
                            first.error = e;
                            first.type = t;
                          });
  ASSERT_TRUE(runUntil([&] { return first.done; }));
  ASSERT_TRUE(first.picture) << first.error;
  EXPECT_EQ(first.type, ImageCacheType::None);
  EXPECT_TRUE(looksLikePicture(*first.picture));
  EXPECT_EQ(received, static_cast<std::int64_t>(first.picture->size()));
  EXPECT_EQ(expected, received);
  auto sent = portal().requestsTo("/pic/120x80/seed1.jpg");
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].header("Accept"), "image/*");
  EXPECT_EQ(sent[0].header("Cookie"), "");

  // From memory, at once.
  Answer second;
  auto handle = fetch(url, second);
  EXPECT_TRUE(second.done);
  EXPECT_TRUE(handle->isFinished());
  EXPECT_EQ(second.type, ImageCacheType::Memory);
  EXPECT_EQ(*second.picture, *first.picture);

  // From disk once memory is gone; still no second request.
  cache().clearMemory();
  Answer third;
  fetch(url, third);
  EXPECT_EQ(third.type, ImageCacheType::Disk);
  EXPECT_EQ(*third.picture, *first.picture);
  EXPECT_EQ(portal().requestsTo("/pic/120x80/seed1.jpg").size(), 1u);
  EXPECT_EQ(cache().getSize(), first.picture->size());
}

TEST_F(ImageDownloadCacheTest, CancelledFirstFetchNeverAnswersWhileASecondStillDoes) {
  std::string url = picture("64x64/seed2.png");
  Answer cancelled, kept;
  auto first = fetch(url, cancelled);
  auto second = fetch(url, kept);
  first->cancel();
  EXPECT_TRUE(first->isCancelled());
  ASSERT_TRUE(runUntil([&] { return kept.done; }));
  runFor(0.1);
  EXPECT_FALSE(cancelled.done);
  EXPECT_TRUE(kept.picture);
  EXPECT_EQ(portal().requestsTo("/pic/64x64/seed2.png").size(), 1u);
}

TEST_F(ImageDownloadCacheTest, CancellingTheOnlyFetchStopsItAndCachesNothing) {
  vorn::portal::RouteOverride stall;
  stall.delaySeconds = 1.0;
  stall.contentType = "image/jpeg";
  stall.body = "\xFF\xD8\xFF";
  portal().overrideRoute("/pic/10x10/slow.jpg", stall);
  Answer answer;
  auto handle = fetch(picture("10x10/slow.jpg"), answer);
  handle->cancel();
  runFor(20);
  EXPECT_FALSE(answer.done);
  EXPECT_EQ(cache().imageFromMemoryCache(picture("10x10/slow.jpg")), nullptr);
  EXPECT_EQ(cache().getDiskCount(), 0u);
}

TEST_F(ImageDownloadCacheTest, RefusesOtherSchemesAndAnswersThatAreNotPictures) {
  Answer file;
  fetch("file:///etc/passwd", file);
  EXPECT_TRUE(file.done);
  EXPECT_FALSE(file.picture);
  EXPECT_FALSE(file.error.empty());

  vorn::portal::RouteOverride page;
  page.body = "<html>not a picture</html>";
  page.contentType = "text/html";
  portal().overrideRoute("/pic/5x5/page.jpg", page);
  Answer html;
  fetch(picture("5x5/page.jpg"), html);
  ASSERT_TRUE(runUntil([&] { return html.done; }));
  EXPECT_FALSE(html.picture);
  EXPECT_EQ(cache().getDiskCount(), 0u);

  portal().overrideRoute("/pic/5x5/missing.jpg", vorn::portal::RouteOverride{404, "", "text/plain"});
  Answer missing;
  fetch(picture("5x5/missing.jpg"), missing);
  ASSERT_TRUE(runUntil([&] { return missing.done; }));
  EXPECT_FALSE(missing.picture);
  EXPECT_EQ(missing.calls, 1);
}

TEST_F(ImageDownloadCacheTest, ClearingTheDiskEmptiesItsSize) {
  Answer answer;
  fetch(picture("32x32/seed3.jpg"), answer);
  ASSERT_TRUE(runUntil([&] { return answer.done; }));
  EXPECT_GT(cache().getSize(), 0u);
  EXPECT_TRUE(fileExists(cache().cachePathForKey(picture("32x32/seed3.jpg"))));
  EXPECT_EQ(cache().diskCachePath(), joinPath(cachesDirectory(), "ImageDownloadCache"));
  cache().clearDisk();
  EXPECT_EQ(cache().getSize(), 0u);
  cache().clearMemory();
  Answer again;
  fetch(picture("32x32/seed3.jpg"), again);
  ASSERT_TRUE(runUntil([&] { return again.done; }));
  EXPECT_EQ(again.type, ImageCacheType::None);
  EXPECT_EQ(portal().requestsTo("/pic/32x32/seed3.jpg").size(), 2u);
}

}  // namespace
}  // namespace platform
