#pragma once
// Addresses: parsing into parts, the absolute text, and query strings.
// Malformed input is an empty result (nullopt), never an exception or a crash.
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"

namespace platform {

struct Url {
  std::string scheme;                  // as written ("http"); empty for a relative address
  bool hasAuthority = false;           // "//" followed the scheme (or began the address)
  std::string user;                    // user info before "@", as written
  std::string host;                    // as written; IPv6 hosts keep their brackets
  std::optional<int> port;             // only when the address names one
  std::string path;                    // as written, escapes kept ("/cms/list.php")
  std::optional<std::string> query;    // after "?" (may be empty), before "#"
  std::optional<std::string> fragment; // after "#"

  // The address as text; for a parsed address exactly the text it came from.
  std::string absoluteString() const;
  // The part after the last "." of the last path component ("json"), or "".
  std::string pathExtension() const;
  std::string lastPathComponent() const;
  // "host" or "host:port".
  std::string hostAndPort() const;
  // The scheme is http or https (any case).
  bool isHttpOrHttps() const;
  bool isAbsolute() const { return !scheme.empty(); }
};

// Parses an address. nullopt for text that is not a valid address: characters
// that may not stand in one (spaces, controls, non-ASCII, "\"<>\\^`{|}"), a "%"
// not followed by two hex digits, a second "#", a bad port (empty, non-digits,
// > 65535), and anything whose absoluteString() would differ from the text.
std::optional<Url> parseUrl(std::string_view text);

// Resolves a reference against a base address (RFC 3986, dot segments removed).
std::optional<Url> resolveUrl(const Url& base, std::string_view reference);

// The form encoding of parameters: "name=value" pairs joined by "&", names in
// ascending order compared without regard to case, names and values escaped with
// escapeQueryComponent (Text.h). A value's text form is used (numbers in decimal);
// arrays give "name[]=v" per item, dictionaries "name[key]=v"; null gives "name".
// Anything but a dictionary gives "".
std::string buildQueryString(const Value& parameters);
// address + ("?" when it holds no "?", else "&") + query.
std::string appendQueryString(std::string_view address, std::string_view query);

// "a=1&b=%E5%8C%97" -> {"a": "1", "b": "北"}: pairs split at "&", name and value
// at the first "=", each percent-unescaped (kept as written when that fails); a
// pair without "=" has the value ""; empty pairs are skipped; a repeated name
// keeps its last value. Always a dictionary (empty for empty input).
Value parseQueryString(std::string_view query);

}  // namespace platform
