#pragma once
// The share sheet: a row of icon tiles (Sina Weibo, WeChat chat, WeChat moments)
// over full-width text buttons and a cancel button, sliding up from the bottom
// in a window of its own at alert level over a dimmed screen. It only reports
// what was chosen; the screen that opened it performs the share.
//
// The opener builds a sheet, calls show() and forgets it: from show() until it
// has closed, the sheet and its window keep each other alive.
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/View.h"
#include "ui/ShareItem.h"

namespace platform {
class Button;
class Control;
class ScrollView;
class Window;
}  // namespace platform

namespace vorn {

class ShareActionView;

// Tile pictures and titles every opener shows, in this order.
inline constexpr char kShareSinaWeiboTitle[] = "新浪微博";
inline constexpr char kShareSinaWeiboImage[] = "share_xl.png";
inline constexpr char kShareWeChatTitle[] = "微信好友";
inline constexpr char kShareWeChatImage[] = "share_wx.png";
inline constexpr char kShareMomentsTitle[] = "微信朋友圈";
inline constexpr char kShareMomentsImage[] = "share_fr.png";
inline constexpr char kShareCancelTitle[] = "取消";
inline constexpr char kShareCopyLinkTitle[] = "复制链接网址";
// Tile positions as the openers use them.
inline constexpr int kShareIconSinaWeibo = 0;
inline constexpr int kShareIconWeChat = 1;
inline constexpr int kShareIconMoments = 2;

class ShareActionViewDelegate {
 public:
  virtual ~ShareActionViewDelegate() = default;
  // A tile was chosen: its position in iconItems.
  virtual void didDismissWithIconItemIndex(ShareActionView& sheet, int index) { (void)sheet; (void)index; }
  // A further text button was chosen: its position in buttonItems (never the cancel button).
  virtual void didDismissWithButtonIndex(ShareActionView& sheet, int index) { (void)sheet; (void)index; }
};

class ShareActionView : public platform::View,
                        public ShareItemDelegate,
                        public platform::GestureRecognizerDelegate {
 public:
  static constexpr double kAnimationSeconds = 0.25;
  static constexpr double kRowHeight = 155;
  static constexpr double kButtonHeight = 50;
  static constexpr double kTileStep = 95;
  static constexpr double kTileInset = 35;

  // Builds the sheet without showing it. Entries of `iconItems` that are null are dropped.
  static std::shared_ptr<ShareActionView> initWithDelegate(std::weak_ptr<ShareActionViewDelegate> delegate,
                                                           std::vector<std::shared_ptr<ShareItem>> iconItems,
                                                           const std::string& cancelButtonTitle,
                                                           const std::vector<std::string>& otherButtons = {});
  std::string className() const override { return "ShareActionView"; }

  void show();
  // Takes the sheet away without telling the delegate.
  void dismiss();
  // ShareItemDelegate: a tile was tapped.
  void touchItem(ShareItem& item) override;
  void didClickOtherButton(platform::Control& sender);
  void didClickCancelButton(platform::Control& sender);
  void usingTheme();

  int cancelButtonIndex() const { return cancelButtonIndex_; }
  const std::vector<std::shared_ptr<ShareItem>>& iconItems() const { return iconItems_; }
  const std::vector<std::shared_ptr<platform::Button>>& buttonItems() const { return buttonItems_; }
  const std::shared_ptr<platform::ScrollView>& scrollview() const { return scrollview_; }
  const std::shared_ptr<platform::Window>& shareWindow() const { return shareWindow_; }
  std::shared_ptr<ShareActionViewDelegate> delegate() const { return delegate_.lock(); }

  // The window's tap may begin only above the sheet.
  bool gestureRecognizerShouldBegin(platform::GestureRecognizer& recognizer) override;
  // The window's pan runs alongside the tile row's scrolling.
  bool shouldRecognizeSimultaneouslyWithGestureRecognizer(platform::GestureRecognizer& recognizer,
                                                          platform::GestureRecognizer& other) override;

  ShareActionView();

 private:
  enum class Outcome { None, Icon, Button };
  void build(const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtons);
  void panGestureRecognizer(platform::GestureRecognizer& recognizer);
  void close(Outcome outcome, int index);

  std::shared_ptr<platform::Window> shareWindow_;
  std::weak_ptr<ShareActionViewDelegate> delegate_;
  int cancelButtonIndex_ = 0;
  std::vector<std::shared_ptr<ShareItem>> iconItems_;
  std::vector<std::shared_ptr<platform::Button>> buttonItems_;
  std::vector<std::shared_ptr<platform::View>> separators_;
  std::shared_ptr<platform::ScrollView> scrollview_;
  std::weak_ptr<platform::GestureRecognizer> pan_;
  bool closing_ = false;
};

}  // namespace vorn
