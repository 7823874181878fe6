#include "platform/ui/CircularProgressView.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
double clamp01(double v) { return std::isnan(v) ? 0 : std::clamp(v, 0.0, 1.0); }
}  // namespace

CircularProgressView::CircularProgressView(const Rect& frame) : View(frame) {
  setBackgroundColor(Color::clear());
  setOpaque(false);
  setUserInteractionEnabled(false);
}

void CircularProgressView::setProgress(double progress, bool animated) {
  (void)animated;  // the renderer draws the model value
  progress_ = clamp01(progress);
  setNeedsDisplay();
}

void CircularProgressView::setThicknessRatio(double ratio) {
  thicknessRatio_ = clamp01(ratio);
  setNeedsDisplay();
}

double CircularProgressView::lineWidth() const {
  double radius = std::fmin(bounds().width(), bounds().height()) / 2;
  return radius * thicknessRatio_;
}

double CircularProgressView::ringRadius() const {
  double radius = std::fmin(bounds().width(), bounds().height()) / 2;
  return radius - lineWidth() / 2;
}

double CircularProgressView::progressAngle() const { return progress_ * 2 * M_PI; }

}  // namespace platform
