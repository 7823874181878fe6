#pragma once
// Pictures for painters: a platform Image drawn into a rectangle (upright,
// smoothly scaled), stretchable pictures drawn with their caps kept and the
// middle stretched, the placement of a picture by a view's content mode, and
// pattern colours tiled.
#include "platform/render/Renderer.h"
#include "platform/ui/Image.h"
#include "platform/ui/View.h"

namespace platform::render {

// Where a picture of `imageSize` points goes in `bounds` under a content mode:
// stretched to fill, scaled to fit or to fill keeping its proportions (centred),
// or at its own size centred or pinned to an edge or corner.
Rect imageRectForContentMode(ContentMode mode, Size imageSize, const Rect& bounds);

// Draws the picture into `rect` (points) with `alpha`. A stretchable picture
// keeps its caps at their size (scaled down only when the rectangle is
// smaller than the caps) and stretches the rest.
void drawImage(PaintContext& context, const Image& image, const Rect& rect, double alpha = 1);

// Draws the picture into `bounds` placed by the content mode, clipped to the bounds.
void drawImageInBounds(PaintContext& context, const Image& image, const Rect& bounds, ContentMode mode,
                       double alpha = 1);

// Fills a rounded rectangle with a colour, tiling its pattern picture when it has one.
void fillWithColor(PaintContext& context, const Rect& rect, double radius, const Color& color);

}  // namespace platform::render
