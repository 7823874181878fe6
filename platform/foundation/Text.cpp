#include "platform/foundation/Text.h"

#include <iconv.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/locid.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i]; advances i. Invalid or truncated sequences,
// overlong forms and surrogates read as U+FFFD and consume one byte.
char32_t decodeAt(std::string_view text, std::size_t& i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra;
  char32_t cp;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; min = 0x10000; }
  else { ++i; return kReplacement; }
  if (i + static_cast<std::size_t>(extra) >= text.size()) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k) {
    unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}


std::size_t unitsOf(char32_t cp) { return cp >= 0x10000 ? 2 : 1; }

bool isNewline(char32_t c) {
  return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 ||
         c == 0x2029;
}

bool isSpace(char32_t c) {
  return c == 0x09 || u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}

std::string trimIf(std::string_view text, bool newlines) {
  auto drop = [&](char32_t c) { return isSpace(c) || (newlines && isNewline(c)); };
  std::size_t begin = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t at = i;
    if (!drop(decodeAt(text, i))) {
      begin = at;
      break;
    }
    begin = i;
  }
  std::size_t end = begin;
  i = begin;
  while (i < text.size()) {
    char32_t c = decodeAt(text, i);
    if (!drop(c)) end = i;
  }
  return std::string(text.substr(begin, end - begin));
}

struct Folded {
  std::u32string chars;
  std::vector<std::size_t> offsets;  // byte offset of each code point in the source
};

Folded fold(std::string_view text) {
  Folded f;
  std::size_t i = 0;
  while (i < text.size()) {
    f.offsets.push_back(i);
    f.chars.push_back(static_cast<char32_t>(
        u_foldCase(static_cast<UChar32>(decodeAt(text, i)), U_FOLD_CASE_DEFAULT)));
  }
  return f;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> convert(std::string_view input, const char* to, const char* from) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::string in(input);
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  std::array<char, 4096> buffer{};
  bool ok = true;
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    std::size_t r = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      ok = false;  // EILSEQ (cannot convert) or EINVAL (truncated input)
      break;
    }
  }
  if (ok) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    ::iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
  }
  ::iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}

// A compact SHA-1 (FIPS 180-1); used for file names, not for security.
struct Sha1 {
  std::uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};

  static std::uint32_t rol(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

  void block(const unsigned char* p) {
    std::uint32_t w[80];
    for (int i = 0; i < 16; ++i) {
      w[i] = (std::uint32_t(p[4 * i]) << 24) | (std::uint32_t(p[4 * i + 1]) << 16) |
             (std::uint32_t(p[4 * i + 2]) << 8) | std::uint32_t(p[4 * i + 3]);
    }
    for (int i = 16; i < 80; ++i) w[i] = rol(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (int i = 0; i < 80; ++i) {
      std::uint32_t f, k;
      if (i < 20) { f = (b & c) | (~b & d); k = 0x5A827999; }
      else if (i < 40) { f = b ^ c ^ d; k = 0x6ED9EBA1; }
      else if (i < 60) { f = (b & c) | (b & d) | (c & d); k = 0x8F1BBCDC; }
      else { f = b ^ c ^ d; k = 0xCA62C1D6; }
      std::uint32_t t = rol(a, 5) + f + e + k + w[i];
      e = d; d = c; c = rol(b, 30); b = a; a = t;
    }
    h[0] += a; h[1] += b; h[2] += c; h[3] += d; h[4] += e;
  }

  std::string digest(std::string_view data) {
    std::string msg(data);
    std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
    msg += static_cast<char>(0x80);
    while (msg.size() % 64 != 56) msg += '\0';
    for (int i = 7; i >= 0; --i) msg += static_cast<char>((bits >> (8 * i)) & 0xFF);
    for (std::size_t off = 0; off < msg.size(); off += 64) {
      block(reinterpret_cast<const unsigned char*>(msg.data() + off));
    }
    std::string raw;
    for (std::uint32_t v : h) {
      for (int i = 3; i >= 0; --i) raw += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    return raw;
  }
};

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// ---- UTF-16 view -------------------------------------------------------------

std::size_t utf16Length(std::string_view text) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < text.size()) units += unitsOf(decodeAt(text, i));
  return units;
}

std::string utf16Substring(std::string_view text, std::size_t from, std::size_t length) {
  std::size_t end = length > std::string_view::npos - from ? std::string_view::npos : from + length;
  std::string out;
  std::size_t unit = 0;
  std::size_t i = 0;
  while (i < text.size() && unit < end) {
    std::size_t at = i;
    char32_t cp = decodeAt(text, i);
    std::size_t n = unitsOf(cp);
    // Whole characters only: a pair is kept when both of its units are in range.
    if (unit >= from && unit + n <= end) out.append(text.substr(at, i - at));
    unit += n;
  }
  return out;
}

std::string utf16SubstringTo(std::string_view text, std::size_t to) {
  return utf16Substring(text, 0, to);
}

std::string utf16SubstringFrom(std::string_view text, std::size_t from) {
  return utf16Substring(text, from);
}

std::size_t byteOffsetOfUtf16(std::string_view text, std::size_t units) {
  std::size_t unit = 0;
  std::size_t i = 0;
  while (i < text.size() && unit < units) unit += unitsOf(decodeAt(text, i));
  return i;
}

std::size_t utf16OffsetOfByte(std::string_view text, std::size_t bytes) {
  std::size_t unit = 0;
  std::size_t i = 0;
  while (i < text.size() && i < bytes) unit += unitsOf(decodeAt(text, i));
  return unit;
}

std::u16string toUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t cp = decodeAt(text, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string fromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::u32string toCodePoints(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) out += decodeAt(text, i);
  return out;
}

std::string fromCodePoints(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) appendUtf8(out, c);
  return out;
}

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t at = i;
    if (decodeAt(text, i) == kReplacement && !(i - at == 3 && text.substr(at, 3) == "\xEF\xBF\xBD")) {
      return false;
    }
  }
  return true;
}

// ---- Trimming, comparing, searching ----------------------------------------

std::string trimWhitespace(std::string_view text) { return trimIf(text, false); }
std::string trimWhitespaceAndNewlines(std::string_view text) { return trimIf(text, true); }

bool hasPrefix(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool hasSuffix(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

int compareIgnoringCase(std::string_view a, std::string_view b) {
  Folded fa = fold(a);
  Folded fb = fold(b);
  int c = fa.chars.compare(fb.chars);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return compareIgnoringCase(a, b) == 0;
}

std::optional<std::size_t> findIgnoringCase(std::string_view text, std::string_view part) {
  Folded ft = fold(text);
  Folded fp = fold(part);
  std::size_t at = ft.chars.find(fp.chars);
  if (at == std::u32string::npos) return std::nullopt;
  return at < ft.offsets.size() ? ft.offsets[at] : text.size();
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
  return findIgnoringCase(text, part).has_value();
}

std::string lowercase(std::string_view text) {
  icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  s.toLower(icu::Locale::getRoot());
  std::string out;
  s.toUTF8String(out);
  return out;
}

std::string uppercase(std::string_view text) {
  icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  s.toUpper(icu::Locale::getRoot());
  std::string out;
  s.toUTF8String(out);
  return out;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = text.find(separator, pos);
    if (hit == std::string_view::npos) break;
    pieces.emplace_back(text.substr(pos, hit - pos));
    pos = hit + separator.size();
  }
  pieces.emplace_back(text.substr(pos));
  return pieces;
}

std::string join(const std::vector<std::string>& pieces, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i) out.append(separator);
    out.append(pieces[i]);
  }
  return out;
}

// ---- Percent-escaping -------------------------------------------------------

std::string percentEscape(std::string_view text, std::string_view unescaped) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                (c < 0x80 && c != 0 && unescaped.find(ch) != std::string_view::npos);
    if (keep) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

std::string escapeQueryComponent(std::string_view text) {
  return percentEscape(text, kQueryComponentUnescaped);
}

std::optional<std::string> percentUnescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    int hi = hexValue(text[i + 1]);
    int lo = hexValue(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>((hi << 4) | lo);
    i += 2;
  }
  if (!isValidUtf8(out)) return std::nullopt;
  return out;
}

// ---- Encodings ----------------------------------------------------------------

std::optional<std::string> toGB18030(std::string_view utf8) {
  if (!isValidUtf8(utf8)) return std::nullopt;
  return convert(utf8, "GB18030", "UTF-8");
}

std::optional<std::string> fromGB18030(std::string_view gb18030) {
  return convert(gb18030, "UTF-8", "GB18030");
}

// ---- Formatting and digests -------------------------------------------------

std::string format(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, pattern, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), pattern, args);
    out.resize(static_cast<std::size_t>(n));
  }
  va_end(args);
  return out;
}

std::string hexOf(std::string_view bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
  }
  return out;
}

std::string sha1Hex(std::string_view bytes) { return hexOf(Sha1().digest(bytes)); }

}  // namespace platform
