#pragma once
// What a person sees of the views on screen, worked out in one pass over every
// shown window, front-most first. The test driver, the script runner and the
// tree dump share this one notion, so that a look-up, a touch and an
// expectation agree with the picture.
//
// A view is visible when it is not hidden, its alpha is at least 0.01 (so are
// its ancestors'), it is in a shown window, some of it lies inside the screen
// and the bounds of every ancestor that clips, no container keeps it out of
// sight (ViewController::keepsChildOutOfSight: the screens a navigation
// container holds under its top one), and it is not wholly covered by opaque
// views drawn in front of it. Opaque means a background colour without
// transparency, seen at full alpha; a view's own descendants never cover it
// (they are part of what is seen of it).
//
// The visible part of a view is its frame on screen, cut by the clipping
// ancestors and by opaque views in front that cover a whole edge band of it.
//
// The pass walks the windows front to back and each tree front to back,
// keeping the rectangles of the opaque views already passed; one not inside an
// earlier one is kept, so the list stays short (bars, panels, whole screens)
// and a look at the whole of home stays linear in its views in practice.
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/ui/Geometry.h"

namespace platform {

class View;

class ViewVisibility {
 public:
  // What is visible now, across every shown window (laid out first, as the
  // renderer does before it draws).
  static ViewVisibility ofScreen();

  // The visible views, front-most first (a view after everything drawn over it).
  const std::vector<std::shared_ptr<View>>& frontToBack() const { return frontToBack_; }
  bool isVisible(const View& view) const;
  // The part a person sees, in screen coordinates; empty when not visible.
  Rect visiblePart(const View& view) const;

 private:
  ViewVisibility() = default;
  struct Pass;

  std::vector<std::shared_ptr<View>> frontToBack_;
  std::unordered_map<const View*, Rect> parts_;
};

}  // namespace platform
