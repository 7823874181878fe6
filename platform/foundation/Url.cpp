#include "platform/foundation/Url.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/foundation/Text.h"

namespace platform {

namespace {

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Characters that may stand in an address (RFC 3986 unreserved, reserved and "%").
bool allowedInAddress(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  if (c <= 0x20 || c >= 0x7F) return false;
  switch (c) {
    case '"': case '<': case '>': case '\\': case '^': case '`': case '{': case '|': case '}':
      return false;
    default:
      return true;
  }
}

bool validEscapes(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!allowedInAddress(text[i])) return false;
    if (text[i] == '%') {
      if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) return false;
      i += 2;
    }
  }
  return true;
}

std::size_t schemeLength(std::string_view text) {
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return 0;
  for (std::size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == ':') return i;
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.')) return 0;
  }
  return 0;
}

bool parseAuthority(std::string_view authority, Url& url) {
  auto at = authority.rfind('@');
  if (at != std::string_view::npos) {
    url.user = std::string(authority.substr(0, at));
    authority.remove_prefix(at + 1);
  }
  std::string_view hostPart = authority;
  std::string_view portPart;
  bool hasPort = false;
  if (!authority.empty() && authority.front() == '[') {
    auto close = authority.find(']');
    if (close == std::string_view::npos) return false;
    hostPart = authority.substr(0, close + 1);
    std::string_view rest = authority.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return false;
      portPart = rest.substr(1);
      hasPort = true;
    }
  } else {
    auto colon = authority.find(':');
    if (colon != std::string_view::npos) {
      hostPart = authority.substr(0, colon);
      portPart = authority.substr(colon + 1);
      hasPort = true;
    }
  }
  if (hostPart.find_first_of("[]") != std::string_view::npos && hostPart.front() != '[') return false;
  url.host = std::string(hostPart);
  if (hasPort) {
    if (portPart.empty() || portPart.size() > 5) return false;
    int port = 0;
    for (char c : portPart) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
      port = port * 10 + (c - '0');
    }
    if (port > 65535) return false;
    url.port = port;
  }
  return true;
}

std::string removeDotSegments(std::string_view path) {
  std::vector<std::string> out;
  bool absolute = !path.empty() && path.front() == '/';
  auto pieces = split(path, "/");
  if (absolute) pieces.erase(pieces.begin());
  bool trailingSlash = false;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const std::string& p = pieces[i];
    bool last = i + 1 == pieces.size();
    if (p == ".") {
      trailingSlash = last;
    } else if (p == "..") {
      if (!out.empty()) out.pop_back();
      trailingSlash = last;
    } else {
      out.push_back(p);
      trailingSlash = false;
    }
  }
  std::string result = absolute ? "/" : "";
  result += join(out, "/");
  if (trailingSlash && !out.empty()) result += "/";
  return result;
}

void appendPairs(std::vector<std::pair<std::string, const Value*>>& pairs, const std::string& name,
                 const Value& value);

void sortedPairs(std::vector<std::pair<std::string, const Value*>>& pairs, const Value& dict,
                 const std::string& prefix) {
  std::vector<std::pair<std::string, const Value*>> entries;
  for (auto it = dict.begin(); it != dict.end(); ++it) entries.emplace_back(it.key(), &it.value());
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return compareIgnoringCase(a.first, b.first) < 0;
  });
  for (auto& [key, value] : entries) {
    appendPairs(pairs, prefix.empty() ? key : prefix + "[" + key + "]", *value);
  }
}

void appendPairs(std::vector<std::pair<std::string, const Value*>>& pairs, const std::string& name,
                 const Value& value) {
  if (value.is_object()) {
    sortedPairs(pairs, value, name);
  } else if (value.is_array()) {
    for (const auto& item : value) appendPairs(pairs, name + "[]", item);
  } else {
    pairs.emplace_back(name, &value);
  }
}

}  // namespace

std::string Url::absoluteString() const {
  std::string out;
  if (!scheme.empty()) out += scheme + ":";
  if (hasAuthority) {
    out += "//";
    if (!user.empty()) out += user + "@";
    out += hostAndPort();
  }
  out += path;
  if (query) out += "?" + *query;
  if (fragment) out += "#" + *fragment;
  return out;
}

std::string Url::lastPathComponent() const {
  std::string_view p = path;
  while (p.size() > 1 && p.back() == '/') p.remove_suffix(1);
  if (p == "/") return "/";
  auto slash = p.rfind('/');
  return std::string(slash == std::string_view::npos ? p : p.substr(slash + 1));
}

std::string Url::pathExtension() const {
  std::string last = lastPathComponent();
  auto dot = last.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == last.size()) return "";
  return last.substr(dot + 1);
}

std::string Url::hostAndPort() const {
  return port ? host + ":" + std::to_string(*port) : host;
}

bool Url::isHttpOrHttps() const {
  return equalsIgnoringCase(scheme, "http") || equalsIgnoringCase(scheme, "https");
}

std::optional<Url> parseUrl(std::string_view text) {
  if (text.empty() || !validEscapes(text)) return std::nullopt;
  Url url;
  std::string_view rest = text;
  auto hash = rest.find('#');
  if (hash != std::string_view::npos) {
    url.fragment = std::string(rest.substr(hash + 1));
    if (url.fragment->find('#') != std::string::npos) return std::nullopt;
    rest = rest.substr(0, hash);
  }
  if (std::size_t n = schemeLength(rest)) {
    url.scheme = std::string(rest.substr(0, n));
    rest.remove_prefix(n + 1);
  }
  auto question = rest.find('?');
  if (question != std::string_view::npos) {
    url.query = std::string(rest.substr(question + 1));
    rest = rest.substr(0, question);
  }
  if (hasPrefix(rest, "//")) {
    rest.remove_prefix(2);
    auto slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    url.hasAuthority = true;
    if (!parseAuthority(authority, url)) return std::nullopt;
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
  }
  url.path = std::string(rest);
  if (url.scheme.empty() && !url.hasAuthority && url.path.empty() && !url.query && !url.fragment) {
    return std::nullopt;
  }
  // What cannot be given back as read ("//@host", a port written "080") is refused,
  // so an address that was checked is the address that is sent.
  if (url.absoluteString() != text) return std::nullopt;
  return url;
}

std::optional<Url> resolveUrl(const Url& base, std::string_view reference) {
  auto ref = parseUrl(reference);
  if (!ref) {
    if (!reference.empty()) return std::nullopt;
    ref = Url{};
  }
  if (!ref->scheme.empty()) {
    ref->path = removeDotSegments(ref->path);
    return ref;
  }
  Url out;
  out.scheme = base.scheme;
  out.fragment = ref->fragment;
  if (ref->hasAuthority) {
    out.hasAuthority = true;
    out.user = ref->user;
    out.host = ref->host;
    out.port = ref->port;
    out.path = removeDotSegments(ref->path);
    out.query = ref->query;
    return out;
  }
  out.hasAuthority = base.hasAuthority;
  out.user = base.user;
  out.host = base.host;
  out.port = base.port;
  if (ref->path.empty()) {
    out.path = base.path;
    out.query = ref->query ? ref->query : base.query;
  } else {
    if (ref->path.front() == '/') {
      out.path = removeDotSegments(ref->path);
    } else {
      std::string merged;
      if (base.hasAuthority && base.path.empty()) {
        merged = "/" + ref->path;
      } else {
        auto slash = base.path.rfind('/');
        merged = (slash == std::string::npos ? std::string() : base.path.substr(0, slash + 1)) + ref->path;
      }
      out.path = removeDotSegments(merged);
    }
    out.query = ref->query;
  }
  return out;
}

std::string buildQueryString(const Value& parameters) {
  if (!parameters.is_object()) return "";
  std::vector<std::pair<std::string, const Value*>> pairs;
  sortedPairs(pairs, parameters, "");
  std::string out;
  for (const auto& [name, value] : pairs) {
    if (!out.empty()) out += '&';
    out += escapeQueryComponent(name);
    if (value->is_null()) continue;
    out += '=';
    out += escapeQueryComponent(textOf(*value));
  }
  return out;
}

std::string appendQueryString(std::string_view address, std::string_view query) {
  std::string out(address);
  out += address.find('?') == std::string_view::npos ? '?' : '&';
  out += query;
  return out;
}

Value parseQueryString(std::string_view query) {
  Value out = Value::object();
  if (!query.empty() && query.front() == '?') query.remove_prefix(1);
  for (const std::string& pair : split(query, "&")) {
    if (pair.empty()) continue;
    auto eq = pair.find('=');
    std::string name = pair.substr(0, eq);
    std::string value = eq == std::string::npos ? std::string() : pair.substr(eq + 1);
    if (name.empty()) continue;
    std::string key = percentUnescape(name).value_or(name);
    out[key] = percentUnescape(value).value_or(value);
  }
  return out;
}

}  // namespace platform
