#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/ParentViewController.h"
#include "core/ShareKeys.h"
#include "core/UserData.h"
#include "dealers/SmsPriceViewController.h"
#include "net/PortalTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/Pasteboard.h"
#include "platform/services/PushService.h"
#include "platform/services/ServicesReset.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/SystemNotice.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Window.h"
#include "ui/WebViewController.h"

namespace vorn {
namespace {

namespace services = platform::services;
using platform::TestDriver;

struct LoginScreen : UserLoginViewDelegate {
  int succeeded = 0;
  void loginViewSucBack() override { ++succeeded; }
};

class WebViewControllerTest : public test::PortalTest {
 protected:
  void SetUp() override {
    PortalTest::SetUp();
    platform::Application::sharedApplication().reset();
    services::resetAllServices();
    platform::resetSystemNotices();
    platform::setSystemNoticeListener([this](const platform::SystemNotice& n) {
      if (n.kind == platform::kNoticeKindHud) huds_.push_back(n.title);
    });
    services::WeChatShare::shared().registerApp(kWeChatAppId);
    services::WeiboConnect::shared().registerApp(kWeiboAppKey);

    window_ = platform::Window::create({0, 0, 320, 568});
    delegate().setWindow(window_);
    container_ = std::make_shared<ParentViewController>();
    home_ = std::make_shared<platform::ViewController>();
    container_->addChildViewController(home_);
    container_->view()->addSubview(home_->view());
    window_->setRootViewController(container_);
    window_->makeKeyAndVisible();
  }
  void TearDown() override {
    platform::setSystemNoticeListener({});
    platform::resetSystemNotices();
    container_.reset();
    window_.reset();
    services::resetAllServices();
    platform::Application::sharedApplication().reset();
    PortalTest::TearDown();
  }

  // Opens the page on the container and waits until it has finished or failed.
  std::shared_ptr<WebViewController> open(const std::string& path, int entryType = 0,
                                          std::shared_ptr<UserLoginViewDelegate> login = nullptr,
                                          const std::string& base = {}) {
    auto page = std::make_shared<WebViewController>();
    page->setTitleName("沃恩春季试驾会");
    page->setURL((base.empty() ? portal().baseUrl() : base) + path);
    page->setEntryTpye(entryType);
    if (entryType == 1) {
      platform::Value share = platform::dictionary();
      share[kEventTitleKey] = "沃恩春季试驾会";
      share[kEventLinkKey] = portal().baseUrl() + "/event/spring-drive.html";
      share[kEventSmallImgKey] = portal().baseUrl() + "/pic/200x200/spring-drive-small.jpg";
      page->setEventShareInfo(share);
    }
    if (login) page->setDelegate(login);
    container_->pushChildViewController(page);
    settle(page);
    return page;
  }
  void settle(const std::shared_ptr<WebViewController>& page) {
    runFor(0.5);
    EXPECT_TRUE(runUntil([&] { return page->webview() && !page->webview()->isLoading(); }));
    runFor(0.5);
  }
  bool isOnTop(const std::shared_ptr<platform::ViewController>& screen) const {
    return !container_->childViewControllers().empty() && container_->childViewControllers().back() == screen;
  }

  std::shared_ptr<platform::Window> window_;
  std::shared_ptr<ParentViewController> container_;
  std::shared_ptr<platform::ViewController> home_;
  std::vector<std::string> huds_;
};

TEST_F(WebViewControllerTest, QQLoginAnswerCountsAsSuccessOnlyWithStatusOne) {
  struct Case {
    const char* link;
    bool stored;
    const char* notice;  // "" for none
  } cases[] = {
      {"授权并登录", true, kWebLoginSucceededText},
      {"用未绑定的QQ帐号登录", false, "该QQ帐号尚未绑定沃恩帐号"},
      {"用审核中的QQ帐号登录", false, "帐号审核中，请稍后再试"},  // "2" is a refusal too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    platform::UserDefaults::standardUserDefaults().removeObject(kUserLoginInfo);
    services::PushService::shared().reset();
    portal().clearLog();
    huds_.clear();
    auto login = std::make_shared<LoginScreen>();
    int refreshes = 0;
    platform::NotificationCenter::defaultCenter().addObserver(
        this, kRefreshICIcon, [&](const platform::Notification&) { ++refreshes; });

    auto page = open("/app/5/qq_login.php", 0, login);
    ASSERT_TRUE(page->webview()->followLink(c.link));
    settle(page);
    runFor(1.0);

    const platform::Value record = platform::UserDefaults::standardUserDefaults().objectForKey(kUserLoginInfo);
    EXPECT_EQ(!record.is_null(), c.stored);
    EXPECT_EQ(login->succeeded, c.stored ? 1 : 0);
    EXPECT_EQ(huds_, std::vector<std::string>{c.notice});
    EXPECT_EQ(refreshes, c.stored ? 1 : 0);
    EXPECT_TRUE(isOnTop(home_)) << "the screen closes in every case";
    const auto reports = portal().requestsTo(kPushStatusPath);
    if (c.stored) {
      EXPECT_EQ(platform::textOf(record, "uid"), "20481");
      EXPECT_EQ(platform::textOf(record, "msg"), "登录成功");  // stored whole
      EXPECT_EQ(services::PushService::shared().alias(), std::optional<std::string>("20481"));
      ASSERT_EQ(reports.size(), 1u);
      EXPECT_EQ(reports[0].param("type"), "1");
      EXPECT_EQ(reports[0].param("uid"), "20481");
    } else {
      EXPECT_TRUE(reports.empty());
    }
    platform::NotificationCenter::defaultCenter().removeObserver(this);
    runFor(2.0);
  }
}

TEST_F(WebViewControllerTest, LoginLikeAddressOnAnOrdinaryPageOrAnotherHostStoresNothing) {
  // An ordinary page whose address carries the login marks: shown as a page.
  auto page = open("/app/5/qq_callback.php?callback_app=vorn&openid=QQ-OPENID-7F3A");
  EXPECT_TRUE(platform::UserDefaults::standardUserDefaults().objectForKey(kUserLoginInfo).is_null());
  EXPECT_TRUE(isOnTop(page));
  EXPECT_FALSE(page->webview()->isHidden());
  EXPECT_TRUE(page->webview()->evaluatedScripts().empty());

  // A web login whose answer page comes from a host that is not the portal's.
  auto login = std::make_shared<LoginScreen>();
  const std::string elsewhere = "http://localhost:" + std::to_string(portal().port());
  auto foreign = open("/app/5/qq_callback.php?callback_app=vorn&openid=QQ-OPENID-7F3A", 0, login, elsewhere);
  EXPECT_TRUE(platform::UserDefaults::standardUserDefaults().objectForKey(kUserLoginInfo).is_null());
  EXPECT_EQ(login->succeeded, 0);
  EXPECT_TRUE(isOnTop(foreign));
  EXPECT_TRUE(huds_.empty());
}

TEST_F(WebViewControllerTest, WebLoginPageThatIsNotAnAnswerClosesQuietly) {
  auto login = std::make_shared<LoginScreen>();
  auto page = open("/app/5/qq_login.php", 0, login);
  ASSERT_TRUE(page->webview()->followLink("用已过期的授权登录"));
  settle(page);
  runFor(1.0);
  EXPECT_TRUE(platform::UserDefaults::standardUserDefaults().objectForKey(kUserLoginInfo).is_null());
  EXPECT_TRUE(huds_.empty());
  EXPECT_TRUE(isOnTop(home_));
}

TEST_F(WebViewControllerTest, LinksAreInterceptedByScheme) {
  struct Case {
    std::string url;
    bool loads;
    const char* series;  // an inquiry opened for this series id, or null
    const char* name;
    bool opensOutside;
  } cases[] = {
      {"http://h/ask.php?type=askPrice&seriesId=12&seriesName=%E5%B8%95%E8%90%A8%E7%89%B9", false, "12", "帕萨特", false},
      {"https://h/ask.php?type=askPrice&seriesId=12", true, nullptr, nullptr, false},
      {"http://h/ask.php?type=askPrice&seriesId=7", false, "7", "", false},
      {"http://h/ask.php?type=askPrice", false, "", "", false},
      {"http://h/ask.php", true, nullptr, nullptr, false},  // no marker: the page loads
      {"http://h/app.php?type=appSTORE&x=type=askPrice", false, "", "", false},
      {"http://h/app.php?type=appSTORE", false, nullptr, nullptr, true},
      {"http://h/app.php?type=androidSTORE", false, nullptr, nullptr, true},
      {"http://h/news.html", true, nullptr, nullptr, false},
      {"tel:10086", true, nullptr, nullptr, false},
  };
  auto page = open("/event/spring-drive.html", 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    platform::Application::sharedApplication().reset();
    const std::size_t before = container_->childViewControllers().size();
    const bool loads = page->shouldStartLoadWithRequest(*page->webview(), platform::UrlRequest::requestWithURL(c.url),
                                                        platform::WebViewNavigationType::LinkClicked);
    EXPECT_EQ(loads, c.loads);
    runFor(0.6);
    if (c.series) {
      ASSERT_EQ(container_->childViewControllers().size(), before + 1);
      auto inquiry = std::dynamic_pointer_cast<SmsPriceViewController>(container_->childViewControllers().back());
      ASSERT_TRUE(inquiry);
      EXPECT_EQ(inquiry->seriesID(), c.series);
      EXPECT_EQ(inquiry->seriesNam(), c.name);
      EXPECT_EQ(inquiry->carName(), c.name);
      EXPECT_EQ(inquiry->carID(), "0");
      EXPECT_EQ(inquiry->isTitleReplacement(), 0);
      container_->popChildViewController();
      runFor(0.6);
    } else {
      EXPECT_EQ(container_->childViewControllers().size(), before);
    }
    EXPECT_EQ(platform::Application::sharedApplication().openedURLs().size(), c.opensOutside ? 1u : 0u);
  }
}

TEST_F(WebViewControllerTest, AnEdgeSwipeOverThePageLeavesItAndItsLinksStillTakeATap) {
  auto page = open("/event/spring-drive.html");
  ASSERT_TRUE(page->webview()->hasLoadedPage());
  EXPECT_TRUE(page->webview()->followLink("活动细则"));
  settle(page);
  EXPECT_EQ(page->webview()->request().url, portal().baseUrl() + "/event/spring-drive-rules.html");
  ASSERT_TRUE(isOnTop(page));
  TestDriver::edgeSwipe();
  runFor(0.6);
  EXPECT_TRUE(isOnTop(home_));
  EXPECT_EQ(page->parentViewController(), nullptr);
}

TEST_F(WebViewControllerTest, FailedLoadWarnsAndRefreshGoesBackToTheOpeningAddress) {
  portal::RouteOverride dropped;
  dropped.closeConnection = true;
  portal().overrideRoute("/event/spring-drive.html", dropped);
  auto page = open("/event/spring-drive.html", 1);
  EXPECT_TRUE(page->isSignal());
  EXPECT_EQ(huds_, std::vector<std::string>{kWebLoadFailedText});
  EXPECT_FALSE(page->shareButton()->isEnabled());
  EXPECT_FALSE(page->webview()->isHidden());
  EXPECT_FALSE(page->loadingView()->isAnimating());

  portal().clearOverrides();
  portal().clearLog();
  page->dowebRefresh();
  settle(page);
  EXPECT_FALSE(page->isSignal());
  EXPECT_TRUE(page->shareButton()->isEnabled());
  EXPECT_EQ(portal().requestsTo("/event/spring-drive.html").size(), 1u);

  // Refresh of a page shown well reloads the page on screen, not the opening one.
  ASSERT_TRUE(page->webview()->followLink("活动细则"));
  settle(page);
  EXPECT_TRUE(page->webBackButton()->isEnabled());
  portal().clearLog();
  page->dowebRefresh();
  settle(page);
  EXPECT_EQ(portal().requestsTo("/event/spring-drive-rules.html").size(), 1u);
  EXPECT_TRUE(portal().requestsTo("/event/spring-drive.html").empty());
}

TEST_F(WebViewControllerTest, MoreMenuCopiesAndOpensTheOpeningAddress) {
  auto page = open("/event/spring-drive.html", 1);
  ASSERT_TRUE(page->webview()->followLink("活动细则"));
  settle(page);
  page->dowebMore();
  ASSERT_TRUE(platform::tapSystemNoticeButton(kCopyLinkTitle));
  runFor(0.5);
  EXPECT_EQ(services::Pasteboard::general().string(), page->URL());
  EXPECT_TRUE(huds_.empty());
  page->dowebMore();
  ASSERT_TRUE(platform::tapSystemNoticeButton(kOpenInSafariTitle));
  runFor(0.5);
  const auto& opened = platform::Application::sharedApplication().openedURLs();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].url, page->URL());
}

TEST_F(WebViewControllerTest, EventSharesGoOutWithTheEventsPictureAndLink) {
  auto page = open("/event/spring-drive.html", 1);
  ASSERT_FALSE(page->shareButton()->isHidden());

  TestDriver::tap(page->shareButton());
  runFor(ShareActionView::kAnimationSeconds + 0.05);  // the sheet takes touches once it is up
  TestDriver::tap(TestDriver::find("\"微信朋友圈\""));
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  ASSERT_TRUE(runUntil([] { return !services::WeChatShare::shared().sent().empty(); }));
  const auto sent = services::WeChatShare::shared().sent()[0].request;
  EXPECT_EQ(sent.scene, services::kWeChatSceneTimeline);
  EXPECT_EQ(sent.message.title, "沃恩春季试驾会");
  EXPECT_EQ(sent.message.description, kEventShareDescription);
  EXPECT_EQ(sent.message.webPageUrl, portal().baseUrl() + "/event/spring-drive.html");
  EXPECT_FALSE(sent.message.thumbnail.empty());

  // Weibo without an authorisation asks for one instead of sharing.
  TestDriver::tap(page->shareButton());
  runFor(ShareActionView::kAnimationSeconds + 0.05);  // the sheet takes touches once it is up
  TestDriver::tap(TestDriver::find("\"新浪微博\""));
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  EXPECT_TRUE(services::WeiboConnect::shared().isAuthorizationPending());
  EXPECT_TRUE(services::WeiboConnect::shared().sentMessages().empty());

  platform::Value auth = platform::dictionary();
  auth[kSinaAccessTokenKey] = "2.00abc";
  platform::UserDefaults::standardUserDefaults().setObject(kSinaWeiboAuthData, auth);
  TestDriver::tap(page->shareButton());
  runFor(ShareActionView::kAnimationSeconds + 0.05);  // the sheet takes touches once it is up
  TestDriver::tap(TestDriver::find("\"新浪微博\""));
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  ASSERT_TRUE(runUntil([] { return !services::WeiboConnect::shared().sentMessages().empty(); }));
  const auto message = services::WeiboConnect::shared().sentMessages()[0];
  EXPECT_EQ(message.text.rfind("沃恩春季试驾会 参与地址：" + portal().baseUrl() + "/event/spring-drive.html //分享自@沃恩汽车 iPhone客户端，下载地址：", 0), 0u);
  EXPECT_EQ(message.text.back(), ' ');
  ASSERT_TRUE(message.picture);
  EXPECT_FALSE(message.picture->empty());

  TestDriver::tap(page->shareButton());
  runFor(ShareActionView::kAnimationSeconds + 0.05);  // the sheet takes touches once it is up
  TestDriver::tap(TestDriver::find("\"复制链接网址\""));
  runFor(ShareActionView::kAnimationSeconds + 0.05);
  EXPECT_EQ(services::Pasteboard::general().string(), portal().baseUrl() + "/event/spring-drive.html");
  EXPECT_EQ(huds_, std::vector<std::string>{kCopiedText});

  std::vector<std::string> events;
  for (const auto& e : services::UsageAnalytics::shared().events()) events.push_back(e.event);
  EXPECT_EQ(events, (std::vector<std::string>{"fenxiang", "weixinpengyouquan", "fenxiang", "xinlangweibo", "fenxiang",
                                              "xinlangweibo", "fenxiang", "fuzhilianjiedizhi"}));
}

TEST_F(WebViewControllerTest, PlainPageHasNoShareButtonAndFollowsTheTheme) {
  auto page = open("/event/spring-drive.html", 0);
  EXPECT_TRUE(page->shareButton()->isHidden());
  EXPECT_DOUBLE_EQ(page->titleLabel()->frame().width(), 240);
  EXPECT_EQ(page->titleLabel()->textColor().red255(), 250);
  EXPECT_DOUBLE_EQ(page->webBackButton()->alpha(), 1.0);

  AppDelegate::switchThemeMode(kThemeModeBlack);
  EXPECT_EQ(page->view()->backgroundColor().red255(), 36);
  EXPECT_EQ(page->titleLabel()->textColor().red255(), 209);
  EXPECT_DOUBLE_EQ(page->webBackButton()->alpha(), 0.5);
  EXPECT_EQ(page->loadingView()->activityIndicatorViewStyle(), platform::ActivityIndicatorViewStyle::White);

  auto event = open("/event/spring-drive.html", 1);
  EXPECT_DOUBLE_EQ(event->titleLabel()->frame().width(), 160);
  EXPECT_EQ(event->titleLabel()->textColor().red255(), 209);  // opened at night
}

}  // namespace
}  // namespace vorn
