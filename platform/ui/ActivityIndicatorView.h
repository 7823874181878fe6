#pragma once
// The platform's spinner: a small turning wheel in gray, white or large white,
// spinning or stopped, hiding itself when stopped unless told otherwise.
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

  ActivityIndicatorViewStyle activityIndicatorViewStyle() const { return style_; }
  void setActivityIndicatorViewStyle(ActivityIndicatorViewStyle style) { style_ = style; }
  bool hidesWhenStopped() const { return hidesWhenStopped_; }
  void setHidesWhenStopped(bool hides);
  void startAnimating();
  void stopAnimating();
  bool isAnimating() const { return animating_; }
  // The dump shows the style's picture name, so scripts can tell the wheels apart.
  std::string automationImage() const override;

 private:
  ActivityIndicatorViewStyle style_;
  bool hidesWhenStopped_ = true;
  bool animating_ = false;
};

}  // namespace platform
