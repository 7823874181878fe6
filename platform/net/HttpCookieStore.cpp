#include "platform/net/HttpCookieStore.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpUrl.h"

namespace platform::net {
namespace {

std::string trim(const std::string& s) {
  auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  auto e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

std::string lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The directory of a request path, used when a cookie names no path.
std::string defaultPath(const std::string& requestPath) {
  if (requestPath.empty() || requestPath[0] != '/') return "/";
  auto slash = requestPath.rfind('/');
  if (slash == 0) return "/";
  return requestPath.substr(0, slash);
}

bool pathMatches(const std::string& requestPath, const std::string& cookiePath) {
  if (requestPath == cookiePath) return true;
  if (requestPath.rfind(cookiePath, 0) != 0) return false;
  return cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/';
}

}  // namespace

std::shared_ptr<HttpCookieStore> HttpCookieStore::shared() {
  static auto store = std::make_shared<HttpCookieStore>();
  return store;
}

bool HttpCookieStore::expired(const HttpCookie& cookie, double now) const {
  return cookie.expires && *cookie.expires <= now;
}

void HttpCookieStore::setCookiesFromHeaders(const std::vector<std::string>& values, const std::string& url) {
  auto parsed = HttpUrl::parse(url);
  if (!parsed) return;
  double now = currentTime();
  for (const auto& line : values) {
    HttpCookie cookie;
    cookie.host = parsed->host;
    cookie.path = defaultPath(parsed->path);
    std::optional<double> maxAge;
    std::size_t start = 0;
    bool first = true;
    bool valid = true;
    while (start <= line.size()) {
      auto end = line.find(';', start);
      if (end == std::string::npos) end = line.size();
      std::string item = line.substr(start, end - start);
      start = end + 1;
      auto eq = item.find('=');
      std::string key = trim(eq == std::string::npos ? item : item.substr(0, eq));
      std::string value = eq == std::string::npos ? std::string() : trim(item.substr(eq + 1));
      if (first) {
        first = false;
        if (eq == std::string::npos || key.empty()) {
          valid = false;
          break;
        }
        cookie.name = key;
        cookie.value = value;
        continue;
      }
      std::string attr = lower(key);
      if (attr == "path") {
        if (!value.empty() && value[0] == '/') cookie.path = value;
      } else if (attr == "expires") {
        time_t when = curl_getdate(value.c_str(), nullptr);
        if (when != -1) cookie.expires = static_cast<double>(when);
      } else if (attr == "max-age") {
        char* endp = nullptr;
        long long seconds = std::strtoll(value.c_str(), &endp, 10);
        if (endp && endp != value.c_str()) maxAge = now + static_cast<double>(seconds);
      } else if (attr == "secure") {
        cookie.secure = true;
      } else if (attr == "httponly") {
        cookie.httpOnly = true;
      }
      // "Domain" is ignored on purpose: a cookie stays with the host that set it.
    }
    if (!valid) continue;
    if (maxAge) cookie.expires = maxAge;  // Max-Age wins over Expires
    setCookie(std::move(cookie));
  }
}

void HttpCookieStore::setCookie(HttpCookie cookie) {
  cookie.host = lower(cookie.host);
  if (cookie.path.empty()) cookie.path = "/";
  bool gone = expired(cookie, currentTime());
  std::lock_guard lock(mutex_);
  auto it = std::find_if(cookies_.begin(), cookies_.end(), [&](const HttpCookie& c) {
    return c.host == cookie.host && c.path == cookie.path && c.name == cookie.name;
  });
  if (gone) {
    if (it != cookies_.end()) cookies_.erase(it);
    return;
  }
  if (it != cookies_.end()) {
    *it = std::move(cookie);
  } else {
    cookies_.push_back(std::move(cookie));
  }
}

std::vector<HttpCookie> HttpCookieStore::cookiesForUrl(const std::string& url) const {
  std::vector<HttpCookie> out;
  auto parsed = HttpUrl::parse(url);
  if (!parsed) return out;
  double now = currentTime();
  {
    std::lock_guard lock(mutex_);
    for (const auto& c : cookies_) {
      if (c.host != parsed->host || expired(c, now)) continue;
      if (c.secure && parsed->scheme != "https") continue;
      if (!pathMatches(parsed->path, c.path)) continue;
      out.push_back(c);
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const HttpCookie& a, const HttpCookie& b) { return a.path.size() > b.path.size(); });
  return out;
}

std::string HttpCookieStore::cookieHeaderForUrl(const std::string& url) const {
  std::string header;
  for (const auto& c : cookiesForUrl(url)) {
    if (!header.empty()) header += "; ";
    header += c.name + "=" + c.value;
  }
  return header;
}

std::vector<HttpCookie> HttpCookieStore::cookies() const {
  double now = currentTime();
  std::lock_guard lock(mutex_);
  std::vector<HttpCookie> out;
  for (const auto& c : cookies_) {
    if (!expired(c, now)) out.push_back(c);
  }
  return out;
}

void HttpCookieStore::deleteCookiesForHost(const std::string& host) {
  std::string h = lower(host);
  std::lock_guard lock(mutex_);
  cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(), [&](const HttpCookie& c) { return c.host == h; }),
                 cookies_.end());
}

void HttpCookieStore::deleteCookie(const std::string& host, const std::string& path, const std::string& name) {
  std::string h = lower(host);
  std::lock_guard lock(mutex_);
  cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(),
                                [&](const HttpCookie& c) { return c.host == h && c.path == path && c.name == name; }),
                 cookies_.end());
}

void HttpCookieStore::removeAll() {
  std::lock_guard lock(mutex_);
  cookies_.clear();
}

}  // namespace platform::net
