#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "net/Vorn5CacheClient.h"
#include "platform/ui/ImageDownloadCache.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/TempHome.h"

namespace vorn {
namespace {

class Vorn5CacheClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cache().setImageDownloadCacheDiskSize({});
    cache().init();
  }
  void TearDown() override { cache().setImageDownloadCacheDiskSize({}); }
  static Vorn5CacheClient& cache() { return Vorn5CacheClient::sharedClient(); }
  static void writePicture(const std::string& name, std::size_t bytes) {
    platform::createDirectory(cache().imgCacheDir());
    ASSERT_TRUE(platform::writeFileAtomically(platform::joinPath(cache().imgCacheDir(), name),
                                              std::string(bytes, 'p')));
  }
  platform::testing::TempHome home_;
};

TEST_F(Vorn5CacheClientTest, StoresBytesAndDictionariesInTheirFolders) {
  const platform::Bytes answer = {'{', '}', 0, 0xFF};
  EXPECT_TRUE(cache().saveCache(platform::dataValue(answer), "datahttp:hostlistphp"));
  EXPECT_EQ(cache().loadCacheWithKey("datahttp:hostlistphp"), answer);
  EXPECT_FALSE(cache().loadPermCacheWithKey("datahttp:hostlistphp"));

  platform::Value record = platform::dictionary();
  record["md5"] = "abc";
  EXPECT_TRUE(cache().savePermCache(record, "forumList"));
  const auto stored = cache().loadPermCacheWithKey("forumList");
  ASSERT_TRUE(stored);
  EXPECT_EQ(platform::parsePlist(*stored), record);
  EXPECT_TRUE(platform::isRegularFile(home_ / "Library/Caches/PermCacheDir/forumList"));
  EXPECT_FALSE(cache().loadCacheWithKey("nothing-here"));
}

TEST_F(Vorn5CacheClientTest, AnswersTooBigToCacheAreNotCachedAndStoredOnesAreBinary) {
  const std::string huge(kMaxCachedAnswerBytes, '&');
  EXPECT_FALSE(cache().saveCache(platform::Value{{"msg", huge}}, "huge"));
  EXPECT_FALSE(cache().savePermCache(platform::dataValue(huge + "<"), "huge"));
  EXPECT_FALSE(cache().loadCacheWithKey("huge"));
  EXPECT_FALSE(cache().loadPermCacheWithKey("huge"));

  const platform::Value answer{{"msg", std::string(1000, '&')}};
  ASSERT_TRUE(cache().saveCache(answer, "small"));
  const auto stored = cache().loadCacheWithKey("small");
  ASSERT_TRUE(stored);
  EXPECT_EQ(std::string(stored->begin(), stored->begin() + 8), "bplist00");
  EXPECT_EQ(platform::parsePlist(*stored), answer);
}

TEST_F(Vorn5CacheClientTest, ClearingTheAnswersKeepsThePermanentEntriesAndSavingRecreatesTheFolder) {
  cache().saveCache(platform::dataValue(std::string("a")), "PageAll");
  cache().savePermCache(platform::dataValue(std::string("b")), "forumList");
  cache().clearDataCache();
  EXPECT_FALSE(platform::fileExists(cache().cacheDir()));
  EXPECT_FALSE(cache().loadCacheWithKey("PageAll"));
  EXPECT_TRUE(cache().loadPermCacheWithKey("forumList"));

  EXPECT_TRUE(cache().saveCache(platform::dataValue(std::string("c")), "PageAll"));
  EXPECT_EQ(cache().loadCacheWithKey("PageAll"), platform::Bytes{'c'});
}

TEST_F(Vorn5CacheClientTest, KeysFromOutsideTextNeverLeaveTheirFolder) {
  const std::string keys[] = {"a/b", "/../../escape", "../x", std::string(300, 'k'), std::string("nul\0x", 5)};
  for (const std::string& key : keys) {
    SCOPED_TRACE(key.substr(0, 20));
    EXPECT_TRUE(cache().saveCache(platform::dataValue(key), key));
    EXPECT_EQ(cache().loadCacheWithKey(key), platform::Bytes(key.begin(), key.end()));
  }
  // Every file landed directly in the answer folder, nothing outside it.
  EXPECT_EQ(platform::listDirectory(cache().cacheDir()).size(), std::size(keys));
  EXPECT_FALSE(platform::fileExists(home_ / "Library/escape"));
  EXPECT_FALSE(platform::fileExists(home_ / "Library/Caches/x"));
  // Names that cannot be made safe are never stored.
  EXPECT_FALSE(cache().saveCache(platform::dataValue(std::string("x")), ".."));
  EXPECT_FALSE(cache().loadCacheWithKey(".."));
}

TEST_F(Vorn5CacheClientTest, AdvertPicturesMeetUnderTheAddressWithoutSlashes) {
  EXPECT_EQ(Vorn5CacheClient::convertUrlStrToSaveStr("http://host/ad/2015/launch.jpg"), "imghttphostad2015launch.jpg");
  const platform::Bytes picture = {1, 2, 3};
  EXPECT_TRUE(cache().saveAdCache(picture, "http://host/ad/2015/launch.jpg"));
  EXPECT_EQ(cache().loadAdCacheWithKey("http://host/ad/2015/launch.jpg"), picture);
  // Addresses that differ only by "/" or "://" meet at the same file.
  EXPECT_EQ(cache().loadAdCacheWithKey("http://hostad/2015launch.jpg"), picture);
  EXPECT_EQ(cache().loadAdCacheWithKey("http:///host///ad2015/launch.jpg"), picture);
  cache().clearAdImgCache();
  EXPECT_FALSE(cache().loadAdCacheWithKey("http://host/ad/2015/launch.jpg"));
}

TEST_F(Vorn5CacheClientTest, PictureCacheSizeInMegabytes) {
  EXPECT_EQ(cache().getImgCacheSize(), "0MB");  // no TempCache yet

  writePicture("a.jpg", 40'000);
  EXPECT_EQ(cache().getImgCacheSize(), "0MB");  // 0.04 MB rounds to 0.0

  writePicture("b.jpg", 104'858 - 40'000);
  EXPECT_EQ(cache().getImgCacheSize(), "0.1MB");

  // The downloader's disk cache counts too, while TempCache exists.
  cache().setImageDownloadCacheDiskSize([] { return std::uint32_t{3 * 1024 * 1024}; });
  EXPECT_EQ(cache().getImgCacheSize(), "3.1MB");

  cache().clearImgCache();
  EXPECT_EQ(cache().getImgCacheSize(), "0MB");
}

TEST_F(Vorn5CacheClientTest, SharedDownloadersDiskCacheCountsByDefault) {
  writePicture("b.jpg", 104'858);
  cache().setImageDownloadCacheDiskSize({});
  auto& downloader = platform::ImageDownloadCache::sharedManager();
  downloader.clearDisk();
  ASSERT_TRUE(platform::createDirectory(downloader.diskCachePath()));
  ASSERT_TRUE(platform::writeFileAtomically(platform::joinPath(downloader.diskCachePath(), "stored"),
                                            std::string(2 * 1024 * 1024, 'x')));
  EXPECT_EQ(cache().getImgCacheSize(), "2.1MB");
  downloader.clearDisk();
  EXPECT_EQ(cache().getImgCacheSize(), "0.1MB");
}

TEST_F(Vorn5CacheClientTest, DownloaderCacheBeyondFourGigabytesCountsWhole) {
  writePicture("b.jpg", 104'858);
  cache().setImageDownloadCacheDiskSize([] { return std::uint64_t{5} * 1024 * 1024 * 1024; });
  EXPECT_EQ(cache().getImgCacheSize(), "5120.1MB");
}

TEST_F(Vorn5CacheClientTest, FolderSizeCountsLinksByThemselvesAndSubfolders) {
  const std::string folder = cache().imgCacheDir();
  writePicture("big.jpg", 5000);
  platform::createDirectory(platform::joinPath(folder, "sub"));
  platform::writeFileAtomically(platform::joinPath(folder, "sub/small.jpg"), std::string(100, 's'));
  const std::string link = platform::joinPath(folder, "link");
  ASSERT_EQ(::symlink(platform::joinPath(folder, "big.jpg").c_str(), link.c_str()), 0);
  const std::uint64_t size = Vorn5CacheClient::_folderSizeAtPath(folder);
  // 5000 + 100 + the sub-folder's own entry + the link's own length (not 5000 again).
  EXPECT_GT(size, 5100u);
  EXPECT_LT(size, 5100u + 5000u);
}

}  // namespace
}  // namespace vorn
