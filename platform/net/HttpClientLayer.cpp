#include "platform/net/HttpClientLayer.h"

#include <algorithm>
#include <cctype>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Url.h"
#include "platform/net/HttpUrl.h"

namespace platform::net {
namespace {

std::string withTrailingSlash(std::string base) {
  auto url = HttpUrl::parse(base);
  if (!url || url->path == "/" || url->path.empty()) return base;
  if (!url->query.empty()) return base;
  if (base.back() != '/') base += '/';
  return base;
}

}  // namespace

HttpClientLayer::HttpClientLayer(std::string baseUrl, bool monitorReachability,
                                 std::shared_ptr<HttpCookieStore> cookies)
    : baseUrl_(withTrailingSlash(std::move(baseUrl))),
      queue_(std::make_unique<HttpOperationQueue>(std::move(cookies))) {
  auto url = HttpUrl::parse(baseUrl_);
  reachability_ = std::make_unique<Reachability>(url ? url->host : std::string(),
                                                 [this](int status) { reachabilityChanged(status); });
  if (monitorReachability) reachability_->startMonitoring();
}

HttpClientLayer::~HttpClientLayer() {
  reachability_.reset();
  queue_.reset();
}

void HttpClientLayer::setDefaultHeader(const std::string& name, const std::string& value) {
  defaultHeaders_.set(name, value);
}

void HttpClientLayer::clearDefaultHeader(const std::string& name) { defaultHeaders_.remove(name); }

std::string HttpClientLayer::defaultValueForHeader(const std::string& name) const {
  return defaultHeaders_.get(name);
}

HttpRequest HttpClientLayer::requestForUrl(const std::string& method, const std::string& url) const {
  HttpRequest request;
  request.method = method;
  request.url = url;
  request.headers = defaultHeaders_;
  request.timeoutSeconds = kDefaultTimeoutSeconds;
  return request;
}

HttpRequest HttpClientLayer::requestForPath(const std::string& method, const std::string& path,
                                            const Value& parameters) const {
  HttpRequest request = requestForUrl(method, HttpUrl::resolve(baseUrl_, path));
  if (parameters.is_null()) return request;
  std::string query = buildQueryString(parameters);
  if (method == "GET" || method == "HEAD" || method == "DELETE") {
    request.url += (request.url.find('?') == std::string::npos ? "?" : "&") + query;
  } else {
    request.headers.set("Content-Type", kFormContentType);
    request.body = query;
  }
  return request;
}

HttpRequest HttpClientLayer::pictureRequest(const std::string& url) const {
  HttpRequest request = requestForUrl("GET", url);
  request.headers.remove("Cookie");
  request.headers.set("Accept", kPictureAccept);
  request.shouldHandleCookies = false;
  return request;
}

void HttpClientLayer::registerOperationKind(HttpOperationKind kind) {
  auto same = std::find_if(kinds_.begin(), kinds_.end(), [&](const auto& k) { return k.name == kind.name; });
  if (same != kinds_.end()) return;  // registered once, in its first place
  kinds_.push_back(std::move(kind));
}

std::shared_ptr<HttpOperation> HttpClientLayer::operationWithRequest(HttpRequest request,
                                                                     HttpOperation::SuccessBlock success,
                                                                     HttpOperation::FailureBlock failure) const {
  std::shared_ptr<HttpOperation> op;
  for (const auto& kind : kinds_) {
    if (kind.canProcessRequest && kind.make && kind.canProcessRequest(request)) {
      op = kind.make(std::move(request));
      break;
    }
  }
  if (!op) op = std::make_shared<HttpOperation>(std::move(request));
  op->setCompletionBlocks(std::move(success), std::move(failure));
  return op;
}

void HttpClientLayer::enqueueOperation(const std::shared_ptr<HttpOperation>& operation) {
  queue_->addOperation(operation);
}

std::shared_ptr<HttpOperation> HttpClientLayer::send(HttpRequest request, HttpOperation::SuccessBlock success,
                                                     HttpOperation::FailureBlock failure) {
  auto op = operationWithRequest(std::move(request), std::move(success), std::move(failure));
  enqueueOperation(op);
  return op;
}

std::shared_ptr<HttpOperation> HttpClientLayer::get(const std::string& url, HttpOperation::SuccessBlock success,
                                                    HttpOperation::FailureBlock failure) {
  return send(requestForUrl("GET", url), std::move(success), std::move(failure));
}

std::shared_ptr<HttpOperation> HttpClientLayer::post(const std::string& url, std::string body,
                                                     const HttpHeaders& headers, HttpOperation::SuccessBlock success,
                                                     HttpOperation::FailureBlock failure) {
  HttpRequest request = requestForUrl("POST", url);
  for (const auto& [name, value] : headers.fields()) request.headers.set(name, value);
  request.body = std::move(body);
  return send(std::move(request), std::move(success), std::move(failure));
}

void HttpClientLayer::cancelAllHTTPOperations(const std::string& method, const std::string& address) {
  auto url = HttpUrl::parse(HttpUrl::resolve(baseUrl_, address));
  if (!url) return;
  queue_->cancelOperationsWithPath(url->path, method);
}

int HttpClientLayer::reachabilityStatus() const { return reachability_->status(); }

void HttpClientLayer::startMonitoringReachability() { reachability_->startMonitoring(); }

void HttpClientLayer::setReachabilityStatus(int status) { reachability_->setStatus(status); }

void HttpClientLayer::reachabilityChanged(int status) {
  Value info = dictionary();
  info[kReachabilityStatusKey] = status;
  NotificationCenter::defaultCenter().post(kReachabilityDidChangeNotification, std::any(this), info);
}

}  // namespace platform::net
