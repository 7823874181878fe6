#include <gtest/gtest.h>

#include <string>

#include "core/ServicesFixture.h"
#include "core/StartupKeys.h"
#include "core/StartupPrompts.h"
#include "core/SysMsgNumHelper.h"
#include "home/PushView.h"
#include "platform/services/PushService.h"
#include "platform/services/SystemSound.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

using platform::ApplicationState;
using platform::services::PushService;

class PushNotificationsTest : public test::ServicesFixture {
 protected:
  void SetUp() override {
    ServicesFixture::SetUp();
    window_ = platform::Window::create({0, 0, 320, 568});
    window_->makeKeyAndVisible();
    delegate().setWindow(window_);
  }
  void receive(const platform::Value& payload) { delegate().didReceiveRemoteNotification(app(), payload); }
  std::vector<std::shared_ptr<PushView>> cards() const {
    std::vector<std::shared_ptr<PushView>> out;
    for (const auto& view : window_->subviews())
      if (auto card = std::dynamic_pointer_cast<PushView>(view)) out.push_back(card);
    return out;
  }
  std::size_t countRequests() { return portal().requestsTo(kGetMsgNumPath).size(); }

  std::shared_ptr<platform::Window> window_;
};

TEST_F(PushNotificationsTest, CountsBecomeTheBadgeThroughTheExactRequest) {
  signIn("12345");
  auto& counts = record(kSysMsgNumHelperGetMsgNumNotification);
  SysMsgNumHelper::shareHelper().reGetmessageNum();
  settle();
  const auto sent = portal().requestsTo(kGetMsgNumPath);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].method, "GET");
  EXPECT_EQ(sent[0].query, "cookie=12345&uid=12345&ver=" + AppDelegate::getCurrentVersion());
  EXPECT_EQ(sent[0].header("Cookie"), "iphonecookie=c12345");
  ASSERT_EQ(counts.size(), 1u);
  EXPECT_EQ(platform::textOf(*counts[0], "noticeNum"), "2");
  EXPECT_EQ(app().applicationIconBadgeNumber(), 5);
  EXPECT_EQ(PushService::shared().badge(), 5);
}

TEST_F(PushNotificationsTest, BadgeIsTheSumOfTheThreeCounts) {
  struct Case {
    const char* name;
    bool signedIn;
    std::optional<platform::Value> counts;
    int appBadge;
    int serviceBadge;
  } cases[] = {
      {"numbers and text", true, platform::Value{{"msgNum", 3}, {"noticeNum", "2"}, {"replyNum", 0}}, 5, 5},
      {"text counts like a number", true, platform::Value{{"msgNum", "4"}}, 4, 4},
      {"negative total", true, platform::Value{{"msgNum", -9}, {"noticeNum", "2"}}, 0, 0},
      {"not a dictionary: unchanged", true, platform::Value::array(), 7, 7},
      {"no object: unchanged", true, std::nullopt, 7, 7},
      {"signed out: icon cleared", false, platform::Value{{"msgNum", 3}}, 0, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    defaults().removeObject(kUserLoginInfo);
    if (c.signedIn) signIn("1");
    app().setApplicationIconBadgeNumber(7);
    PushService::shared().setBadge(7);
    auto& center = platform::NotificationCenter::defaultCenter();
    if (c.counts) {
      center.post(kSysMsgNumHelperGetMsgNumNotification, *c.counts);
    } else {
      center.post(kSysMsgNumHelperGetMsgNumNotification);
    }
    EXPECT_EQ(app().applicationIconBadgeNumber(), c.appBadge);
    EXPECT_EQ(PushService::shared().badge(), c.serviceBadge);
  }
}

TEST_F(PushNotificationsTest, SignedOutSendsNoCountRequest) {
  SysMsgNumHelper::shareHelper().reGetmessageNum();
  settle();
  EXPECT_EQ(countRequests(), 0u);
}

TEST_F(PushNotificationsTest, PushWhileActiveAsksFirstWithThe401Alert) {
  app().setApplicationState(ApplicationState::Active);
  const platform::Value payload = {{"type", "1"}, {"id", "80211"}, {"aps", {{"alert", "新款轿车正式上市"}}}};
  receive(payload);
  ASSERT_EQ(panels().size(), 1u);
  const auto alert = panels()[0];
  EXPECT_EQ(alert.tag, kPushAlertTag);
  EXPECT_EQ(alert.title, "");
  EXPECT_EQ(alert.message, "新款轿车正式上市");
  EXPECT_EQ(alert.buttons, (std::vector<std::string>{"忽略", "点击查看"}));
  EXPECT_EQ(PushService::shared().receivedNotifications().size(), 1u);
  EXPECT_EQ(platform::services::SystemSound::shared().played(),
            (std::vector<std::string>{"/System/Library/Audio/UISounds/sms-received1.caf"}));

  // Ignored: nothing opens and the push stays pending.
  ASSERT_TRUE(platform::tapSystemNoticeButton("忽略"));
  runFor(0.5);
  EXPECT_TRUE(cards().empty());
  EXPECT_EQ(delegate().pushNewsId(), "80211");

  // Accepted: the card opens for the push and asks for its preview.
  receive({{"type", 2}, {"id", "50177"}, {"aps", {{"alert", "精华帖"}}}});
  ASSERT_TRUE(platform::tapSystemNoticeButton("点击查看"));
  runFor(0.5);
  ASSERT_EQ(cards().size(), 1u);
  EXPECT_EQ(cards()[0]->pushType(), 2);
  EXPECT_EQ(cards()[0]->pushId(), "50177");
  EXPECT_EQ(delegate().pushNewsId(), "0");
  EXPECT_EQ(delegate().pushType(), 1);
  settle();
  const auto previews = portal().requestsTo(kNewsPushPath);
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(previews[0].query, "news_id=50177&news_type=2");
  EXPECT_EQ(platform::textOf(cards()[0]->preview(), "id"), "50177");
}

TEST_F(PushNotificationsTest, PushWithoutTypeOnlyRefreshesCountsAndMessages) {
  signIn("7");
  app().setApplicationState(ApplicationState::Active);
  auto& refreshes = record(kGetMsgContentByNotification);
  receive({{"id", "5"}, {"aps", {{"alert", "新私信"}}}});
  settle();
  EXPECT_TRUE(panels().empty());
  EXPECT_TRUE(cards().empty());
  EXPECT_EQ(refreshes.size(), 1u);
  EXPECT_EQ(countRequests(), 2u);  // turning active, then the push
  EXPECT_EQ(app().applicationIconBadgeNumber(), 5);
}

TEST_F(PushNotificationsTest, PushOpenedFromTheNoticeShowsTheCardAtOnce) {
  ASSERT_EQ(app().applicationState(), ApplicationState::Inactive);
  receive({{"type", "4"}, {"aps", {{"alert", "活动"}}}});  // no id: the id last held
  EXPECT_TRUE(panels().empty());
  ASSERT_EQ(cards().size(), 1u);
  EXPECT_EQ(cards()[0]->pushType(), 4);
  EXPECT_EQ(cards()[0]->pushId(), "0");

  // In the background a push only waits.
  app().setApplicationState(ApplicationState::Background);
  receive({{"type", "1"}, {"id", "9"}});
  EXPECT_EQ(cards().size(), 1u);
  EXPECT_EQ(delegate().pushNewsId(), "9");
  EXPECT_EQ(delegate().pushType(), 1);
}

TEST_F(PushNotificationsTest, SoundFallsBackToVibration) {
  platform::services::SystemSound::shared().setInterfaceSoundsAvailable(false);
  receive({{"id", "1"}});
  EXPECT_EQ(platform::services::SystemSound::shared().played(), (std::vector<std::string>{"vibrate"}));
}

TEST_F(PushNotificationsTest, DeviceTokenIsStoredAsLowerCaseHex) {
  delegate().didRegisterForRemoteNotificationsWithDeviceToken(app(), std::string("\x0a\xff", 2));
  EXPECT_EQ(defaults().stringForKey(kDeviceNoKey), "0aff");
  EXPECT_EQ(PushService::shared().deviceToken(), (platform::Bytes{0x0a, 0xff}));
}

TEST_F(PushNotificationsTest, PendingPushOpensOnlyWhenAllowed) {
  delegate().setPushNewsId("80211");
  delegate().setShouldPopPush(true);
  delegate().getPushData();
  EXPECT_TRUE(cards().empty());
  delegate().setCanPopPush(true);
  delegate().getPushData();
  ASSERT_EQ(cards().size(), 1u);
  EXPECT_EQ(cards()[0]->pushId(), "80211");
  EXPECT_TRUE(delegate().shouldPopPush());
}

TEST_F(PushNotificationsTest, LifeEventsRefreshTheCounts) {
  signIn("7");
  auto& refreshes = record(kGetMsgContentByNotification);
  app().setApplicationState(ApplicationState::Background);  // inactive -> background
  settle();
  EXPECT_EQ(countRequests(), 1u);
  EXPECT_EQ(app().runningBackgroundTasks(), 1u);
  EXPECT_NE(delegate().bgTask(), platform::kInvalidBackgroundTask);

  app().expireBackgroundTasks();
  runFor(0.1);
  EXPECT_EQ(app().runningBackgroundTasks(), 0u);
  EXPECT_EQ(delegate().bgTask(), platform::kInvalidBackgroundTask);

  app().setApplicationState(ApplicationState::Active);  // foreground, then active
  settle();
  EXPECT_EQ(countRequests(), 3u);
  EXPECT_EQ(refreshes.size(), 1u);
}

TEST_F(PushNotificationsTest, OrientationsFollowTheRotationFlag) {
  EXPECT_EQ(delegate().supportedInterfaceOrientationsForWindow(app()), 2u);
  delegate().setShouldAutorate(true);
  EXPECT_EQ(delegate().supportedInterfaceOrientationsForWindow(app()), 26u);
  EXPECT_FALSE(delegate().shouldAutorotate());
}

}  // namespace
}  // namespace vorn
