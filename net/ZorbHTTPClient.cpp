#include "net/ZorbHTTPClient.h"

#include <cstdio>

#include "net/PortalHosts.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Url.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"

namespace vorn {
namespace {

bool takesQueryParameters(const std::string& method) {
  return method == "GET" || method == "HEAD" || method == "DELETE";
}

}  // namespace

ZorbHTTPClient::ZorbHTTPClient(const std::string& baseUrl, bool reachabilityFlag)
    : HttpClientLayer(baseUrl, false) {
  setDefaultHeader(kHeaderAcceptLanguage, acceptLanguage());
  setDefaultHeader(kHeaderUserAgent, userAgent());
  if (reachabilityFlag) startMonitoringReachability();
}

platform::net::HttpRequest ZorbHTTPClient::requestWithMethod(const std::string& method, const std::string& url,
                                                             const platform::Value& parameters) const {
  platform::net::HttpRequest request = requestForUrl(method, url);
  request.timeoutSeconds = kRequestTimeoutSeconds;
  if (!parameters.is_null() && takesQueryParameters(method)) {
    request.url += url.find('?') == std::string::npos ? "?" : "&";
    request.url += platform::buildQueryString(parameters);
  }
  return request;
}

namespace {
std::function<std::string()>& cookieProvider() {
  static std::function<std::string()> provider;
  return provider;
}
}  // namespace

void ZorbHTTPClient::setCookieProvider(std::function<std::string()> provider) {
  cookieProvider() = std::move(provider);
}

void ZorbHTTPClient::postUrl(const std::string& url, const platform::Value& parameters, Success success,
                             Failure failure) {
  platform::net::HttpRequest request = requestWithMethod("GET", url, parameters);
  request.shouldHandleCookies = true;
  // The member's cookie identifies them to the portal; an address from an
  // answer that leads elsewhere must not learn it.
  if (PortalHosts::isPortalUrl(request.url) && cookieProvider())
    request.headers.set(kHeaderCookie, cookieProvider()());
  enqueueOperation(operationWithRequest(std::move(request), std::move(success), std::move(failure)));
}

std::string ZorbHTTPClient::userAgent() {
  auto& bundle = platform::Bundle::mainBundle();
  std::string name = bundle.executableName();
  if (name.empty()) name = bundle.bundleIdentifier();
  const auto& device = platform::Device::currentDevice();
  const double screenScale = platform::Screen::mainScreen().scale();
  char scale[32];
  std::snprintf(scale, sizeof scale, "%0.2f", screenScale > 0 ? screenScale : 1.0);
  return name + "/" + bundle.bundleVersion() + " (" + device.model() + "; iOS " + device.systemVersion() +
         "; Scale/" + scale + ")";
}

std::string ZorbHTTPClient::acceptLanguage() {
  std::string languages;
  for (const char* language : kPreferredLanguages) {
    if (!languages.empty()) languages += ", ";
    languages += language;
  }
  return languages + ", en-us;q=0.8";
}

}  // namespace vorn
