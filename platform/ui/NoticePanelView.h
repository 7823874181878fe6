#pragma once
// The common part of the platform alert, the action sheet and the alert
// dialog: titled buttons numbered by index, a panel shown over everything in
// a window of its own at the alert level, and the one way it closes. A tap on
// a button tells the subclass's delegate clicked, then will dismiss; once the
// leaving animation is over the window closes and did dismiss follows. A
// closing panel takes no second tap.
//
// The open panels' windows are kept in a list of open windows, so a panel and
// its window never keep each other alive. While shown, a panel is listed among
// the visible notice panels and each show is reported to the notice listener.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/SystemNotice.h"
#include "platform/ui/View.h"

namespace platform {

class Button;
class Label;
class Window;

class NoticePanelView : public View, public SystemNoticePanel {
 public:
  ~NoticePanelView() override;

  // Appends a button; answers its index (the number of buttons before it).
  int addButtonWithTitle(const std::string& title);
  int numberOfButtons() const { return static_cast<int>(buttonTitles_.size()); }
  // "" for an index out of range.
  std::string buttonTitleAtIndex(int index) const;
  // -1 when there is none.
  int cancelButtonIndex() const { return cancelButtonIndex_; }
  // The first button that is not the cancel button (nor a sheet's destructive one), -1 when none.
  virtual int firstOtherButtonIndex() const;

  bool isVisible() const { return visible_; }
  // A finger on the button at this index: clicked, then the dismissal.
  void tapButtonAtIndex(int buttonIndex);
  // Closes as if the button had been chosen (will and did dismiss, no click).
  void dismissWithClickedButtonIndex(int buttonIndex, bool animated);
  // The panel's own window while it is up.
  std::shared_ptr<Window> panelWindow() const { return window_.lock(); }
  // The button views of the current show, by index (null out of range or before a show).
  std::shared_ptr<Button> buttonAtIndex(int index) const;

  // SystemNoticePanel.
  bool tapButtonWithTitle(const std::string& title) override;

 protected:
  NoticePanelView() = default;
  // Puts this view, covering the screen, in a new window at the alert level,
  // lists and reports it. `makeKey`: the window becomes the key window, and
  // the one that was key is made key again once the panel has closed.
  void presentInOwnWindow(bool makeKey);
  // Removes the views of an earlier show.
  void clearContent();
  // A button for `index` (touch-up-inside taps it), kept for buttonAtIndex.
  std::shared_ptr<Button> makeButton(int index, const Rect& frame, const Color& titleColor, const Color& background,
                                     const Color& highlightedBackground);
  // A centred text wrapped at word boundaries over as many lines as it needs,
  // `width` wide, its height the text's.
  static std::shared_ptr<Label> makeTextLabel(const std::string& text, const Font& font, const Color& color,
                                              Point origin, double width);

  // The subclass's delegate calls.
  virtual void buttonClicked(int buttonIndex) = 0;
  virtual void willDismiss(int buttonIndex) = 0;
  virtual void didDismiss(int buttonIndex) = 0;
  // The leaving animation (the default fades the panel out); `done` closes.
  virtual void animateDismissal(std::function<void(bool)> done);
  static constexpr double kDefaultDismissDuration = 0.2;

  std::vector<std::string> buttonTitles_;
  int cancelButtonIndex_ = -1;
  bool visible_ = false;
  bool dismissing_ = false;

 private:
  void close();
  std::vector<std::shared_ptr<Button>> buttonViews_;
  std::weak_ptr<Window> window_;
  std::shared_ptr<Window> previousKeyWindow_;
};

}  // namespace platform
