#pragma once
// Text drawing for painters: WenQuanYi Micro Hei through Pango, placed by the
// platform's metrics model (line height, ascender), with hinting off so glyphs
// advance as the font says at any scale.
#include <string>

#include "platform/render/Renderer.h"

namespace platform::render {

enum class TextAlignment { Left = 0, Center = 1, Right = 2 };

// One line, its top left at `origin` (the line box's top; the baseline is one
// ascender below).
void drawTextLine(PaintContext& context, const std::string& text, double pointSize, bool bold, const Color& color,
                  Point origin);
// The width of one line as the renderer's font draws it.
double measureTextLine(const std::string& text, double pointSize, bool bold);
// The height of one line box at this size.
double lineHeightFor(double pointSize);

// A block of text wrapped by words within `rect`'s width, at most `maxLines`
// lines (0: as many as fit), cut with "…" at the end when text is left over,
// centred vertically in `rect` and aligned across it.
void drawTextBlock(PaintContext& context, const std::string& text, double pointSize, bool bold, const Color& color,
                   const Rect& rect, TextAlignment alignment, int maxLines);

}  // namespace platform::render
