#pragma once
// Text helpers. Every text is UTF-8 std::string. Where the client counts
// characters it counts UTF-16 code units, as the phone's string type did: a CJK
// character is 1, an emoji outside the basic plane is 2.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// ---- UTF-16 view of UTF-8 text ----------------------------------------------
// Invalid UTF-8 bytes count as one unit each (they read as U+FFFD).
std::size_t utf16Length(std::string_view text);
// The units [from, from + length) as UTF-8. The range is clamped to the text
// (never throws); a surrogate pair cut in half by either end is left out.
std::string utf16Substring(std::string_view text, std::size_t from,
                           std::size_t length = std::string_view::npos);
// Units [0, to) and [from, end).
std::string utf16SubstringTo(std::string_view text, std::size_t to);
std::string utf16SubstringFrom(std::string_view text, std::size_t from);
// Byte offset in `text` of the UTF-16 unit offset `units` (clamped to the text).
std::size_t byteOffsetOfUtf16(std::string_view text, std::size_t units);
// UTF-16 unit offset of the byte offset `bytes`.
std::size_t utf16OffsetOfByte(std::string_view text, std::size_t bytes);

// Conversions; invalid input is replaced by U+FFFD, never rejected.
std::u16string toUtf16(std::string_view text);
std::string fromUtf16(std::u16string_view text);
std::u32string toCodePoints(std::string_view text);
std::string fromCodePoints(std::u32string_view text);
bool isValidUtf8(std::string_view text);

// ---- Trimming, comparing, searching ---------------------------------------
// White space: Unicode space separators (incl. U+3000 and U+00A0) and tab;
// newlines: LF, VT, FF, CR, U+0085, U+2028, U+2029.
std::string trimWhitespace(std::string_view text);
std::string trimWhitespaceAndNewlines(std::string_view text);

bool hasPrefix(std::string_view text, std::string_view prefix);
bool hasSuffix(std::string_view text, std::string_view suffix);
bool contains(std::string_view text, std::string_view part);

// Appends one code point as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void appendUtf8(std::string& out, char32_t cp);

// Case-insensitive (Unicode simple case folding) comparisons and search.
int compareIgnoringCase(std::string_view a, std::string_view b);  // <0, 0, >0
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool containsIgnoringCase(std::string_view text, std::string_view part);
// Byte offset of the first case-insensitive occurrence in `text`; nullopt when absent.
std::optional<std::size_t> findIgnoringCase(std::string_view text, std::string_view part);

std::string lowercase(std::string_view text);
std::string uppercase(std::string_view text);

// Every occurrence of `from` replaced by `to` (an empty `from` changes nothing).
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
// Pieces between occurrences of `separator`, empty pieces kept; an empty
// separator gives the whole text as one piece. The empty text gives {""}.
std::vector<std::string> split(std::string_view text, std::string_view separator);
std::string join(const std::vector<std::string>& pieces, std::string_view separator);

// ---- Percent-escaping ------------------------------------------------------
// Escapes every byte of the UTF-8 text as "%XX" (upper-case hex) except ASCII
// letters, digits and the characters listed in `unescaped`.
std::string percentEscape(std::string_view text, std::string_view unescaped);
// The characters a query name or value keeps unescaped in the form encoding of
// requests: ":/?&=;+!@#$()~'" and everything not allowed in an address are escaped.
inline constexpr char kQueryComponentUnescaped[] = "-_.*,[]";
// The characters an address text keeps when the whole address is escaped
// (the platform's escaping of address strings).
inline constexpr char kUrlStringUnescaped[] = "!#$&'()*+,-./:;=?@_~";
std::string escapeQueryComponent(std::string_view text);
// Decodes "%XX" sequences. nullopt when a "%" is not followed by two hex digits
// or the result is not valid UTF-8 (the platform answered nil then).
std::optional<std::string> percentUnescape(std::string_view text);

// ---- Encodings ------------------------------------------------------------
// UTF-8 <-> GB 18030 through iconv; nullopt when the input cannot be converted.
std::optional<std::string> toGB18030(std::string_view utf8);
std::optional<std::string> fromGB18030(std::string_view gb18030);

// ---- Formatting and digests -----------------------------------------------
// printf-style formatting: format("%.1fMB", 0.1) == "0.1MB".
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
// SHA-1 of the bytes as 40 lower-case hex digits.
std::string sha1Hex(std::string_view bytes);
// Bytes as lower-case hex.
std::string hexOf(std::string_view bytes);

}  // namespace platform
