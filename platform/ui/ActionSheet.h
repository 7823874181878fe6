#pragma once
// The platform's action sheet: an optional title over a column of buttons that
// slides up from the bottom of the screen. Buttons made by initWithTitle are
// numbered destructive button first, then the other buttons, then the cancel
// button (so the cancel button has the last index). A tap on a button tells the
// delegate clickedButtonAtIndex, then willDismissWithButtonIndex; once the sheet
// has slid away (kDismissDuration) didDismissWithButtonIndex.
//
// While shown the sheet sits in a window of its own at the alert level, is
// listed among the visible notice panels and keeps itself alive; each show is
// reported to the notice listener with kind "sheet".
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/NoticePanelView.h"

namespace platform {

class ActionSheet;

enum class ActionSheetStyle { Automatic = -1, Default = 0, BlackTranslucent = 2, BlackOpaque = 1 };

class ActionSheetDelegate {
 public:
  virtual ~ActionSheetDelegate() = default;
  virtual void clickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex) {
    (void)actionSheet; (void)buttonIndex;
  }
  virtual void willPresentActionSheet(ActionSheet& actionSheet) { (void)actionSheet; }
  virtual void didPresentActionSheet(ActionSheet& actionSheet) { (void)actionSheet; }
  virtual void willDismissWithButtonIndex(ActionSheet& actionSheet, int buttonIndex) {
    (void)actionSheet; (void)buttonIndex;
  }
  virtual void didDismissWithButtonIndex(ActionSheet& actionSheet, int buttonIndex) {
    (void)actionSheet; (void)buttonIndex;
  }
};

class ActionSheet : public NoticePanelView {
 public:
  static constexpr double kPresentDuration = 0.3;
  static constexpr double kDismissDuration = 0.3;

  ActionSheet();
  // Empty cancel or destructive titles mean no such button.
  static std::shared_ptr<ActionSheet> initWithTitle(const std::string& title,
                                                    std::weak_ptr<ActionSheetDelegate> delegate,
                                                    const std::string& cancelButtonTitle,
                                                    const std::string& destructiveButtonTitle,
                                                    const std::vector<std::string>& otherButtonTitles = {});
  std::string className() const override { return "ActionSheet"; }

  const std::string& title() const { return title_; }
  void setTitle(const std::string& title) { title_ = title; }
  std::shared_ptr<ActionSheetDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<ActionSheetDelegate> delegate) { delegate_ = std::move(delegate); }
  ActionSheetStyle actionSheetStyle() const { return style_; }
  void setActionSheetStyle(ActionSheetStyle style) { style_ = style; }

  void setCancelButtonIndex(int index) { cancelButtonIndex_ = index; }
  int destructiveButtonIndex() const { return destructiveButtonIndex_; }
  void setDestructiveButtonIndex(int index) { destructiveButtonIndex_ = index; }
  // The first button that is neither cancel nor destructive, -1 when none.
  int firstOtherButtonIndex() const override;

  // Shows the sheet over the screen of `view` (every variant slides up from the
  // bottom of the screen on the phone).
  void showInView(const std::shared_ptr<View>& view);
  void showFromRect(const Rect& rect, const std::shared_ptr<View>& view, bool animated);

  // SystemNoticePanel
  SystemNotice notice() const override;

  // The panel holding the title and buttons (what slides).
  std::shared_ptr<View> panel() const { return panel_; }

 protected:
  void buttonClicked(int buttonIndex) override;
  void willDismiss(int buttonIndex) override;
  void didDismiss(int buttonIndex) override;
  void animateDismissal(std::function<void(bool)> done) override;

 private:
  void present(bool animated);
  void buildPanel();
  std::string title_;
  std::weak_ptr<ActionSheetDelegate> delegate_;
  ActionSheetStyle style_ = ActionSheetStyle::Automatic;
  int destructiveButtonIndex_ = -1;
  std::shared_ptr<View> panel_;
};

}  // namespace platform
