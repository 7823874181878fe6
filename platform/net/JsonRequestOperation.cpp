#include "platform/net/JsonRequestOperation.h"

#include <algorithm>
#include <cctype>

#include "platform/net/HttpUrl.h"

namespace platform::net {
namespace {

std::string trimLower(std::string s) {
  auto semicolon = s.find(';');
  if (semicolon != std::string::npos) s.erase(semicolon);
  std::string out;
  for (char c : s) {
    if (c == ' ' || c == '\t') continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return out;
}

bool acceptable(const std::string& mimeType) {
  const auto& types = JsonRequestOperation::acceptableContentTypes();
  return std::find(types.begin(), types.end(), mimeType) != types.end();
}

}  // namespace

const std::vector<std::string>& JsonRequestOperation::acceptableContentTypes() {
  static const std::vector<std::string> types = {kContentTypeApplicationJson, kContentTypeTextJson,
                                                 kContentTypeTextJavascript};
  return types;
}

bool JsonRequestOperation::canProcessRequest(const HttpRequest& request) {
  if (auto url = HttpUrl::parse(request.url)) {
    const std::string& path = url->path;
    auto slash = path.rfind('/');
    std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    auto dot = last.rfind('.');
    if (dot != std::string::npos && last.substr(dot + 1) == "json") return true;
  }
  for (const auto& accept : request.headers.getAll("Accept")) {
    std::size_t start = 0;
    while (start <= accept.size()) {
      auto comma = accept.find(',', start);
      if (comma == std::string::npos) comma = accept.size();
      if (acceptable(trimLower(accept.substr(start, comma - start)))) return true;
      start = comma + 1;
    }
  }
  return false;
}

HttpOperationKind JsonRequestOperation::kind() {
  return {"json", &JsonRequestOperation::canProcessRequest,
          [](HttpRequest request) -> std::shared_ptr<HttpOperation> {
            return std::make_shared<JsonRequestOperation>(std::move(request));
          }};
}

bool JsonRequestOperation::processResponse(const HttpResponse& response, Value& answer, HttpError& error) const {
  if (!HttpOperation::processResponse(response, answer, error)) return false;
  std::string type = response.mimeType();
  if (!acceptable(type)) {
    error = HttpError::make(HttpErrorKind::NotJson, kErrorCannotDecodeContent,
                            "expected a JSON content type, got \"" + type + "\"", response.status);
    return false;
  }
  std::string reason;
  auto parsed = parseJson(std::string_view(response.body), &reason);
  if (!parsed) {
    error = HttpError::make(HttpErrorKind::NotJson, kErrorCannotDecodeContent, "the body is not JSON: " + reason,
                            response.status);
    return false;
  }
  answer = std::move(*parsed);
  return true;
}

}  // namespace platform::net
