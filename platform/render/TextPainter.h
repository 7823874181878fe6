#pragma once
// Text drawing for painters: WenQuanYi Micro Hei through Pango, laid out by
// the platform's metrics model (line breaks, widths for alignment, line
// height, ascender), so what is drawn lines up with what screens measured.
// Hinting, pixel rounding of glyph positions, kerning and ligatures are off so
// glyphs advance as the model says at any scale; characters whose advance the
// model does not take from the font are drawn one by one, centred in theirs.
#include <string>

#include "platform/render/Renderer.h"
#include "platform/ui/Font.h"
#include "platform/ui/TextMetrics.h"

namespace platform::render {

enum class TextAlignment { Left = 0, Center = 1, Right = 2 };

// One line, its line box's top left at `origin` (the baseline one ascender below).
void drawTextLine(PaintContext& context, const std::string& text, const Font& font, const Color& color, Point origin);

// The lines the metrics model gives for `rect`'s width (at most `maxLines`, 0:
// as many as fit the height; with truncating modes the last ends in "…"),
// centred vertically in `rect` and aligned across it.
void drawTextBlock(PaintContext& context, const std::string& text, const Font& font, const Color& color,
                   const Rect& rect, TextAlignment alignment, int maxLines,
                   LineBreakMode mode = LineBreakMode::TruncateTail);

// A text with links (an HTML page's), wrapped by Pango within `width` from
// `origin`: plain runs in `color`, link runs blue and underlined. Answers the
// height drawn.
struct TextRun {
  std::string text;
  bool link = false;
};
double drawRichText(PaintContext& context, const std::vector<TextRun>& runs, const Font& font, const Color& color,
                    Point origin, double width);

// Dark text on light backgrounds, white on dark: the first background colour
// behind the view (itself, then its superviews).
Color inkFor(const View& view);

}  // namespace platform::render
