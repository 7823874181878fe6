#pragma once
// The comment input bar along the bottom of a screen: collapsed, an edit button
// "写评论"; while editing, the typed text with the send button "发送", the
// cancel button "取消" and a tip. Sending shows a progress strip that grows over
// 1.5 s and completes over 1.5 s once sending is over.
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {
class Button;
class Label;
}  // namespace platform

namespace vorn {

class NewsCommentBottomBarView;

inline constexpr char kCommentBarEditTitle[] = "写评论";
inline constexpr char kCommentBarSendTitle[] = "发送";
inline constexpr char kCommentBarCancelTitle[] = "取消";
inline constexpr char kCommentBarPictureHolder[] = "评论图片";
inline constexpr char kCommentBarPictureTip[] = "评图";
inline constexpr double kCommentBarSendDelay = 0.25;
inline constexpr double kCommentBarStripSeconds = 1.5;

class NewsCommentBottomBarViewDelegate {
 public:
  virtual ~NewsCommentBottomBarViewDelegate() = default;
  virtual void textDidChanged(NewsCommentBottomBarView& bar) { (void)bar; }
  // 0.25 s after the send button or the return key; editing has ended meanwhile.
  virtual void sendButtonClicked(NewsCommentBottomBarView& bar, platform::Button& button) { (void)bar; (void)button; }
  // Editing began, was cancelled or ended by sending.
  virtual void newsCommentBottomBarViewFirstResponesderStateChanged(NewsCommentBottomBarView& bar) { (void)bar; }
  virtual void editButtonClicked(NewsCommentBottomBarView& bar, platform::Button& button) { (void)bar; (void)button; }
};

class NewsCommentBottomBarView : public platform::View {
 public:
  NewsCommentBottomBarView();
  static std::shared_ptr<NewsCommentBottomBarView> create();
  std::string className() const override { return "NewsCommentBottomBarView"; }

  void setDelegate(std::weak_ptr<NewsCommentBottomBarViewDelegate> d) { delegate_ = std::move(d); }
  std::shared_ptr<NewsCommentBottomBarViewDelegate> delegate() const { return delegate_.lock(); }
  // Remembers the parent view, lays the bar out and adds it there.
  void showInView(const std::shared_ptr<platform::View>& view);
  // The edit and send buttons on or off (send stays off while the text is empty).
  void setEnable(bool enabled);
  bool isEnabled() const { return enabled_; }
  void setHolderStr(const std::string& holder);
  const std::string& holderStr() const { return holder_; }
  const std::string& tipText() const;
  const std::string& commentStr() const { return commentStr_; }
  void setCommentStr(const std::string& text);
  // Editing of the text: start, end (reported to the delegate), test.
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;
  bool canBecomeFirstResponder() const override { return true; }
  bool acceptsText() const override { return editable_; }
  void insertText(const std::string& text) override;
  void deleteBackward() override;
  void pressReturn() override { sendTapped(); }
  // Sending: the strip grows; then completes, and `done` runs after it.
  void startAnimation();
  void stopAnimationCompleteBlock(std::function<void()> done);
  bool isSendingAnimation() const { return animating_; }

  const std::shared_ptr<platform::Button>& editButton() const { return editButton_; }
  const std::shared_ptr<platform::Button>& sendButton() const { return sendButton_; }
  const std::shared_ptr<platform::Button>& cancelButton() const { return cancelButton_; }

  void layoutSubviews() override;

 private:
  void editTapped();
  void sendTapped();
  void cancelTapped();
  void updateButtons();
  void textChanged();

  std::weak_ptr<NewsCommentBottomBarViewDelegate> delegate_;
  std::weak_ptr<platform::View> parent_;
  std::shared_ptr<platform::Button> editButton_;
  std::shared_ptr<platform::Button> sendButton_;
  std::shared_ptr<platform::Button> cancelButton_;
  std::shared_ptr<platform::Label> textLabel_;
  std::shared_ptr<platform::Label> tipLabel_;
  std::shared_ptr<platform::View> strip_;
  std::string commentStr_;
  std::string holder_;
  std::string tip_;
  bool enabled_ = true;
  bool editable_ = true;
  bool animating_ = false;
};

}  // namespace vorn
