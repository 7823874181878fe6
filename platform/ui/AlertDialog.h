#pragma once
// An alert the system draws itself in place of the platform alert: title,
// message, the cancel button first and then the other buttons, a tag, and a
// delegate told which button was tapped (clicked, will dismiss, did dismiss).
// It shows over everything in a window of its own at the alert level.
//
// Each dialog shown is reported to the system notice listener with the kind
// "dialog", and while it is up the test driver can tap its buttons by title.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/NoticePanelView.h"

namespace platform {

class Window;

inline constexpr char kNoticeKindDialog[] = "dialog";

class AlertDialog;

class AlertDialogDelegate {
 public:
  virtual ~AlertDialogDelegate() = default;
  virtual void clickedButtonAtIndex(AlertDialog& dialog, int buttonIndex) { (void)dialog; (void)buttonIndex; }
  virtual void willDismissWithButtonIndex(AlertDialog& dialog, int buttonIndex) { (void)dialog; (void)buttonIndex; }
  virtual void didDismissWithButtonIndex(AlertDialog& dialog, int buttonIndex) { (void)dialog; (void)buttonIndex; }
};

// How a dialog looks. A dialog takes the look in force when it is made: the
// shared provider's answer (themes install one), else these defaults.
struct AlertDialogLook {
  Font titleFont = Font::boldSystemFont(18);
  Font messageFont = Font::systemFont(16);
  Color titleColor = Color::rgb255(91, 94, 101);
  Color messageColor = Color::rgb255(91, 94, 101);
  Color boxColor = Color::white(0.97);
  Color buttonTitleColor = Color::rgb255(91, 94, 101);
  Color buttonColor = Color::white(0.92);
  Color dimColor = Color::black().withAlpha(0.4);
  // Picture names of the themed artwork (for the renderer), empty for none.
  std::string backgroundImageName;
  std::string buttonImageName;
  std::string buttonHighlightedImageName;
};

class AlertDialog : public NoticePanelView {
 public:
  AlertDialog();
  // The cancel button (when its title is not empty) gets index 0, the other
  // buttons follow in order.
  static std::shared_ptr<AlertDialog> initWithTitle(const std::string& title, const std::string& message,
                                                    std::weak_ptr<AlertDialogDelegate> delegate,
                                                    const std::string& cancelButtonTitle,
                                                    const std::vector<std::string>& otherButtonTitles = {});
  std::string className() const override { return "AlertDialog"; }

  const std::string& title() const { return title_; }
  void setTitle(const std::string& title) { title_ = title; }
  const std::string& message() const { return message_; }
  void setMessage(const std::string& message) { message_ = message; }
  void setDelegate(std::weak_ptr<AlertDialogDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<AlertDialogDelegate> delegate() const { return delegate_.lock(); }

  // An index outside the buttons is ignored.
  void setCancelButtonIndex(int index);

  const AlertDialogLook& look() const { return look_; }
  static void setLookProvider(std::function<AlertDialogLook()> provider);

  void show();
  // The dialog's own window while it is up.
  std::shared_ptr<Window> dialogWindow() const { return panelWindow(); }
  const std::shared_ptr<View>& boxView() const { return box_; }

  // SystemNoticePanel.
  SystemNotice notice() const override;

  static constexpr double kPresentDuration = 0.2;
  static constexpr double kDismissDuration = kDefaultDismissDuration;

 protected:
  void buttonClicked(int buttonIndex) override;
  void willDismiss(int buttonIndex) override;
  void didDismiss(int buttonIndex) override;

 private:
  void buildBox();
  std::string title_;
  std::string message_;
  std::weak_ptr<AlertDialogDelegate> delegate_;
  AlertDialogLook look_;
  std::shared_ptr<View> box_;
};

}  // namespace platform
