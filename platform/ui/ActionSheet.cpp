#include "platform/ui/ActionSheet.h"

#include <algorithm>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
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

int ActionSheet::firstOtherButtonIndex() const {
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (i != cancelButtonIndex_ && i != destructiveButtonIndex_) return i;
  }
  return -1;
}

void ActionSheet::buildPanel() {
  clearContent();
  Rect screen = Screen::mainScreen().bounds();
  setFrame(screen);
  panel_ = View::create();
  bool black = style_ == ActionSheetStyle::BlackTranslucent || style_ == ActionSheetStyle::BlackOpaque;
  panel_->setBackgroundColor(black ? Color::black().withAlpha(style_ == ActionSheetStyle::BlackOpaque ? 1.0 : 0.8)
                                   : Color::white(0.9));
  double width = screen.width() - 2 * kMargin;
  double y = kMargin;
  if (!title_.empty()) {
    auto label = makeTextLabel(title_, Font::systemFont(13), black ? Color::white() : Color::gray(), {kMargin, y},
                               width);
    label->setFrame({kMargin, y, width, std::max(kTitleHeight, label->frame().height())});
    panel_->addSubview(label);
    y = label->frame().maxY();
  }
  auto addButton = [&](int index) {
    Color title = index == destructiveButtonIndex_ ? Color::rgb255(255, 59, 48) : Color::rgb255(0, 122, 255);
    auto button = makeButton(index, Rect(kMargin, y, width, kButtonHeight), title, Color::white(0.97),
                             Color::white(0.85));
    if (index == cancelButtonIndex_) button->titleLabel()->setFont(Font::boldSystemFont(17));
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
  auto self = weakSelf(this).lock();
  if (auto d = delegate()) d->willPresentActionSheet(*this);
  buildPanel();
  presentInOwnWindow(false);
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

void ActionSheet::buttonClicked(int buttonIndex) {
  if (auto d = delegate()) d->clickedButtonAtIndex(*this, buttonIndex);
}

void ActionSheet::willDismiss(int buttonIndex) {
  if (auto d = delegate()) d->willDismissWithButtonIndex(*this, buttonIndex);
}

void ActionSheet::didDismiss(int buttonIndex) {
  if (auto d = delegate()) d->didDismissWithButtonIndex(*this, buttonIndex);
}

void ActionSheet::animateDismissal(std::function<void(bool)> done) {
  auto self = shared_from_this();
  auto panel = panel_;
  Rect gone = panel_->frame().offsetBy(0, panel_->frame().height());
  View::animate(kDismissDuration, [self, panel, gone] {
    panel->setFrame(gone);
    self->setAlpha(0);
  }, std::move(done));
}

SystemNotice ActionSheet::notice() const {
  SystemNotice n;
  n.kind = kNoticeKindSheet;
  n.title = title_;
  n.buttons = buttonTitles_;
  n.tag = tag();
  return n;
}

}  // namespace platform
