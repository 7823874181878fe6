#pragma once
// One HTTP request as the layer sends it, and the answer it got.
#include <string>

#include "platform/net/HttpHeaders.h"

namespace platform::net {

// Seconds a request may take unless its sender says otherwise.
inline constexpr double kDefaultTimeoutSeconds = 15.0;

struct HttpRequest {
  std::string method = "GET";
  std::string url;  // absolute, with its query; sent as given (not escaped again)
  HttpHeaders headers;
  std::string body;  // sent byte for byte (POST and PUT)
  // Counted on the main run loop's clock, from the moment the request is enqueued.
  double timeoutSeconds = kDefaultTimeoutSeconds;
  // Whether the layer's cookie store adds its cookies for the request's host and
  // keeps the cookies the answer sets. A "Cookie" header the sender set stays;
  // stored cookies of other names are added after it.
  bool shouldHandleCookies = true;
};

struct HttpResponse {
  int status = 0;       // 0 when no answer arrived
  std::string url;      // the address that answered (after redirects)
  HttpHeaders headers;  // of the final answer
  std::string body;

  // The media type of "Content-Type" in lower case, without parameters.
  std::string mimeType() const;
};

}  // namespace platform::net
