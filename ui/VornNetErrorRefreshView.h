#pragma once
// The network-error placeholder that covers a screen's content area: the reload
// picture and the text "点击屏幕，重新加载" arranged around the view's centre (the
// centre of its frame in its superview, taken as a point inside the view, as
// the screens have always placed it). It looks the same in both themes. A tap
// on the picture tells the delegate, when it listens.
#include <memory>

#include "platform/ui/View.h"

namespace platform {
class Button;
class Control;
class Label;
}  // namespace platform

namespace vorn {

inline constexpr char kNetErrorRefreshText[] = "点击屏幕，重新加载";
inline constexpr char kNetErrorReloadPictureName[] = "Other_Btn_Fresh";

class VornNetErrorRefreshView;

class VornNetErrorRefreshViewDelegate {
 public:
  virtual ~VornNetErrorRefreshViewDelegate() = default;
  virtual void refreshButtonClicked(VornNetErrorRefreshView& view, platform::Button& button) {
    (void)view;
    (void)button;
  }
};

class VornNetErrorRefreshView : public platform::View {
 public:
  // Made with initWithFrame, which builds the parts.
  explicit VornNetErrorRefreshView(const platform::Rect& frame);
  static std::shared_ptr<VornNetErrorRefreshView> initWithFrame(const platform::Rect& frame);
  std::string className() const override { return "VornNetErrorRefreshView"; }

  void setDelegate(std::weak_ptr<VornNetErrorRefreshViewDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<VornNetErrorRefreshViewDelegate> delegate() const { return delegate_.lock(); }

  const std::shared_ptr<platform::Label>& refreshTipLabel() const { return refreshTipLabel_; }
  void setRefreshTipLabel(std::shared_ptr<platform::Label> label) { refreshTipLabel_ = std::move(label); }
  const std::shared_ptr<platform::Button>& refreshButton() const { return refreshButton_; }
  void setRefreshButton(std::shared_ptr<platform::Button> button) { refreshButton_ = std::move(button); }

  void refreshButtonClicked(platform::Control& sender);
  void layoutSubviews() override;

 private:
  void build();
  void place();

  std::shared_ptr<platform::Label> refreshTipLabel_;
  std::shared_ptr<platform::Button> refreshButton_;
  std::weak_ptr<VornNetErrorRefreshViewDelegate> delegate_;
};

}  // namespace vorn
