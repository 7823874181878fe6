#pragma once
// The platform's alert: a title, a message and buttons in a box over the screen.
// Buttons are numbered in the order they were given: the cancel button first
// (index 0) when there is one, then the other buttons. A tap on a button tells
// the delegate clickedButtonAtIndex, then willDismissWithButtonIndex; once the
// box has faded (kDismissDuration) didDismissWithButtonIndex.
//
// While shown the alert sits in a window of its own at the alert level, is
// listed among the visible notice panels and keeps itself alive; each show is
// reported to the notice listener with kind "alert".
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/SystemNotice.h"
#include "platform/ui/View.h"

namespace platform {

class AlertView;

class AlertViewDelegate {
 public:
  virtual ~AlertViewDelegate() = default;
  virtual void clickedButtonAtIndex(AlertView& alertView, int buttonIndex) { (void)alertView; (void)buttonIndex; }
  virtual void willPresentAlertView(AlertView& alertView) { (void)alertView; }
  virtual void didPresentAlertView(AlertView& alertView) { (void)alertView; }
  virtual void willDismissWithButtonIndex(AlertView& alertView, int buttonIndex) {
    (void)alertView; (void)buttonIndex;
  }
  virtual void didDismissWithButtonIndex(AlertView& alertView, int buttonIndex) {
    (void)alertView; (void)buttonIndex;
  }
};

class AlertView : public View, public SystemNoticePanel {
 public:
  static constexpr double kPresentDuration = 0.2;
  static constexpr double kDismissDuration = 0.2;

  AlertView();
  // An empty cancel title means no cancel button.
  static std::shared_ptr<AlertView> initWithTitle(const std::string& title, const std::string& message,
                                                  std::weak_ptr<AlertViewDelegate> delegate,
                                                  const std::string& cancelButtonTitle,
                                                  const std::vector<std::string>& otherButtonTitles = {});
  std::string className() const override { return "AlertView"; }

  const std::string& title() const { return title_; }
  void setTitle(const std::string& title) { title_ = title; }
  const std::string& message() const { return message_; }
  void setMessage(const std::string& message) { message_ = message; }
  std::shared_ptr<AlertViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<AlertViewDelegate> delegate) { delegate_ = std::move(delegate); }

  // Appends a button; answers its index.
  int addButtonWithTitle(const std::string& title);
  int numberOfButtons() const { return static_cast<int>(buttons_.size()); }
  // "" for an index out of range.
  std::string buttonTitleAtIndex(int index) const;
  int cancelButtonIndex() const { return cancelButtonIndex_; }
  void setCancelButtonIndex(int index) { cancelButtonIndex_ = index; }
  // The first button that is not the cancel button, -1 when none.
  int firstOtherButtonIndex() const;

  void show();
  bool isVisible() const { return visible_; }
  // Closes as if `buttonIndex` had been chosen, without clickedButtonAtIndex.
  void dismissWithClickedButtonIndex(int buttonIndex, bool animated);

  // SystemNoticePanel
  SystemNotice notice() const override;
  bool tapButtonWithTitle(const std::string& title) override;

  // A button tapped by a finger (or the driver): the delegate's calls, then dismissal.
  void tapButtonAtIndex(int buttonIndex);

 private:
  void buildBox();
  std::vector<std::string> buttons_;
  std::string title_;
  std::string message_;
  std::weak_ptr<AlertViewDelegate> delegate_;
  int cancelButtonIndex_ = -1;
  bool visible_ = false;
  bool dismissing_ = false;
  std::shared_ptr<Window> window_;
  std::shared_ptr<View> box_;
};

}  // namespace platform
