#pragma once
// An on/off switch of fixed size (51 x 31). A finger's tap flips it and sends
// the value-changed actions; setting it from code sends nothing.
#include <memory>
#include <string>

#include "platform/ui/Control.h"

namespace platform {

class Switch : public Control {
 public:
  explicit Switch(const Rect& frame = {});
  static std::shared_ptr<Switch> create(const Rect& frame = {}) { return std::make_shared<Switch>(frame); }
  std::string className() const override { return "Switch"; }
  static constexpr double kWidth = 51;
  static constexpr double kHeight = 31;
  // Seconds the thumb takes to slide over.
  static constexpr double kSlideDuration = 0.25;

  bool isOn() const { return on_; }
  void setOn(bool on) { setOn(on, false); }
  void setOn(bool on, bool animated);

  // Colours: the track when on, the thumb, the outline when off.
  const Color& onTintColor() const { return onTint_; }
  void setOnTintColor(const Color& color) { onTint_ = color; setNeedsDisplay(); }
  const Color& thumbTintColor() const { return thumbTint_; }
  void setThumbTintColor(const Color& color) { thumbTint_ = color; setNeedsDisplay(); }
  const Color& tintColor() const { return tint_; }
  void setTintColor(const Color& color) { tint_ = color; setNeedsDisplay(); }

  // Where the thumb sits now (0 off, 1 on), moving over kSlideDuration after
  // an animated change; the renderer draws it at a given main-loop time.
  double thumbPosition(double time) const;

  // The size is fixed; a frame keeps its origin.
  void setFrame(const Rect& frame) override;
  Size sizeThatFits(Size) const override { return {kWidth, kHeight}; }
  void endTrackingWithTouch(const Touch* touch, const Event* event) override;

 private:
  bool on_ = false;
  double slideStart_ = 0;
  double slideFrom_ = 0;
  bool sliding_ = false;
  Color onTint_ = Color::rgb255(76, 217, 100);
  Color thumbTint_ = Color::white();
  Color tint_ = Color::rgb255(229, 229, 229);
};

}  // namespace platform
