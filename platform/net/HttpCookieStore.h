#pragma once
// Cookies the portal sets, kept per host. A cookie belongs to the exact host
// that set it and goes only to that host (a "Domain" attribute never widens
// it), so a cookie of one portal host never reaches a picture host or any
// other address found in an answer.
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform::net {

struct HttpCookie {
  std::string name;
  std::string value;
  std::string host;  // lower case, exact
  std::string path = "/";
  std::optional<double> expires;  // seconds since 1970 (main loop clock); none: for the session
  bool secure = false;            // only over https
  bool httpOnly = false;
};

class HttpCookieStore {
 public:
  // The process's store; every client uses it unless given another.
  static std::shared_ptr<HttpCookieStore> shared();

  // Keeps the cookies of "Set-Cookie" values received from `url`. A cookie
  // with a past expiry or "Max-Age" 0 or less deletes the stored one.
  void setCookiesFromHeaders(const std::vector<std::string>& setCookieValues, const std::string& url);
  void setCookie(HttpCookie cookie);

  // Live cookies for a request to `url`: same host, path inside the cookie's
  // path, https for secure ones; longer paths first.
  std::vector<HttpCookie> cookiesForUrl(const std::string& url) const;
  // "a=1; b=2" for `url`, "" when none.
  std::string cookieHeaderForUrl(const std::string& url) const;

  // Every live cookie, in the order they were first stored.
  std::vector<HttpCookie> cookies() const;
  void deleteCookiesForHost(const std::string& host);
  void deleteCookie(const std::string& host, const std::string& path, const std::string& name);
  void removeAll();

 private:
  bool expired(const HttpCookie& cookie, double now) const;
  mutable std::mutex mutex_;
  std::vector<HttpCookie> cookies_;
};

}  // namespace platform::net
