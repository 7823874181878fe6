#include "platform/ui/AlertView.h"

#include <cmath>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {
constexpr double kBoxWidth = 270;
constexpr double kTextWidth = 240;
constexpr double kButtonHeight = 44;
const Font kTitleFont = Font::boldSystemFont(17);
const Font kMessageFont = Font::systemFont(15);
const Color kButtonTitleColor = Color::rgb255(0, 122, 255);
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

void AlertView::buildBox() {
  clearContent();
  Rect screen = Screen::mainScreen().bounds();
  setFrame(screen);
  box_ = View::create();
  box_->setBackgroundColor(Color::white(0.95));
  box_->layer().cornerRadius = 7;
  box_->setClipsToBounds(true);
  double y = 20;
  if (!title_.empty()) {
    auto label = makeTextLabel(title_, kTitleFont, Color::black(), {15, y}, kTextWidth);
    box_->addSubview(label);
    y = label->frame().maxY() + 5;
  }
  if (!message_.empty()) {
    auto label = makeTextLabel(message_, kMessageFont, Color::black(), {15, y}, kTextWidth);
    box_->addSubview(label);
    y = label->frame().maxY();
  }
  y += 20;
  auto addButton = [&](int index, const Rect& frame) {
    auto button = makeButton(index, frame, kButtonTitleColor, Color::white(0.97), Color::white(0.85));
    if (index == cancelButtonIndex_) button->titleLabel()->setFont(Font::boldSystemFont(17));
    box_->addSubview(button);
  };
  if (numberOfButtons() == 2) {  // side by side
    addButton(0, Rect(0, y, kBoxWidth / 2 - 0.5, kButtonHeight));
    addButton(1, Rect(kBoxWidth / 2, y, kBoxWidth / 2, kButtonHeight));
    y += kButtonHeight;
  } else {
    for (int i = 0; i < numberOfButtons(); ++i) {
      addButton(i, Rect(0, y, kBoxWidth, kButtonHeight));
      y += kButtonHeight + 0.5;
    }
  }
  box_->setFrame(Rect(std::round((screen.width() - kBoxWidth) / 2), std::round((screen.height() - y) / 2),
                      kBoxWidth, y));
  addSubview(box_);
}

void AlertView::show() {
  if (visible_) return;
  auto self = weakSelf(this).lock();
  if (auto d = delegate()) d->willPresentAlertView(*this);
  buildBox();
  presentInOwnWindow(false);
  setAlpha(0);
  std::weak_ptr<AlertView> weak = self;
  View::animate(kPresentDuration, [self] { self->setAlpha(1); }, [weak](bool) {
    auto alert = weak.lock();
    if (!alert || !alert->visible_ || alert->dismissing_) return;
    if (auto d = alert->delegate()) d->didPresentAlertView(*alert);
  });
}

void AlertView::buttonClicked(int buttonIndex) {
  if (auto d = delegate()) d->clickedButtonAtIndex(*this, buttonIndex);
}

void AlertView::willDismiss(int buttonIndex) {
  if (auto d = delegate()) d->willDismissWithButtonIndex(*this, buttonIndex);
}

void AlertView::didDismiss(int buttonIndex) {
  if (auto d = delegate()) d->didDismissWithButtonIndex(*this, buttonIndex);
}

SystemNotice AlertView::notice() const {
  SystemNotice n;
  n.kind = kNoticeKindAlert;
  n.title = title_;
  n.message = message_;
  n.buttons = buttonTitles_;
  n.tag = tag();
  return n;
}

}  // namespace platform
