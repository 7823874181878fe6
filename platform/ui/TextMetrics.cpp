#include "platform/ui/TextMetrics.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/TextMetricsTable.h"

namespace platform::TextMetrics {
namespace {

bool isWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x20000 && c <= 0x3FFFD) ||
         (c >= 0x2000 && c <= 0x2BFF && c != 0x200B && c != 0x200C && c != 0x200D);
}

int units(char32_t c) {
  if (c >= 0x20 && c <= 0x7E) return metrics::kAsciiAdvance[c - 0x20];
  if (c < 0x20 || c == 0x7F || c == 0x200B || c == 0x200C || c == 0x200D || c == 0xFEFF) return 0;
  if (c == 0xA0) return metrics::kAsciiAdvance[0];
  return isWide(c) ? metrics::kWideAdvance : metrics::kOtherAdvance;
}

double widthOf(const std::u32string& s, std::size_t from, std::size_t to, const Font& f) {
  long long total = 0;
  for (std::size_t i = from; i < to && i < s.size(); ++i) total += units(s[i]);
  return double(total) * f.pointSize / metrics::kUnitsPerEm;
}

double widthOf(const std::u32string& s, const Font& f) { return widthOf(s, 0, s.size(), f); }

bool isSpace(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }

std::u32string trimEnd(std::u32string s) {
  while (!s.empty() && isSpace(s.back())) s.pop_back();
  return s;
}

// Wraps one paragraph (no line breaks) within `width`.
std::vector<std::u32string> wrapParagraph(const std::u32string& p, const Font& f, double width, bool byChar) {
  std::vector<std::u32string> lines;
  std::u32string line;
  double lineW = 0;
  auto flush = [&] {
    lines.push_back(trimEnd(line));
    line.clear();
    lineW = 0;
  };
  auto placeChars = [&](const std::u32string& piece) {
    for (char32_t c : piece) {
      double w = widthOf(std::u32string(1, c), f);
      if (lineW + w > width && !line.empty()) flush();
      line.push_back(c);
      lineW += w;
    }
  };
  if (byChar) {
    placeChars(p);
  } else {
    std::size_t i = 0;
    while (i < p.size()) {
      std::size_t j = i + 1;
      if (isSpace(p[i])) {
        while (j < p.size() && isSpace(p[j])) ++j;
      } else if (!isWide(p[i])) {
        while (j < p.size() && !isSpace(p[j]) && !isWide(p[j])) ++j;
      }
      std::u32string piece = p.substr(i, j - i);
      double w = widthOf(piece, f);
      if (lineW + w <= width) {
        line += piece;
        lineW += w;
      } else if (isSpace(piece[0])) {
        flush();  // spaces at a break vanish
      } else {
        if (!line.empty()) flush();
        if (w <= width) {
          line = piece;
          lineW = w;
        } else {
          placeChars(piece);  // a word longer than the line is broken by characters
        }
      }
      i = j;
    }
  }
  if (!line.empty() || lines.empty()) lines.push_back(trimEnd(line));
  return lines;
}

std::vector<std::u32string> paragraphs(const std::u32string& s) {
  std::vector<std::u32string> out(1);
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c == U'\r' && i + 1 < s.size() && s[i + 1] == U'\n') continue;
    if (c == U'\n' || c == U'\r' || c == 0x2028 || c == 0x2029) out.emplace_back();
    else out.back().push_back(c);
  }
  return out;
}

std::u32string truncate32(const std::u32string& s, const Font& f, double width, LineBreakMode mode) {
  if (widthOf(s, f) <= width) return s;
  if (mode != LineBreakMode::TruncateHead && mode != LineBreakMode::TruncateMiddle &&
      mode != LineBreakMode::TruncateTail)
    return s;
  const std::u32string dots = U"\u2026";
  double room = width - widthOf(dots, f);
  if (room <= 0) return dots;
  if (mode == LineBreakMode::TruncateTail) {
    std::size_t n = 0;
    while (n < s.size() && widthOf(s, 0, n + 1, f) <= room) ++n;
    return trimEnd(s.substr(0, n)) + dots;
  }
  if (mode == LineBreakMode::TruncateHead) {
    std::size_t n = 0;
    while (n < s.size() && widthOf(s, s.size() - n - 1, s.size(), f) <= room) ++n;
    return dots + s.substr(s.size() - n);
  }
  // Middle: characters from both ends in turn, the head first.
  std::size_t head = 0, tail = 0;
  double used = 0;
  for (bool takeHead = true;; takeHead = !takeHead) {
    if (head + tail >= s.size()) break;
    char32_t c = takeHead ? s[head] : s[s.size() - tail - 1];
    double w = widthOf(std::u32string(1, c), f);
    if (used + w > room) break;
    used += w;
    (takeHead ? head : tail) += 1;
  }
  return s.substr(0, head) + dots + s.substr(s.size() - tail);
}

double ceilPoints(double v) {
  // Rounds up, ignoring floating noise just above a whole number.
  double r = std::round(v);
  if (std::fabs(v - r) < 1e-9) return r;
  return std::ceil(v);
}

}  // namespace

std::u32string decode(const std::string& text) {
  std::u32string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t n = text.size(), i = 0;
  while (i < n) {
    unsigned char c = s[i];
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > n) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (!ok) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += len;
  }
  return out;
}

std::string encode(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out.push_back(char(c));
    } else if (c < 0x800) {
      out.push_back(char(0xC0 | (c >> 6)));
      out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(char(0xE0 | (c >> 12)));
      out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(char(0x80 | (c & 0x3F)));
    } else {
      out.push_back(char(0xF0 | (c >> 18)));
      out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

double advance(char32_t c, const Font& font) { return double(units(c)) * font.pointSize / metrics::kUnitsPerEm; }

double lineWidth(const std::string& text, const Font& font) {
  auto s = decode(text);
  s.erase(std::remove_if(s.begin(), s.end(), [](char32_t c) { return c == U'\n' || c == U'\r'; }), s.end());
  return widthOf(s, font);
}

Size sizeOfText(const std::string& text, const Font& font) {
  if (text.empty()) return {0, 0};
  auto paras = paragraphs(decode(text));
  double w = 0;
  for (auto& p : paras) w = std::max(w, widthOf(p, font));
  return {ceilPoints(w), ceilPoints(double(paras.size()) * font.lineHeight())};
}

TextLayout layoutText(const std::string& text, const Font& font, double width, LineBreakMode mode, int maxLines) {
  TextLayout layout;
  if (text.empty()) return layout;
  bool unlimited = !(width > 0);
  std::vector<std::u32string> lines;
  std::vector<std::u32string> rests;  // for each line, the text from its start to its paragraph's end
  for (auto& p : paragraphs(decode(text))) {
    if (unlimited) {
      lines.push_back(p);
      rests.push_back(p);
      continue;
    }
    auto wrapped = wrapParagraph(p, font, width, mode == LineBreakMode::CharWrap);
    std::size_t offset = 0;
    for (auto& l : wrapped) {
      // Find where this line starts in the paragraph (skipping spaces dropped at breaks).
      while (offset < p.size() && !l.empty() && p.compare(offset, l.size(), l) != 0) ++offset;
      lines.push_back(l);
      rests.push_back(offset < p.size() ? p.substr(offset) : l);
      offset += l.size();
    }
  }
  if (maxLines > 0 && lines.size() > std::size_t(maxLines)) {
    std::size_t last = std::size_t(maxLines) - 1;
    std::u32string rest = rests[last];
    lines.resize(maxLines);
    if (mode == LineBreakMode::TruncateTail) {
      // Text is left over, so the last line ends in "…" even when its own
      // paragraph would fit.
      const std::u32string dots = U"\u2026";
      double room = width - widthOf(dots, font);
      std::size_t n = 0;
      while (n < rest.size() && widthOf(rest, 0, n + 1, font) <= room) ++n;
      lines.back() = trimEnd(rest.substr(0, n)) + dots;
    } else if (mode == LineBreakMode::TruncateHead || mode == LineBreakMode::TruncateMiddle) {
      lines.back() = truncate32(rest, font, width, mode);
    }
  } else if (!unlimited && lines.size() == 1) {
    lines[0] = truncate32(lines[0], font, width, mode);
  }
  double w = 0;
  for (auto& l : lines) {
    w = std::max(w, widthOf(l, font));
    layout.lines.push_back(encode(l));
  }
  if (!unlimited) w = std::min(w, width);
  layout.size = {ceilPoints(w), ceilPoints(double(lines.size()) * font.lineHeight())};
  return layout;
}

Size sizeOfText(const std::string& text, const Font& font, Size constraint, LineBreakMode mode) {
  int maxLines = 0;
  if (constraint.height > 0) maxLines = std::max(1, int(std::floor(constraint.height / font.lineHeight() + 1e-9)));
  return layoutText(text, font, constraint.width, mode, maxLines).size;
}

std::string truncate(const std::string& text, const Font& font, double width, LineBreakMode mode) {
  return encode(truncate32(decode(text), font, width, mode));
}

}  // namespace platform::TextMetrics
