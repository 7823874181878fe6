#include "platform/render/Renderer.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <typeindex>
#include <unordered_map>

#include "platform/foundation/Date.h"
#include "platform/foundation/RunLoop.h"
#include "platform/render/BuiltinPainters.h"
#include "platform/render/ImagePainter.h"
#include "platform/render/TextPainter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Image.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace platform::render {
namespace {

// Deeper trees than this are not drawn below this depth: no screen nests so
// far, and a runaway tree must not exhaust the stack.
constexpr int kMaxDepth = 200;
constexpr double kStatusBarHeight = 20;
constexpr double kStatusBarTextSize = 12;
constexpr char kStatusBarTimePattern[] = "HH:mm";

std::map<std::string, ViewPainter>& painters() {
  static std::map<std::string, ViewPainter> table;
  return table;
}

struct TypePainter {
  bool (*matches)(const View&);
  ViewPainter painter;
};
// A deque keeps the painters where they are as more are registered.
std::deque<TypePainter>& typePainters() {
  static std::deque<TypePainter> table;
  return table;
}
// The type painter found for each dynamic type (null: none), so a frame asks
// each class's matchers once.
std::unordered_map<std::type_index, const ViewPainter*>& typeCache() {
  static std::unordered_map<std::type_index, const ViewPainter*> cache;
  return cache;
}

bool finite(const Rect& r) {
  return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) && std::isfinite(r.height());
}
bool finite(const AffineTransform& t) {
  return std::isfinite(t.a) && std::isfinite(t.b) && std::isfinite(t.c) && std::isfinite(t.d) &&
         std::isfinite(t.tx) && std::isfinite(t.ty);
}

void setColor(cairo_t* cr, const Color& c) { cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha); }

}  // namespace

Rect visiblePart(cairo_t* cr, const Rect& rect) {
  double x1, y1, x2, y2;
  cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
  Rect clip(x1 - 8, y1 - 8, x2 - x1 + 16, y2 - y1 + 16);
  if (clip.contains(rect)) return rect;
  return rect.intersection(clip);
}

void addRoundedRectPath(cairo_t* cr, const Rect& rect, double radius) {
  double r = std::min({radius, rect.width() / 2, rect.height() / 2});
  if (r <= 0) {
    cairo_rectangle(cr, rect.x(), rect.y(), rect.width(), rect.height());
    return;
  }
  double x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

namespace {

// The part of a rounded rectangle worth drawing: huge rectangles are cut to
// the clip (their corners are far away anyway).
Rect drawablePart(cairo_t* cr, const Rect& rect, double& radius) {
  Rect part = visiblePart(cr, rect);
  if (!(part == rect)) radius = 0;
  return part;
}

class TreePainter {
 public:
  TreePainter(cairo_t* cr, double time, double scale) { context_.cr = cr; context_.time = time; context_.scale = scale; }

  // Draws `view` in its superview's coordinates.
  void paint(const View& view, int depth) {
    if (depth > kMaxDepth || view.isHidden()) return;
    double t = context_.time;
    double alpha = view.presentationAlpha(t);
    if (!(alpha >= 0.01)) return;
    Rect bounds = view.presentationBounds(t);
    Point center = view.presentationCenter(t);
    AffineTransform transform = view.presentationTransform(t);
    if (!finite(bounds) || !std::isfinite(center.x) || !std::isfinite(center.y) || !finite(transform)) return;
    cairo_t* cr = context_.cr;

    cairo_save(cr);
    cairo_translate(cr, center.x, center.y);
    if (!transform.isIdentity()) {
      cairo_matrix_t m{transform.a, transform.b, transform.c, transform.d, transform.tx, transform.ty};
      // A singular transform (scale 0) shows nothing.
      if (cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) { cairo_restore(cr); return; }
      cairo_matrix_t forward{transform.a, transform.b, transform.c, transform.d, transform.tx, transform.ty};
      cairo_transform(cr, &forward);
    }
    cairo_translate(cr, -bounds.width() / 2, -bounds.height() / 2);
    Rect local(0, 0, bounds.width(), bounds.height());

    bool group = alpha < 1.0;
    if (group) cairo_push_group(cr);

    const Layer& layer = view.layer();
    double radius = layer.cornerRadius;
    paintShadow(view, local, radius);
    Color background = view.presentationBackgroundColor(t);
    if (!background.isClear()) {
      double r = radius;
      Rect part = drawablePart(cr, local, r);
      fillWithColor(context_, part, r, background);
    }

    bool clips = layer.masksToBounds;
    cairo_save(cr);
    if (clips) {
      double r = radius;
      Rect part = drawablePart(cr, local, r);
      addRoundedRectPath(cr, part, r);
      cairo_clip(cr);
    }
    if (!clips || !clipIsEmpty()) {
      cairo_translate(cr, -bounds.x(), -bounds.y());
      // The layer's picture fills the bounds as the content mode places it.
      if (layer.contents) drawImageInBounds(context_, *layer.contents, bounds, view.contentMode());
      if (auto* painter = painterFor(view)) (*painter)(context_, view, bounds);
      else paintGenericContent(context_, view, bounds);
      for (auto& child : view.subviews()) paint(*child, depth + 1);
    }
    cairo_restore(cr);

    // The border lies over the content and the subviews.
    if (layer.borderWidth > 0 && !layer.borderColor.isClear()) {
      double r = radius;
      Rect part = drawablePart(cr, local, r);
      double w = layer.borderWidth;
      strokeRoundedRect(context_, part.insetBy(w / 2, w / 2), std::max(0.0, r - w / 2), w, layer.borderColor);
    }

    if (group) {
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
  }

 private:
  bool clipIsEmpty() {
    double x1, y1, x2, y2;
    cairo_clip_extents(context_.cr, &x1, &y1, &x2, &y2);
    return x2 <= x1 || y2 <= y1;
  }

  void paintShadow(const View& view, const Rect& local, double radius) {
    const Layer& layer = view.layer();
    if (layer.shadowOpacity <= 0 || layer.shadowColor.isClear()) return;
    Color c = layer.shadowColor.withAlpha(layer.shadowColor.alpha * std::min(1.0, layer.shadowOpacity) * 0.5);
    // A soft edge of a few rings instead of a blur.
    int rings = std::max(1, static_cast<int>(std::min(8.0, layer.shadowRadius)));
    for (int i = rings; i >= 1; --i) {
      double grow = layer.shadowRadius * i / rings;
      Rect r = local.offsetBy(layer.shadowOffset.width, layer.shadowOffset.height).insetBy(-grow / 2, -grow / 2);
      double rr = radius + grow / 2;
      Rect part = drawablePart(context_.cr, r, rr);
      fillRoundedRect(context_, part, rr, c.withAlpha(c.alpha / rings));
    }
  }

  PaintContext context_;
};

void paintStatusBar(cairo_t* cr, double time, double scale) {
  auto& app = Application::sharedApplication();
  if (app.isStatusBarHidden()) return;
  PaintContext context{cr, time, scale};
  double width = Screen::mainScreen().bounds().width();
  Color ink = app.statusBarStyle() == StatusBarStyle::LightContent ? Color::white() : Color::black();
  std::string clock = formatDate(time, kStatusBarTimePattern);
  Font font = Font::boldSystemFont(kStatusBarTextSize);
  drawTextBlock(context, clock, font, ink, {0, 0, width, kStatusBarHeight}, TextAlignment::Center, 1);
  // The battery at the right.
  Rect battery(width - 30, 6, 22, 9);
  strokeRoundedRect(context, battery.insetBy(0.5, 0.5), 2, 1, ink);
  fillRoundedRect(context, battery.insetBy(2, 2), 0.5, ink);
  fillRoundedRect(context, {battery.maxX(), 8.5, 1.5, 4}, 0, ink);
}

double resolveTime(const RenderOptions& options) {
  return std::isnan(options.time) ? RunLoop::main().now() : options.time;
}
double resolveScale(const RenderOptions& options) {
  double s = options.scale > 0 ? options.scale : Screen::mainScreen().scale();
  return s > 0 && s <= 8 ? s : 2;
}

struct Canvas {
  Canvas(Bitmap& bitmap, double scale) {
    surface = cairo_image_surface_create_for_data(bitmap.data(), CAIRO_FORMAT_ARGB32, bitmap.width(), bitmap.height(),
                                                  bitmap.stride());
    cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
  }
  ~Canvas() {
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
  }
  cairo_surface_t* surface;
  cairo_t* cr;
};

}  // namespace

void registerPainter(const std::string& className, ViewPainter painter) {
  painters()[className] = std::move(painter);
}

void registerTypePainter(bool (*matches)(const View& view), ViewPainter painter) {
  if (!matches) return;
  typePainters().push_back({matches, std::move(painter)});
  typeCache().clear();
}

const ViewPainter* painterFor(const std::string& className) {
  registerBuiltinPainters();
  auto it = painters().find(className);
  return it == painters().end() ? nullptr : &it->second;
}

const ViewPainter* painterFor(const View& view) {
  if (auto* byName = painterFor(view.className())) return byName;
  auto& cache = typeCache();
  std::type_index type(typeid(view));
  if (auto it = cache.find(type); it != cache.end()) return it->second;
  const ViewPainter* found = nullptr;
  for (auto& entry : typePainters()) {
    if (entry.matches(view)) {
      found = &entry.painter;
      break;
    }
  }
  cache.emplace(type, found);
  return found;
}

void fillRoundedRect(PaintContext& context, const Rect& rect, double radius, const Color& color) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  setColor(context.cr, color);
  addRoundedRectPath(context.cr, rect, radius);
  cairo_fill(context.cr);
}

void strokeRoundedRect(PaintContext& context, const Rect& rect, double radius, double lineWidth, const Color& color) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  setColor(context.cr, color);
  addRoundedRectPath(context.cr, rect, radius);
  cairo_set_line_width(context.cr, lineWidth);
  cairo_stroke(context.cr);
}

Bitmap renderScreen(const RenderOptions& options) {
  double scale = resolveScale(options), time = resolveTime(options);
  Rect screen = Screen::mainScreen().bounds();
  Bitmap bitmap(static_cast<int>(std::lround(screen.width() * scale)),
                static_cast<int>(std::lround(screen.height() * scale)));
  Canvas canvas(bitmap, scale);
  // An empty screen is black, as the device's is.
  cairo_set_source_rgb(canvas.cr, 0, 0, 0);
  cairo_paint(canvas.cr);
  auto windows = Application::sharedApplication().windows();
  for (auto& window : windows)
    if (window) window->layoutIfNeeded();
  TreePainter painter(canvas.cr, time, scale);
  for (auto& window : windows) painter.paint(*window, 0);
  if (options.statusBar) paintStatusBar(canvas.cr, time, scale);
  return bitmap;
}

Bitmap renderView(const View& view, const RenderOptions& options) {
  double scale = resolveScale(options), time = resolveTime(options);
  Rect bounds = view.presentationBounds(time);
  if (!finite(bounds)) return {};
  // At most a few screens' worth of pixels.
  double w = std::clamp(bounds.width() * scale, 0.0, 8192.0), h = std::clamp(bounds.height() * scale, 0.0, 8192.0);
  Bitmap bitmap(static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h)));
  if (bitmap.isEmpty()) return bitmap;
  Canvas canvas(bitmap, scale);
  // The view's bounds at the origin of the picture.
  cairo_translate(canvas.cr, bounds.width() / 2 - view.presentationCenter(time).x,
                  bounds.height() / 2 - view.presentationCenter(time).y);
  TreePainter painter(canvas.cr, time, scale);
  painter.paint(view, 0);
  return bitmap;
}

}  // namespace platform::render
