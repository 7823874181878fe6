#include "portal/MultipartBody.h"

#include <strings.h>

namespace vorn::portal {
namespace {

std::string trim(const std::string& s) {
  auto begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  auto end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

// The value of `key` in a header such as: form-data; name="a"; filename="b.jpg"
std::string headerParameter(const std::string& header, const std::string& key) {
  std::size_t pos = 0;
  while (pos < header.size()) {
    auto semi = header.find(';', pos);
    std::string item = trim(header.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos));
    auto eq = item.find('=');
    if (eq != std::string::npos && strcasecmp(trim(item.substr(0, eq)).c_str(), key.c_str()) == 0) {
      std::string value = trim(item.substr(eq + 1));
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
      }
      return value;
    }
    if (semi == std::string::npos) break;
    pos = semi + 1;
  }
  return {};
}

}  // namespace

std::vector<MultipartPart> MultipartBody::parse(const std::string& contentType, const std::string& body) {
  std::vector<MultipartPart> parts;
  std::string boundary = headerParameter(contentType, "boundary");
  if (boundary.empty()) return parts;
  const std::string delimiter = "--" + boundary;
  auto pos = body.find(delimiter);
  while (pos != std::string::npos) {
    pos += delimiter.size();
    if (body.compare(pos, 2, "--") == 0) break;  // the closing delimiter
    if (body.compare(pos, 2, "\r\n") != 0) break;
    pos += 2;
    auto headersEnd = body.find("\r\n\r\n", pos);
    if (headersEnd == std::string::npos) break;
    MultipartPart part;
    std::size_t line = pos;
    while (line < headersEnd) {
      auto eol = body.find("\r\n", line);
      if (eol == std::string::npos || eol > headersEnd) eol = headersEnd;
      std::string header = body.substr(line, eol - line);
      auto colon = header.find(':');
      if (colon != std::string::npos) {
        std::string name = trim(header.substr(0, colon));
        std::string value = trim(header.substr(colon + 1));
        if (strcasecmp(name.c_str(), "Content-Disposition") == 0) {
          part.name = headerParameter(value, "name");
          part.filename = headerParameter(value, "filename");
        } else if (strcasecmp(name.c_str(), "Content-Type") == 0) {
          part.contentType = value;
        }
      }
      line = eol + 2;
    }
    auto dataStart = headersEnd + 4;
    auto next = body.find("\r\n" + delimiter, dataStart);
    if (next == std::string::npos) break;
    part.data = body.substr(dataStart, next - dataStart);
    parts.push_back(std::move(part));
    pos = next + 2;
  }
  return parts;
}

}  // namespace vorn::portal
