#pragma once
// The JSON kind: for requests of a "json" path or that accept JSON; succeeds
// only with a JSON content type and a body that parses, and answers with the
// parsed value.
#include <string>
#include <vector>

#include "platform/net/HttpOperation.h"

namespace platform::net {

inline constexpr char kContentTypeApplicationJson[] = "application/json";
inline constexpr char kContentTypeTextJson[] = "text/json";
inline constexpr char kContentTypeTextJavascript[] = "text/javascript";

class JsonRequestOperation : public HttpOperation {
 public:
  explicit JsonRequestOperation(HttpRequest request) : HttpOperation(std::move(request)) {}

  static const std::vector<std::string>& acceptableContentTypes();
  // A path whose extension is "json", or an "Accept" header naming one of the
  // acceptable content types.
  static bool canProcessRequest(const HttpRequest& request);
  static HttpOperationKind kind();

  bool processResponse(const HttpResponse& response, Value& answer, HttpError& error) const override;
};

}  // namespace platform::net
