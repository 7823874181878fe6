#pragma once
// Deterministic text measurement: the advance of every character comes from a
// compiled-in table (Latin letters, digits and ASCII punctuation from the
// advances of the CJK font the renderer draws with; CJK characters and
// full-width forms one em), so every machine and every test measures the same.
// Widths and heights of measured text are rounded up to whole points, as the
// platform's measuring calls do.
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

namespace platform {

enum class LineBreakMode { WordWrap = 0, CharWrap = 1, Clip = 2, TruncateHead = 3, TruncateTail = 4,
                           TruncateMiddle = 5 };

inline constexpr char kEllipsis[] = "\xE2\x80\xA6";  // "…"

struct TextLayout {
  std::vector<std::string> lines;
  Size size;  // rounded up
};

namespace TextMetrics {

// The advance of one character in `font`, in points (not rounded).
double advance(char32_t codepoint, const Font& font);
// The unrounded width of a text on one line (line breaks ignored).
double lineWidth(const std::string& text, const Font& font);

// One line per line break of the text; the width of the widest.
Size sizeOfText(const std::string& text, const Font& font);
// Within `constraint` (a width or height of 0 means unlimited): wrapped by
// words or characters, or cut to one line (clip and truncation modes). Lines
// that do not fit the height are dropped.
Size sizeOfText(const std::string& text, const Font& font, Size constraint, LineBreakMode mode);

// The lines a label would show: wrapped within `width`, at most `maxLines`
// lines (0 = no limit); with a truncating mode the last shown line ends
// (or starts, or is cut in the middle) with "…" when text is left over.
TextLayout layoutText(const std::string& text, const Font& font, double width, LineBreakMode mode,
                      int maxLines = 0);

// A one-line text cut to fit `width` with "…" where the mode says.
std::string truncate(const std::string& text, const Font& font, double width, LineBreakMode mode);

// UTF-8 helpers: the code points of a text (invalid bytes become U+FFFD), and back.
std::u32string decode(const std::string& text);
std::string encode(const std::u32string& text);

}  // namespace TextMetrics
}  // namespace platform
