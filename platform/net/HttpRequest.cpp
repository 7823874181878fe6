#include "platform/net/HttpRequest.h"

#include <cctype>

namespace platform::net {

std::string HttpResponse::mimeType() const {
  std::string type = headers.get("Content-Type");
  auto semicolon = type.find(';');
  if (semicolon != std::string::npos) type.erase(semicolon);
  std::string out;
  for (char c : type) {
    if (c == ' ' || c == '\t') continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return out;
}

}  // namespace platform::net
