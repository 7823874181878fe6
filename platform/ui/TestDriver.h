#pragma once
// Drives the interface the way a finger and a keyboard would, on the main
// loop's (virtual) clock: finds views, touches them through hit testing of the
// front-most window, types into the first responder, and dumps the view tree
// as JSON (class, frame in window coordinates, hidden, alpha, visible, tag,
// text, image, bg, children front-most last). Look-ups see only what a person
// sees (ViewVisibility) and prefer the front-most match.
//
// Every gesture runs the loop while it lasts and until idle afterwards, so the
// actions and animations it starts have been set off when it returns.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/Device.h"
#include "platform/ui/Geometry.h"

namespace platform {

class View;
class Window;

class TestDriver {
 public:
  // Look-ups among the visible views (see ViewVisibility: what a person sees),
  // front-most first across every shown window.
  static std::vector<std::shared_ptr<View>> visibleViews();
  // The front-most visible view with the tag.
  static std::shared_ptr<View> findByTag(std::int64_t tag);
  // The front-most view whose text equals `text`, else the front-most containing it.
  static std::shared_ptr<View> findByText(const std::string& text);
  // The front-most visible view whose className() is `className`.
  static std::shared_ptr<View> findByClass(const std::string& className);
  // The view a finger at this screen point would touch.
  static std::shared_ptr<View> viewAt(Point screenPoint);
  // "TEXT" in quotes, #TAG, .CLASS or @X,Y (the script grammar's targets).
  static std::shared_ptr<View> find(const std::string& target);
  static bool isVisible(const View& view);
  // Where a finger touches a view: the centre of its visible part (of its part
  // on screen when nothing of it is visible).
  static Point touchPointOf(const View& view);

  // Touches. Each answers the view that the first touch reached (null when
  // nothing took it).
  static std::shared_ptr<View> tap(const std::shared_ptr<View>& view);
  static std::shared_ptr<View> tapAt(Point screenPoint);
  static std::shared_ptr<View> doubleTap(const std::shared_ptr<View>& view);
  static std::shared_ptr<View> doubleTapAt(Point screenPoint);
  static std::shared_ptr<View> longPress(const std::shared_ptr<View>& view, double seconds = 1.0);
  static std::shared_ptr<View> longPressAt(Point screenPoint, double seconds = 1.0);
  // Press on the view, move by (dx, dy) over `seconds`, lift.
  static std::shared_ptr<View> drag(const std::shared_ptr<View>& view, double dx, double dy, double seconds = 0.3);
  // The same, pressing at the screen point itself.
  static std::shared_ptr<View> dragFrom(Point screenPoint, double dx, double dy, double seconds = 0.3);
  // Along a path of screen points over `seconds` (at least two points).
  static std::shared_ptr<View> dragPath(const std::vector<Point>& path, double seconds);
  // A swipe from the left edge: x 5 to x 250 at mid height over 0.2 s, in the
  // interface's coordinates (turned with the screens in landscape).
  static std::shared_ptr<View> edgeSwipe(double fromX = 5, double toX = 250, double seconds = 0.2);
  // Seconds between two move samples of a drag.
  static constexpr double kMoveStep = 1.0 / 60;

  // Turns the device and runs the loop until the interface rotation it sets
  // off (when the front screen allows it) has ended.
  static void rotateDevice(DeviceOrientation orientation);

  // Typing into the first responder. typeText on a view first makes it the
  // first responder. Each returns false when no responder takes text.
  static bool typeText(const std::string& text);
  static bool typeText(const std::shared_ptr<View>& view, const std::string& text);
  static bool pressReturn();
  static bool backspace(int count = 1);

  // The tree dump: of one view, or of every shown window (under a "Screen"),
  // each view marked "visible" as a person would see it.
  static Value dumpValue(const View& view);
  static Value dumpScreen();
  static std::string dump(const View* view = nullptr);
};

}  // namespace platform
