#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/services/WeiboConnect.h"

using platform::RunLoop;
using namespace platform::services;

namespace {

class WeiboConnectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(kNow);
    WeiboConnect::shared().reset();
    WeiboConnect::shared().registerApp("3620451873");
    // The application's incoming-address entry: Weibo's addresses go back to Weibo.
    WeiboConnect::shared().setHandBack([this](const std::string& url, const std::string& source) {
      EXPECT_EQ(source, kWeiboSourceApplication);
      WeiboConnect::shared().handleOpenURL(url, [this](const WeiboResponse& r) { responses_.push_back(r); });
    });
  }
  void TearDown() override { WeiboConnect::shared().reset(); }

  static constexpr double kNow = 1'800'000'000.0;
  std::vector<WeiboResponse> responses_;
};

TEST_F(WeiboConnectTest, AnAuthorisationWaitsForItsAnswer) {
  auto& weibo = WeiboConnect::shared();
  ASSERT_TRUE(weibo.sendAuthorizeRequest("http://bbs.example.invalid/", "all", platform::Value()));
  EXPECT_TRUE(weibo.isAuthorizationPending());
  RunLoop::main().runFor(3.0);
  EXPECT_TRUE(responses_.empty());

  std::string url = weibo.answerAuthorization("2.00abc", "1234567890");
  EXPECT_EQ(url.rfind("wb3620451873://response?", 0), 0u);
  EXPECT_FALSE(weibo.isAuthorizationPending());
  EXPECT_TRUE(responses_.empty());  // the hand-back arrives on the main loop
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(responses_.size(), 1u);
  const auto& r = responses_[0];
  EXPECT_EQ(r.kind, WeiboResponse::Kind::Authorize);
  EXPECT_EQ(r.statusCode, kWeiboStatusSuccess);
  EXPECT_EQ(r.accessToken, "2.00abc");
  EXPECT_EQ(r.userId, "1234567890");
  ASSERT_TRUE(r.expirationDate.has_value());
  EXPECT_DOUBLE_EQ(*r.expirationDate, kNow + 3.0 + kWeiboTokenLifetimeSeconds);

  // Nothing pending any more: a second answer changes nothing.
  EXPECT_EQ(weibo.answerAuthorization("other", "1"), "");
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(responses_.size(), 1u);
}

TEST_F(WeiboConnectTest, ACancelledAuthorisationCarriesNoGrant) {
  auto& weibo = WeiboConnect::shared();
  EXPECT_EQ(weibo.cancelAuthorization(), "");  // nothing asked yet
  weibo.sendAuthorizeRequest("http://bbs.example.invalid/", "all");
  weibo.cancelAuthorization();
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(responses_.size(), 1u);
  EXPECT_EQ(responses_[0].statusCode, kWeiboStatusUserCancel);
  EXPECT_TRUE(responses_[0].accessToken.empty());
  EXPECT_TRUE(responses_[0].userId.empty());
  EXPECT_FALSE(responses_[0].expirationDate.has_value());
}

TEST_F(WeiboConnectTest, StatusPostsAreAnsweredWithTheShareCode) {
  auto& weibo = WeiboConnect::shared();
  ASSERT_TRUE(weibo.sendMessage({"沃恩汽车启动封面", platform::Bytes{0xff, 0xd8}}));
  weibo.setShareAnswerCode(kWeiboStatusSentFail);
  ASSERT_TRUE(weibo.sendMessage({"no picture", std::nullopt}));
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(responses_.size(), 2u);
  EXPECT_EQ(responses_[0].kind, WeiboResponse::Kind::SendMessage);
  EXPECT_EQ(responses_[0].statusCode, kWeiboStatusSuccess);
  EXPECT_EQ(responses_[1].statusCode, kWeiboStatusSentFail);
  auto sent = weibo.sentMessages();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].picture.value_or(platform::Bytes{}).size(), 2u);
  EXPECT_FALSE(sent[1].picture.has_value());
}

TEST_F(WeiboConnectTest, AnAddressIsHandledOnceAndOnlyForThisKey) {
  auto& weibo = WeiboConnect::shared();
  weibo.setHandBack(nullptr);
  weibo.sendAuthorizeRequest("http://bbs.example.invalid/", "all");
  std::string url = weibo.answerAuthorization("t", "u");
  int told = 0;
  auto count = [&](const WeiboResponse&) { ++told; };
  EXPECT_FALSE(weibo.handleOpenURL("wb999://response?id=1", count));
  EXPECT_FALSE(weibo.handleOpenURL("wb3620451873://response?id=77", count));
  EXPECT_FALSE(weibo.handleOpenURL("wb3620451873://response", count));
  EXPECT_TRUE(weibo.handleOpenURL(url, count));
  EXPECT_FALSE(weibo.handleOpenURL(url, count));
  EXPECT_EQ(told, 1);
}

TEST_F(WeiboConnectTest, NothingIsSentBeforeRegistration) {
  auto& weibo = WeiboConnect::shared();
  weibo.reset();
  EXPECT_FALSE(weibo.registerApp(""));
  EXPECT_FALSE(weibo.sendAuthorizeRequest("http://bbs.example.invalid/", "all"));
  EXPECT_FALSE(weibo.sendMessage({"text", std::nullopt}));
  EXPECT_FALSE(weibo.isAuthorizationPending());
}

TEST_F(WeiboConnectTest, RevocationAnswersOnTheMainLoop) {
  auto& weibo = WeiboConnect::shared();
  std::vector<std::optional<std::string>> answers;
  weibo.revokeToken("2.00abc", [&](std::optional<std::string> error) { answers.push_back(error); });
  weibo.setRevokeError(std::string("expired_token"));
  weibo.revokeToken("2.00abc", [&](std::optional<std::string> error) { answers.push_back(error); });
  EXPECT_TRUE(answers.empty());
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_FALSE(answers[0].has_value());
  EXPECT_EQ(answers[1].value_or(""), "expired_token");
  EXPECT_EQ(weibo.calls().last("revokeToken").arguments["accessToken"], "2.00abc");
}

}  // namespace
