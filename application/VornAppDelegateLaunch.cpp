// The launch sequence: what the application does once, in one pass on the main
// thread, between the process start and the first screen.
#include "application/VornAppDelegate.h"
#include "core/LaunchKeys.h"
#include "core/ParentViewController.h"
#include "core/PhoneData.h"
#include "core/ShareKeys.h"
#include "core/SysMsgNumHelper.h"
#include "core/UserData.h"
#include "dealers/NewCityChangToolView.h"
#include "home/NewFeaturesView.h"
#include "home/RootViewController.h"
#include "ui/ComponentThemes.h"
#include "ui/EmoticonCodes.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/AudienceMeasurement.h"
#include "platform/services/CrashReporter.h"
#include "platform/services/InstallAttribution.h"
#include "platform/services/PerformanceMonitor.h"
#include "platform/services/PushService.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

namespace services = platform::services;

double screenHeight() { return platform::Screen::mainScreen().hasTallMode() ? 568 : 480; }

bool isSystemSevenOrEight() {
  const std::string version = platform::Device::currentDevice().systemVersion();
  return !version.empty() && (version[0] == '7' || version[0] == '8');
}

std::string featureKey() {
  std::string key = kFeatureKeyFormat;
  key.replace(key.find("%@"), 2, VornAppDelegate::getCurrentVersion());
  return key;
}

}  // namespace

bool VornAppDelegate::didFinishLaunchingWithOptions(platform::Application& app, const platform::Value& options) {
  installComponentThemes();
  installEmoticonPattern();
  if (isSystemSevenOrEight()) setCurrentStatusBarStyle(1);
  startLaunchServices(app, options);
  readLaunchPayload(options);

  auto& defaults = platform::UserDefaults::standardUserDefaults();
  if (defaults.objectForKey(kFirstRunFlag).is_null()) {
    defaults.setString(kFullScreenKey, kFullScreenShots);
    defaults.setString(kFirstRunFlag, "1");
    defaults.synchronize();
  }

  sendStartupRequests();
  getADURL();

  services::PushService::shared().registerForRemoteNotificationTypes(kPushNotificationTypes);
  app.setNetworkActivityIndicatorVisible(true);

  buildHomeWindow();
  const auto starts = defaults.stringForKey(kAppStartNums);
  defaults.setString(kAppStartNums, starts ? std::to_string(defaults.integerForKey(kAppStartNums) + 1) : "1");
  defaults.synchronize();
  window()->setRootViewController(homePageNavigationController());

  placeCityChooser();
  window()->makeKeyAndVisible();
  window()->setBackgroundColor(getCurrentMode() == kThemeModeNormal ? platform::Color::rgb255(53, 160, 217)
                                                                     : platform::Color::rgb255(61, 132, 170));
  if (CityView()) window()->bringSubviewToFront(CityView());
  showNewFeaturesIfNewVersion();
  buildLaunchPicture();
  return true;
}

void VornAppDelegate::startLaunchServices(platform::Application& app, const platform::Value& options) {
  services::UsageAnalytics::shared().start(kAnalyticsAppKey, kAnalyticsReportPolicy, kAnalyticsChannel);
  services::PerformanceMonitor::shared().startWithAppId(kPerformanceMonitorAppId);
  services::AudienceMeasurement::shared().start(kAudienceMeasurementAppKey, kAudienceMeasurementChannel, "");
  services::AudienceMeasurement::shared().setLogEnabled(true);
  services::InstallAttribution::shared().startWithAppId(kInstallAttributionAppId, kInstallAttributionChannel);
  // The badge, location, network-status and send-queue observers, for the life of the process.
  addServiceObservers();

  auto& push = services::PushService::shared();
  push.setupWithOption(options);
  push.setLogEnabled(false);
  observePushServiceLogin();

  if (UserData::userDataInit().checkLogin()) {
    push.setTags({}, UserData::userDataInit().getUserID());
  } else {
    push.setTags({}, "");
    app.setApplicationIconBadgeNumber(0);
    push.setBadge(0);
  }
}

void VornAppDelegate::readLaunchPayload(const platform::Value& options) {
  const platform::Value& payload = platform::valueFor(options, platform::kLaunchOptionsRemoteNotificationKey);
  pushNewsId_ = "0";
  const bool hasId = platform::hasKey(payload, kPushIdKey);
  if (hasId) pushNewsId_ = platform::plainTextOf(payload, kPushIdKey);
  setShouldPopPush(hasId);
  SysMsgNumHelper::shareHelper().reGetmessageNum();
  if (platform::hasKey(payload, kPushTypeKey))
    pushType_ = static_cast<int>(platform::intValueOf(platform::Value(platform::textOf(payload, kPushTypeKey))));

  auto& weibo = services::WeiboConnect::shared();
  weibo.registerApp(kWeiboAppKey);
  weibo.enableDebugMode(false);
  services::WeChatShare::shared().registerApp(kWeChatAppId);
  services::CrashReporter::shared().startWithApiKey(kCrashReporterApiKey);
  carSection().setTimeStampFlag(false);
}

void VornAppDelegate::buildHomeWindow() {
  setWindow(platform::Window::create(platform::Screen::mainScreen().bounds()));
  auto home = std::make_shared<RootViewController>();
  auto container = std::make_shared<ParentViewController>();
  setViewController(home);
  setHomePageNavigationController(container);
  container->addChildViewController(home);
  container->view()->addSubview(home->view());
  container->refreshMarginValue(0);
  home->view()->setFrame({0, 0, 320, screenHeight()});
}

void VornAppDelegate::placeCityChooser() {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  if (!defaults.objectForKey(kCityChosenFlag).is_null() && defaults.integerForKey(kCityChosenFlag) == 1) {
    setCityView(nullptr);
    PhoneData::openData();
    return;
  }
  auto chooser = NewCityChangToolView::initWithFrame({0, 20, 320, screenHeight()});
  chooser->setViewType(kCityViewTypeFirstRun);
  chooser->AgainSatellitePositioning();
  window()->addSubview(chooser);
  setCityView(chooser);
}

void VornAppDelegate::showNewFeaturesIfNewVersion() {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  const std::string key = featureKey();
  if (!defaults.objectForKey(key).is_null()) return;
  setFeaturesShown(true);
  auto guide = NewFeaturesView::initWithFrame(platform::Screen::mainScreen().bounds());
  window()->addSubview(guide);
  setNewFeaturesImgView(guide);
  defaults.setString(key, kFeatureDone);
  defaults.synchronize();
  cleanDatabase();
}

}  // namespace vorn
