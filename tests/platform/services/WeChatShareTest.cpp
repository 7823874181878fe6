#include <gtest/gtest.h>

#include "platform/services/WeChatShare.h"

using namespace platform::services;

namespace {

class WeChatShareTest : public ::testing::Test {
 protected:
  void SetUp() override { WeChatShare::shared().reset(); }
  void TearDown() override { WeChatShare::shared().reset(); }

  static WeChatSendRequest webPage(platform::Bytes thumbnail, int scene = kWeChatSceneSession) {
    WeChatSendRequest r;
    r.message.title = "沃恩汽车";
    r.message.description = "新车上市";
    r.message.thumbnail = std::move(thumbnail);
    r.message.webPageUrl = "http://m.example.invalid/news/1.html";
    r.scene = scene;
    return r;
  }
  static constexpr char kAppId[] = "wx3b8f1d90c5e2a647";
};

TEST_F(WeChatShareTest, AcceptanceFollowsWeChatsLimits) {
  struct Case {
    const char* name;
    bool registered;
    bool installed;
    WeChatSendRequest request;
    bool accepted;
  };
  auto picture = [] {
    WeChatSendRequest r;
    r.message.title = "图";
    r.message.picture = platform::Bytes(1000, 1);
    r.scene = kWeChatSceneTimeline;
    return r;
  };
  auto longTitle = webPage({});
  longTitle.message.title = std::string(kWeChatMaxTitleBytes + 1, 'a');
  auto noContent = picture();
  noContent.message.picture.clear();
  const Case cases[] = {
      {"web page to a chat", true, true, webPage(platform::Bytes(100)), true},
      {"web page to moments", true, true, webPage({}, kWeChatSceneTimeline), true},
      {"picture message", true, true, picture(), true},
      {"thumbnail at the limit", true, true, webPage(platform::Bytes(kWeChatMaxThumbnailBytes)), true},
      {"thumbnail over the limit", true, true, webPage(platform::Bytes(kWeChatMaxThumbnailBytes + 1)), false},
      {"unknown scene", true, true, webPage({}, 2), false},
      {"title too long", true, true, longTitle, false},
      {"no content", true, true, noContent, false},
      {"not registered", false, true, webPage({}), false},
      {"not installed", true, false, webPage({}), false},
  };
  for (const auto& c : cases) {
    WeChatShare::shared().reset();
    if (c.registered) WeChatShare::shared().registerApp(kAppId);
    WeChatShare::shared().setInstalled(c.installed);
    EXPECT_EQ(WeChatShare::shared().sendRequest(c.request), c.accepted) << c.name;
    auto sent = WeChatShare::shared().sent();
    ASSERT_EQ(sent.size(), 1u) << c.name;
    EXPECT_EQ(sent[0].accepted, c.accepted) << c.name;
    EXPECT_EQ(sent[0].refusal.empty(), c.accepted) << c.name;
  }
}

TEST_F(WeChatShareTest, ARefusedSendCanBeRetriedWithASmallerThumbnail) {
  auto& wechat = WeChatShare::shared();
  ASSERT_TRUE(wechat.registerApp(kAppId));
  EXPECT_FALSE(wechat.sendRequest(webPage(platform::Bytes(40 * 1024))));
  EXPECT_TRUE(wechat.sendRequest(webPage(platform::Bytes(3 * 1024))));
  auto sent = wechat.sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].request.message.webPageUrl, "http://m.example.invalid/news/1.html");
  EXPECT_EQ(wechat.calls().count("sendRequest"), 2u);
}

TEST_F(WeChatShareTest, NotInstalledOffersTheStoreAddressAndRefusals) {
  auto& wechat = WeChatShare::shared();
  wechat.registerApp(kAppId);
  EXPECT_TRUE(wechat.isInstalled());
  wechat.setInstalled(false);
  EXPECT_FALSE(wechat.isInstalled());
  EXPECT_EQ(wechat.installUrl().rfind("https://", 0), 0u);
  wechat.setInstalled(true);
  wechat.setRefusingRequests(true);
  EXPECT_FALSE(wechat.sendRequest(webPage({})));
}

TEST_F(WeChatShareTest, HandBackIsReadOnlyForThisApplication) {
  auto& wechat = WeChatShare::shared();
  int told = 0;
  WeChatResponse last;
  auto onResponse = [&](const WeChatResponse& r) {
    ++told;
    last = r;
  };
  EXPECT_EQ(wechat.handBackUrl(), "");  // nothing to hand back before registration
  EXPECT_FALSE(wechat.handleOpenURL("wx3b8f1d90c5e2a647://response?errCode=0", onResponse));
  wechat.registerApp(kAppId);
  EXPECT_TRUE(wechat.handleOpenURL(wechat.handBackUrl(kWeChatErrorUserCancel), onResponse));
  EXPECT_EQ(told, 1);
  EXPECT_EQ(last.errorCode, kWeChatErrorUserCancel);
  // Schemes are compared without regard to case, as the platform routes them.
  EXPECT_TRUE(wechat.handleOpenURL("WX3B8F1D90C5E2A647://response?errCode=-3", onResponse));
  EXPECT_EQ(last.errorCode, kWeChatErrorSentFail);
  EXPECT_FALSE(wechat.handleOpenURL("wb3620451873://response?id=1", onResponse));
  EXPECT_FALSE(wechat.handleOpenURL("not an address", onResponse));
  EXPECT_FALSE(wechat.handleOpenURL("", onResponse));
  EXPECT_EQ(told, 2);
}

}  // namespace
