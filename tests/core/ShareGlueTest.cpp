#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/RecognizerFactory.h"
#include "core/ShareKeys.h"
#include "net/PortalTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/ServicesReset.h"
#include "platform/services/SpeechRecognizer.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/Application.h"
#include "platform/ui/Image.h"

namespace vorn {
namespace {

namespace services = platform::services;

class ShareGlueTest : public test::PortalTest {
 protected:
  void SetUp() override {
    PortalTest::SetUp();
    platform::Application::sharedApplication().reset();
    services::resetAllServices();
    services::WeChatShare::shared().registerApp(kWeChatAppId);
  }
  void TearDown() override {
    services::resetAllServices();
    platform::Application::sharedApplication().reset();
    PortalTest::TearDown();
  }
  static std::string iconBytes() {
    const std::string png = platform::Image::imageNamed(kShareFallbackThumbnail)->pngData();
    return png;
  }
  static std::string asText(const platform::Bytes& bytes) { return {bytes.begin(), bytes.end()}; }
};

TEST_F(ShareGlueTest, WebPageGoesToWeChatWithItsThumbnailOrTheIcon) {
  struct Case {
    const char* name;
    bool installed;
    bool withPicture;
    std::vector<std::string> ext;
    std::size_t sent;
    bool storeOpened;
  } cases[] = {
      {"picture", true, true, {"http://example.com/event"}, 1, false},
      {"no picture", true, false, {"http://example.com/event"}, 1, false},
      {"empty list", true, true, {}, 0, false},
      {"WeChat missing", false, false, {"http://example.com/event"}, 2, true},  // refused, then tried again
      {"WeChat missing, empty list", false, false, {}, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    services::WeChatShare::shared().reset();
    services::WeChatShare::shared().registerApp(kWeChatAppId);
    services::WeChatShare::shared().setInstalled(c.installed);
    platform::Application::sharedApplication().reset();
    std::shared_ptr<const platform::Image> picture;
    if (c.withPicture) picture = platform::Image::create(300, 200);

    AppDelegate::sendAppContentWithTitle("冬季车展", "点击查看活动详情", picture, c.ext, services::kWeChatSceneTimeline);

    const auto sent = services::WeChatShare::shared().sent();
    ASSERT_EQ(sent.size(), c.sent);
    const auto& opened = platform::Application::sharedApplication().openedURLs();
    EXPECT_EQ(opened.size(), c.storeOpened ? 1u : 0u);
    if (c.storeOpened) {
      EXPECT_EQ(opened[0].url, services::kWeChatInstallUrl);
    }
    if (sent.empty()) continue;
    const auto& request = sent[0].request;
    EXPECT_FALSE(request.textOnly);
    EXPECT_EQ(request.scene, services::kWeChatSceneTimeline);
    EXPECT_EQ(request.message.title, "冬季车展");
    EXPECT_EQ(request.message.description, "点击查看活动详情");
    EXPECT_EQ(request.message.webPageUrl, "http://example.com/event");
    if (c.withPicture) {
      auto thumb = platform::Image::imageWithData(asText(request.message.thumbnail));
      ASSERT_TRUE(thumb);
      EXPECT_EQ(thumb->pixelWidth(), 120);
      EXPECT_EQ(thumb->pixelHeight(), 120);
    } else {
      EXPECT_EQ(asText(request.message.thumbnail), iconBytes());
    }
  }
}

TEST_F(ShareGlueTest, RefusedSendIsTriedOnceMoreWithTheIcon) {
  services::WeChatShare::shared().setRefusingRequests(true);
  AppDelegate::sendAppContentWithTitle("t", "d", platform::Image::create(300, 200), {"http://example.com/a"}, 0);
  const auto sent = services::WeChatShare::shared().sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_NE(asText(sent[0].request.message.thumbnail), iconBytes());
  EXPECT_EQ(asText(sent[1].request.message.thumbnail), iconBytes());
  EXPECT_EQ(sent[1].request.message.webPageUrl, "http://example.com/a");
}

TEST_F(ShareGlueTest, WeiboShareAnswerShowsItsOutcomeOnce) {
  struct Case {
    int status;
    const char* notice;
  } cases[] = {{services::kWeiboStatusSuccess, kShareSucceededText},
               {services::kWeiboStatusUserCancel, kShareFailedText},
               {services::kWeiboStatusSentFail, kShareFailedText},
               {42, kShareFailedText}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    notices_.clear();
    services::WeiboResponse response;
    response.kind = services::WeiboResponse::Kind::SendMessage;
    response.statusCode = c.status;
    delegate().didReceiveWeiboResponse(response);
    delegate().didReceiveWeiboResponse(response);  // while the first notice shows: dropped
    EXPECT_EQ(notices_, std::vector<std::string>{c.notice});
    runFor(kNoticeSeconds + 0.1);
  }
}

TEST_F(ShareGlueTest, OnlyACompleteWeiboAuthorisationIsStoredAndAnnounced) {
  int announced = 0;
  platform::NotificationCenter::defaultCenter().addObserver(
      this, kSinaLogIn, [&](const platform::Notification&) { ++announced; });
  auto& defaults = platform::UserDefaults::standardUserDefaults();

  struct Case {
    const char* token;
    std::optional<double> expiry;
    const char* uid;
  } incomplete[] = {{"tok", 1.9e9, ""}, {"", 1.9e9, "1001"}, {"tok", std::nullopt, "1001"}};
  for (const Case& c : incomplete) {
    services::WeiboResponse response;
    response.accessToken = c.token;
    response.expirationDate = c.expiry;
    response.userId = c.uid;
    delegate().didReceiveWeiboResponse(response);
  }
  EXPECT_TRUE(defaults.objectForKey(kSinaWeiboAuthData).is_null());
  EXPECT_EQ(announced, 0);

  services::WeiboResponse granted;
  granted.accessToken = "2.00abc";
  granted.expirationDate = 1.9e9;
  granted.userId = "1001";
  delegate().didReceiveWeiboResponse(granted);
  const platform::Value stored = defaults.objectForKey(kSinaWeiboAuthData);
  EXPECT_EQ(platform::textOf(stored, kSinaAccessTokenKey), "2.00abc");
  EXPECT_EQ(platform::textOf(stored, kSinaUserIDKey), "1001");
  EXPECT_DOUBLE_EQ(platform::doubleValueOf(stored, kSinaExpirationDateKey), 1.9e9);
  EXPECT_EQ(announced, 1);
  EXPECT_TRUE(notices_.empty());  // an authorisation shows nothing
}

TEST_F(ShareGlueTest, RecognizerCarriesTheServiceIdAndTheFixedSettingsInOrder) {
  auto recognizer = RecognizerFactory::CreateRecognizer({}, kSpeechDomainDictation);
  EXPECT_EQ(recognizer->initString(), "appid=c4d2098f,timeout=20000");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"domain", "iat"},         {"sample_rate", "16000"}, {"plain_result", "0"}, {"asr_audio_path", "asr.pcm"},
      {"asr_ptt", "0"},          {"vad_bos", "5000"},      {"vad_eos", "1000"},
  };
  EXPECT_EQ(recognizer->parameters(), expected);
}

}  // namespace
}  // namespace vorn
