#include "ui/WebViewController.h"

#include <functional>

#include "core/AppDelegate.h"
#include "core/ParentViewController.h"
#include "core/ScreenOpeners.h"
#include "core/ShareKeys.h"
#include "core/UserData.h"
#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Url.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/Pasteboard.h"
#include "platform/services/PushService.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Font.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

namespace services = platform::services;
using platform::Color;

constexpr double kPageTimeout = 15;
// Analytics events of the screen.
constexpr char kEventShare[] = "fenxiang";
constexpr char kEventSinaWeibo[] = "xinlangweibo";
constexpr char kEventWeChat[] = "weixinhaoyou";
constexpr char kEventMoments[] = "weixinpengyouquan";
constexpr char kEventCopyLink[] = "fuzhilianjiedizhi";
constexpr char kLoginScript[] = "document.body.innerHTML";
constexpr char kWeiboScope[] = "all";
constexpr char kBackImage[] = "News_Details_Btn_Back.png";
constexpr char kShareImage[] = "News_Details_Btn_Share.png";
constexpr char kWebBackImage[] = "Register_Btn_Last.png";
constexpr char kWebNextImage[] = "Register_Btn_Next.png";
constexpr char kWebRefreshImage[] = "Register_Btn_Fresh.png";
constexpr char kWebMoreImage[] = "Register_Btn_More.png";

bool hasStatusBarStrip() {
  const std::string version = platform::Device::currentDevice().systemVersion();
  return !version.empty() && (version[0] == '7' || version[0] == '8');
}

std::string fillFormat(std::string format, std::initializer_list<std::string> values) {
  std::size_t from = 0;
  for (const auto& value : values) {
    const auto at = format.find("%@", from);
    if (at == std::string::npos) break;
    format.replace(at, 2, value);
    from = at + value.size();
  }
  return format;
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// Only web addresses are fetched for a share picture.
bool isWebAddress(const std::string& url) {
  const auto parsed = platform::parseUrl(url);
  return parsed && (parsed->scheme == "http" || parsed->scheme == "https");
}

}  // namespace

WebViewController::WebViewController() = default;

WebViewController::~WebViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(this));
  if (webview_) webview_->setDelegate({});
  if (HUD_) HUD_->setDelegate({});
}

void WebViewController::setDelegate(std::weak_ptr<UserLoginViewDelegate> delegate) {
  webLogin_ = !delegate.expired();
  delegate_ = std::move(delegate);
}

void WebViewController::viewDidLoad() {
  buildViews();
  webview_->loadRequest(platform::UrlRequest::requestWithURL(
      URL_, platform::UrlRequestCachePolicy::UseProtocolCachePolicy, kPageTimeout));
  applyTheme();
  std::weak_ptr<WebViewController> weak = std::static_pointer_cast<WebViewController>(shared_from_this());
  platform::NotificationCenter::defaultCenter().addObserver(
      static_cast<const void*>(this), kThemeChangeNotify, [weak](const platform::Notification&) {
        if (auto self = weak.lock()) self->applyTheme();
      });
}

void WebViewController::buildViews() {
  const bool tall = platform::Screen::mainScreen().hasTallMode();
  auto self = std::static_pointer_cast<WebViewController>(shared_from_this());
  auto root = view();

  auto makeButton = [&](const platform::Rect& frame, const char* image, void (WebViewController::*action)()) {
    auto button = platform::Button::create(frame);
    button->setImage(platform::Image::imageNamed(image), platform::ControlState::Normal);
    button->setExclusiveTouch(true);
    button->addTarget(self, action, platform::ControlEvent::TouchUpInside);
    return button;
  };

  img_bgImageView_ = platform::View::create({0, 0, 320, tall ? 568.0 : 480.0});
  root->addSubview(img_bgImageView_);

  titlebgImage_ = platform::View::create({0, 0, 320, 51});
  titlebgImage_->setUserInteractionEnabled(true);
  root->addSubview(titlebgImage_);
  btn_back_ = makeButton({0, 0, 50, 50}, kBackImage, &WebViewController::doBack);
  titlebgImage_->addSubview(btn_back_);
  lab_titleTip_ = platform::Label::create({63, 15, entryTpye_ == 1 ? 160.0 : 240.0, 20});
  lab_titleTip_->setFont(platform::Font::systemFont(20));
  lab_titleTip_->setTextAlignment(platform::TextAlignment::Left);
  lab_titleTip_->setBackgroundColor(Color::clear());
  lab_titleTip_->setText(titleName_);
  titlebgImage_->addSubview(lab_titleTip_);
  Share_Btn_ = makeButton({264, 5, 40, 40}, kShareImage, &WebViewController::share_btn_cilked);
  Share_Btn_->setHidden(entryTpye_ != 1);
  titlebgImage_->addSubview(Share_Btn_);

  webview_ = platform::WebView::create({0, 51, 320, tall ? 446.0 : 358.0});
  webview_->setScalesPageToFit(true);
  webview_->setBackgroundColor(Color::clear());
  webview_->setOpaque(false);
  webview_->setUserInteractionEnabled(true);
  webview_->setHidden(true);
  webview_->setDelegate(std::static_pointer_cast<platform::WebViewDelegate>(self));
  root->addSubview(webview_);

  loadingView_ = platform::ActivityIndicatorView::initWithActivityIndicatorStyle(platform::ActivityIndicatorViewStyle::Gray);
  loadingView_->setCenter(webview_->center());
  loadingView_->setHidesWhenStopped(true);
  loadingView_->startAnimating();
  root->addSubview(loadingView_);

  bottomtitlebgImage_ = platform::View::create({0, tall ? 497.0 : 409.0, 320, 51});
  bottomtitlebgImage_->setUserInteractionEnabled(true);
  root->addSubview(bottomtitlebgImage_);
  btn_webBack_ = makeButton({0, 0, 80, 50}, kWebBackImage, &WebViewController::dowebBack);
  btn_webNext_ = makeButton({80, 0, 80, 50}, kWebNextImage, &WebViewController::dowebNext);
  btn_webRefresh_ = makeButton({160, 0, 80, 50}, kWebRefreshImage, &WebViewController::dowebRefresh);
  btn_webMore_ = makeButton({240, 0, 80, 50}, kWebMoreImage, &WebViewController::dowebMore);
  for (const auto& button : {btn_webBack_, btn_webNext_, btn_webRefresh_, btn_webMore_})
    bottomtitlebgImage_->addSubview(button);

  if (hasStatusBarStrip()) {
    topImg_ = platform::View::create({0, -20, 320, 20});
    root->addSubview(topImg_);
  }
}

// ---- Theme -------------------------------------------------------------------

void WebViewController::applyTheme() {
  if (AppDelegate::getCurrentMode() == kThemeModeNormal)
    whiteTheme();
  else
    blackTheme();
}

void WebViewController::whiteTheme() {
  view()->setBackgroundColor(Color::rgb255(236, 236, 236));
  img_bgImageView_->setBackgroundColor(Color::rgb255(250, 250, 250));
  titlebgImage_->setBackgroundColor(Color::rgb255(53, 160, 217));
  if (topImg_) topImg_->setBackgroundColor(Color::rgb255(53, 160, 217));
  lab_titleTip_->setTextColor(Color::rgb255(250, 250, 250));
  bottomtitlebgImage_->setBackgroundColor(Color::rgb255(250, 250, 250));
  for (const auto& button : {btn_back_, Share_Btn_, btn_webBack_, btn_webNext_, btn_webRefresh_, btn_webMore_})
    button->setAlpha(1.0);
  loadingView_->setActivityIndicatorViewStyle(platform::ActivityIndicatorViewStyle::Gray);
}

void WebViewController::blackTheme() {
  view()->setBackgroundColor(Color::rgb255(36, 37, 41));
  img_bgImageView_->setBackgroundColor(Color::rgb255(36, 37, 41));
  titlebgImage_->setBackgroundColor(Color::rgb255(61, 132, 170));
  if (topImg_) topImg_->setBackgroundColor(Color::rgb255(61, 132, 170));
  lab_titleTip_->setTextColor(Color::rgb255(209, 216, 220));
  bottomtitlebgImage_->setBackgroundColor(Color::rgb255(49, 50, 55));
  for (const auto& button : {btn_back_, Share_Btn_, btn_webBack_, btn_webNext_, btn_webRefresh_, btn_webMore_})
    button->setAlpha(0.5);
  loadingView_->setActivityIndicatorViewStyle(platform::ActivityIndicatorViewStyle::White);
}

// ---- Toolbar -----------------------------------------------------------------

void WebViewController::doBack() {
  if (auto container = ParentViewController::containerOf(*this))
    container->popChildViewController();
}

void WebViewController::dowebBack() {
  if (webview_->canGoBack()) webview_->goBack();
  doPageRefresh();
}

void WebViewController::dowebNext() {
  if (webview_->canGoForward()) webview_->goForward();
}

void WebViewController::dowebRefresh() {
  // After a failure the page to show again is the one the screen was opened with.
  if (isSignal_)
    webview_->loadRequest(platform::UrlRequest::requestWithURL(URL_));
  else
    webview_->reload();
}

void WebViewController::doPageRefresh() {
  btn_webBack_->setEnabled(webview_->canGoBack());
  btn_webNext_->setEnabled(webview_->canGoForward());
}

void WebViewController::dowebMore() {
  auto self = std::static_pointer_cast<WebViewController>(shared_from_this());
  auto sheet = platform::ActionSheet::initWithTitle("", std::static_pointer_cast<platform::ActionSheetDelegate>(self),
                                                    kShareCancelTitle, "", {kCopyLinkTitle, kOpenInSafariTitle});
  sheet->setActionSheetStyle(platform::ActionSheetStyle::BlackTranslucent);
  sheet->showInView(view());
}

void WebViewController::didDismissWithButtonIndex(platform::ActionSheet&, int buttonIndex) {
  if (buttonIndex == 0) {
    services::UsageAnalytics::shared().event(kEventCopyLink);
    services::Pasteboard::general().setString(URL_);
  } else if (buttonIndex == 1) {
    platform::Application::sharedApplication().openURL(URL_);
  }
}

// ---- Loading -----------------------------------------------------------------

void WebViewController::webViewDidStartLoad(platform::WebView&) {
  Share_Btn_->setEnabled(false);
  webview_->setHidden(true);
  loadingView_->startAnimating();
  doPageRefresh();
}

void WebViewController::webViewDidFinishLoad(platform::WebView& webView) {
  Share_Btn_->setEnabled(true);
  const std::string address = webView.request().url;
  if (contains(address, kWebLoginCallbackMark) && contains(address, kWebLoginOpenIdMark)) {
    // Only a web login's own answer page counts: an ordinary page (or one from
    // elsewhere) that happens to carry these words is just a page.
    if (webLogin_ && PortalHosts::isPortalUrl(address)) return completeWebLogin(webView);
  }
  loadingView_->stopAnimating();
  webview_->setHidden(false);
  isSignal_ = false;
  doPageRefresh();
}

void WebViewController::didFailLoadWithError(platform::WebView&, const platform::WebViewError& error) {
  if (error.code == platform::kWebErrorCancelled) return;
  loadingView_->stopAnimating();
  isSignal_ = true;
  showNotice(kWebLoadFailedText, view());
  webview_->setHidden(false);
}

bool WebViewController::shouldStartLoadWithRequest(platform::WebView&, const platform::UrlRequest& request,
                                                   platform::WebViewNavigationType) {
  const auto parsed = platform::parseUrl(request.url);
  if (!parsed || parsed->scheme != "http") return true;
  const std::string& link = request.url;
  if (contains(link, kAskPriceMark)) {
    openPriceInquiry(link);
    return false;
  }
  if (contains(link, kAndroidStoreMark) || contains(link, kAppStoreMark)) {
    auto& app = platform::Application::sharedApplication();
    if (app.canOpenURL(link)) app.openURL(link);
    return false;
  }
  return true;
}

void WebViewController::openPriceInquiry(const std::string& link) {
  const std::string text = platform::percentUnescape(link).value_or(link);
  std::string seriesId;
  std::string seriesName;
  const auto first = text.find('?');
  if (first != std::string::npos) {
    const auto second = text.find('?', first + 1);
    const std::string query = text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    std::size_t start = 0;
    while (start <= query.size()) {
      auto end = query.find('&', start);
      if (end == std::string::npos) end = query.size();
      const std::string piece = query.substr(start, end - start);
      static constexpr char kIdKey[] = "seriesId=";
      static constexpr char kNameKey[] = "seriesName=";
      if (auto at = piece.find(kIdKey); at != std::string::npos) seriesId = piece.substr(at + sizeof(kIdKey) - 1);
      if (auto at = piece.find(kNameKey); at != std::string::npos) seriesName = piece.substr(at + sizeof(kNameKey) - 1);
      start = end + 1;
    }
  }
  const auto& priceInquiry = ScreenOpeners::shared().priceInquiry;
  if (!priceInquiry) return;
  auto inquiry = priceInquiry({seriesId, seriesName});
  if (auto container = ParentViewController::containerOf(*this); container && inquiry)
    container->pushChildViewController(inquiry);
}

// ---- Web login -----------------------------------------------------------------

void WebViewController::completeWebLogin(platform::WebView& webView) {
  const auto answer = platform::parseJson(webView.stringByEvaluatingJavaScriptFromString(kLoginScript));
  if (answer && platform::isDictionary(*answer) && platform::hasKey(*answer, kLoginStatus)) {
    if (platform::plainTextOf(*answer, kLoginStatus) == "1") {
      auto& defaults = platform::UserDefaults::standardUserDefaults();
      defaults.setObject(kUserLoginInfo, *answer);
      defaults.synchronize();
      if (auto delegate = delegate_.lock()) delegate->loginViewSucBack();
      if (auto window = AppDelegate::sharedAppDelegate()->window())
        showNotice(kWebLoginSucceededText, window);
      else
        showNotice(kWebLoginSucceededText, view());
      services::PushService::shared().setTags({}, UserData::userDataInit().getUserID());
      platform::NotificationCenter::defaultCenter().post(kRefreshICIcon);
      setReceivedPushStatus();
    } else {
      // Any other status is a refusal, shown with the portal's own words.
      const std::string message = platform::plainTextOf(*answer, kLoginMsg);
      if (!message.empty()) showNotice(message, view());
    }
  }
  doBack();
}

void WebViewController::setReceivedPushStatus() {
  const auto received = platform::UserDefaults::standardUserDefaults().stringForKey(kReceivedPushOrNot);
  platform::Value parameters = platform::dictionary();
  parameters["type"] = std::to_string(received && *received == "NO" ? 0 : 1);
  parameters["uid"] = std::to_string(platform::intValueOf(platform::Value(UserData::userDataInit().getUserID())));
  auto& client = Vorn5APIClient::sharedClient();
  client.postPath(PortalHosts::url(PortalHost::CarData, kPushStatusPath), parameters, false, false, client, false,
                  [](const platform::Value&, const std::optional<ApiError>&) {});
}

// ---- Notices -------------------------------------------------------------------

void WebViewController::showNotice(const std::string& text, const std::shared_ptr<platform::View>& over) {
  if (HUD_ || !over) return;
  HUD_ = platform::ProgressHud::initWithView(over);
  HUD_->setMode(platform::ProgressHudMode::Text);
  HUD_->setLabelText(text);
  HUD_->setRemoveFromSuperViewOnHide(true);
  HUD_->setDelegate(std::static_pointer_cast<platform::ProgressHudDelegate>(
      std::static_pointer_cast<WebViewController>(shared_from_this())));
  over->addSubview(HUD_);
  HUD_->show(true);
  HUD_->hide(true, kNoticeSeconds);
}

void WebViewController::hudWasHidden(platform::ProgressHud& hud) {
  if (HUD_.get() != &hud) return;
  HUD_->removeFromSuperview();
  HUD_.reset();
}

// ---- Sharing -------------------------------------------------------------------

void WebViewController::share_btn_cilked() {
  services::UsageAnalytics::shared().event(kEventShare);
  auto self = std::static_pointer_cast<WebViewController>(shared_from_this());
  auto sheet = ShareActionView::initWithDelegate(
      std::static_pointer_cast<ShareActionViewDelegate>(self),
      {ShareItem::initWithTitle(kShareSinaWeiboTitle, kShareSinaWeiboImage),
       ShareItem::initWithTitle(kShareWeChatTitle, kShareWeChatImage),
       ShareItem::initWithTitle(kShareMomentsTitle, kShareMomentsImage)},
      kShareCancelTitle, {kShareCopyLinkTitle});
  sheet->show();
}

void WebViewController::didDismissWithIconItemIndex(ShareActionView&, int index) {
  if (index == kShareIconSinaWeibo) return shareToWeibo();
  if (index == kShareIconWeChat) return shareToWeChat(services::kWeChatSceneSession);
  if (index == kShareIconMoments) return shareToWeChat(services::kWeChatSceneTimeline);
}

void WebViewController::didDismissWithButtonIndex(ShareActionView& sheet, int index) {
  if (index == sheet.cancelButtonIndex()) return;
  services::UsageAnalytics::shared().event(kEventCopyLink);
  if (!platform::hasKey(eventShareInfo_, kEventLinkKey)) return;
  services::Pasteboard::general().setString(platform::plainTextOf(eventShareInfo_, kEventLinkKey));
  showNotice(kCopiedText, view());
}

void WebViewController::withSharePicture(
    std::function<void(std::shared_ptr<const platform::Image>, const platform::Value&)> use) {
  const std::string picture = platform::plainTextOf(eventShareInfo_, kEventSmallImgKey);
  if (!platform::hasKey(eventShareInfo_, kEventSmallImgKey) || !isWebAddress(picture))
    return use(nullptr, platform::Value());
  auto& client = Vorn5APIClient::sharedClient();
  client.postPath(picture, platform::Value(), false, false, client, false,
                  [use](const platform::Value& answer, const std::optional<ApiError>&) {
                    const std::string bytes = platform::bytesAsString(answer);
                    use(bytes.empty() ? nullptr : platform::Image::imageWithData(bytes), answer);
                  });
}

void WebViewController::shareToWeibo() {
  services::UsageAnalytics::shared().event(kEventSinaWeibo);
  auto& weibo = services::WeiboConnect::shared();
  if (platform::UserDefaults::standardUserDefaults().objectForKey(kSinaWeiboAuthData).is_null()) {
    weibo.sendAuthorizeRequest(PortalHosts::url(PortalHost::Forum, "/"), kWeiboScope);
    return;
  }
  services::WeiboMessage message;
  message.text = fillFormat(kEventWeiboFormat, {platform::plainTextOf(eventShareInfo_, kEventTitleKey),
                                                platform::plainTextOf(eventShareInfo_, kEventLinkKey)}) +
                 PortalHosts::url(PortalHost::MobileWeb, kDownloadPagePath) + " ";
  withSharePicture([message](std::shared_ptr<const platform::Image>, const platform::Value& answer) mutable {
    const platform::Bytes bytes = platform::bytesOf(answer);
    if (!bytes.empty()) message.picture = bytes;
    services::WeiboConnect::shared().sendMessage(message);
  });
}

void WebViewController::shareToWeChat(int scene) {
  services::UsageAnalytics::shared().event(scene == services::kWeChatSceneSession ? kEventWeChat : kEventMoments);
  const std::string title = platform::plainTextOf(eventShareInfo_, kEventTitleKey);
  const std::string link = platform::plainTextOf(eventShareInfo_, kEventLinkKey);
  withSharePicture([title, link, scene](std::shared_ptr<const platform::Image> picture, const platform::Value&) {
    AppDelegate::sendAppContentWithTitle(title, kEventShareDescription, picture, {link}, scene);
  });
}

}  // namespace vorn
