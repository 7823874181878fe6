#pragma once
// A spinning activity indicator: white large (37 points), white or grey (20
// points). It turns once a second while animating; by default it hides when
// stopped.
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {

enum class ActivityIndicatorViewStyle { WhiteLarge = 0, White = 1, Gray = 2 };

class ActivityIndicatorView : public View {
 public:
  explicit ActivityIndicatorView(ActivityIndicatorViewStyle style = ActivityIndicatorViewStyle::White);
  static std::shared_ptr<ActivityIndicatorView> initWithActivityIndicatorStyle(ActivityIndicatorViewStyle style) {
    return std::make_shared<ActivityIndicatorView>(style);
  }
  std::string className() const override { return "ActivityIndicatorView"; }

  // The side of the square each style takes.
  static double sizeFor(ActivityIndicatorViewStyle style);
  ActivityIndicatorViewStyle activityIndicatorViewStyle() const { return style_; }
  // Changes the style, its colour and its size (the centre stays).
  void setActivityIndicatorViewStyle(ActivityIndicatorViewStyle style);
  // The spokes' colour: white for the white styles, grey for the grey one, until set.
  const Color& color() const { return color_; }
  void setColor(const Color& color) { color_ = color; setNeedsDisplay(); }

  void startAnimating();
  void stopAnimating();
  bool isAnimating() const { return animating_; }
  bool hidesWhenStopped() const { return hidesWhenStopped_; }
  void setHidesWhenStopped(bool on);

  Size sizeThatFits(Size) const override { return {sizeFor(style_), sizeFor(style_)}; }
  // The dump shows the style's picture name, so scripts can tell the wheels apart.
  std::string automationImage() const override;

  // The key of the turning animation on the layer.
  static constexpr char kSpinAnimationKey[] = "spin";

 private:
  ActivityIndicatorViewStyle style_;
  Color color_;
  bool animating_ = false;
  bool hidesWhenStopped_ = true;
};

}  // namespace platform
