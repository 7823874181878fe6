#include "platform/ui/WebView.h"

#include <functional>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Url.h"
#include "platform/net/HttpClientLayer.h"
#include "platform/net/Reachability.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {
constexpr char kBlankAddress[] = "about:blank";
constexpr char kScriptBodyInner[] = "document.body.innerHTML";
constexpr char kScriptTitle[] = "document.title";

std::shared_ptr<WebView> frontMostIn(const std::shared_ptr<View>& view) {
  if (view->isHidden() || view->alpha() < 0.01) return nullptr;
  const auto& subs = view->subviews();
  for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
    if (auto found = frontMostIn(*it)) return found;
  }
  return std::dynamic_pointer_cast<WebView>(view);
}
}  // namespace

WebView::WebView(ConstructionKey<WebView>, const Rect& frame) : View(frame) {}

std::shared_ptr<WebView> WebView::create(const Rect& frame) {
  auto web = std::make_shared<WebView>(ConstructionKey<WebView>{}, frame);
  web->scrollView_ = View::create(Rect(0, 0, frame.width(), frame.height()));
  web->scrollView_->setBackgroundColor(Color::clear());
  web->addSubview(web->scrollView_);
  return web;
}

WebView::~WebView() {
  if (operation_) operation_->cancel();
}

net::HttpClientLayer& WebView::client() {
  // Lives as long as the process: operations in flight at exit must not outlive it.
  static auto* layer = new net::HttpClientLayer("");
  return *layer;
}

void WebView::layoutSubviews() {
  View::layoutSubviews();
  scrollView_->setFrame(Rect(0, 0, bounds().width(), bounds().height()));
}

void WebView::loadRequest(const UrlRequest& request) {
  navigate(HistoryEntry{request, std::nullopt}, WebViewNavigationType::Other, std::nullopt);
}

void WebView::loadHTMLString(const std::string& html, const std::string& baseURL) {
  UrlRequest request = UrlRequest::requestWithURL(baseURL.empty() ? kBlankAddress : baseURL);
  navigate(HistoryEntry{request, html}, WebViewNavigationType::Other, std::nullopt);
}

void WebView::reload() {
  if (pageLoaded_ && !history_.empty()) {
    navigate(history_[historyIndex_], WebViewNavigationType::Reload, historyIndex_);
  } else if (!pending_.request.url.empty()) {
    navigate(pending_, WebViewNavigationType::Reload, std::nullopt);
  }
}

void WebView::stopLoading() { cancelCurrent(); }

bool WebView::canGoBack() const { return !history_.empty() && historyIndex_ > 0; }

bool WebView::canGoForward() const { return !history_.empty() && historyIndex_ + 1 < history_.size(); }

void WebView::goBack() {
  if (canGoBack()) navigate(history_[historyIndex_ - 1], WebViewNavigationType::BackForward, historyIndex_ - 1);
}

void WebView::goForward() {
  if (canGoForward()) navigate(history_[historyIndex_ + 1], WebViewNavigationType::BackForward, historyIndex_ + 1);
}

void WebView::cancelCurrent() {
  if (!loading_) return;
  ++generation_;  // whatever the cancelled load still reports is dropped
  loading_ = false;
  if (operation_) operation_->cancel();
  operation_.reset();
  std::weak_ptr<WebView> weak = weakSelf(this);
  std::string url = request_.url;
  dispatchMain([weak, url] {
    auto self = weak.lock();
    if (!self) return;
    if (auto d = self->delegate()) {
      d->didFailLoadWithError(*self, WebViewError{kWebErrorDomain, kWebErrorCancelled, "cancelled", url});
    }
  });
}

void WebView::navigate(const HistoryEntry& entry, WebViewNavigationType type,
                       std::optional<std::size_t> historyIndex) {
  auto keep = shared_from_this();
  if (auto d = delegate()) {
    if (!d->shouldStartLoadWithRequest(*this, entry.request, type)) return;
  }
  cancelCurrent();
  std::uint64_t generation = ++generation_;
  loading_ = true;
  request_ = entry.request;
  pending_ = entry;
  pendingType_ = type;
  pendingHistoryIndex_ = historyIndex;

  std::weak_ptr<WebView> weak = weakSelf(this);
  dispatchMain([weak, generation] {
    auto self = weak.lock();
    if (!self || self->generation_ != generation) return;
    if (auto d = self->delegate()) d->webViewDidStartLoad(*self);
  });

  if (entry.html) {
    std::string html = *entry.html;
    std::string url = entry.request.url;
    dispatchMain([weak, generation, html, url] {
      if (auto self = weak.lock()) self->finish(generation, html, url);
    });
    return;
  }
  auto parsed = parseUrl(entry.request.url);
  if (!parsed || !parsed->isHttpOrHttps()) {
    dispatchMain([weak, generation] {
      if (auto self = weak.lock()) self->fail(generation, kWebErrorUnsupportedURL, "unsupported URL");
    });
    return;
  }
  if (client().reachabilityStatus() == net::kReachabilityNotReachable) {
    dispatchMain([weak, generation] {
      if (auto self = weak.lock()) self->fail(generation, kWebErrorNotConnected, "the device is offline");
    });
    return;
  }
  net::HttpRequest request = client().requestForUrl(entry.request.method, entry.request.url);
  request.timeoutSeconds = entry.request.timeoutInterval > 0 ? entry.request.timeoutInterval
                                                             : kUrlRequestDefaultTimeout;
  request.body = entry.request.body;
  operation_ = client().send(
      std::move(request),
      [weak, generation](net::HttpOperation& op, const Value&) {
        if (auto self = weak.lock()) self->finish(generation, op.response().body, op.response().url);
      },
      [weak, generation](net::HttpOperation& op, const net::HttpError& error) {
        auto self = weak.lock();
        if (!self) return;
        switch (error.kind) {
          case net::HttpErrorKind::BadStatus:  // a server's error page is still a page
            self->finish(generation, op.response().body, op.response().url);
            break;
          case net::HttpErrorKind::TimedOut:
            self->fail(generation, kWebErrorTimedOut, error.description);
            break;
          case net::HttpErrorKind::Cancelled:
            self->fail(generation, kWebErrorCancelled, error.description);
            break;
          default:
            self->fail(generation, error.code != 0 ? error.code : net::kErrorCannotConnectToHost, error.description);
        }
      });
}

void WebView::finish(std::uint64_t generation, const std::string& html, const std::string& url) {
  if (generation != generation_) return;
  auto keep = shared_from_this();
  loading_ = false;
  operation_.reset();
  html_ = html;
  pageUrl_ = url.empty() ? pending_.request.url : url;
  request_.url = pageUrl_;
  page_ = scanHtml(html_);
  pageLoaded_ = true;
  if (pendingHistoryIndex_ && *pendingHistoryIndex_ < history_.size()) {
    historyIndex_ = *pendingHistoryIndex_;
  } else {
    if (!history_.empty()) history_.resize(historyIndex_ + 1);
    HistoryEntry entry = pending_;
    entry.request.url = pageUrl_;
    history_.push_back(entry);
    historyIndex_ = history_.size() - 1;
  }
  if (auto d = delegate()) d->webViewDidFinishLoad(*this);
}

void WebView::fail(std::uint64_t generation, int code, const std::string& description) {
  if (generation != generation_) return;
  auto keep = shared_from_this();
  loading_ = false;
  operation_.reset();
  if (auto d = delegate()) d->didFailLoadWithError(*this, WebViewError{kWebErrorDomain, code, description, request_.url});
}

std::string WebView::stringByEvaluatingJavaScriptFromString(const std::string& script) {
  scripts_.push_back(script);
  if (!pageLoaded_) return {};
  std::string expression = trimWhitespaceAndNewlines(script);
  while (!expression.empty() && expression.back() == ';') expression.pop_back();
  expression = trimWhitespaceAndNewlines(expression);
  if (expression == kScriptBodyInner) return page_.bodyInner;
  if (expression == kScriptTitle) return page_.title;
  return {};
}

bool WebView::followLink(const std::string& text) {
  if (!pageLoaded_) return false;
  const HtmlLink* chosen = nullptr;
  for (const auto& link : page_.links) {
    if (link.text == text) {
      chosen = &link;
      break;
    }
  }
  if (!chosen) {
    for (const auto& link : page_.links) {
      if (!text.empty() && contains(link.text, text)) {
        chosen = &link;
        break;
      }
    }
  }
  if (!chosen) return false;
  std::string href = trimWhitespaceAndNewlines(chosen->href);
  if (hasPrefix(lowercase(href), "javascript:")) return true;  // scripts do not run here
  std::string target = href;
  if (auto base = parseUrl(pageUrl_)) {
    if (auto resolved = resolveUrl(*base, href)) target = resolved->absoluteString();
  }
  navigate(HistoryEntry{UrlRequest::requestWithURL(target), std::nullopt}, WebViewNavigationType::LinkClicked,
           std::nullopt);
  return true;
}

std::shared_ptr<WebView> WebView::frontMostWebView() {
  auto windows = Application::sharedApplication().windows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (auto found = frontMostIn(*it)) return found;
  }
  return nullptr;
}

}  // namespace platform
