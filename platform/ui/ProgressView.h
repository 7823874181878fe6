#pragma once
// A thin bar showing progress from 0 to 1: a track and a filled part (a
// subview, so an animated change slides on the clock like any frame change).
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {

enum class ProgressViewStyle { Default = 0, Bar = 1 };

class ProgressView : public View {
 public:
  ProgressView(ConstructionKey<ProgressView>, ProgressViewStyle style);
  static std::shared_ptr<ProgressView> initWithProgressViewStyle(ProgressViewStyle style);
  std::string className() const override { return "ProgressView"; }
  static constexpr double kHeight = 2;
  // Seconds an animated change takes.
  static constexpr double kAnimationDuration = 0.25;

  ProgressViewStyle progressViewStyle() const { return style_; }
  void setProgressViewStyle(ProgressViewStyle style);
  // Clamped to 0...1 (a NaN counts as 0).
  double progress() const { return progress_; }
  void setProgress(double progress) { setProgress(progress, false); }
  void setProgress(double progress, bool animated);

  const Color& progressTintColor() const { return progressTint_; }
  void setProgressTintColor(const Color& color);
  const Color& trackTintColor() const { return trackTint_; }
  void setTrackTintColor(const Color& color);

  // The filled part.
  std::shared_ptr<View> progressBar() const { return bar_; }

  void setFrame(const Rect& frame) override;
  void layoutSubviews() override;
  Size sizeThatFits(Size size) const override { return {size.width > 0 ? size.width : bounds().width(), kHeight}; }

 private:
  Rect barFrame() const;
  ProgressViewStyle style_;
  double progress_ = 0;
  Color progressTint_ = Color::rgb255(0, 122, 255);
  Color trackTint_ = Color::rgb255(183, 183, 183);
  std::shared_ptr<View> bar_;
};

}  // namespace platform
