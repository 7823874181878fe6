#pragma once
// A view that shows one web page. Pages come through the HTTP layer (only http
// and https addresses are fetched; cookies follow the layer's cookie store, which
// gives a cookie only to the host that set it) or from an HTML string with a base
// address. The page's HTML is kept for the renderer; a small scan gives its
// title, its body and its links.
//
// Every load first asks the delegate shouldStartLoadWithRequest; a refused load
// sends nothing. Then, on later turns of the main loop: webViewDidStartLoad, and
// either webViewDidFinishLoad or didFailLoadWithError. An answer with any HTTP
// status is a page (as a browser shows a server's error page); failures carry
// the platform's codes: kWebErrorCancelled (-999) when a load is stopped or
// replaced by another, kWebErrorTimedOut (-1001) when no answer came within the
// request's time-out (on the main loop's clock), kWebErrorNotConnected (-1009)
// while the web client's reachability is "not reachable", kWebErrorUnsupportedURL
// (-1002) for any scheme but http and https, and the layer's connection codes
// (-1003, -1004, -1005) when the host cannot be reached.
//
// Scripts are not run: evaluating one records it and answers
// "document.body.innerHTML" and "document.title" from the loaded page, "" for
// anything else or before a page has loaded.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/HtmlScan.h"
#include "platform/ui/UrlRequest.h"
#include "platform/ui/View.h"

namespace platform::net {
class HttpClientLayer;
class HttpOperation;
}  // namespace platform::net

namespace platform {

class WebView;

inline constexpr char kWebErrorDomain[] = "NSURLErrorDomain";
inline constexpr int kWebErrorCancelled = -999;
inline constexpr int kWebErrorUnsupportedURL = -1002;
inline constexpr int kWebErrorTimedOut = -1001;
inline constexpr int kWebErrorNotConnected = -1009;

enum class WebViewNavigationType {
  LinkClicked = 0, FormSubmitted = 1, BackForward = 2, Reload = 3, FormResubmitted = 4, Other = 5
};

struct WebViewError {
  std::string domain = kWebErrorDomain;
  int code = 0;
  std::string description;
  std::string failingUrl;
};

class WebViewDelegate {
 public:
  virtual ~WebViewDelegate() = default;
  virtual bool shouldStartLoadWithRequest(WebView& webView, const UrlRequest& request,
                                          WebViewNavigationType navigationType) {
    (void)webView; (void)request; (void)navigationType;
    return true;
  }
  virtual void webViewDidStartLoad(WebView& webView) { (void)webView; }
  virtual void webViewDidFinishLoad(WebView& webView) { (void)webView; }
  virtual void didFailLoadWithError(WebView& webView, const WebViewError& error) { (void)webView; (void)error; }
};

class WebView : public View {
 public:
  WebView(ConstructionKey<WebView>, const Rect& frame);
  ~WebView() override;
  static std::shared_ptr<WebView> create(const Rect& frame = {});
  std::string className() const override { return "WebView"; }

  std::shared_ptr<WebViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<WebViewDelegate> delegate) { delegate_ = std::move(delegate); }

  void loadRequest(const UrlRequest& request);
  void loadHTMLString(const std::string& html, const std::string& baseURL);
  void reload();
  void stopLoading();
  bool canGoBack() const;
  bool canGoForward() const;
  void goBack();
  void goForward();
  bool isLoading() const { return loading_; }
  // The request of the page shown (its address after redirects), or of the
  // load in progress; empty before any load.
  const UrlRequest& request() const { return request_; }

  std::string stringByEvaluatingJavaScriptFromString(const std::string& script);
  const std::vector<std::string>& evaluatedScripts() const { return scripts_; }

  // The loaded page: its HTML as received (for the renderer), the address its
  // relative links resolve against, and what the scan found in it.
  const std::string& loadedHTML() const { return html_; }
  const std::string& baseURL() const { return pageUrl_; }
  const HtmlPage& page() const { return page_; }
  bool hasLoadedPage() const { return pageLoaded_; }

  // A finger on a link of the loaded page: the first link whose text equals
  // `text`, else the first that contains it. Goes through
  // shouldStartLoadWithRequest (navigation type LinkClicked), then loads.
  // False when the page has no such link.
  bool followLink(const std::string& text);
  // The front-most visible web view on screen (the driver's tap-link target).
  static std::shared_ptr<WebView> frontMostWebView();

  // Settings the page display honours; recorded.
  bool scalesPageToFit() const { return scalesPageToFit_; }
  void setScalesPageToFit(bool on) { scalesPageToFit_ = on; }
  // The view the page scrolls in.
  std::shared_ptr<View> scrollView() const { return scrollView_; }
  void layoutSubviews() override;

  // The HTTP client every web view loads through; its reachability status says
  // whether the device is offline (tests and the driver set it).
  static net::HttpClientLayer& client();

 private:
  struct HistoryEntry {
    UrlRequest request;
    std::optional<std::string> html;  // a page loaded from a string
  };
  void navigate(const HistoryEntry& entry, WebViewNavigationType type, std::optional<std::size_t> historyIndex);
  void cancelCurrent();
  void finish(std::uint64_t generation, const std::string& html, const std::string& url);
  void fail(std::uint64_t generation, int code, const std::string& description);

  std::weak_ptr<WebViewDelegate> delegate_;
  std::shared_ptr<View> scrollView_;
  UrlRequest request_;
  bool loading_ = false;
  std::uint64_t generation_ = 0;
  std::shared_ptr<net::HttpOperation> operation_;
  HistoryEntry pending_;
  std::optional<std::size_t> pendingHistoryIndex_;
  WebViewNavigationType pendingType_ = WebViewNavigationType::Other;
  std::vector<HistoryEntry> history_;
  std::size_t historyIndex_ = 0;  // valid when history_ is not empty
  std::string html_;
  std::string pageUrl_;
  HtmlPage page_;
  bool pageLoaded_ = false;
  std::vector<std::string> scripts_;
  bool scalesPageToFit_ = false;
};

}  // namespace platform
