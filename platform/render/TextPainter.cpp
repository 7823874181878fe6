#include "platform/render/TextPainter.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/ui/View.h"

namespace platform::render {
namespace {

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
    // Glyphs go where their advances put them, not rounded to whole pixels,
    // so a line is exactly as wide as the metrics model measures it.
    pango_context_set_round_glyph_positions(c, FALSE);
    return c;
  }();
  return context;
}

PangoLayout* makeLayout(cairo_t* cr, const Font& font) {
  PangoContext* context = sharedContext();
  pango_cairo_update_context(cr, context);
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, kRenderFontFamily);
  pango_font_description_set_absolute_size(desc, std::max(1.0, font.pointSize) * PANGO_SCALE);
  pango_font_description_set_weight(desc, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  // The metrics model adds advances one by one: no kerning, no ligatures.
  PangoAttrList* attributes = pango_attr_list_new();
  pango_attr_list_insert(attributes, pango_attr_font_features_new("kern 0, liga 0"));
  pango_layout_set_attributes(layout, attributes);
  pango_attr_list_unref(attributes);
  return layout;
}

// The text as one line: line breaks and tabs become spaces.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

// Characters the metrics model measures with the drawing font's own advances:
// printable ASCII, CJK ideographs, CJK punctuation and full-width forms.
bool hasFontAdvance(char32_t c) {
  return (c >= 0x20 && c <= 0x7E) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3000 && c <= 0x303F) ||
         (c >= 0xFF01 && c <= 0xFF60);
}

// Pango takes valid UTF-8 only; the metrics model's decoding replaces bad bytes.
std::string validUtf8(const std::string& text) { return TextMetrics::encode(TextMetrics::decode(text)); }

}  // namespace

void drawTextLine(PaintContext& context, const std::string& text, const Font& font, const Color& color, Point origin) {
  if (text.empty() || color.isClear()) return;
  cairo_t* cr = context.cr;
  PangoLayout* layout = makeLayout(cr, font);
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
  // Draws `part` with its left edge at x (centred in `cell` when one is given).
  auto show = [&](const std::u32string& part, double x, double cell) {
    std::string utf8 = TextMetrics::encode(part);
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    if (cell >= 0) {
      PangoRectangle logical;
      pango_layout_get_extents(layout, nullptr, &logical);
      x += (cell - static_cast<double>(logical.width) / PANGO_SCALE) / 2;
    }
    cairo_move_to(cr, x, origin.y + font.ascender() - baseline);
    pango_cairo_show_layout(cr, layout);
  };
  // Runs of characters whose advances the metrics model takes from this font
  // are drawn as they are; any other character is drawn alone, centred in the
  // advance the model gives it, so that the line is as wide as measured.
  std::u32string run;
  double runX = origin.x, x = origin.x;
  for (char32_t c : TextMetrics::decode(oneLine(text))) {
    double advance = TextMetrics::advance(c, font);
    if (hasFontAdvance(c)) {
      if (run.empty()) runX = x;
      run += c;
    } else {
      if (!run.empty()) show(run, runX, -1);
      run.clear();
      if (advance > 0) show(std::u32string(1, c), x, advance);
    }
    x += advance;
  }
  if (!run.empty()) show(run, runX, -1);
  g_object_unref(layout);
}

void drawTextBlock(PaintContext& context, const std::string& text, const Font& font, const Color& color,
                   const Rect& rect, TextAlignment alignment, int maxLines, LineBreakMode mode) {
  if (text.empty() || rect.width() <= 0 || rect.height() <= 0 || color.isClear()) return;
  double lineHeight = font.lineHeight();
  if (!(lineHeight > 0)) return;
  int fitting = std::max(1, static_cast<int>(std::floor(rect.height() / lineHeight + 1e-9)));
  int lines = maxLines > 0 ? std::min(maxLines, fitting) : fitting;
  TextLayout layout = TextMetrics::layoutText(text, font, rect.width(), mode, lines);
  double top = rect.y() + (rect.height() - lineHeight * static_cast<double>(layout.lines.size())) / 2;
  for (auto& line : layout.lines) {
    double w = TextMetrics::lineWidth(line, font);
    double x = rect.x();
    if (alignment == TextAlignment::Center) x += (rect.width() - w) / 2;
    else if (alignment == TextAlignment::Right) x += rect.width() - w;
    drawTextLine(context, line, font, color, {x, top});
    top += lineHeight;
  }
}

double drawRichText(PaintContext& context, const std::vector<TextRun>& runs, const Font& font, const Color& color,
                    Point origin, double width) {
  if (runs.empty() || width <= 0) return 0;
  constexpr char kLinkColour[] = "#0645AD";
  std::string markup;
  for (auto& run : runs) {
    std::string valid = validUtf8(run.text);
    gchar* escaped = g_markup_escape_text(valid.data(), static_cast<gssize>(valid.size()));
    if (run.link) markup += std::string("<span foreground=\"") + kLinkColour + "\" underline=\"single\">";
    markup += escaped;
    if (run.link) markup += "</span>";
    g_free(escaped);
  }
  cairo_t* cr = context.cr;
  PangoLayout* layout = makeLayout(cr, font);
  pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  pango_layout_set_markup(layout, markup.data(), static_cast<int>(markup.size()));
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
  cairo_move_to(cr, origin.x, origin.y);
  pango_cairo_show_layout(cr, layout);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  g_object_unref(layout);
  return static_cast<double>(logical.height) / PANGO_SCALE;
}

Color inkFor(const View& view) {
  for (const View* v = &view; v; v = v->superview().get()) {
    const Color& bg = v->backgroundColor();
    if (bg.alpha < 0.5 || bg.pattern) continue;
    double luminance = 0.299 * bg.red + 0.587 * bg.green + 0.114 * bg.blue;
    return luminance < 0.5 ? Color::white() : Color::rgb255(34, 34, 34);
  }
  return Color::rgb255(34, 34, 34);
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
