#include "platform/ui/StatusBarNotice.h"

#include "platform/ui/Application.h"
#include "platform/ui/NoticeParts.h"
#include "platform/ui/Screen.h"
#include "platform/ui/SystemNotice.h"

namespace platform {

namespace {
constexpr double kBarHeight = 20;
}  // namespace

StatusBarNotice& StatusBarNotice::shared() {
  static StatusBarNotice notice;
  return notice;
}

std::shared_ptr<Window> StatusBarNotice::noticeWindow() {
  if (!window_) {
    window_ = Window::create(Rect(0, 0, Screen::mainScreen().bounds().width(), kBarHeight));
    window_->setWindowLevel(WindowLevel::StatusBar + 1);
    window_->setBackgroundColor(Color::clear());
    window_->setClipsToBounds(true);
    label_ = std::make_shared<NoticeTextView>(std::string(), window_->bounds());
    window_->addSubview(label_);
  }
  return window_;
}

bool StatusBarNotice::isNoticeWindow(const Window* window) {
  return window != nullptr && shared().window_.get() == window;
}

void StatusBarNotice::showWithStatus(const std::string& message, bool animated) { show(message, 0, animated); }

void StatusBarNotice::showWithStatus(const std::string& message, double seconds, bool animated) {
  show(message, seconds > 0 ? seconds : 0, animated);
}

void StatusBarNotice::show(const std::string& message, double seconds, bool animated) {
  auto window = noticeWindow();
  if (dismissTimer_) cancelDispatch(dismissTimer_);
  dismissTimer_ = 0;
  ++generation_;
  message_ = message;
  label_->setBackgroundColor(look_.backgroundColor);
  label_->setText(message);
  Rect shown = window->bounds();
  if (!showing_ && animated) {
    // Slides down from above the bar.
    label_->setFrame(shown.offsetBy(0, -shown.height()));
    auto label = label_;
    View::animate(kSlideDuration, [label, shown] { label->setFrame(shown); });
  } else {
    label_->setFrame(shown);
  }
  showing_ = true;
  window->setHidden(false);
  SystemNotice notice;
  notice.kind = kNoticeKindStatusBar;
  notice.message = message;
  reportSystemNotice(notice);
  if (seconds > 0) {
    std::uint64_t generation = generation_;
    dismissTimer_ = dispatchAfter(seconds, [generation, animated] {
      auto& self = shared();
      if (self.generation_ != generation) return;
      self.dismissTimer_ = 0;
      self.dismiss(animated);
    });
  }
}

void StatusBarNotice::dismiss(bool animated) {
  if (!showing_) return;
  if (dismissTimer_) cancelDispatch(dismissTimer_);
  dismissTimer_ = 0;
  showing_ = false;
  std::uint64_t generation = ++generation_;
  auto finish = [generation](bool) {
    auto& self = shared();
    if (self.generation_ != generation || self.showing_ || !self.window_) return;
    self.window_->setHidden(true);
    self.message_.clear();
  };
  if (animated && label_) {
    auto label = label_;
    Rect away = window_->bounds().offsetBy(0, -window_->bounds().height());
    View::animate(kSlideDuration, [label, away] { label->setFrame(away); }, finish);
  } else {
    finish(true);
  }
}

void StatusBarNotice::reset() {
  if (dismissTimer_) cancelDispatch(dismissTimer_);
  dismissTimer_ = 0;
  ++generation_;
  if (window_) window_->setHidden(true);
  window_.reset();
  label_.reset();
  message_.clear();
  showing_ = false;
}

}  // namespace platform
