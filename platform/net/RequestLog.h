#pragma once
// One listener hears of every request any client of the layer sends (the
// automation interface writes them to its requests log). The listener gets
// the headers as sent, secrets included: masking them is its job.
#include <cstddef>
#include <functional>
#include <string>

#include "platform/net/HttpHeaders.h"

namespace platform::net {

struct SentRequest {
  std::string method;
  std::string url;  // with its query
  HttpHeaders headers;
  std::size_t bodyBytes = 0;
  // 0 for the request as the client made it; 1, 2... for the requests the
  // layer sent on its own, following redirects (headers as they went out).
  int redirectHop = 0;
};

using RequestLogger = std::function<void(const SentRequest&)>;

// Called on the main thread, in the order the requests were sent. Empty: none.
void setRequestLogger(RequestLogger logger);

// For the layer: reports one request (on the main thread, later if needed).
void logSentRequest(SentRequest request);

}  // namespace platform::net
