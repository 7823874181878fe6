#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/LaunchKeys.h"
#include "core/ParentViewController.h"
#include "core/PhoneData.h"
#include "core/StartupPrompts.h"
#include "core/ShareKeys.h"
#include "core/StartupKeys.h"
#include "dealers/NewCityChangToolView.h"
#include "forum/compose/SendPostQueue.h"
#include "home/NewFeaturesView.h"
#include "home/RootViewController.h"
#include "ui/PyxoPhoto.h"
#include "ui/PyxoPhotoBrowser.h"
#include "net/PortalTest.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/net/RequestLog.h"
#include "platform/services/LocationManager.h"
#include "platform/services/PushService.h"
#include "platform/services/ServicesReset.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/Application.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/Button.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/SystemNotice.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

namespace services = platform::services;

portal::RouteOverride answer(const std::string& body) {
  portal::RouteOverride o;
  o.body = body;
  return o;
}

class LaunchSequenceTest : public test::PortalTest {
 protected:
  void SetUp() override {
    PortalTest::SetUp();
    platform::Application::sharedApplication().reset();
    services::resetAllServices();
    platform::net::setRequestLogger([this](const platform::net::SentRequest& r) { sent_.push_back(r.url); });
  }
  void TearDown() override {
    PhoneData::closeData();
    platform::net::setRequestLogger({});
    services::resetAllServices();
    platform::Application::sharedApplication().reset();
    PortalTest::TearDown();
  }

  // A returning user: a city chosen, this version's guide already seen.
  static void returningUser() {
    auto& defaults = platform::UserDefaults::standardUserDefaults();
    defaults.setString(kCityChosenFlag, "1");
    defaults.setString(std::string("feature") + AppDelegate::getCurrentVersion(), kFeatureDone);
  }
  void launch(const platform::Value& options = platform::Value()) {
    auto& app = platform::Application::sharedApplication();
    app.setDelegate(VornAppDelegate::shared());
    ASSERT_TRUE(app.launch(options));
  }
  std::string advertUrl() const { return const_cast<LaunchSequenceTest*>(this)->portal().baseUrl() + "/pic/640x916/launch-advert.jpg"; }
  std::string buttonUrl() const {
    return const_cast<LaunchSequenceTest*>(this)->portal().baseUrl() + "/pic/120x120/launch-advert-button.png";
  }
  // Runs the clock in small steps until the moment `t` seconds after the launch.
  void runTo(double t) {
    while (now() < start_ + t - 1e-9) runFor(std::min(0.05, start_ + t - now()));
  }
  bool launchPictureOnScreen() const {
    auto picture = delegate().launchPicture();
    return picture && picture->superview() && !picture->isHidden();
  }

  std::vector<std::string> sent_;
  double start_ = test::kTestStartEpochSeconds;
};

TEST_F(LaunchSequenceTest, FiveStartupRequestsGoOutInOrderAndTheWindowHoldsTheHomeContainer) {
  returningUser();
  launch();
  runFor(0.1);
  const std::vector<std::string> paths = {kNewsAdvertPath, "/auto/index.php", kForumListMd5Path, kLatestVersionPath,
                                          kLaunchAdvertPath};
  std::vector<std::string> startup;
  for (const auto& url : sent_)
    for (const auto& path : paths)
      if (url.find(path) != std::string::npos && startup.size() < paths.size()) startup.push_back(path);
  EXPECT_EQ(startup, paths);
  EXPECT_NE(sent_.at(4).find("type=1"), std::string::npos);

  auto& app = delegate();
  ASSERT_TRUE(app.window());
  EXPECT_TRUE(app.window()->isKeyWindow());
  EXPECT_EQ(app.window()->rootViewController(), app.homePageNavigationController());
  ASSERT_EQ(app.homePageNavigationController()->childViewControllers().size(), 1u);
  EXPECT_EQ(app.homePageNavigationController()->childViewControllers()[0], app.viewController());
  EXPECT_EQ(app.window()->backgroundColor().red255(), 53);
  EXPECT_FALSE(app.CityView());
  EXPECT_FALSE(app.featuresShown());

  // Services started with their keys; the push alias cleared for a signed-out user.
  EXPECT_EQ(services::UsageAnalytics::shared().appKey(), kAnalyticsAppKey);
  EXPECT_EQ(services::UsageAnalytics::shared().channel(), "ppzs");
  EXPECT_EQ(services::WeChatShare::shared().appId(), kWeChatAppId);
  EXPECT_EQ(services::WeiboConnect::shared().appKey(), kWeiboAppKey);
  EXPECT_EQ(services::PushService::shared().alias(), std::optional<std::string>(""));
  EXPECT_EQ(services::PushService::shared().registeredTypes(), kPushNotificationTypes);
  EXPECT_EQ(platform::UserDefaults::standardUserDefaults().stringForKey(kAppStartNums), std::optional<std::string>("1"));
  EXPECT_EQ(platform::UserDefaults::standardUserDefaults().stringForKey(kFullScreenKey),
            std::optional<std::string>(kFullScreenShots));
}

TEST_F(LaunchSequenceTest, AdvertShowsAtOnceWhenBothPicturesAreCachedElseAfterTwoSeconds) {
  struct Case {
    const char* name;
    bool cached;
    const char* answer;  // a launch-advert override, or null for the fixture's advert
    double shownBy;      // when the display step has begun
    const char* index;   // what it showed
  } cases[] = {
      {"cached", true, nullptr, 0.3, "-1"},
      {"downloaded meanwhile", false, nullptr, 2.05, "-1"},
      {"no advert", false, R"({"status":"0","imgUrl":null,"imgUrl1":""})", 2.05, nullptr},
      {"no pictures", false, R"({"status":"1","imgUrl":null,"imgUrl1":"","type":"1","id":"9"})", 0.3, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::Application::sharedApplication().reset();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    Vorn5CacheClient::sharedClient().clearAdImgCache();
    platform::UserDefaults::standardUserDefaults().reset();
    returningUser();
    portal().clearOverrides();
    if (c.answer) portal().overrideRoute(kLaunchAdvertPath, answer(c.answer));
    if (c.cached) {
      const std::string jpeg = platform::Image::imageNamed(kDefaultBootImage1)->jpegData(0.8);
      caches().saveAdCache(platform::Bytes(jpeg.begin(), jpeg.end()), advertUrl());
      caches().saveAdCache(platform::Bytes(jpeg.begin(), jpeg.end()), buttonUrl());
    }
    start_ = now();
    launch();
    // Step until the display step has begun, noting when.
    while (!delegate().timeStopFlag() && now() < start_ + 3) runFor(0.05);
    const double shownAt = now() - start_;
    EXPECT_LE(shownAt, c.shownBy);
    if (c.shownBy > 1) {
      EXPECT_GE(shownAt, 1.95) << "waited for the timer";
    }
    EXPECT_FALSE(delegate().isLaunchTimerRunning());
    if (c.index) {
      EXPECT_EQ(delegate().getADImgIndex(), c.index);
    } else {
      EXPECT_TRUE(delegate().getADImgIndex() == "0" || delegate().getADImgIndex() == "1");
    }
    EXPECT_DOUBLE_EQ(delegate().launchAdImgView()->alpha(), 1.0);
    EXPECT_TRUE(launchPictureOnScreen());
    runTo(shownAt + 1.0 + 2.0 + 1.5 - 0.1);
    EXPECT_TRUE(launchPictureOnScreen()) << "the slides are still running";
    runTo(shownAt + 1.0 + 2.0 + 1.5 + 0.1);
    EXPECT_FALSE(launchPictureOnScreen()) << "gone after the slides";
    EXPECT_TRUE(delegate().canPopPush());
  }
}

TEST_F(LaunchSequenceTest, FailedAdvertPictureDropsTheAdvertAndTapsDoNothing) {
  returningUser();
  portal::RouteOverride dropped;
  dropped.closeConnection = true;
  portal().overrideRoute("/pic/640x916/launch-advert.jpg", dropped);
  launch();
  runTo(2.1);
  EXPECT_TRUE(delegate().getADImgIndex() == "0" || delegate().getADImgIndex() == "1");
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  EXPECT_TRUE(defaults.objectForKey(kAdInfo).is_null());
  EXPECT_TRUE(defaults.objectForKey(kAdPicUrl).is_null());
  EXPECT_EQ(defaults.stringForKey(kAdBtnPicUrl), buttonUrl()) << "the button picture is unaffected";
  delegate().onClickAD();
  runFor(0.8);
  EXPECT_TRUE(launchPictureOnScreen()) << "a tap on a default picture does nothing";
}

TEST_F(LaunchSequenceTest, DefaultPictureFollowsTheRandomNumbersParity) {
  for (long number : {4L, 7L}) {
    SCOPED_TRACE(number);
    platform::Application::sharedApplication().reset();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    platform::UserDefaults::standardUserDefaults().reset();
    returningUser();
    portal().overrideRoute(kLaunchAdvertPath, answer(R"({"status":"0"})"));
    delegate().setLaunchRandomSource([number] { return number; });
    start_ = now();
    launch();
    runTo(2.1);
    EXPECT_EQ(delegate().getADImgIndex(), number % 2 == 0 ? "0" : "1");
    EXPECT_EQ(delegate().launchAdImgView()->image()->name().find(number % 2 == 0 ? "defaultBoot1" : "defaultBoot2"), 0u);
    runTo(7);
  }
}

TEST_F(LaunchSequenceTest, FirstRunShowsTheCityChooserAndANewVersionTheGuideAndDropsTheSeriesTable) {
  const std::string table = platform::joinPath(platform::documentsDirectory(), kSeriesDatabaseFile);
  ASSERT_TRUE(platform::writeFileAtomically(table, platform::Bytes{'S', 'Q', 'L'}));
  launch();
  auto& app = delegate();
  auto chooser = std::dynamic_pointer_cast<NewCityChangToolView>(app.CityView());
  ASSERT_TRUE(chooser);
  EXPECT_EQ(chooser->superview(), app.window());
  EXPECT_EQ(chooser->viewType(), kCityViewTypeFirstRun);
  EXPECT_TRUE(chooser->backButton()->isHidden());
  EXPECT_DOUBLE_EQ(chooser->frame().y(), 20);
  EXPECT_EQ(chooser->locationLabel()->text(), kLocatingCityText);

  EXPECT_TRUE(app.featuresShown());
  auto guide = std::dynamic_pointer_cast<NewFeaturesView>(app.newFeaturesImgView());
  ASSERT_TRUE(guide);
  EXPECT_EQ(guide->superview(), app.window());
  EXPECT_EQ(platform::UserDefaults::standardUserDefaults().stringForKey(std::string("feature") + AppDelegate::getCurrentVersion()),
            std::optional<std::string>(kFeatureDone));
  ASSERT_TRUE(runUntil([&] { return !platform::fileExists(table); }));

  // With the guide up the launch picture hides at once and no timer waits.
  runFor(0.1);
  EXPECT_TRUE(app.launchPicture()->isHidden());
  EXPECT_FALSE(app.isLaunchTimerRunning());
  platform::TestDriver::tap(guide);
  runFor(1.1);
  EXPECT_FALSE(guide->superview());
  EXPECT_FALSE(app.featuresShown());
  EXPECT_TRUE(app.canPopPush());
}

TEST_F(LaunchSequenceTest, LaunchPayloadAndCountsAreRead) {
  const int untouched = VornAppDelegate().pushType();
  struct Case {
    const char* payload;
    bool pops;
    const char* id;
    int type;
  } cases[] = {
      {R"({"id": 8812, "aps": {}})", true, "8812", untouched},  // an id without a type keeps the type
      {R"({"id": "77", "type": "2"})", true, "77", 2},
      {R"({"aps": {"alert": "x"}})", false, "0", untouched},
  };
  int starts = 41;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.payload);
    platform::Application::sharedApplication().reset();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    returningUser();
    platform::UserDefaults::standardUserDefaults().setString(kAppStartNums, std::to_string(starts));
    platform::Value options = platform::dictionary();
    options[platform::kLaunchOptionsRemoteNotificationKey] = platform::Value::parse(c.payload);
    launch(options);
    EXPECT_EQ(delegate().shouldPopPush(), c.pops);
    EXPECT_EQ(delegate().pushNewsId(), c.id);
    EXPECT_EQ(delegate().pushType(), c.type);
    EXPECT_EQ(platform::UserDefaults::standardUserDefaults().stringForKey(kAppStartNums),
              std::optional<std::string>(std::to_string(starts + 1)));
    ++starts;
    runFor(7);
  }
}

TEST_F(LaunchSequenceTest, ReturningUserIsLocatedAndALeftOverDraftIsOfferedOnceTheLaunchPictureIsGone) {
  returningUser();
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  defaults.setObject(kEditingDraftKey, platform::Value{{"kTypeKey", "1"}, {"postTitle", "提车"}, {"postContent", "作业"}});
  services::LocationManager::setDevicePosition(31.2304, 121.4737);
  launch();
  runFor(0.1);
  // Locating starts at once for a chosen city, and its look-up goes out.
  EXPECT_TRUE(PhoneData::openData());
  EXPECT_TRUE(platform::visibleSystemNoticePanels().empty());

  runFor(8);
  EXPECT_FALSE(launchPictureOnScreen());
  const auto panels = platform::visibleSystemNoticePanels();
  ASSERT_EQ(panels.size(), 1u);
  EXPECT_EQ(panels[0]->notice().tag, kDraftAlertTag);
  EXPECT_FALSE(portal().requestsTo(kCityByGpsPath).empty());
}

TEST_F(LaunchSequenceTest, PictureSetAdvertOpensItsPicturesInThePhotoBrowser) {
  struct Case {
    const char* name;
    std::string set;  // the picture-set answer
    std::size_t photos;
  } cases[] = {
      {"two pictures", R"({"picInfo":[{"picLink":"PIC/a.jpg","picDesc":"x"},{"picLink":"PIC/b.jpg"}]})", 2},
      {"not a list", R"({"picInfo":"none"})", 0},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::Application::sharedApplication().reset();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    platform::UserDefaults::standardUserDefaults().reset();
    returningUser();
    portal().clearOverrides();
    portal().clearLog();
    const std::string base = portal().baseUrl() + "/pic/200x150/";
    for (auto at = c.set.find("PIC/"); at != std::string::npos; at = c.set.find("PIC/")) c.set.replace(at, 4, base);
    portal().overrideRoute(kLaunchAdvertPath,
                           answer(R"({"status":"1","imgUrl":")" + advertUrl() + R"(","imgUrl1":")" + buttonUrl() +
                                  R"(","type":"3","id":"77"})"));
    portal().overrideRoute(kPictureSetPath, answer(c.set));
    start_ = now();
    launch();
    runTo(2.5);
    delegate().onClickAD();
    runFor(1);
    const auto asked = portal().requestsTo(kPictureSetPath);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].param("id"), "77");
    const auto& stack = delegate().homePageNavigationController()->childViewControllers();
    auto browser = std::dynamic_pointer_cast<PyxoPhotoBrowser>(stack.back());
    ASSERT_EQ(browser != nullptr, c.photos > 0);
    ASSERT_EQ(delegate().photos().size(), c.photos);
    if (!browser) continue;
    EXPECT_EQ(delegate().photos()[1]->photoURL(), std::optional<std::string>(base + "b.jpg"));
    runFor(6);
  }
}

}  // namespace
}  // namespace vorn
