#include "platform/ui/AlertView.h"

#include <cmath>

#include "platform/foundation/Text.h"
#include "platform/ui/NoticeParts.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {
constexpr double kBoxWidth = 270;
constexpr double kTextWidth = 240;
constexpr double kLineHeight = 20;
constexpr double kButtonHeight = 44;
constexpr double kCharsPerLine = 16;  // a 15-point face over the text width

double textHeight(const std::string& text) {
  if (text.empty()) return 0;
  double lines = 0;
  for (const auto& line : split(text, "\n")) {
    lines += std::fmax(1, std::ceil(static_cast<double>(utf16Length(line)) / kCharsPerLine));
  }
  return lines * kLineHeight;
}
}  // namespace

AlertView::AlertView() { setBackgroundColor(Color::black().withAlpha(0.4)); }

std::shared_ptr<AlertView> AlertView::initWithTitle(const std::string& title, const std::string& message,
                                                    std::weak_ptr<AlertViewDelegate> delegate,
                                                    const std::string& cancelButtonTitle,
                                                    const std::vector<std::string>& otherButtonTitles) {
  auto alert = std::make_shared<AlertView>();
  alert->title_ = title;
  alert->message_ = message;
  alert->delegate_ = std::move(delegate);
  if (!cancelButtonTitle.empty()) alert->cancelButtonIndex_ = alert->addButtonWithTitle(cancelButtonTitle);
  for (const auto& other : otherButtonTitles) alert->addButtonWithTitle(other);
  return alert;
}

int AlertView::addButtonWithTitle(const std::string& title) {
  buttons_.push_back(title);
  return numberOfButtons() - 1;
}

std::string AlertView::buttonTitleAtIndex(int index) const {
  if (index < 0 || index >= numberOfButtons()) return {};
  return buttons_[static_cast<std::size_t>(index)];
}

int AlertView::firstOtherButtonIndex() const {
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (i != cancelButtonIndex_) return i;
  }
  return -1;
}

void AlertView::buildBox() {
  for (const auto& sub : std::vector<std::shared_ptr<View>>(subviews())) sub->removeFromSuperview();
  Rect screen = Screen::mainScreen().bounds();
  setFrame(screen);
  box_ = View::create();
  box_->setBackgroundColor(Color::white(0.95));
  box_->layer().cornerRadius = 7;
  box_->setClipsToBounds(true);
  double y = 20;
  if (!title_.empty()) {
    double h = textHeight(title_);
    box_->addSubview(std::make_shared<NoticeTextView>(title_, Rect(15, y, kTextWidth, h)));
    y += h + 5;
  }
  if (!message_.empty()) {
    double h = textHeight(message_);
    box_->addSubview(std::make_shared<NoticeTextView>(message_, Rect(15, y, kTextWidth, h)));
    y += h;
  }
  y += 20;
  std::weak_ptr<AlertView> weak = std::static_pointer_cast<AlertView>(shared_from_this());
  auto makeButton = [&](int index, const Rect& frame) {
    auto button = std::make_shared<NoticeButtonView>(buttons_[static_cast<std::size_t>(index)], [weak, index] {
      if (auto self = weak.lock()) self->tapButtonAtIndex(index);
    }, frame);
    box_->addSubview(button);
  };
  if (numberOfButtons() == 2) {  // side by side
    makeButton(0, Rect(0, y, kBoxWidth / 2 - 0.5, kButtonHeight));
    makeButton(1, Rect(kBoxWidth / 2, y, kBoxWidth / 2, kButtonHeight));
    y += kButtonHeight;
  } else {
    for (int i = 0; i < numberOfButtons(); ++i) {
      makeButton(i, Rect(0, y, kBoxWidth, kButtonHeight));
      y += kButtonHeight + 0.5;
    }
  }
  box_->setFrame(Rect(std::round((screen.width() - kBoxWidth) / 2), std::round((screen.height() - y) / 2),
                      kBoxWidth, y));
  addSubview(box_);
}

void AlertView::show() {
  if (visible_) return;
  auto self = std::static_pointer_cast<AlertView>(shared_from_this());
  if (auto d = delegate()) d->willPresentAlertView(*this);
  buildBox();
  window_ = Window::create(Screen::mainScreen().bounds());
  window_->setWindowLevel(WindowLevel::Alert);
  window_->setBackgroundColor(Color::clear());
  window_->addSubview(self);
  window_->setHidden(false);
  visible_ = true;
  dismissing_ = false;
  registerSystemNoticePanel(self);
  reportSystemNotice(notice());
  setAlpha(0);
  std::weak_ptr<AlertView> weak = self;
  View::animate(kPresentDuration, [self] { self->setAlpha(1); }, [weak](bool) {
    auto alert = weak.lock();
    if (!alert || !alert->visible_ || alert->dismissing_) return;
    if (auto d = alert->delegate()) d->didPresentAlertView(*alert);
  });
}

void AlertView::tapButtonAtIndex(int buttonIndex) {
  if (!visible_ || dismissing_ || buttonIndex < 0 || buttonIndex >= numberOfButtons()) return;
  auto keep = shared_from_this();
  if (auto d = delegate()) d->clickedButtonAtIndex(*this, buttonIndex);
  dismissWithClickedButtonIndex(buttonIndex, true);
}

bool AlertView::tapButtonWithTitle(const std::string& title) {
  if (!visible_ || dismissing_) return false;
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (buttons_[static_cast<std::size_t>(i)] == title) {
      tapButtonAtIndex(i);
      return true;
    }
  }
  return false;
}

void AlertView::dismissWithClickedButtonIndex(int buttonIndex, bool animated) {
  if (!visible_ || dismissing_) return;
  dismissing_ = true;
  auto self = std::static_pointer_cast<AlertView>(shared_from_this());
  if (auto d = delegate()) d->willDismissWithButtonIndex(*this, buttonIndex);
  auto finish = [self, buttonIndex](bool) {
    self->visible_ = false;
    self->dismissing_ = false;
    self->removeFromSuperview();
    if (self->window_) self->window_->setHidden(true);
    self->window_.reset();
    unregisterSystemNoticePanel(self.get());
    if (auto d = self->delegate()) d->didDismissWithButtonIndex(*self, buttonIndex);
  };
  if (animated) {
    View::animate(kDismissDuration, [self] { self->setAlpha(0); }, finish);
  } else {
    finish(true);
  }
}

SystemNotice AlertView::notice() const {
  SystemNotice n;
  n.kind = kNoticeKindAlert;
  n.title = title_;
  n.message = message_;
  n.buttons = buttons_;
  n.tag = tag();
  return n;
}

}  // namespace platform
