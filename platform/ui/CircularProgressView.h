#pragma once
// A circular progress ring: a track circle and, over it, an arc from the top
// clockwise for the progress (0 to 1). The ring's thickness is a ratio of its
// radius; its ends are rounded or square.
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {

class CircularProgressView : public View {
 public:
  explicit CircularProgressView(const Rect& frame = {});
  static std::shared_ptr<CircularProgressView> create(const Rect& frame = {}) {
    return std::make_shared<CircularProgressView>(frame);
  }
  std::string className() const override { return "CircularProgressView"; }

  double progress() const { return progress_; }
  // Clamped to 0..1; a value that is not a number counts as 0.
  void setProgress(double progress, bool animated = false);
  // The ring's thickness as a share of the radius, clamped to 0..1.
  double thicknessRatio() const { return thicknessRatio_; }
  void setThicknessRatio(double ratio);
  bool roundedCorners() const { return roundedCorners_; }
  void setRoundedCorners(bool on) { roundedCorners_ = on; setNeedsDisplay(); }
  const Color& trackTintColor() const { return trackTintColor_; }
  void setTrackTintColor(const Color& color) { trackTintColor_ = color; setNeedsDisplay(); }
  const Color& progressTintColor() const { return progressTintColor_; }
  void setProgressTintColor(const Color& color) { progressTintColor_ = color; setNeedsDisplay(); }

  // Geometry for the renderer: the ring's centre radius and its line width.
  double lineWidth() const;
  double ringRadius() const;
  // The arc's end angle in radians, clockwise from the top (0 to 2π).
  double progressAngle() const;

 private:
  double progress_ = 0;
  double thicknessRatio_ = 0.3;
  bool roundedCorners_ = false;
  Color trackTintColor_ = Color::white(0.3, 1);
  Color progressTintColor_ = Color::white();
};

}  // namespace platform
