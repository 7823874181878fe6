#pragma once
// A request for a web view to load: an address, a cache policy (recorded; the
// web view keeps no cache, so every policy fetches) and a time-out.
#include <string>

namespace platform {

// Seconds a web request may take when its sender names no time-out.
inline constexpr double kUrlRequestDefaultTimeout = 60.0;

enum class UrlRequestCachePolicy {
  UseProtocolCachePolicy = 0,
  ReloadIgnoringLocalCacheData = 1,
  ReturnCacheDataElseLoad = 2,
  ReturnCacheDataDontLoad = 3,
};

struct UrlRequest {
  std::string url;
  UrlRequestCachePolicy cachePolicy = UrlRequestCachePolicy::UseProtocolCachePolicy;
  double timeoutInterval = kUrlRequestDefaultTimeout;
  std::string method = "GET";
  std::string body;

  static UrlRequest requestWithURL(std::string url) {
    UrlRequest r;
    r.url = std::move(url);
    return r;
  }
  static UrlRequest requestWithURL(std::string url, UrlRequestCachePolicy policy, double timeout) {
    UrlRequest r;
    r.url = std::move(url);
    r.cachePolicy = policy;
    r.timeoutInterval = timeout;
    return r;
  }
};

}  // namespace platform
