#pragma once
// Paints view trees with Cairo and Pango: every visible window of the
// application in level order (normal, status bar, alert), the status bar and
// the keyboard, at the screen's scale (2 pixels a point).
//
// What is drawn is what is on screen at a moment: the presentation values of
// running animations (position, bounds, transform, opacity, background colour)
// at that time on the main loop's clock. Hidden views and views with an alpha
// below 0.01 are not drawn, as they take no touches either.
//
// Views draw their background, layer (corner radius, border, contents picture,
// placed by the view's content mode) and children generically; classes with
// content of their own (labels, buttons, pictures, text fields, web and map
// views...) have a painter registered under their class name or for their
// type (which their subclasses share). A class without one still shows its
// automation text, so a new screen appears without changes here.
//
// A screen picture lays out what waits for layout first, as the display pass
// on the device follows the layout pass.
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "platform/render/Bitmap.h"
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

typedef struct _cairo cairo_t;

namespace platform {
class View;
class Window;
}  // namespace platform

namespace platform::render {

struct RenderOptions {
  // Pixels a point; 0: the main screen's scale.
  double scale = 0;
  // Main-loop time whose presentation values are drawn; NaN: now.
  double time = std::numeric_limits<double>::quiet_NaN();
  // The status bar (time at top, 20 points) unless the application hides it.
  bool statusBar = true;
};

// The whole screen: every visible window in level order, the status bar and
// the keyboard. The picture is the main screen's size times the scale.
Bitmap renderScreen(const RenderOptions& options = {});
// One view and its subtree into a picture of its bounds' size.
Bitmap renderView(const View& view, const RenderOptions& options = {});

// What a painter draws with: the Cairo context in the view's own coordinates
// (points; the origin at the top left of its bounds), the time being drawn.
struct PaintContext {
  cairo_t* cr = nullptr;
  double time = 0;
  double scale = 2;
};

// Draws a view's own content over its background, before its subviews.
// `bounds` is the view's presentation bounds (the origin is the scroll offset).
using ViewPainter = std::function<void(PaintContext& context, const View& view, const Rect& bounds)>;
// Registers (or replaces) the painter of views whose className() is `className`.
void registerPainter(const std::string& className, ViewPainter painter);
// Registers the painter of a view class and all its subclasses, whatever
// class names they answer (a screen's own label or button class keeps its
// base's look). Among these the first registered that matches a view wins,
// so a subclass is registered before its base.
void registerTypePainter(bool (*matches)(const View& view), ViewPainter painter);
template <class T>
void registerPainterForType(ViewPainter painter) {
  registerTypePainter([](const View& view) { return dynamic_cast<const T*>(&view) != nullptr; }, std::move(painter));
}
// The painter for a class name, or null when none is registered by that name.
const ViewPainter* painterFor(const std::string& className);
// The painter that draws a view: the one registered under its class name,
// else the one of the nearest registered type; null when neither.
const ViewPainter* painterFor(const View& view);

// Fills a rounded rectangle (radius 0: plain) with a colour.
void fillRoundedRect(PaintContext& context, const Rect& rect, double radius, const Color& color);
void strokeRoundedRect(PaintContext& context, const Rect& rect, double radius, double lineWidth, const Color& color);
// A rectangle cut down to what the clip can show (with a margin for strokes),
// so huge views stay within Cairo's coordinate range.
Rect visiblePart(cairo_t* cr, const Rect& rect);
// Adds a rounded rectangle (radius 0: plain) to the context's path.
void addRoundedRectPath(cairo_t* cr, const Rect& rect, double radius);

inline constexpr char kRenderFontFamily[] = "WenQuanYi Micro Hei";

}  // namespace platform::render
