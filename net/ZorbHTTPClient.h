#pragma once
// The HTTP client in the form the app uses it: every request a GET of an
// absolute address with the parameters in the query string, a 15-second
// time-out, never a locally cached answer, and the signed-in user's cookie.
#include <functional>
#include <memory>
#include <string>

#include "platform/net/HttpClientLayer.h"

namespace vorn {

inline constexpr char kHeaderUserAgent[] = "User-Agent";
inline constexpr char kHeaderAcceptLanguage[] = "Accept-Language";
inline constexpr char kHeaderCookie[] = "Cookie";
inline constexpr double kRequestTimeoutSeconds = 15.0;

// The user's preferred languages, as the "Accept-Language" header lists them.
inline constexpr const char* kPreferredLanguages[] = {"zh-Hans", "en"};

class ZorbHTTPClient : public platform::net::HttpClientLayer {
 public:
  using Success = std::function<void(platform::net::HttpOperation&, const platform::Value& answer)>;
  using Failure = std::function<void(platform::net::HttpOperation&, const platform::net::HttpError&)>;

  // A base address with a path gains a trailing "/". Reachability of its host is
  // watched only when `reachabilityFlag`.
  ZorbHTTPClient(const std::string& baseUrl, bool reachabilityFlag);

  // A request for exactly `url` with the default headers and a 15 s time-out.
  // Parameters (a dictionary; null for none) of a GET, HEAD or DELETE follow as
  // the query string after "?", or after "&" when the address already holds a
  // "?"; an empty dictionary still appends the bare separator.
  platform::net::HttpRequest requestWithMethod(const std::string& method, const std::string& url,
                                               const platform::Value& parameters) const;

  // Sends one GET of `url` with the parameters and the signed-in user's cookie
  // header. The cookie goes only to the portal's own hosts.
  void postUrl(const std::string& url, const platform::Value& parameters, Success success, Failure failure);

  // "vorn/5.1.0 (iPhone; iOS 8.4; Scale/2.00)": executable (or bundle identifier),
  // bundle version, device model, system version and screen scale.
  static std::string userAgent();
  static std::string acceptLanguage();

  // The signed-in user's cookie header value; the application's core installs
  // it (none is sent before).
  static void setCookieProvider(std::function<std::string()> provider);

  // Expires when this client is destroyed: work queued for it checks it first.
  std::weak_ptr<const void> lifetime() const { return lifetime_; }

 private:
  std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
};

}  // namespace vorn
