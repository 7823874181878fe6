#pragma once
// The HTTP client the app's API clients are built on: a base address, default
// headers, a registry of operation kinds, an operation queue whose transfers
// run on a libcurl worker thread, a cookie store, and reachability of the base
// address's host. Outcomes reach their blocks on the main run loop.
//
// Requests are never cached locally: every request goes to the network.
//
// Use a client from the main thread. Destroying it stops its worker; blocks of
// requests still in flight never run.
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/net/HttpCookieStore.h"
#include "platform/net/HttpOperation.h"
#include "platform/net/HttpOperationQueue.h"
#include "platform/net/HttpRequest.h"
#include "platform/net/Reachability.h"

namespace platform::net {

inline constexpr char kPictureAccept[] = "image/*";
inline constexpr char kFormContentType[] = "application/x-www-form-urlencoded; charset=utf-8";

class HttpClientLayer {
 public:
  // A base address with a path gets a trailing "/" (so relative paths resolve
  // beneath it). Reachability is watched only when `monitorReachability`.
  explicit HttpClientLayer(std::string baseUrl, bool monitorReachability = false,
                           std::shared_ptr<HttpCookieStore> cookies = HttpCookieStore::shared());
  virtual ~HttpClientLayer();
  HttpClientLayer(const HttpClientLayer&) = delete;
  HttpClientLayer& operator=(const HttpClientLayer&) = delete;

  const std::string& baseURL() const { return baseUrl_; }

  // Default headers, copied into every request the client builds.
  void setDefaultHeader(const std::string& name, const std::string& value);
  void clearDefaultHeader(const std::string& name);
  std::string defaultValueForHeader(const std::string& name) const;
  const HttpHeaders& defaultHeaders() const { return defaultHeaders_; }

  // Building requests.
  // A request for the exact absolute address (not escaped again), with the
  // default headers and the default time-out.
  HttpRequest requestForUrl(const std::string& method, const std::string& url) const;
  // A request for `path` resolved against the base address. With parameters
  // (a dictionary; null for none), GET, HEAD and DELETE append "?" (or "&"
  // when the address already holds one) and the query string; other methods
  // send them form-encoded as the body.
  HttpRequest requestForPath(const std::string& method, const std::string& path,
                             const Value& parameters = Value()) const;
  // The parameters are form-encoded by platform::buildQueryString (Url.h).
  // A picture request: "Accept: image/*", never any cookie.
  HttpRequest pictureRequest(const std::string& url) const;

  // Operation kinds, consulted in the order registered.
  void registerOperationKind(HttpOperationKind kind);
  // An operation of the first registered kind that can process the request,
  // else a plain one; not yet enqueued.
  std::shared_ptr<HttpOperation> operationWithRequest(HttpRequest request, HttpOperation::SuccessBlock success,
                                                      HttpOperation::FailureBlock failure) const;
  void enqueueOperation(const std::shared_ptr<HttpOperation>& operation);

  // Conveniences: build, create and enqueue in one call.
  std::shared_ptr<HttpOperation> send(HttpRequest request, HttpOperation::SuccessBlock success,
                                      HttpOperation::FailureBlock failure);
  std::shared_ptr<HttpOperation> get(const std::string& url, HttpOperation::SuccessBlock success,
                                     HttpOperation::FailureBlock failure);
  // A POST of exactly these bytes with these headers (over the default ones).
  std::shared_ptr<HttpOperation> post(const std::string& url, std::string body, const HttpHeaders& headers,
                                      HttpOperation::SuccessBlock success, HttpOperation::FailureBlock failure);

  // Cancels every unfinished operation whose address path equals the path of
  // `address` (absolute, or relative to the base address); `method` empty: any.
  void cancelAllHTTPOperations(const std::string& method, const std::string& address);

  HttpOperationQueue& operationQueue() { return *queue_; }
  const std::shared_ptr<HttpCookieStore>& cookieStore() const { return queue_->cookieStore(); }

  // Reachability of the base address's host: -1 unknown, 0 none, 1 mobile, 2 Wi-Fi.
  // Each change is posted as kReachabilityDidChangeNotification.
  int reachabilityStatus() const;
  void startMonitoringReachability();
  // Tests and the automation interface: sets the status (posted when it
  // changes); the network interfaces are not followed from then on.
  void setReachabilityStatus(int status);

 private:
  void reachabilityChanged(int status);

  std::string baseUrl_;
  HttpHeaders defaultHeaders_;
  std::vector<HttpOperationKind> kinds_;
  std::unique_ptr<HttpOperationQueue> queue_;
  std::unique_ptr<Reachability> reachability_;
};

}  // namespace platform::net
