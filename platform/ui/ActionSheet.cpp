#include "platform/ui/ActionSheet.h"

#include "platform/ui/NoticeParts.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {
constexpr double kButtonHeight = 44;
constexpr double kTitleHeight = 44;
constexpr double kMargin = 8;
constexpr double kCancelGap = 8;
}  // namespace

ActionSheet::ActionSheet() { setBackgroundColor(Color::black().withAlpha(0.4)); }

std::shared_ptr<ActionSheet> ActionSheet::initWithTitle(const std::string& title,
                                                        std::weak_ptr<ActionSheetDelegate> delegate,
                                                        const std::string& cancelButtonTitle,
                                                        const std::string& destructiveButtonTitle,
                                                        const std::vector<std::string>& otherButtonTitles) {
  auto sheet = std::make_shared<ActionSheet>();
  sheet->title_ = title;
  sheet->delegate_ = std::move(delegate);
  if (!destructiveButtonTitle.empty()) sheet->destructiveButtonIndex_ = sheet->addButtonWithTitle(destructiveButtonTitle);
  for (const auto& other : otherButtonTitles) sheet->addButtonWithTitle(other);
  if (!cancelButtonTitle.empty()) sheet->cancelButtonIndex_ = sheet->addButtonWithTitle(cancelButtonTitle);
  return sheet;
}

int ActionSheet::addButtonWithTitle(const std::string& title) {
  buttons_.push_back(title);
  return numberOfButtons() - 1;
}

std::string ActionSheet::buttonTitleAtIndex(int index) const {
  if (index < 0 || index >= numberOfButtons()) return {};
  return buttons_[static_cast<std::size_t>(index)];
}

int ActionSheet::firstOtherButtonIndex() const {
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (i != cancelButtonIndex_ && i != destructiveButtonIndex_) return i;
  }
  return -1;
}

void ActionSheet::buildPanel() {
  for (const auto& sub : std::vector<std::shared_ptr<View>>(subviews())) sub->removeFromSuperview();
  Rect screen = Screen::mainScreen().bounds();
  setFrame(screen);
  panel_ = View::create();
  panel_->setBackgroundColor(style_ == ActionSheetStyle::BlackTranslucent || style_ == ActionSheetStyle::BlackOpaque
                                 ? Color::black().withAlpha(style_ == ActionSheetStyle::BlackOpaque ? 1.0 : 0.8)
                                 : Color::white(0.9));
  double width = screen.width() - 2 * kMargin;
  double y = kMargin;
  if (!title_.empty()) {
    panel_->addSubview(std::make_shared<NoticeTextView>(title_, Rect(kMargin, y, width, kTitleHeight)));
    y += kTitleHeight;
  }
  std::weak_ptr<ActionSheet> weak = std::static_pointer_cast<ActionSheet>(shared_from_this());
  auto addButton = [&](int index) {
    auto button = std::make_shared<NoticeButtonView>(buttons_[static_cast<std::size_t>(index)], [weak, index] {
      if (auto self = weak.lock()) self->tapButtonAtIndex(index);
    }, Rect(kMargin, y, width, kButtonHeight));
    panel_->addSubview(button);
    y += kButtonHeight + 0.5;
  };
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (i != cancelButtonIndex_) addButton(i);
  }
  if (cancelButtonIndex_ >= 0 && cancelButtonIndex_ < numberOfButtons()) {
    y += kCancelGap;
    addButton(cancelButtonIndex_);
  }
  y += kMargin;
  panel_->setFrame(Rect(0, screen.height() - y, screen.width(), y));
  addSubview(panel_);
}

void ActionSheet::showInView(const std::shared_ptr<View>&) { present(true); }

void ActionSheet::showFromRect(const Rect&, const std::shared_ptr<View>&, bool animated) { present(animated); }

void ActionSheet::present(bool animated) {
  if (visible_) return;
  auto self = std::static_pointer_cast<ActionSheet>(shared_from_this());
  if (auto d = delegate()) d->willPresentActionSheet(*this);
  buildPanel();
  window_ = Window::create(Screen::mainScreen().bounds());
  window_->setWindowLevel(WindowLevel::Alert);
  window_->setBackgroundColor(Color::clear());
  window_->addSubview(self);
  window_->setHidden(false);
  visible_ = true;
  dismissing_ = false;
  registerSystemNoticePanel(self);
  reportSystemNotice(notice());
  std::weak_ptr<ActionSheet> weak = self;
  auto presented = [weak](bool) {
    auto sheet = weak.lock();
    if (!sheet || !sheet->visible_ || sheet->dismissing_) return;
    if (auto d = sheet->delegate()) d->didPresentActionSheet(*sheet);
  };
  if (!animated) {
    presented(true);
    return;
  }
  Rect shown = panel_->frame();
  View::performWithoutAnimation([&] { panel_->setFrame(shown.offsetBy(0, shown.height())); });
  auto panel = panel_;
  View::animate(kPresentDuration, [panel, shown] { panel->setFrame(shown); }, presented);
}

void ActionSheet::tapButtonAtIndex(int buttonIndex) {
  if (!visible_ || dismissing_ || buttonIndex < 0 || buttonIndex >= numberOfButtons()) return;
  auto keep = shared_from_this();
  if (auto d = delegate()) d->clickedButtonAtIndex(*this, buttonIndex);
  dismissWithClickedButtonIndex(buttonIndex, true);
}

bool ActionSheet::tapButtonWithTitle(const std::string& title) {
  if (!visible_ || dismissing_) return false;
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (buttons_[static_cast<std::size_t>(i)] == title) {
      tapButtonAtIndex(i);
      return true;
    }
  }
  return false;
}

void ActionSheet::dismissWithClickedButtonIndex(int buttonIndex, bool animated) {
  if (!visible_ || dismissing_) return;
  dismissing_ = true;
  auto self = std::static_pointer_cast<ActionSheet>(shared_from_this());
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
  if (!animated) {
    finish(true);
    return;
  }
  auto panel = panel_;
  Rect gone = panel_->frame().offsetBy(0, panel_->frame().height());
  View::animate(kDismissDuration, [self, panel, gone] {
    panel->setFrame(gone);
    self->setAlpha(0);
  }, finish);
}

SystemNotice ActionSheet::notice() const {
  SystemNotice n;
  n.kind = kNoticeKindSheet;
  n.title = title_;
  n.buttons = buttons_;
  n.tag = tag();
  return n;
}

}  // namespace platform
