#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cars/series/CarSeriesViewController.h"
#include "application/VornAppDelegate.h"
#include "core/NavigationFixture.h"
#include "core/ParentViewController.h"
#include "core/ShareKeys.h"
#include "dealers/CityChangViewController.h"
#include "forum/thread/PostContentViewController.h"
#include "home/RootViewController.h"
#include "net/PortalHosts.h"
#include "news/NewsContentViewController.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/services/ServicesReset.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/Application.h"

namespace vorn {
namespace {

using test::CountingScreen;
using test::NavigationTest;

class ScreenRoutingTest : public NavigationTest {
 protected:
  void SetUp() override {
    NavigationTest::SetUp();
    platform::services::resetAllServices();
  }
  // The home screen as the launch installs it.
  void installHomeScreen() {
    homeScreen = std::make_shared<CountingHomeScreen>();
    home = makeContainer(homeScreen);
    window->setRootViewController(home);
    delegate->setHomePageNavigationController(home);
    delegate->setViewController(homeScreen);
  }
  // Hands an address to the running application's delegate as the platform does
  // (without launching: the launch sequence is not under test), and lets any slide end.
  bool receive(const std::string& url, const std::string& source = {}) {
    const bool answer =
        delegate->openURL(platform::Application::sharedApplication(), url, source, platform::Value());
    runFor(0.5);
    return answer;
  }
  template <class T>
  std::shared_ptr<T> topOf(const std::shared_ptr<ParentViewController>& container) {
    return std::dynamic_pointer_cast<T>(container->childViewControllers().back());
  }
  static std::string mobileWeb(const std::string& path) { return PortalHosts::url(PortalHost::MobileWeb, path); }

  class CountingHomeScreen : public RootViewController {
   public:
    void getHotImageData() override { ++focusFetches; }
    int focusFetches = 0;
  };
  std::shared_ptr<CountingHomeScreen> homeScreen;
};

TEST_F(ScreenRoutingTest, PushesOntoTheFirstOpenModalContainerElseHome) {
  using Setter = void (ModalContainers::*)(const std::shared_ptr<ParentViewController>&);
  const std::vector<std::pair<const char*, Setter>> modals = {
      {"login", &ModalContainers::setLoginNavController},
      {"newPost", &ModalContainers::setPostNewPostNavController},
      {"newMessage", &ModalContainers::setPostNewMsgNavController},
      {"forumList", &ModalContainers::setForumListNavController},
      {"settings", &ModalContainers::setSettingsNavController},
      {"reply", &ModalContainers::setReplyPostNavController},
  };
  // Open them from the last to the first: each newly opened one is first in order.
  std::vector<std::shared_ptr<ParentViewController>> containers;
  for (auto it = modals.rbegin(); it != modals.rend(); ++it) {
    SCOPED_TRACE(it->first);
    auto container = makeContainer(std::make_shared<CountingScreen>(it->first));
    ((delegate->modalContainers()).*(it->second))(container);
    containers.push_back(container);
    auto screen = std::make_shared<CountingScreen>();
    delegate->pushController(screen);
    runFor(0.41);
    EXPECT_EQ(screen->parentViewController(), container);
    EXPECT_EQ(delegate->frontNavigationController(), container);
  }
  for (auto it = modals.begin(); it != modals.end(); ++it) ((delegate->modalContainers()).*(it->second))(nullptr);
  auto screen = std::make_shared<CountingScreen>();
  delegate->pushController(screen);
  runFor(0.41);
  EXPECT_EQ(screen->parentViewController(), home);
}

TEST_F(ScreenRoutingTest, RoutingAsksForTheKeyboardAndClosesAnOpenCityPicker) {
  auto picker = std::make_shared<CityChangViewController>();
  home->presentViewController(picker, false);
  runFor(0.1);
  delegate->modalContainers().setCityChangController(picker);
  ASSERT_EQ(home->presentedViewController(), picker);

  auto screen = std::make_shared<CountingScreen>();
  delegate->pushController(screen);
  EXPECT_EQ(keyboardRequests, 1);
  EXPECT_EQ(home->presentedViewController(), nullptr);
  EXPECT_EQ(delegate->modalContainers().cityChangController(), nullptr);
  runFor(0.41);
  EXPECT_EQ(home->currentChildIndex(), 1);
}

TEST_F(ScreenRoutingTest, AnArticleAddressLandsInAnOpenLoginContainer) {
  auto login = makeContainer(std::make_shared<CountingScreen>("Login"));
  home->presentViewController(login, false);
  delegate->modalContainers().setLoginNavController(login);
  delegate->modalContainers().setPostNewPostNavController(makeContainer(std::make_shared<CountingScreen>("Composer")));
  runFor(0.1);

  receive("vorn5://open?action=newsdetail&newsId=4711&newType=2&page=3");
  auto article = topOf<NewsContentViewController>(login);
  ASSERT_NE(article, nullptr);
  EXPECT_EQ(login->currentChildIndex(), 1);
  EXPECT_EQ(home->childViewControllers().size(), 1u);
  EXPECT_EQ(article->entryType(), 1);
  EXPECT_EQ(article->newsId(), "4711");
  EXPECT_EQ(article->newsType(), "2");
  EXPECT_EQ(article->m_currentPage(), 3);
  EXPECT_EQ(article->newsURL(), mobileWeb("/cms/interface/5.0/iPhone_news.php?type=ios&id=4711"));
}

TEST_F(ScreenRoutingTest, ArticleTypeAndPageFromTheQuery) {
  struct Case {
    const char* query;
    const char* type;
    int page;
  } cases[] = {
      {"newType=0&page=2", "0", 2}, {"newType=abc", "0", 0}, {"page=7", "0", 7}, {"newType=2", "2", 0},
      {"newType=3x&page=-1", "3x", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    receive(std::string("vorn5://open?action=newsdetail&newsId=9&") + c.query);
    auto article = topOf<NewsContentViewController>(home);
    ASSERT_NE(article, nullptr);
    EXPECT_EQ(article->newsType(), c.type);
    EXPECT_EQ(article->m_currentPage(), c.page);
    home->popChildViewController();
    runFor(0.5);
  }
}

TEST_F(ScreenRoutingTest, SeriesAndThreadAddresses) {
  delegate->carSection().setCurrentEntryBrandType(1);
  receive("vorn5://open?action=carseries&seriesId=66&seriesName=%E6%9C%97%E9%80%B8");
  auto series = topOf<CarSeriesViewController>(home);
  ASSERT_NE(series, nullptr);
  EXPECT_EQ(series->seriesID(), "66");
  EXPECT_EQ(series->seriesName(), "朗逸");
  EXPECT_EQ(delegate->carSection().currentEntryBrandType(), 0);

  receive("vorn5://open?action=carseries");
  series = topOf<CarSeriesViewController>(home);
  ASSERT_NE(series, nullptr);
  EXPECT_EQ(series->seriesID(), "");
  EXPECT_EQ(series->seriesName(), "");

  receive("vorn5://open?action=postdetail&postId=321&page=4");
  auto thread = topOf<PostContentViewController>(home);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(thread->post_Id(), "321");
  EXPECT_EQ(thread->current_page(), 4);
  EXPECT_EQ(thread->post_link(), mobileWeb("/bbs/bbs_iphone_5.php?tid=321"));
}

TEST_F(ScreenRoutingTest, QueriesAreReadAsNameValuePairs) {
  // A value that merely contains another key, a name that merely contains one,
  // or an action word inside another value, set nothing.
  receive("vorn5://open?action=postdetail&postId=5&ref=page=9&mypage=8");
  auto thread = topOf<PostContentViewController>(home);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(thread->post_Id(), "5");
  EXPECT_EQ(thread->current_page(), 0);

  receive("vorn5://open?from=action=newsdetail&subaction=carseries");
  EXPECT_EQ(home->childViewControllers().size(), 2u);

  // An escaped "&" or "=" stays inside its value; the id is escaped again in the page address.
  receive("vorn5://open?action=postdetail&postId=5%26page%3D9");
  thread = topOf<PostContentViewController>(home);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(thread->post_Id(), "5&page=9");
  EXPECT_EQ(thread->current_page(), 0);
  EXPECT_EQ(thread->post_link(), mobileWeb("/bbs/bbs_iphone_5.php?tid=5%26page%3D9"));
}

TEST_F(ScreenRoutingTest, AddressesThatAreNotRouted) {
  for (const char* url : {
           "vorn5://open",                                           // no query
           "vorn5://open?action=newsdetail&newsId=1?x=2",            // two question marks
           "VORN5://open?action=newsdetail&newsId=1",                // the word in capitals
           "other://open?action=newsdetail&newsId=1",                // without the word
           "vorn5://open?action=newsdetail&newsId=%E5%8C",           // escapes that are not UTF-8
           "vorn5://open?action=newsdetail&newsId=%ZZ",
       }) {
    SCOPED_TRACE(url);
    EXPECT_FALSE(receive(url));
    EXPECT_EQ(home->childViewControllers().size(), 1u);
  }
}

TEST_F(ScreenRoutingTest, TheMainAddressRebuildsTheHomeContainerAroundTheSameHomeScreen) {
  installHomeScreen();
  auto launchPicture = platform::View::create({0, 0, 320, 568});
  window->addSubview(launchPicture);
  delegate->setLaunchImgView(launchPicture);
  auto guide = platform::View::create({0, 0, 320, 568});
  window->addSubview(guide);
  delegate->setNewFeaturesImgView(guide);
  homeScreen->setExpand(true);
  pushAndSettle(home, std::make_shared<CountingScreen>());
  const auto old = home;

  receive("vorn5://open?action=main");
  auto rebuilt = delegate->homePageNavigationController();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_NE(rebuilt, old);
  EXPECT_EQ(window->rootViewController(), rebuilt);
  EXPECT_EQ(rebuilt->childViewControllers(),
            (std::vector<std::shared_ptr<platform::ViewController>>{homeScreen}));
  EXPECT_EQ(homeScreen->view()->superview(), rebuilt->view());
  EXPECT_EQ(rebuilt->getCurrentMarginValue(), 0);
  EXPECT_FALSE(homeScreen->expand());
  EXPECT_EQ(launchPicture->superview(), nullptr);
  EXPECT_EQ(guide->superview(), nullptr);  // system 8
  EXPECT_EQ(homeScreen->focusFetches, 0);  // not on the first rebuild of a process
  EXPECT_TRUE(delegate->whetherThePageRefreshForTheFirstTime());

  receive("vorn5://open?action=main");
  EXPECT_EQ(homeScreen->focusFetches, 1);
  EXPECT_EQ(delegate->homePageNavigationController()->childViewControllers().size(), 1u);
}

TEST_F(ScreenRoutingTest, AnArticleAndMainInOneQueryOpenTheArticleThenReplaceTheContainer) {
  installHomeScreen();
  const auto old = home;
  receive("vorn5://open?action=newsdetail&newsId=1&action=main");
  EXPECT_NE(delegate->homePageNavigationController(), old);
  EXPECT_NE(topOf<NewsContentViewController>(old), nullptr);
}

TEST_F(ScreenRoutingTest, AddressesGoToWeChatOrWeiboBySourceApplication) {
  auto& wechat = platform::services::WeChatShare::shared();
  auto& weibo = platform::services::WeiboConnect::shared();
  wechat.registerApp("wx3b8f1d90c5e2a647");
  const std::size_t wechatBefore = wechat.calls().count("handleOpenURL");

  // Routed and handed over.
  EXPECT_FALSE(receive("vorn5://open?action=postdetail&postId=1", "com.tencent.xin"));
  EXPECT_EQ(wechat.calls().count("handleOpenURL"), wechatBefore + 1);
  EXPECT_NE(topOf<PostContentViewController>(home), nullptr);

  EXPECT_TRUE(receive("wx3b8f1d90c5e2a647://response?errCode=0", "com.tencent.xin"));
  EXPECT_FALSE(receive("wx3b8f1d90c5e2a647://response?errCode=0", "com.example.other"));
  EXPECT_EQ(wechat.calls().count("handleOpenURL"), wechatBefore + 2);

  weibo.registerApp("3620451873");
  ASSERT_TRUE(weibo.sendAuthorizeRequest("https://example.invalid/", "all"));
  const std::string handBack = weibo.answerAuthorization("token", "42");
  int signIns = 0;
  platform::NotificationCenter::defaultCenter().addObserver(this, kSinaLogIn,
                                                            [&](const platform::Notification&) { ++signIns; });
  EXPECT_TRUE(receive(handBack, "com.sina.weibo"));
  EXPECT_EQ(signIns, 1);  // the authorisation reached the delegate's Weibo answers
}

}  // namespace
}  // namespace vorn
