#include "platform/ui/ViewVisibility.h"

#include <cmath>

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

// Below this alpha a view counts as gone (hit testing skips it too).
constexpr double kLeastVisibleAlpha = 0.01;
// At or above this a colour or a view's alpha hides what lies behind it.
constexpr double kOpaqueAlpha = 0.999;
constexpr double kTiny = 1e-9;

// Rotations by quarter turns, scales and moves keep a rectangle a rectangle.
bool keepsRectangles(const AffineTransform& t) {
  return (std::fabs(t.b) < kTiny && std::fabs(t.c) < kTiny) || (std::fabs(t.a) < kTiny && std::fabs(t.d) < kTiny);
}

bool keptOutOfSight(const View& view) {
  auto controller = view.viewController();
  if (!controller) return false;
  auto container = controller->parentViewController();
  return container && container->keepsChildOutOfSight(*controller);
}

}  // namespace

struct ViewVisibility::Pass {
  ViewVisibility& result;
  // What opaque views passed so far cover, in screen coordinates: everything
  // here is drawn in front of the views still to come.
  std::vector<Rect> occluders;

  // `clip`: where on screen the view can show; `origin`: its window's place on
  // screen; `alpha`: its ancestors' alpha multiplied.
  void visit(const std::shared_ptr<View>& view, const Rect& clip, Point origin, double alpha, bool rectangular) {
    if (view->isHidden() || view->alpha() < kLeastVisibleAlpha || keptOutOfSight(*view)) return;
    const Rect onScreen = view->frameInWindow().offsetBy(origin.x, origin.y).intersection(clip);
    // Only what was passed before this view covers it: its descendants come
    // after this mark.
    const std::size_t inFront = occluders.size();
    Rect part = onScreen;
    const bool seen = !part.isEmpty() && !cutByOccluders(part, inFront);
    const double seenAlpha = alpha * view->alpha();
    const bool stillRectangular = rectangular && keepsRectangles(view->transform());

    if (seen || !view->clipsToBounds()) {
      const Rect childClip = view->clipsToBounds() ? onScreen : clip;
      const auto& subviews = view->subviews();
      for (auto it = subviews.rbegin(); it != subviews.rend(); ++it)
        visit(*it, childClip, origin, seenAlpha, stillRectangular);
    }
    if (seen) {
      result.frontToBack_.push_back(view);
      result.parts_.emplace(view.get(), part);
    }
    if (stillRectangular && seenAlpha >= kOpaqueAlpha && view->backgroundColor().alpha >= kOpaqueAlpha)
      addOccluder(onScreen);
  }

  // Whether the occluders before `end` cover `part` wholly; trims from it the
  // edge bands that one of them covers across its whole width or height.
  bool cutByOccluders(Rect& part, std::size_t end) const {
    for (bool trimmed = true; trimmed;) {
      trimmed = false;
      for (std::size_t i = 0; i < end; ++i) {
        const Rect& o = occluders[i];
        if (!o.intersects(part)) continue;
        if (o.contains(part)) return true;
        trimmed = trimEdge(part, o) || trimmed;
      }
    }
    return false;
  }

  static bool trimEdge(Rect& part, const Rect& o) {
    const bool acrossWidth = o.minX() <= part.minX() && o.maxX() >= part.maxX();
    const bool acrossHeight = o.minY() <= part.minY() && o.maxY() >= part.maxY();
    if (acrossWidth && o.minY() <= part.minY()) {
      part = {part.minX(), o.maxY(), part.width(), part.maxY() - o.maxY()};
    } else if (acrossWidth && o.maxY() >= part.maxY()) {
      part = {part.minX(), part.minY(), part.width(), o.minY() - part.minY()};
    } else if (acrossHeight && o.minX() <= part.minX()) {
      part = {o.maxX(), part.minY(), part.maxX() - o.maxX(), part.height()};
    } else if (acrossHeight && o.maxX() >= part.maxX()) {
      part = {part.minX(), part.minY(), o.minX() - part.minX(), part.height()};
    } else {
      return false;
    }
    return true;
  }

  void addOccluder(const Rect& r) {
    if (r.isEmpty()) return;
    for (const Rect& o : occluders)
      if (o.contains(r)) return;
    occluders.push_back(r);
  }
};

ViewVisibility ViewVisibility::ofScreen() {
  ViewVisibility result;
  Pass pass{result, {}};
  const Rect screen = Screen::mainScreen().bounds();
  auto windows = Application::sharedApplication().windows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if ((*it)->isHidden()) continue;
    // A person sees the screen laid out, as the renderer draws it.
    (*it)->layoutIfNeeded();
    const Rect frame = (*it)->frame();
    pass.visit(*it, screen.intersection(frame), frame.origin, 1.0, true);
  }
  return result;
}

bool ViewVisibility::isVisible(const View& view) const { return parts_.count(&view) > 0; }

Rect ViewVisibility::visiblePart(const View& view) const {
  auto it = parts_.find(&view);
  return it == parts_.end() ? Rect() : it->second;
}

}  // namespace platform
