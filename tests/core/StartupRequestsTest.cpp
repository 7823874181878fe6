#include <gtest/gtest.h>

#include <string>

#include "application/VornAppDelegate.h"
#include "core/StartupKeys.h"
#include "net/PortalTest.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/net/RequestLog.h"
#include "platform/services/PushService.h"

namespace vorn {
namespace {

using test::PortalTest;
using vorn::portal::RouteOverride;

class StartupRequestsTest : public PortalTest {
 protected:
  static platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }
  std::string forumListFile() const {
    return platform::joinPath(platform::joinPath(platform::documentsDirectory(), kForumListDir), kForumListFile);
  }
  // Runs one launch's start-up requests until the portal has answered them all.
  void launch() {
    portal().clearLog();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    delegate().sendStartupRequests();
    settle();
  }
  void settle() {
    runUntil([] { return platform::RunLoop::main().externalWorkInFlight() == 0 && !platform::RunLoop::main().hasDueWork(); });
  }
  void answer(const std::string& path, const std::string& body, int status = 200) {
    portal().overrideRoute(path, RouteOverride{status, body});
  }
  static std::string pathOf(const char* addressPath) {
    const std::string text = addressPath;
    return text.substr(0, text.find('?'));
  }
};

TEST_F(StartupRequestsTest, FirstLaunchSendsFiveRequestsInOrderWithTheirParameters) {
  std::vector<std::string> sentUrls;
  platform::net::setRequestLogger([&](const platform::net::SentRequest& r) { sentUrls.push_back(r.url); });
  launch();
  platform::net::setRequestLogger({});
  const std::string base = portal().baseUrl();
  EXPECT_EQ(sentUrls, (std::vector<std::string>{
                          base + "/interface/vorn/NewsAdvert_pic.php?type=1",
                          base + "/auto/index.php?r=service/IphoneApi/APPCacheTime&operation=2",
                          base + "/interface/vorn/GetForumListMd5.php",
                          base + "/version/ios_vorn.php",
                          base + "/interface/vorn/GetForumList.php",  // no checksum stored yet
                      }));
  for (const auto& request : portal().requests()) EXPECT_EQ(request.header("Cookie"), "iphonecookie=(null)");
  EXPECT_TRUE(notices_.empty());
}

TEST_F(StartupRequestsTest, ChangedStampClearsTheCachesAndTheSameStampNextLaunchClearsNothing) {
  caches().saveCache(platform::dataValue(std::string("old answer")), "datahttp:hostlist");
  platform::createDirectory(caches().imgCacheDir());
  platform::writeFileAtomically(platform::joinPath(caches().imgCacheDir(), "p.jpg"), std::string("jpg"));

  launch();  // first launch: no stamp stored
  EXPECT_TRUE(delegate().carSection().TimeStampFlag());
  EXPECT_FALSE(caches().loadCacheWithKey("datahttp:hostlist"));
  EXPECT_FALSE(platform::fileExists(caches().imgCacheDir()));
  const auto stamp = caches().loadCacheWithKey("PageAll");
  ASSERT_TRUE(stamp);
  const auto stampRecord = platform::parsePlist(*stamp);
  ASSERT_TRUE(stampRecord);
  EXPECT_EQ(platform::textOf(*stampRecord, "time"), "1796832000");

  caches().saveCache(platform::dataValue(std::string("kept")), "datahttp:hostlist");
  launch();  // same stamp
  EXPECT_FALSE(delegate().carSection().TimeStampFlag());
  EXPECT_TRUE(caches().loadCacheWithKey("datahttp:hostlist"));

  answer("/auto/index.php", R"({"time":1765440000})");
  launch();  // a new stamp
  EXPECT_TRUE(delegate().carSection().TimeStampFlag());
  EXPECT_FALSE(caches().loadCacheWithKey("datahttp:hostlist"));

  answer("/auto/index.php", R"({"status":"1"})");  // no "time": nothing changes
  caches().saveCache(platform::dataValue(std::string("kept")), "datahttp:hostlist");
  launch();
  EXPECT_FALSE(delegate().carSection().TimeStampFlag());
  EXPECT_TRUE(caches().loadCacheWithKey("datahttp:hostlist"));
}

TEST_F(StartupRequestsTest, ChangedChecksumFetchesTheBoardListWithInitialsAndPinyin) {
  answer(kForumListPath, R"({"status":"1","total":"3","forumlist":[
      {"fid":"101","fname":"奥迪A4L论坛","ftype":"1"},
      {"fid":"999","ftype":"1"},
      {"fid":"203","fname":"厦门车友会"},
      {"fid":"7","fname":""}]})");
  launch();
  ASSERT_EQ(portal().requestsTo(kForumListPath).size(), 1u);
  const auto stored = platform::readPlistFile(forumListFile());
  ASSERT_TRUE(stored);
  EXPECT_EQ(platform::textOf(*stored, "total"), "3");
  const platform::Value& boards = platform::valueFor(*stored, "forumlist");
  ASSERT_EQ(platform::countOf(boards), 3u);  // the entry without "fname" is left out
  EXPECT_EQ(platform::textOf(boards[0], "fid"), "101");
  EXPECT_EQ(platform::textOf(boards[0], "ftype"), "1");
  EXPECT_EQ(platform::textOf(boards[0], "fCap"), "adA4Llt");
  EXPECT_EQ(platform::textOf(boards[0], "fPinYin"), "AODIA4LLUNTAN");
  EXPECT_EQ(platform::textOf(boards[1], "fCap"), "smcyh");
  EXPECT_EQ(platform::textOf(boards[1], "fPinYin"), "XIAMENCHEYOUHUI");
  EXPECT_EQ(platform::textOf(boards[2], "fCap"), "");
  EXPECT_EQ(platform::textOf(boards[2], "fPinYin"), "");
  // The checksum is kept, so the next launch with the same one fetches nothing.
  EXPECT_FALSE(api().shouldUpdateForumListTimeStampWithType(1, "b34837008e41242a1a3d554d11f006bc"));
  launch();
  EXPECT_TRUE(portal().requestsTo(kForumListPath).empty());
}

TEST_F(StartupRequestsTest, BoardListWithoutListOrThatCannotBeStored) {
  answer(kForumListPath, R"({"status":"1"})");
  launch();
  const auto stored = platform::readPlistFile(forumListFile());
  ASSERT_TRUE(stored);
  EXPECT_TRUE(platform::isArray(platform::valueFor(*stored, "forumlist")));
  EXPECT_EQ(platform::countOf(platform::valueFor(*stored, "forumlist")), 0u);

  // A list a property list cannot hold leaves the earlier file and the checksum as they were.
  answer(kForumListMd5Path, R"({"md5":"changed"})");
  answer(kForumListPath, R"({"forumlist":[{"fname":"自驾游","icon":null}]})");
  launch();
  const auto kept = platform::readPlistFile(forumListFile());
  ASSERT_TRUE(kept);
  EXPECT_EQ(platform::countOf(platform::valueFor(*kept, "forumlist")), 0u);
  EXPECT_TRUE(api().shouldUpdateForumListTimeStampWithType(1, "changed"));
}

TEST_F(StartupRequestsTest, VersionAnswerDecidesBetweenUpdateAndCountingTheLaunch) {
  struct Case {
    const char* portalVersion;
    bool update;
  } cases[] = {
      {"5.1.0", false}, {"5.1", false},    {"5.0.9", false}, {"5.1.0.1", true},
      {"5.1.1", true},  {"5.10", true},    {"4.9.9", false}, {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portalVersion);
    defaults().removeObject(kLaunchTimesKey);
    answer(kLatestVersionPath, std::string(R"({"ver":{"app":")") + c.portalVersion + R"("}})");
    launch();
    EXPECT_EQ(delegate().shouldPopUpUpdate(), c.update);
    EXPECT_EQ(defaults().stringForKey(kLaunchTimesKey).value_or("absent"), c.update ? "absent" : "1");
  }
}

TEST_F(StartupRequestsTest, FifthCountedLaunchAsksForARatingUntilDone) {
  const char* expected[] = {"1", "2", "3", "4", "5", "6"};
  for (int i = 0; i < 6; ++i) {
    launch();
    EXPECT_EQ(defaults().stringForKey(kLaunchTimesKey), expected[i]);
    EXPECT_EQ(delegate().shouldPopUpComment(), i >= 4) << i;
  }
  defaults().setString(kLaunchTimesKey, "done");
  launch();
  EXPECT_EQ(defaults().stringForKey(kLaunchTimesKey), "done");
  EXPECT_FALSE(delegate().shouldPopUpComment());
  EXPECT_EQ(defaults().stringForKey(kCurrentVersionKey), "5.1.0");

  // A new version restarts the count, also when its answer has no version in it.
  defaults().setString(kCurrentVersionKey, "5.0.0");
  answer(kLatestVersionPath, R"({"status":"1"})");
  launch();
  EXPECT_EQ(defaults().stringForKey(kCurrentVersionKey), "5.1.0");
  EXPECT_FALSE(defaults().hasObjectForKey(kLaunchTimesKey));
}

TEST_F(StartupRequestsTest, NewsAdvertRecordAndItsFlag) {
  launch();  // a new advert with status 1
  const platform::Value advert = defaults().objectForKey(kNewsAdvertKey);
  EXPECT_EQ(platform::textOf(advert, "AdTitle"), "沃恩冬季购车节 到店试驾赢好礼");
  EXPECT_EQ(advert["time"], "1796832000");  // stored as text
  EXPECT_TRUE(defaults().boolForKey(kNewsAdvertHasNewKey));
  EXPECT_FALSE(defaults().hasObjectForKey(kCFVersionKey));

  // The same advert: the first run of this version only records the version.
  defaults().setBool(kNewsAdvertHasNewKey, true);
  launch();
  EXPECT_EQ(defaults().stringForKey(kCFVersionKey), "5.1.0");
  EXPECT_TRUE(defaults().boolForKey(kNewsAdvertHasNewKey));

  // The same advert switched off: nothing new to show.
  platform::Value off = advert;
  off["status"] = "0";
  answer(kNewsAdvertPath, platform::toJson(off));
  launch();
  EXPECT_FALSE(defaults().boolForKey(kNewsAdvertHasNewKey));

  // A different advert that is off: only the flag, the record stays.
  answer(kNewsAdvertPath, R"({"status":0,"imgUrl":"http://img.example.com/b.jpg","AdTitle":null})");
  defaults().setBool(kNewsAdvertHasNewKey, true);
  launch();
  EXPECT_FALSE(defaults().boolForKey(kNewsAdvertHasNewKey));
  EXPECT_EQ(platform::textOf(defaults().objectForKey(kNewsAdvertKey), "AdTitle"), "沃恩冬季购车节 到店试驾赢好礼");

  // A different advert that is on, with missing and null fields: stored with "" for them.
  answer(kNewsAdvertPath, R"({"status":1,"imgUrl":"http://img.example.com/c.jpg","AdTitle":null,"extra":null})");
  launch();
  const platform::Value stored = defaults().objectForKey(kNewsAdvertKey);
  EXPECT_EQ(stored["status"], "1");
  EXPECT_EQ(stored["AdTitle"], "");
  EXPECT_EQ(stored["AdLinkUrl"], "");
  EXPECT_FALSE(platform::hasKey(stored, "extra"));
  EXPECT_TRUE(defaults().boolForKey(kNewsAdvertHasNewKey));
}

TEST_F(StartupRequestsTest, FailedRequestsChangeNothing) {
  caches().saveCache(platform::dataValue(std::string("kept")), "datahttp:hostlist");
  for (const char* path : {kNewsAdvertPath, kForumListMd5Path, kLatestVersionPath, "/auto/index.php"})
    answer(pathOf(path), "", 503);
  launch();
  EXPECT_FALSE(delegate().carSection().TimeStampFlag());
  EXPECT_TRUE(caches().loadCacheWithKey("datahttp:hostlist"));
  EXPECT_FALSE(platform::fileExists(forumListFile()));
  EXPECT_FALSE(defaults().hasObjectForKey(kLaunchTimesKey));
  EXPECT_FALSE(defaults().hasObjectForKey(kCurrentVersionKey));
  EXPECT_FALSE(defaults().hasObjectForKey(kNewsAdvertKey));
  EXPECT_TRUE(notices_.empty());
}

TEST_F(StartupRequestsTest, OldDeviceRegistrationIsRemovedOnlyWhenOneIsStored) {
  delegate().removeOldVersionPushToken();
  settle();
  EXPECT_TRUE(portal().requestsTo(kRemoveDevicePath).empty());
  defaults().setString(kDeviceNoKey, "a1b2c3d4");
  delegate().observePushServiceLogin();
  platform::services::PushService::shared().deliverNetworkLogin();
  settle();
  const auto sent = portal().requestsTo(kRemoveDevicePath);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].query, "dev_num=a1b2c3d4");
  EXPECT_EQ(defaults().stringForKey(kDeviceNoKey), "a1b2c3d4");
}

TEST_F(StartupRequestsTest, CleanDatabaseDeletesTheStoredSeriesTable) {
  const std::string database = platform::joinPath(platform::documentsDirectory(), kSeriesDatabaseFile);
  ASSERT_TRUE(platform::writeFileAtomically(database, std::string("SQLite format 3")));
  bool done = false;
  delegate().cleanDatabase([&] { done = true; });
  ASSERT_TRUE(runUntil([&] { return done; }));
  EXPECT_FALSE(platform::fileExists(database));
  done = false;
  delegate().cleanDatabase([&] { done = true; });  // nothing there: no harm
  EXPECT_TRUE(runUntil([&] { return done; }));
}

}  // namespace
}  // namespace vorn
