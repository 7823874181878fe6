#pragma once
// The platform's alert: a title, a message and buttons in a box over the screen.
// Buttons are numbered in the order they were given: the cancel button first
// (index 0) when there is one, then the other buttons. A tap on a button tells
// the delegate clickedButtonAtIndex, then willDismissWithButtonIndex; once the
// box has faded (kDismissDuration) didDismissWithButtonIndex. Shown and closed
// as every notice panel is (NoticePanelView.h); reported with kind "alert".
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/NoticePanelView.h"

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

class AlertView : public NoticePanelView {
 public:
  static constexpr double kPresentDuration = 0.2;
  static constexpr double kDismissDuration = kDefaultDismissDuration;

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
  void setCancelButtonIndex(int index) { cancelButtonIndex_ = index; }

  void show();

  // SystemNoticePanel
  SystemNotice notice() const override;

 protected:
  void buttonClicked(int buttonIndex) override;
  void willDismiss(int buttonIndex) override;
  void didDismiss(int buttonIndex) override;

 private:
  void buildBox();
  std::string title_;
  std::string message_;
  std::weak_ptr<AlertViewDelegate> delegate_;
  std::shared_ptr<View> box_;
};

}  // namespace platform
