#pragma once
// Names the launch sequence and the launch picture read and write, shared with
// the screens that read what they store (the launch-cover panel, the screenshot
// setting, the series pages).

namespace vorn {

// Outside services' fixed values.
inline constexpr char kAnalyticsAppKey[] = "5f1e0c2b9a3d4e6f7a8b9c0d";
inline constexpr int kAnalyticsReportPolicy = 0;
inline constexpr char kAnalyticsChannel[] = "ppzs";
inline constexpr char kPerformanceMonitorAppId[] = "3e91f5c7a2d64b08e1f37c95a0b2d4e6";
inline constexpr char kAudienceMeasurementAppKey[] = "7b2e9f40a1c35e6d";
inline constexpr char kAudienceMeasurementChannel[] = "AppStore";
inline constexpr char kInstallAttributionAppId[] = "9d3f7e20c6b1a5f8d0e4c2b7a9f1e3d5";
inline constexpr char kInstallAttributionChannel[] = "App Store";
inline constexpr char kCrashReporterApiKey[] = "e5b1970dcf24a83c6d1fb90e2457ac1d38f6b2e0";
// Badge, sound and alert.
inline constexpr int kPushNotificationTypes = 7;

// User defaults.
inline constexpr char kFirstRunFlag[] = "ML_Flag";
inline constexpr char kFullScreenKey[] = "KFullSrceen";
inline constexpr char kFullScreenShots[] = "kCurrentControllerScreenShots";
inline constexpr char kAppStartNums[] = "AppStartNums";
inline constexpr char kCityChosenFlag[] = "flag";
inline constexpr char kFeatureKeyFormat[] = "feature%@";
inline constexpr char kFeatureDone[] = "Done";
inline constexpr char kAdInfo[] = "AdInfo";
inline constexpr char kAdPicUrl[] = "AdPicUrl";
inline constexpr char kAdBtnPicUrl[] = "AdBtnPicUrl";

// Push payload fields.
inline constexpr char kPushIdKey[] = "id";
inline constexpr char kPushTypeKey[] = "type";

// The launch advert and where its taps lead.
inline constexpr char kLaunchAdvertPath[] = "/interface/vorn/GetLaunchPic_vorn.php";
inline constexpr char kPictureSetPath[] = "/cms/interface/3.0/getHotPicListById.php";
inline constexpr char kAdvertArticlePathFormat[] = "/cms/interface/5.0/iPhone_news.php?type=ios&id=%@";
inline constexpr char kAdvertThreadPathFormat[] = "/bbs/bbs_iphone_5.php?tid=%@";
inline constexpr char kAdvertEventTitle[] = "活动详情";
inline constexpr char kAdvertTapEvent[] = "qidongtudianji";

// Pictures of the launch.
inline constexpr char kLaunchLogoImage[] = "Begin_Logo.png";
inline constexpr char kDefaultBootImage1[] = "defaultBoot1.jpg";
inline constexpr char kDefaultBootImage2[] = "defaultBoot2.jpg";

// Timings, in seconds.
inline constexpr double kLaunchAdvertWait = 2.0;
inline constexpr double kLaunchAdvertFade = 1.0;
inline constexpr double kLaunchProgressFill = 2.0;
inline constexpr double kLaunchSlideStep = 0.5;
inline constexpr double kLaunchTapSlide = 0.7;

}  // namespace vorn
