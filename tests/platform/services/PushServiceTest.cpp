#include <gtest/gtest.h>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/PushService.h"

using platform::NotificationCenter;
using platform::RunLoop;
using platform::Value;
using platform::services::PushService;

namespace {

class PushServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(1'800'000'000.0);
    NotificationCenter::defaultCenter().reset();
    PushService::shared().reset();
  }
  void TearDown() override { NotificationCenter::defaultCenter().reset(); }
};

TEST_F(PushServiceTest, SetupLogsInAndAnnouncesItOnTheMainLoop) {
  int logins = 0;
  NotificationCenter::defaultCenter().addObserver(this, platform::services::kPushServiceNetworkDidLoginNotification,
                                                  [&](const platform::Notification&) { ++logins; });
  Value options{{"UIApplicationLaunchOptionsRemoteNotificationKey", {{"id", "42"}, {"type", "1"}}}};
  PushService::shared().setupWithOption(options);
  PushService::shared().setLogEnabled(false);
  // An observer added in the same launch pass, after the set-up, still hears it.
  EXPECT_EQ(logins, 0);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(logins, 1);
  EXPECT_TRUE(PushService::shared().isSetUp());
  EXPECT_FALSE(PushService::shared().logEnabled());
  EXPECT_EQ(PushService::shared().launchOptions(), options);

  PushService::shared().deliverNetworkLogin();
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(logins, 2);
}

TEST_F(PushServiceTest, AliasAndTagsAreKeptAndAnsweredLater) {
  auto& push = PushService::shared();
  EXPECT_FALSE(push.alias().has_value());
  int answers = 0;
  push.setTags({}, "12345", [&](int code, const std::set<std::string>& tags, const std::string& alias) {
    ++answers;
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(tags.empty());
    EXPECT_EQ(alias, "12345");
  });
  EXPECT_EQ(answers, 0);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(answers, 1);

  push.setTags({}, "");  // signed out: the empty alias, no answer wanted
  EXPECT_EQ(push.alias().value_or("x"), "");
  EXPECT_TRUE(push.tags().empty());
  auto calls = push.calls().named("setTags");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].arguments["alias"], "12345");
  EXPECT_EQ(calls[1].arguments["alias"], "");
  EXPECT_EQ(calls[1].arguments["tags"], Value::array());
}

TEST_F(PushServiceTest, BadgeRefusesNegativeValues) {
  auto& push = PushService::shared();
  EXPECT_TRUE(push.setBadge(5));
  EXPECT_FALSE(push.setBadge(-1));
  EXPECT_EQ(push.badge(), 5);
  push.resetBadge();
  EXPECT_EQ(push.badge(), 0);
}

TEST_F(PushServiceTest, TokenTypesAndPayloadsAreRecordedInOrder) {
  auto& push = PushService::shared();
  push.registerForRemoteNotificationTypes(platform::services::kPushTypeBadge | platform::services::kPushTypeSound |
                                          platform::services::kPushTypeAlert);
  EXPECT_EQ(push.registeredTypes(), 7);
  push.registerDeviceToken({0x0a, 0xff});
  EXPECT_EQ(push.deviceToken(), (platform::Bytes{0x0a, 0xff}));
  EXPECT_EQ(push.calls().last("registerDeviceToken").arguments["token"], "0aff");

  Value first{{"type", "2"}, {"id", "9"}, {"aps", {{"alert", "新帖"}}}};
  Value second{{"aps", {{"alert", "你有新消息"}}}};
  push.handleRemoteNotification(first);
  push.handleRemoteNotification(second);
  auto received = push.receivedNotifications();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0], first);
  EXPECT_EQ(received[1], second);
}

}  // namespace
