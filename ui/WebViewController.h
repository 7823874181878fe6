#pragma once
// The in-app web page: a top bar (back, title and, on event pages, share), the
// page, a spinner and a toolbar (page back, page forward, refresh, "more").
//
// Besides showing the page it intercepts links ("type=askPrice" opens the
// price-inquiry form; store links go to the system), shares event pages through
// the share sheet, and completes the QQ web login: when the screen was opened as
// a web login (a login delegate was set) and a page on a portal host whose
// address holds "callback_app" and "openid" has loaded, the page body is the
// login answer; "status" "1" is a success (the record is stored), anything else
// a refusal shown with its "msg". The screen closes either way.
//
// Configure after creation, before the push: setTitleName, setURL, setEntryTpye
// (1: event page with sharing), setEventShareInfo and, for a web login, setDelegate.
#include <memory>
#include <string>

#include "platform/foundation/Value.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ProgressHud.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/WebView.h"
#include "ui/ShareActionView.h"
#include "ui/UserLoginViewDelegate.h"

namespace platform {
class ActivityIndicatorView;
class Button;
class Image;
class Label;
}  // namespace platform

namespace vorn {

// The share record of an event page.
inline constexpr char kEventTitleKey[] = "event_title";
inline constexpr char kEventLinkKey[] = "event_link";
inline constexpr char kEventSmallImgKey[] = "event_smallimg";
inline constexpr char kEventBigImgKey[] = "event_bigimg";

// Link commands and the web login's marks.
inline constexpr char kAskPriceMark[] = "type=askPrice";
inline constexpr char kAndroidStoreMark[] = "type=androidSTORE";
inline constexpr char kAppStoreMark[] = "type=appSTORE";
inline constexpr char kWebLoginCallbackMark[] = "callback_app";
inline constexpr char kWebLoginOpenIdMark[] = "openid";
inline constexpr char kPushStatusPath[] = "/interface/vornapp/setPushStatus.php";
inline constexpr char kReceivedPushOrNot[] = "ReceivedPushOrNot";
inline constexpr char kRefreshICIcon[] = "refreshICIcon";

// Texts.
inline constexpr char kWebLoadFailedText[] = "网络不稳定，请稍后再试。";
inline constexpr char kWebLoginSucceededText[] = "登录成功";
inline constexpr char kCopiedText[] = "已复制";
inline constexpr char kCopyLinkTitle[] = "复制链接";
inline constexpr char kOpenInSafariTitle[] = "在Safari中打开";
inline constexpr char kEventShareDescription[] = "点击查看活动详情[分享自沃恩汽车iPhone客户端]";
inline constexpr char kEventWeiboFormat[] = "%@ 参与地址：%@ //分享自@沃恩汽车 iPhone客户端，下载地址：";
inline constexpr char kDownloadPagePath[] = "/vorn.htm";

class WebViewController : public platform::ViewController,
                          public platform::WebViewDelegate,
                          public platform::ActionSheetDelegate,
                          public platform::ProgressHudDelegate,
                          public ShareActionViewDelegate {
 public:
  WebViewController();
  ~WebViewController() override;
  std::string className() const override { return "WebViewController"; }

  const std::string& titleName() const { return titleName_; }
  void setTitleName(const std::string& title) { titleName_ = title; }
  const std::string& URL() const { return URL_; }
  void setURL(const std::string& url) { URL_ = url; }
  int entryTpye() const { return entryTpye_; }
  void setEntryTpye(int type) { entryTpye_ = type; }
  const platform::Value& eventShareInfo() const { return eventShareInfo_; }
  void setEventShareInfo(const platform::Value& info) { eventShareInfo_ = info; }
  std::shared_ptr<UserLoginViewDelegate> delegate() const { return delegate_.lock(); }
  // Setting a login delegate opens the screen as a web login.
  void setDelegate(std::weak_ptr<UserLoginViewDelegate> delegate);
  bool isWebLogin() const { return webLogin_; }

  void viewDidLoad() override;

  void doBack();
  void dowebBack();
  void dowebNext();
  void dowebRefresh();
  void dowebMore();
  void doPageRefresh();
  void share_btn_cilked();
  void whiteTheme();
  void blackTheme();
  void setReceivedPushStatus();

  // The web view's delegate.
  bool shouldStartLoadWithRequest(platform::WebView& webView, const platform::UrlRequest& request,
                                  platform::WebViewNavigationType navigationType) override;
  void webViewDidStartLoad(platform::WebView& webView) override;
  void webViewDidFinishLoad(platform::WebView& webView) override;
  void didFailLoadWithError(platform::WebView& webView, const platform::WebViewError& error) override;
  // The "more" menu's answer.
  void didDismissWithButtonIndex(platform::ActionSheet& sheet, int buttonIndex) override;
  // The share sheet's answers.
  void didDismissWithIconItemIndex(ShareActionView& sheet, int index) override;
  void didDismissWithButtonIndex(ShareActionView& sheet, int index) override;
  void hudWasHidden(platform::ProgressHud& hud) override;

  // Views, for the screens' tests.
  const std::shared_ptr<platform::WebView>& webview() const { return webview_; }
  const std::shared_ptr<platform::Button>& shareButton() const { return Share_Btn_; }
  const std::shared_ptr<platform::Button>& webBackButton() const { return btn_webBack_; }
  const std::shared_ptr<platform::Button>& webNextButton() const { return btn_webNext_; }
  const std::shared_ptr<platform::Label>& titleLabel() const { return lab_titleTip_; }
  const std::shared_ptr<platform::ActivityIndicatorView>& loadingView() const { return loadingView_; }
  bool isSignal() const { return isSignal_; }

 private:
  void buildViews();
  void applyTheme();
  void showNotice(const std::string& text, const std::shared_ptr<platform::View>& over);
  void completeWebLogin(platform::WebView& webView);
  void openPriceInquiry(const std::string& link);
  void shareToWeibo();
  void shareToWeChat(int scene);
  // Fetches the event's small picture (when it has one) and hands over its bytes, or none.
  void withSharePicture(std::function<void(std::shared_ptr<const platform::Image>, const platform::Value&)> use);

  std::string titleName_;
  std::string URL_;
  int entryTpye_ = 0;
  platform::Value eventShareInfo_;
  std::weak_ptr<UserLoginViewDelegate> delegate_;
  bool webLogin_ = false;
  bool isSignal_ = false;
  std::shared_ptr<platform::ProgressHud> HUD_;

  std::shared_ptr<platform::View> img_bgImageView_;
  std::shared_ptr<platform::View> titlebgImage_;
  std::shared_ptr<platform::View> topImg_;
  std::shared_ptr<platform::Button> btn_back_;
  std::shared_ptr<platform::Label> lab_titleTip_;
  std::shared_ptr<platform::Button> Share_Btn_;
  std::shared_ptr<platform::WebView> webview_;
  std::shared_ptr<platform::ActivityIndicatorView> loadingView_;
  std::shared_ptr<platform::View> bottomtitlebgImage_;
  std::shared_ptr<platform::Button> btn_webBack_;
  std::shared_ptr<platform::Button> btn_webNext_;
  std::shared_ptr<platform::Button> btn_webRefresh_;
  std::shared_ptr<platform::Button> btn_webMore_;
};

}  // namespace vorn
