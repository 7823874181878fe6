#include "platform/render/TextPainter.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace platform::render {
namespace {

// The font's vertical metrics in units of the em (2048 units): what the
// metrics model lays lines out with.
constexpr double kAscender = 1918.0 / 2048;
constexpr double kDescender = 483.0 / 2048;
constexpr char kEllipsisText[] = "\xE2\x80\xA6";

// One Pango context for all text, with hinting off and grey antialiasing so
// that drawing is the same at every scale and on every machine; drawing
// updates it to the target's transformation.
PangoContext* sharedContext() {
  static PangoContext* context = [] {
    PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(c, fo);
    cairo_font_options_destroy(fo);
    return c;
  }();
  return context;
}

PangoFontDescription* fontDescription(double pointSize, bool bold) {
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, kRenderFontFamily);
  pango_font_description_set_absolute_size(desc, std::max(1.0, pointSize) * PANGO_SCALE);
  pango_font_description_set_weight(desc, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  return desc;
}

// A layout of the text: for drawing into `cr`, or for measuring (null).
PangoLayout* makeLayout(cairo_t* cr, const std::string& text, double pointSize, bool bold) {
  PangoContext* context = sharedContext();
  if (cr) pango_cairo_update_context(cr, context);
  else pango_context_set_matrix(context, nullptr);
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* desc = fontDescription(pointSize, bold);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  return layout;
}

// The text as one line: line breaks and tabs become spaces.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

// Byte offsets where each UTF-8 character starts, plus the end.
std::vector<std::size_t> characterStarts(const std::string& text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  starts.push_back(text.size());
  return starts;
}

bool isSpace(const std::string& text, std::size_t at) { return text[at] == ' '; }

// Greedy word wrap (CJK text breaks between any characters).
std::vector<std::string> wrapLines(const std::string& text, double pointSize, bool bold, double width) {
  std::vector<std::string> lines;
  if (text.find('\n') == std::string::npos && measureTextLine(text, pointSize, bold) <= width) return {text};
  std::size_t paragraphStart = 0;
  while (paragraphStart <= text.size()) {
    std::size_t end = text.find('\n', paragraphStart);
    if (end == std::string::npos) end = text.size();
    std::string paragraph = text.substr(paragraphStart, end - paragraphStart);
    auto starts = characterStarts(paragraph);
    std::size_t lineStart = 0;
    while (lineStart < paragraph.size()) {
      // The longest run of characters from lineStart that fits.
      std::size_t fit = lineStart, lastBreak = std::string::npos;
      for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        if (starts[k] < lineStart) continue;
        std::size_t next = starts[k + 1];
        if (measureTextLine(paragraph.substr(lineStart, next - lineStart), pointSize, bold) > width && fit > lineStart)
          break;
        fit = next;
        if (isSpace(paragraph, starts[k])) lastBreak = next;
        else if (static_cast<unsigned char>(paragraph[starts[k]]) >= 0xE0) lastBreak = next;  // wide characters
      }
      std::size_t cut = fit;
      if (fit < paragraph.size() && lastBreak != std::string::npos && lastBreak > lineStart &&
          !isSpace(paragraph, fit))
        cut = lastBreak;
      std::string line = paragraph.substr(lineStart, cut - lineStart);
      while (!line.empty() && line.back() == ' ') line.pop_back();
      lines.push_back(line);
      lineStart = cut;
      while (lineStart < paragraph.size() && paragraph[lineStart] == ' ') ++lineStart;
    }
    if (paragraph.empty()) lines.emplace_back();
    paragraphStart = end + 1;
  }
  return lines;
}

std::string withEllipsis(const std::string& line, double pointSize, bool bold, double width) {
  auto starts = characterStarts(line);
  for (std::size_t k = starts.size(); k-- > 0;) {
    std::string candidate = line.substr(0, starts[k]) + kEllipsisText;
    if (measureTextLine(candidate, pointSize, bold) <= width || k == 0) return candidate;
  }
  return kEllipsisText;
}

}  // namespace

double lineHeightFor(double pointSize) { return std::ceil(pointSize * (kAscender + kDescender)); }

double measureTextLine(const std::string& text, double pointSize, bool bold) {
  if (text.empty()) return 0;
  // Screens draw the same texts frame after frame.
  static std::map<std::tuple<std::string, double, bool>, double> cache;
  auto key = std::make_tuple(text, pointSize, bold);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  PangoLayout* layout = makeLayout(nullptr, oneLine(text), pointSize, bold);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  g_object_unref(layout);
  double width = static_cast<double>(logical.width) / PANGO_SCALE;
  if (cache.size() > 20000) cache.clear();
  cache.emplace(std::move(key), width);
  return width;
}

void drawTextLine(PaintContext& context, const std::string& text, double pointSize, bool bold, const Color& color,
                  Point origin) {
  if (text.empty() || color.isClear()) return;
  cairo_t* cr = context.cr;
  PangoLayout* layout = makeLayout(cr, oneLine(text), pointSize, bold);
  double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
  cairo_move_to(cr, origin.x, origin.y + pointSize * kAscender - baseline);
  pango_cairo_show_layout(cr, layout);
  g_object_unref(layout);
}

void drawTextBlock(PaintContext& context, const std::string& text, double pointSize, bool bold, const Color& color,
                   const Rect& rect, TextAlignment alignment, int maxLines) {
  if (text.empty() || rect.width() <= 0 || rect.height() <= 0) return;
  double lineHeight = lineHeightFor(pointSize);
  auto lines = wrapLines(text, pointSize, bold, rect.width());
  int fitting = std::max(1, static_cast<int>(std::floor(rect.height() / lineHeight)));
  int shown = maxLines > 0 ? std::min(maxLines, fitting) : fitting;
  if (static_cast<int>(lines.size()) > shown) {
    lines.resize(static_cast<std::size_t>(shown));
    lines.back() = withEllipsis(lines.back(), pointSize, bold, rect.width());
  } else if (!lines.empty() && measureTextLine(lines.back(), pointSize, bold) > rect.width()) {
    lines.back() = withEllipsis(lines.back(), pointSize, bold, rect.width());
  }
  double top = rect.y() + (rect.height() - lineHeight * static_cast<double>(lines.size())) / 2;
  for (auto& line : lines) {
    double w = measureTextLine(line, pointSize, bold);
    double x = rect.x();
    if (alignment == TextAlignment::Center) x += (rect.width() - w) / 2;
    else if (alignment == TextAlignment::Right) x += rect.width() - w;
    drawTextLine(context, line, pointSize, bold, color, {x, top});
    top += lineHeight;
  }
}

}  // namespace platform::render

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps its font cache for the life of the process (and the
// desktop's display libraries theirs); the leak checker would report them at
// exit in every program that draws.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libpango\nleak:libSDL2\nleak:libX11\nleak:libdbus\nleak:libwayland\n";
}
#endif
