#pragma once
// The reload block a screen shows after its load failed: the reload picture as
// a button above the text "点击重新加载", 100 x 100 points. It takes the
// theme's look once, when it is made, and keeps it. A tap tells the delegate.
#include <memory>

#include "platform/ui/View.h"

namespace platform {
class Button;
class Label;
}  // namespace platform

namespace vorn {

inline constexpr char kRefreshViewText[] = "点击重新加载";
inline constexpr char kReloadPictureName[] = "Other_Btn_Fresh.png";

class RefreshViewDelegate {
 public:
  virtual ~RefreshViewDelegate() = default;
  virtual void RefreshCurrentView() = 0;
};

class RefreshView : public platform::View {
 public:
  // Made with initWithFrame, which builds the parts.
  explicit RefreshView(const platform::Rect& frame);
  static std::shared_ptr<RefreshView> initWithFrame(const platform::Rect& frame);
  std::string className() const override { return "RefreshView"; }

  void setDelegate(std::weak_ptr<RefreshViewDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<RefreshViewDelegate> delegate() const { return delegate_.lock(); }

  const std::shared_ptr<platform::Button>& refreshButton() const { return refresh_btn; }
  const std::shared_ptr<platform::Label>& refreshLabel() const { return refreshLal; }

  void refreshCilked();

 private:
  void build();
  void UIApply();

  std::shared_ptr<platform::Button> refresh_btn;
  std::shared_ptr<platform::Label> refreshLal;
  std::weak_ptr<RefreshViewDelegate> delegate_;
};

}  // namespace vorn
