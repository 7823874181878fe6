#pragma once
// The compiled-in advance widths of the text metrics model (see TextMetricsTable.cpp).
namespace platform::metrics {

inline constexpr int kUnitsPerEm = 2048;
inline constexpr int kAscender = 1918;
inline constexpr int kDescender = 483;
inline constexpr int kWideAdvance = 2048;    // CJK, kana, hangul, full-width forms, emoji
inline constexpr int kOtherAdvance = 1229;   // other scripts (Latin-1 letters, Greek, Cyrillic)
extern const unsigned short kAsciiAdvance[95];

}  // namespace platform::metrics
