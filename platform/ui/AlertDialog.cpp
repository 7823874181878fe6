#include "platform/ui/AlertDialog.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

constexpr double kBoxWidth = 280;
constexpr double kTextInset = 15;
constexpr double kButtonHeight = 44;
constexpr double kGap = 10;

std::function<AlertDialogLook()>& lookProvider() {
  static std::function<AlertDialogLook()> provider;
  return provider;
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

void AlertDialog::setCancelButtonIndex(int index) {
  if (index < 0 || index >= numberOfButtons()) return;
  cancelButtonIndex_ = index;
}

void AlertDialog::buildBox() {
  clearContent();
  Rect screen = Screen::mainScreen().bounds();
  setFrame(screen);
  box_ = View::create();
  box_->setBackgroundColor(look_.boxColor);
  box_->layer().cornerRadius = 6;
  box_->setClipsToBounds(true);
  double width = kBoxWidth - 2 * kTextInset;
  double y = 20;
  if (!title_.empty()) {
    auto label = makeTextLabel(title_, look_.titleFont, look_.titleColor, {kTextInset, y}, width);
    box_->addSubview(label);
    y = label->frame().maxY() + kGap;
  }
  if (!message_.empty()) {
    auto label = makeTextLabel(message_, look_.messageFont, look_.messageColor, {kTextInset, y}, width);
    box_->addSubview(label);
    y = label->frame().maxY() + kGap;
  }
  y += kGap;
  auto addButton = [&](int index, const Rect& frame) {
    auto button = makeButton(index, frame, look_.buttonTitleColor, look_.buttonColor, look_.buttonColor.withAlpha(0.6));
    button->setTitleColor(look_.buttonTitleColor, ControlState::Highlighted);
    button->setExclusiveTouch(true);
    button->layer().cornerRadius = 4;
    button->setClipsToBounds(true);
    box_->addSubview(button);
  };
  if (numberOfButtons() == 2) {  // side by side, in index order
    double w = (width - kGap) / 2;
    addButton(0, Rect(kTextInset, y, w, kButtonHeight));
    addButton(1, Rect(kTextInset + w + kGap, y, w, kButtonHeight));
    y += kButtonHeight + kGap;
  } else {
    for (int i = 0; i < numberOfButtons(); ++i) {
      addButton(i, Rect(kTextInset, y, width, kButtonHeight));
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
  presentInOwnWindow(true);
  setAlpha(0);
  View::animate(kPresentDuration, [self] { self->setAlpha(1); });
}

void AlertDialog::buttonClicked(int buttonIndex) {
  if (auto d = delegate()) d->clickedButtonAtIndex(*this, buttonIndex);
}

void AlertDialog::willDismiss(int buttonIndex) {
  if (auto d = delegate()) d->willDismissWithButtonIndex(*this, buttonIndex);
}

void AlertDialog::didDismiss(int buttonIndex) {
  if (auto d = delegate()) d->didDismissWithButtonIndex(*this, buttonIndex);
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
