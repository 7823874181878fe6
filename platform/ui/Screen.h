#pragma once
// The device's screen: 320 points wide, 480 or 568 points tall, at scale 2.
// Tests and the command line choose the height.
#include "platform/ui/Geometry.h"

namespace platform {

class Screen {
 public:
  static Screen& mainScreen();

  Rect bounds() const { return {0, 0, 320, height_}; }
  double scale() const { return scale_; }
  // The current mode's size in pixels (640 x 960 or 640 x 1136).
  Size currentModeSize() const { return {bounds().width() * scale_, height_ * scale_}; }
  bool hasCurrentMode() const { return true; }
  // The bounds less the status bar (when it is shown).
  Rect applicationFrame() const;
  // Tall (568-point) screen.
  bool isTall() const { return height_ == 568; }
  // The 640 by 1136 mode the app lays its tall screens out for; any other mode
  // (or none) takes the short layout.
  bool hasTallMode() const { return hasCurrentMode() && currentModeSize() == Size{640, 1136}; }

  // Settings for tests and the command line: 480 or 568.
  void setHeight(double points) { height_ = points; }
  void setScale(double scale) { scale_ = scale; }
  void reset() { height_ = 568; scale_ = 2; }

 private:
  double height_ = 568;
  double scale_ = 2;
};

}  // namespace platform
