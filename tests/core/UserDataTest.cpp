#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/UserData.h"
#include "net/PortalHosts.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/net/HttpCookieStore.h"
#include "platform/services/PushService.h"
#include "platform/ui/Application.h"
#include "support/VornTest.h"

namespace vorn {
namespace {

class UserDataTest : public test::VornTest {
 protected:
  void TearDown() override {
    platform::services::PushService::shared().reset();
    platform::net::HttpCookieStore::shared()->removeAll();
    VornTest::TearDown();
  }
  void prepareHostRoles(const std::string& base) override { PortalHosts::setAllBaseUrls(base); }
  static UserData& user() { return UserData::userDataInit(); }
  static platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }
  static void storeRecord(const platform::Value& record) { defaults().setObject(kUserLoginInfo, record); }
};

TEST_F(UserDataTest, WithNoRecordNobodyIsSignedIn) {
  EXPECT_FALSE(user().checkLogin());
  EXPECT_FALSE(user().isLoginOrNot());
  EXPECT_EQ(user().getUserID(), "");
  EXPECT_EQ(user().getUserName(), "");
  EXPECT_EQ(user().getbbs_auth(), "");
  EXPECT_FALSE(user().getUserHeadIcon());
  EXPECT_FALSE(user().getUserIconURL());
  EXPECT_EQ(user().getUserCookie(), "iphonecookie=(null)");
}

TEST_F(UserDataTest, StatusDecidesWhetherTheRecordSignsSomeoneIn) {
  struct Case {
    platform::Value status;
    bool signedIn;
  } cases[] = {{"1", true}, {1, true}, {"0", false}, {"2", false}, {2, false}, {platform::Value(), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status.dump());
    platform::Value record = platform::dictionary();
    if (!c.status.is_null()) record["status"] = c.status;
    record["uid"] = 10086;
    record["uname"] = "车友小王";
    record["icon"] = "http://img.example.com/head/10086.jpg";
    record["CookieId"] = "abc123";
    record["bbs_auth"] = "auth%2Bx";
    storeRecord(record);
    EXPECT_EQ(user().checkLogin(), c.signedIn);
    EXPECT_EQ(user().getUserID(), "10086");  // a numeric id gives its decimal text
    EXPECT_EQ(user().getUserName(), "车友小王");
    EXPECT_EQ(user().getbbs_auth(), "auth%2Bx");
    EXPECT_EQ(user().getUserHeadIcon(), "http://img.example.com/head/10086.jpg");
    EXPECT_EQ(user().getUserCookie(), "iphonecookie=abc123");
  }
}

TEST_F(UserDataTest, RewritingAFieldKeepsTheRestAndCreatesNoLogin) {
  user().setUserName("新名字");
  EXPECT_EQ(defaults().objectForKey(kUserLoginInfo), (platform::Value{{"uname", "新名字"}}));
  EXPECT_FALSE(user().checkLogin());

  storeRecord({{"status", "1"}, {"uid", "7"}, {"uname", "old"}, {"extra", "kept"}});
  user().setHeadImageUrl("http://img.example.com/h.jpg");
  user().setUserName("new");
  EXPECT_TRUE(user().checkLogin());
  EXPECT_EQ(user().getUserName(), "new");
  EXPECT_EQ(user().getUserIconURL(), "http://img.example.com/h.jpg");
  EXPECT_EQ(platform::textOf(defaults().objectForKey(kUserLoginInfo), "extra"), "kept");
  // Synchronised: a fresh read of the file sees it.
  defaults().load();
  EXPECT_EQ(user().getUserName(), "new");
}

TEST_F(UserDataTest, LogoutRemovesTheRecordCookiesAliasAndBadges) {
  for (const bool signedIn : {true, false}) {
    SCOPED_TRACE(signedIn);
    if (signedIn) storeRecord({{"status", "1"}, {"uid", "7"}, {"CookieId", "abc"}});
    defaults().setString(kICIconURL, "http://img.example.com/h.jpg");
    defaults().setString(kUserAccountNameKey, "wang");
    platform::net::HttpCookie cookie;
    cookie.name = "member";
    cookie.value = "1";
    cookie.host = "127.0.0.1";
    platform::net::HttpCookieStore::shared()->setCookie(cookie);

    auto& push = platform::services::PushService::shared();
    push.setTags({"vip"}, "7");
    push.setBadge(5);
    auto& application = platform::Application::sharedApplication();
    application.setApplicationIconBadgeNumber(3);
    user().Logout();

    EXPECT_FALSE(defaults().hasObjectForKey(kUserLoginInfo));
    EXPECT_FALSE(defaults().hasObjectForKey(kICIconURL));
    EXPECT_EQ(defaults().stringForKey(kUserAccountNameKey), "wang");
    EXPECT_TRUE(platform::net::HttpCookieStore::shared()->cookieHeaderForUrl(portal().baseUrl() + "/").empty());
    EXPECT_EQ(push.alias(), "");
    EXPECT_TRUE(push.tags().empty());
    EXPECT_EQ(push.badge(), 0);
    EXPECT_EQ(application.applicationIconBadgeNumber(), 0);
    EXPECT_FALSE(user().checkLogin());
    defaults().load();
    EXPECT_FALSE(defaults().hasObjectForKey(kUserLoginInfo));
  }
}

}  // namespace
}  // namespace vorn
