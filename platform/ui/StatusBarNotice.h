#pragma once
// One notice window over the status bar for the progress and outcome of
// background work: a message slides in and stays until the next message, or
// for a given number of seconds. There is one shared notice window; screens
// that look for "the top window" recognise it and skip it.
//
// Each message shown is reported to the system notice listener with the kind
// "statusbar".
#include <memory>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Font.h"
#include "platform/ui/Window.h"

namespace platform {

class NoticeTextView;

inline constexpr char kNoticeKindStatusBar[] = "statusbar";

struct StatusBarNoticeLook {
  Color backgroundColor = Color::black();
  Color textColor = Color::white();
  Font font = Font::systemFont(12);
};

class StatusBarNotice {
 public:
  static StatusBarNotice& shared();

  // Shows the message until the next one (or dismiss).
  void showWithStatus(const std::string& message, bool animated = true);
  // Shows the message for `seconds`, then slides the notice away.
  void showWithStatus(const std::string& message, double seconds, bool animated = true);
  void dismiss(bool animated = true);

  bool isShowing() const { return showing_; }
  const std::string& message() const { return message_; }

  // The notice window (made on first use; hidden while no message shows).
  std::shared_ptr<Window> noticeWindow();
  // Whether `window` is the notice window.
  static bool isNoticeWindow(const Window* window);

  void setLook(const StatusBarNoticeLook& look) { look_ = look; }
  const StatusBarNoticeLook& look() const { return look_; }

  // Tests: no window, no message, no timer.
  void reset();

  static constexpr double kSlideDuration = 0.25;

 private:
  StatusBarNotice() = default;
  void show(const std::string& message, double seconds, bool animated);

  std::shared_ptr<Window> window_;
  std::shared_ptr<NoticeTextView> label_;
  std::string message_;
  bool showing_ = false;
  TimerId dismissTimer_ = 0;
  std::uint64_t generation_ = 0;
  StatusBarNoticeLook look_;
};

}  // namespace platform
