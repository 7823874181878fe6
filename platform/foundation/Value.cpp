#include "platform/foundation/Value.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
const Value& nullValue() {
  static const Value kNull;
  return kNull;
}

std::string formatReal(double d) {
  if (std::isnan(d)) return "nan";
  if (std::isinf(d)) return d > 0 ? "inf" : "-inf";
  if (d == std::floor(d) && std::fabs(d) < 1e15) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", d);
    return buf;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", d);
  return buf;
}

// Leading number of a text, as the platform's intValue/doubleValue read it.
double leadingNumber(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  const char* start = s.c_str() + i;
  // strtod would also read "inf", "nan" and hex; the platform read only decimals.
  std::size_t j = i;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
  if (j >= s.size() || !(std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.')) return 0.0;
  char* end = nullptr;
  double d = std::strtod(start, &end);
  return end == start ? 0.0 : d;
}
}  // namespace

Value dataValue(const Bytes& bytes) { return Value::binary(Bytes(bytes)); }
Value dataValue(std::string_view bytes) { return Value::binary(Bytes(bytes.begin(), bytes.end())); }

bool isDictionary(const Value& v) { return v.is_object(); }
bool isArray(const Value& v) { return v.is_array(); }
bool isText(const Value& v) { return v.is_string(); }
bool isNumber(const Value& v) { return v.is_number() || v.is_boolean(); }
bool isData(const Value& v) { return v.is_binary(); }
bool isNull(const Value& v) { return v.is_null(); }

const Value& valueFor(const Value& dict, std::string_view key) {
  if (!dict.is_object()) return nullValue();
  auto it = dict.find(key);
  return it == dict.end() ? nullValue() : *it;
}

const Value& valueAt(const Value& arr, std::size_t index) {
  if (!arr.is_array() || index >= arr.size()) return nullValue();
  return arr[index];
}

bool hasKey(const Value& dict, std::string_view key) {
  return dict.is_object() && dict.find(key) != dict.end();
}

std::size_t countOf(const Value& v) {
  return (v.is_array() || v.is_object()) ? v.size() : 0;
}

std::string textOf(const Value& v) {
  switch (v.type()) {
    case Value::value_t::string: return v.get_ref<const std::string&>();
    case Value::value_t::number_integer: return std::to_string(v.get<long long>());
    case Value::value_t::number_unsigned: return std::to_string(v.get<unsigned long long>());
    case Value::value_t::number_float: return formatReal(v.get<double>());
    case Value::value_t::boolean: return v.get<bool>() ? "1" : "0";
    case Value::value_t::null: return "<null>";
    case Value::value_t::binary: return "<data>";
    default: return toJson(v);
  }
}

std::string textOf(const Value& dict, std::string_view key) {
  if (!hasKey(dict, key)) return "(null)";
  return textOf(valueFor(dict, key));
}

std::string plainTextOf(const Value& v) {
  if (v.is_null()) return "";
  std::string t = textOf(v);
  return (t == "(null)" || t == "<null>") ? std::string() : t;
}

std::string plainTextOf(const Value& dict, std::string_view key) {
  return plainTextOf(valueFor(dict, key));
}

long long intValueOf(const Value& v) {
  switch (v.type()) {
    case Value::value_t::string:
    {
      const auto& s = v.get_ref<const std::string&>();
      std::size_t i = 0;
      while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
      return std::strtoll(s.c_str() + i, nullptr, 10);  // saturates like the platform did
    }
    case Value::value_t::number_integer: return v.get<long long>();
    case Value::value_t::number_unsigned: return static_cast<long long>(v.get<unsigned long long>());
    case Value::value_t::number_float: {
      double d = v.get<double>();
      if (std::isnan(d)) return 0;
      if (d >= 9.2e18) return INT64_MAX;
      if (d <= -9.2e18) return INT64_MIN;
      return static_cast<long long>(d);
    }
    case Value::value_t::boolean: return v.get<bool>() ? 1 : 0;
    default: return 0;
  }
}

long long intValueOf(const Value& dict, std::string_view key) { return intValueOf(valueFor(dict, key)); }

double doubleValueOf(const Value& v) {
  switch (v.type()) {
    case Value::value_t::string: return leadingNumber(v.get_ref<const std::string&>());
    case Value::value_t::number_integer:
    case Value::value_t::number_unsigned:
    case Value::value_t::number_float: return v.get<double>();
    case Value::value_t::boolean: return v.get<bool>() ? 1.0 : 0.0;
    default: return 0.0;
  }
}

double doubleValueOf(const Value& dict, std::string_view key) { return doubleValueOf(valueFor(dict, key)); }

bool boolValueOf(const Value& v) {
  if (v.is_string()) {
    const auto& s = v.get_ref<const std::string&>();
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && s[i] == '0') ++i;
    if (i >= s.size()) return false;
    char c = s[i];
    return (c >= '1' && c <= '9') || c == 'Y' || c == 'y' || c == 'T' || c == 't';
  }
  if (v.is_boolean()) return v.get<bool>();
  if (v.is_number()) return doubleValueOf(v) != 0.0;
  return false;
}

bool boolValueOf(const Value& dict, std::string_view key) { return boolValueOf(valueFor(dict, key)); }

Bytes bytesOf(const Value& v) {
  if (v.is_binary()) return Bytes(v.get_binary().begin(), v.get_binary().end());
  if (v.is_string()) {
    const auto& s = v.get_ref<const std::string&>();
    return Bytes(s.begin(), s.end());
  }
  return {};
}

std::string bytesAsString(const Value& v) {
  Bytes b = bytesOf(v);
  return std::string(b.begin(), b.end());
}

namespace {
// True when brackets outside texts nest deeper than kMaxJsonDepth. Counting
// before parsing keeps every later walk over an answer (copies, comparisons,
// handlers that recurse) within a small, fixed stack.
bool nestsTooDeep(std::string_view text) {
  std::size_t depth = 0;
  bool inText = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inText) {
      if (c == '\\') ++i;
      else if (c == '"') inText = false;
      continue;
    }
    if (c == '"') {
      inText = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonDepth) return true;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return false;
}
}  // namespace

std::optional<Value> parseJson(std::string_view text, std::string* error) {
  if (nestsTooDeep(text)) {
    if (error) *error = "JSON nested too deeply";
    return std::nullopt;
  }
  Value v = Value::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
  if (v.is_discarded()) {
    if (error) *error = "malformed JSON";
    return std::nullopt;
  }
  return v;
}

std::optional<Value> parseJson(const Bytes& bytes, std::string* error) {
  return parseJson(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

namespace {
Value withoutBinary(const Value& v);

std::string base64(const Value::binary_t& b) {
  static const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  std::size_t i = 0;
  for (; i + 2 < b.size(); i += 3) {
    unsigned n = (b[i] << 16) | (b[i + 1] << 8) | b[i + 2];
    out += kAlphabet[(n >> 18) & 63]; out += kAlphabet[(n >> 12) & 63];
    out += kAlphabet[(n >> 6) & 63]; out += kAlphabet[n & 63];
  }
  if (i + 1 == b.size()) {
    unsigned n = b[i] << 16;
    out += kAlphabet[(n >> 18) & 63]; out += kAlphabet[(n >> 12) & 63]; out += "==";
  } else if (i + 2 == b.size()) {
    unsigned n = (b[i] << 16) | (b[i + 1] << 8);
    out += kAlphabet[(n >> 18) & 63]; out += kAlphabet[(n >> 12) & 63];
    out += kAlphabet[(n >> 6) & 63]; out += '=';
  }
  return out;
}

Value withoutBinary(const Value& v) {
  if (v.is_binary()) return base64(v.get_binary());
  if (v.is_array()) {
    Value out = Value::array();
    for (const auto& e : v) out.push_back(withoutBinary(e));
    return out;
  }
  if (v.is_object()) {
    Value out = Value::object();
    for (auto it = v.begin(); it != v.end(); ++it) out[it.key()] = withoutBinary(it.value());
    return out;
  }
  return v;
}
}  // namespace

std::string toJson(const Value& v, int indent) {
  return withoutBinary(v).dump(indent, ' ', false, Value::error_handler_t::replace);
}

}  // namespace platform
