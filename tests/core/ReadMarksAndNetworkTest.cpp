#include <gtest/gtest.h>

#include <string>

#include "core/AppDelegateNetwork.h"
#include "core/ServicesFixture.h"
#include "core/SysMsgNumHelper.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"
#include "platform/net/Reachability.h"

namespace vorn {
namespace {

class ReadMarksAndNetworkTest : public test::ServicesFixture {
 protected:
  std::string listPath(const char* folder, const char* file) {
    return platform::joinPath(platform::joinPath(platform::documentsDirectory(), folder), file);
  }
  platform::Value storedList(const char* file) {
    return platform::readPlistFile(listPath(kReadHistoryDir, file)).value_or(platform::Value());
  }
  void reachability(int status) {
    platform::NotificationCenter::defaultCenter().post(platform::net::kReachabilityDidChangeNotification, {},
                                                       platform::Value{{platform::net::kReachabilityStatusKey, status}});
  }
};

TEST_F(ReadMarksAndNetworkTest, ReadMarkMovesToTheEndAndNumbersEqualTheirText) {
  auto& d = delegate();
  d.saveNewsIDHistory(kNewsIDHistoryFile, "101");
  d.saveNewsIDHistory(kNewsIDHistoryFile, 102);
  d.saveNewsIDHistory(kNewsIDHistoryFile, 101);
  EXPECT_EQ(storedList(kNewsIDHistoryFile), (platform::Value{"102", "101"}));
  EXPECT_TRUE(d.searchNewsIDHistory(kNewsIDHistoryFile, 102));
  EXPECT_TRUE(d.searchNewsIDHistory(kNewsIDHistoryFile, "101"));
  EXPECT_FALSE(d.searchNewsIDHistory(kNewsIDHistoryFile, "103"));
  EXPECT_FALSE(d.searchNewsIDHistory(kPostIDHistoryFile, "101"));  // lists are separate
}

TEST_F(ReadMarksAndNetworkTest, ListKeepsTheNewest500) {
  platform::Value full = platform::Value::array();
  for (int i = 0; i < 500; ++i) full.push_back(std::to_string(i));
  platform::createDirectory(platform::joinPath(platform::documentsDirectory(), kReadHistoryDir));
  ASSERT_TRUE(platform::writePlistFile(listPath(kReadHistoryDir, kPostIDHistoryFile), full));
  delegate().saveNewsIDHistory(kPostIDHistoryFile, "new");
  const platform::Value list = storedList(kPostIDHistoryFile);
  ASSERT_EQ(list.size(), 500u);
  EXPECT_EQ(list.front(), "1");
  EXPECT_EQ(list.back(), "new");
  EXPECT_FALSE(delegate().searchNewsIDHistory(kPostIDHistoryFile, "0"));
}

TEST_F(ReadMarksAndNetworkTest, OldFormIsMigratedOnTheFirstSearchOnly) {
  const std::string oldFolder = platform::joinPath(platform::documentsDirectory(), kOldReadHistoryDir);
  platform::createDirectory(oldFolder);
  const std::string oldFile = platform::joinPath(oldFolder, kNewsIDHistoryFile);
  ASSERT_TRUE(platform::writePlistFile(oldFile, platform::Value{{"9", true}, {"10", true}}));

  delegate().saveNewsIDHistory(kNewsIDHistoryFile, "5");
  EXPECT_TRUE(platform::fileExists(oldFile));  // a save does not migrate

  EXPECT_TRUE(delegate().searchNewsIDHistory(kNewsIDHistoryFile, "9"));
  EXPECT_FALSE(platform::fileExists(oldFile));
  EXPECT_TRUE(platform::isDirectory(oldFolder));
  EXPECT_EQ(storedList(kNewsIDHistoryFile), (platform::Value{"5", "10", "9"}));
}

TEST_F(ReadMarksAndNetworkTest, UnreadableListCountsAsEmpty) {
  platform::createDirectory(platform::joinPath(platform::documentsDirectory(), kReadHistoryDir));
  platform::writeFileAtomically(listPath(kReadHistoryDir, kNewsIDHistoryFile), std::string("garbage"));
  EXPECT_FALSE(delegate().searchNewsIDHistory(kNewsIDHistoryFile, "1"));
  delegate().saveNewsIDHistory(kNewsIDHistoryFile, "1");
  EXPECT_EQ(storedList(kNewsIDHistoryFile), (platform::Value{"1"}));
}

TEST_F(ReadMarksAndNetworkTest, ShortcutListsByType) {
  const platform::Value boards = platform::Value::array({platform::Value{{"forumId", "12"}, {"forumName", "自驾游"}}});
  const platform::Value series = platform::Value::array({platform::Value{{"seriesId", "3"}, {"seriesName", "轩逸"}}});
  EXPECT_FALSE(AppDelegate::loadShortCutArrWithType(1).has_value());
  AppDelegate::saveShortCutArr(boards, 1);
  AppDelegate::saveShortCutArr(series, 0);
  AppDelegate::saveShortCutArr(series, 2);
  EXPECT_EQ(AppDelegate::loadShortCutArrWithType(1), boards);
  EXPECT_EQ(AppDelegate::loadShortCutArrWithType(0), series);
  EXPECT_FALSE(AppDelegate::loadShortCutArrWithType(2).has_value());
  EXPECT_TRUE(platform::isRegularFile(listPath(kShortCutDir, "forumList.plist")));
  EXPECT_EQ(platform::listDirectory(platform::joinPath(platform::documentsDirectory(), kShortCutDir)),
            (std::vector<std::string>{"carList.plist", "forumList.plist"}));
}

TEST_F(ReadMarksAndNetworkTest, NetworkChangesAfterTheFirstAreAnnounced) {
  signIn("7");
  reachability(2);  // the layer's first report: silent
  EXPECT_EQ(delegate().getCurrentNetworkStatus(), 2);
  EXPECT_TRUE(notices_.empty());

  reachability(0);
  EXPECT_EQ(notices_, (std::vector<std::string>{"当前无网络"}));
  settle();
  EXPECT_EQ(portal().requestsTo(kGetMsgNumPath).size(), 0u);

  runFor(2.0);  // the notice has gone
  reachability(2);
  EXPECT_EQ(notices_, (std::vector<std::string>{"当前无网络", "当前网络为WiFi"}));
  settle();
  EXPECT_EQ(portal().requestsTo(kGetMsgNumPath).size(), 1u);
  EXPECT_EQ(delegate().getCurrentNetworkStatus(), 2);
}

TEST_F(ReadMarksAndNetworkTest, ChangeWhileANoticeShowsIsStoredSilently) {
  signIn("7");
  reachability(2);
  delegate().responseNetWork();
  reachability(1);
  EXPECT_EQ(delegate().getCurrentNetworkStatus(), 1);
  EXPECT_EQ(notices_, (std::vector<std::string>{"网络不稳定，请稍后再试"}));
  settle();
  EXPECT_EQ(portal().requestsTo(kGetMsgNumPath).size(), 0u);
  runFor(2.0);
  reachability(-1);
  EXPECT_EQ(notices_.back(), "当前网络未知");
}

}  // namespace
}  // namespace vorn
