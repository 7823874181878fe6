#include "platform/ui/AlertDialog.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Application.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/NoticeParts.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

constexpr double kBoxWidth = 280;
constexpr double kTextInset = 15;
constexpr double kButtonHeight = 44;
constexpr double kGap = 10;

std::vector<std::shared_ptr<Window>>& openWindows() {
  static std::vector<std::shared_ptr<Window>> windows;
  return windows;
}

void closeWindow(const std::shared_ptr<Window>& window) {
  if (!window) return;
  window->setHidden(true);
  auto& open = openWindows();
  open.erase(std::remove(open.begin(), open.end(), window), open.end());
}

std::function<AlertDialogLook()>& lookProvider() {
  static std::function<AlertDialogLook()> provider;
  return provider;
}

// A centred text wrapped at word boundaries over as many lines as it needs.
std::shared_ptr<NoticeTextView> makeTextLabel(const std::string& text, const Font& font) {
  double width = kBoxWidth - 2 * kTextInset;
  Size size = TextMetrics::layoutText(text, font, width, LineBreakMode::WordWrap).size;
  return std::make_shared<NoticeTextView>(text, Rect(kTextInset, 0, width, size.height));
}

}  // namespace

AlertDialog::AlertDialog() {
  if (auto provider = lookProvider()) look_ = provider();
  setBackgroundColor(look_.dimColor);
}

void AlertDialog::setLookProvider(std::function<AlertDialogLook()> provider) { lookProvider() = std::move(provider); }

std::shared_ptr<AlertDialog> AlertDialog::initWithTitle(const std::string& title, const std::string& message,
                                                        std::weak_ptr<AlertDialogDelegate> delegate,
                                                        const std::string& cancelButtonTitle,
                                                        const std::vector<std::string>& otherButtonTitles) {
  auto dialog = std::make_shared<AlertDialog>();
  dialog->title_ = title;
  dialog->message_ = message;
  dialog->delegate_ = std::move(delegate);
  if (!cancelButtonTitle.empty()) dialog->setCancelButtonIndex(dialog->addButtonWithTitle(cancelButtonTitle));
  for (const auto& other : otherButtonTitles) dialog->addButtonWithTitle(other);
  return dialog;
}

int AlertDialog::addButtonWithTitle(const std::string& title) {
  buttonTitles_.push_back(title);
  setNeedsLayout();
  return numberOfButtons() - 1;
}

std::string AlertDialog::buttonTitleAtIndex(int index) const {
  if (index < 0 || index >= numberOfButtons()) return {};
  return buttonTitles_[static_cast<std::size_t>(index)];
}

void AlertDialog::setCancelButtonIndex(int index) {
  if (index < 0 || index >= numberOfButtons()) return;
  cancelButtonIndex_ = index;
}

int AlertDialog::firstOtherButtonIndex() const {
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (i != cancelButtonIndex_) return i;
  }
  return -1;
}

void AlertDialog::buildBox() {
  for (const auto& sub : std::vector<std::shared_ptr<View>>(subviews())) sub->removeFromSuperview();
  Rect screen = Screen::mainScreen().bounds();
  setFrame(screen);
  box_ = View::create();
  box_->setBackgroundColor(look_.boxColor);
  box_->layer().cornerRadius = 6;
  box_->setClipsToBounds(true);
  double y = 20;
  if (!title_.empty()) {
    auto label = makeTextLabel(title_, look_.titleFont);
    label->setFrame(label->frame().offsetBy(0, y));
    box_->addSubview(label);
    y = label->frame().maxY() + kGap;
  }
  if (!message_.empty()) {
    auto label = makeTextLabel(message_, look_.messageFont);
    label->setFrame(label->frame().offsetBy(0, y));
    box_->addSubview(label);
    y = label->frame().maxY() + kGap;
  }
  y += kGap;
  std::weak_ptr<AlertDialog> weak = weakSelf(this);
  auto makeButton = [&](int index, const Rect& frame) {
    auto button = std::make_shared<NoticeButtonView>(buttonTitleAtIndex(index), [weak, index] {
      if (auto self = weak.lock()) self->tapButtonAtIndex(index);
    }, frame);
    button->setBackgroundColor(look_.buttonColor);
    button->setExclusiveTouch(true);
    button->layer().cornerRadius = 4;
    box_->addSubview(button);
  };
  double inner = kBoxWidth - 2 * kTextInset;
  if (numberOfButtons() == 2) {  // side by side, in index order
    double w = (inner - kGap) / 2;
    makeButton(0, Rect(kTextInset, y, w, kButtonHeight));
    makeButton(1, Rect(kTextInset + w + kGap, y, w, kButtonHeight));
    y += kButtonHeight + kGap;
  } else {
    for (int i = 0; i < numberOfButtons(); ++i) {
      makeButton(i, Rect(kTextInset, y, inner, kButtonHeight));
      y += kButtonHeight + kGap;
    }
  }
  y += kGap;
  box_->setFrame(Rect(std::round((screen.width() - kBoxWidth) / 2), std::round((screen.height() - y) / 2),
                      kBoxWidth, y));
  addSubview(box_);
}

void AlertDialog::show() {
  if (visible_) return;
  auto self = weakSelf(this).lock();
  buildBox();
  previousKeyWindow_ = Application::sharedApplication().keyWindow();
  auto window = Window::create(Screen::mainScreen().bounds());
  window->setWindowLevel(WindowLevel::Alert);
  window->setBackgroundColor(Color::clear());
  window->addSubview(self);
  window->makeKeyAndVisible();
  openWindows().push_back(window);
  window_ = window;
  visible_ = true;
  dismissing_ = false;
  registerSystemNoticePanel(self);
  reportSystemNotice(notice());
  setAlpha(0);
  View::animate(kPresentDuration, [self] { self->setAlpha(1); });
}

void AlertDialog::tapButtonAtIndex(int buttonIndex) {
  if (!visible_ || dismissing_ || buttonIndex < 0 || buttonIndex >= numberOfButtons()) return;
  auto keep = shared_from_this();
  if (auto d = delegate()) d->clickedButtonAtIndex(*this, buttonIndex);
  dismissWithClickedButtonIndex(buttonIndex, true);
}

bool AlertDialog::tapButtonWithTitle(const std::string& title) {
  if (!visible_ || dismissing_) return false;
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (buttonTitles_[static_cast<std::size_t>(i)] == title) {
      tapButtonAtIndex(i);
      return true;
    }
  }
  return false;
}

void AlertDialog::dismissWithClickedButtonIndex(int buttonIndex, bool animated) {
  if (!visible_ || dismissing_) return;
  dismissing_ = true;
  auto self = weakSelf(this).lock();
  if (auto d = delegate()) d->willDismissWithButtonIndex(*this, buttonIndex);
  auto finish = [self, buttonIndex](bool) {
    self->visible_ = false;
    self->dismissing_ = false;
    self->removeFromSuperview();
    closeWindow(self->window_.lock());
    self->window_.reset();
    auto previous = std::move(self->previousKeyWindow_);
    if (previous && !previous->isHidden()) previous->makeKeyWindow();
    unregisterSystemNoticePanel(self.get());
    if (auto d = self->delegate()) d->didDismissWithButtonIndex(*self, buttonIndex);
  };
  if (animated) {
    View::animate(kDismissDuration, [self] { self->setAlpha(0); }, finish);
  } else {
    finish(true);
  }
}

SystemNotice AlertDialog::notice() const {
  SystemNotice n;
  n.kind = kNoticeKindDialog;
  n.title = title_;
  n.message = message_;
  n.buttons = buttonTitles_;
  n.tag = tag();
  return n;
}

}  // namespace platform
