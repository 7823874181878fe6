#pragma once
// The one dynamic type for dictionaries, arrays, numbers, texts and bytes:
// JSON answers, property lists, user defaults and notification user info.
// Dictionaries keep their insertion order (the order a caller built them in).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace platform {

using Value = nlohmann::ordered_json;
using Bytes = std::vector<std::uint8_t>;

// Building values.
Value dataValue(const Bytes& bytes);
Value dataValue(std::string_view bytes);
inline Value dictionary() { return Value::object(); }
inline Value array() { return Value::array(); }

// Type tests.
bool isDictionary(const Value& v);
bool isArray(const Value& v);
bool isText(const Value& v);
bool isNumber(const Value& v);
bool isData(const Value& v);
bool isNull(const Value& v);

// Safe reading of outside data. A missing key, a non-dictionary or a null
// never throws: it gives the platform's answer for "nothing".
const Value& valueFor(const Value& dict, std::string_view key);  // null Value when absent
const Value& valueAt(const Value& arr, std::size_t index);       // null Value when out of range
bool hasKey(const Value& dict, std::string_view key);
std::size_t countOf(const Value& v);  // elements of an array or dictionary, 0 otherwise

// The "%@" text form: texts as they are, integers in decimal, reals as the
// platform printed them ("%.15g"-like, no trailing zeros), bools as 1/0,
// null as "<null>"; a missing value (see textOfKey) is "(null)".
std::string textOf(const Value& v);
// The text form of dict[key], "(null)" when the key is missing.
std::string textOf(const Value& dict, std::string_view key);
// Text for showing or storing: "" for missing, null, "(null)" and "<null>".
std::string plainTextOf(const Value& v);
std::string plainTextOf(const Value& dict, std::string_view key);

// Numeric conversions as the platform did them: a text gives its leading number
// ("12abc" -> 12, "abc" -> 0, " 7" -> 7), numbers convert, bools are 1/0, others 0.
long long intValueOf(const Value& v);
long long intValueOf(const Value& dict, std::string_view key);
double doubleValueOf(const Value& v);
double doubleValueOf(const Value& dict, std::string_view key);
// Texts: true when the text starts (after spaces and an optional sign/zeros)
// with a non-zero digit or with 'Y', 'y', 'T', 't'. Numbers: non-zero.
bool boolValueOf(const Value& v);
bool boolValueOf(const Value& dict, std::string_view key);

// Bytes of a data value (empty for any other type); texts give their UTF-8.
Bytes bytesOf(const Value& v);
std::string bytesAsString(const Value& v);

// JSON. Malformed input gives nullopt and the reason in *error; never throws.
// Arrays and objects nested deeper than kMaxJsonDepth count as malformed.
inline constexpr std::size_t kMaxJsonDepth = 256;
std::optional<Value> parseJson(std::string_view text, std::string* error = nullptr);
std::optional<Value> parseJson(const Bytes& bytes, std::string* error = nullptr);
// Serialises; data values become base64 texts. Never throws (invalid UTF-8 is replaced).
std::string toJson(const Value& v, int indent = -1);

}  // namespace platform
