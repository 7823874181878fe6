#include "platform/net/HttpUrl.h"

#include <curl/curl.h>

#include <cctype>
#include <memory>

namespace platform::net {
namespace {

struct UrlDeleter {
  void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
struct PartDeleter {
  void operator()(char* p) const { curl_free(p); }
};

std::string part(CURLU* u, CURLUPart which, unsigned flags = 0) {
  char* raw = nullptr;
  if (curl_url_get(u, which, &raw, flags) != CURLUE_OK || !raw) return {};
  std::unique_ptr<char, PartDeleter> owned(raw);
  return std::string(raw);
}

std::string lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::optional<HttpUrl> HttpUrl::parse(const std::string& text) {
  std::unique_ptr<CURLU, UrlDeleter> u(curl_url());
  if (!u) return std::nullopt;
  // Addresses from answers may hold spaces or CJK text; take them as given.
  if (curl_url_set(u.get(), CURLUPART_URL, text.c_str(), CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE) !=
      CURLUE_OK) {
    return std::nullopt;
  }
  HttpUrl url;
  url.scheme = lower(part(u.get(), CURLUPART_SCHEME));
  url.host = lower(part(u.get(), CURLUPART_HOST));
  if (url.host.size() >= 2 && url.host.front() == '[' && url.host.back() == ']') {
    url.host = url.host.substr(1, url.host.size() - 2);
  }
  if (url.host.empty()) return std::nullopt;
  std::string port = part(u.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
  url.port = port.empty() ? 0 : std::atoi(port.c_str());
  url.path = part(u.get(), CURLUPART_PATH);
  if (url.path.empty()) url.path = "/";
  url.query = part(u.get(), CURLUPART_QUERY);
  return url;
}

std::string HttpUrl::resolve(const std::string& base, const std::string& reference) {
  std::unique_ptr<CURLU, UrlDeleter> u(curl_url());
  if (!u) return reference;
  if (curl_url_set(u.get(), CURLUPART_URL, base.c_str(), CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK) return reference;
  if (curl_url_set(u.get(), CURLUPART_URL, reference.c_str(), CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE) !=
      CURLUE_OK) {
    return reference;
  }
  std::string out = part(u.get(), CURLUPART_URL);
  return out.empty() ? reference : out;
}

bool isLoopbackHost(const std::string& host) {
  std::string h = lower(host);
  return h == "localhost" || h == "::1" || h.rfind("127.", 0) == 0 ||
         (h.size() > 10 && h.compare(h.size() - 10, 10, ".localhost") == 0);
}

}  // namespace platform::net
