#include "core/ConversionData.h"

#include <algorithm>
#include <cstdint>

#include <unicode/ucnv.h>

#include "core/ConversionDataTables.h"

namespace vorn {
namespace {

constexpr char32_t kFirstIdeograph = 0x4E00;
constexpr char32_t kLastIdeograph = 0x9FA5;

// Decodes one UTF-8 sequence at `pos`; `length` receives its byte count. An
// invalid byte decodes as itself (length 1), so it is copied through unchanged.
char32_t decodeAt(std::string_view text, std::size_t pos, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const int extra = lead < 0x80 ? 0
                    : (lead >> 5) == 0x6  ? 1
                    : (lead >> 4) == 0xE  ? 2
                    : (lead >> 3) == 0x1E ? 3
                                          : -1;
  length = 1;
  if (extra <= 0 || pos + extra >= text.size()) return lead;
  char32_t cp = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) return lead;
    cp = (cp << 6) | (b & 0x3F);
  }
  length = static_cast<std::size_t>(extra) + 1;
  return cp;
}

const char* syllableOf(int code) {
  using namespace pinyin;
  if (code >= 1601 && code <= 5589) {
    const SyllableRun* end = kLevel1Runs + kLevel1RunCount;
    const SyllableRun* run = std::upper_bound(
        kLevel1Runs, end, code, [](int c, const SyllableRun& r) { return c < r.first; });
    if (run == kLevel1Runs) return "";
    --run;
    return code <= run->last ? kSyllables[run->syllable] : "";
  }
  const SyllableCode* end = kLevel2Codes + kLevel2CodeCount;
  const SyllableCode* hit = std::lower_bound(
      kLevel2Codes, end, code, [](const SyllableCode& s, int c) { return s.code < c; });
  return hit != end && hit->code == code ? kSyllables[hit->syllable] : "";
}

std::string toGb18030(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  std::string out(text.size() * 2 + 8, '\0');
  int32_t n = ucnv_convert("GB18030", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                           text.data(), static_cast<int32_t>(text.size()), &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    status = U_ZERO_ERROR;
    out.assign(static_cast<std::size_t>(n) + 1, '\0');
    n = ucnv_convert("GB18030", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                     text.data(), static_cast<int32_t>(text.size()), &status);
  }
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace

std::string ConversionData::to_Shouzimu(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = 1;
    const char32_t cp = decodeAt(text, pos, length);
    if (cp >= kFirstIdeograph && cp <= kLastIdeograph && length == 3)
      out.push_back(pinyin::kFirstLetters[cp - kFirstIdeograph]);
    else
      out.append(text.substr(pos, length));
    pos += length;
  }
  return out;
}

std::optional<std::string> ConversionData::pinyinFromChiniseString(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const std::string bytes = toGb18030(text);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b > 95 ? b - 32 : b));
      i += 1;
    } else if (b >= 0xA1 && i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) >= 0xA1) {
      const int code = b * 100 + static_cast<unsigned char>(bytes[i + 1]) - 16160;
      out += syllableOf(code);
      i += 2;
    } else {
      i += 1;
    }
  }
  return out;
}

}  // namespace vorn
