#include "ui/NewsCommentBottomBarView.h"

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"

namespace vorn {
namespace {

using platform::Rect;

constexpr double kButtonHeight = 34;
constexpr double kSendWidth = 55;
constexpr double kMargin = 8;

// Drops the last character (all the bytes of its UTF-8 sequence).
void dropLastCharacter(std::string& text) {
  if (text.empty()) return;
  std::size_t i = text.size() - 1;
  while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
  text.erase(i);
}

}  // namespace

NewsCommentBottomBarView::NewsCommentBottomBarView() : View(Rect()) {}

std::shared_ptr<NewsCommentBottomBarView> NewsCommentBottomBarView::create() {
  auto bar = std::make_shared<NewsCommentBottomBarView>();
  bar->setBackgroundColor(platform::Color::rgb255(247, 247, 247));

  bar->editButton_ = platform::Button::buttonWithType(platform::ButtonType::Custom);
  bar->editButton_->setTitle(kCommentBarEditTitle, platform::ControlState::Normal);
  bar->editButton_->addTarget(bar, &NewsCommentBottomBarView::editTapped, platform::ControlEvent::TouchUpInside);
  bar->addSubview(bar->editButton_);

  bar->textLabel_ = platform::Label::create();
  bar->textLabel_->setHidden(true);
  bar->addSubview(bar->textLabel_);

  bar->tipLabel_ = platform::Label::create();
  bar->tipLabel_->setHidden(true);
  bar->addSubview(bar->tipLabel_);

  bar->cancelButton_ = platform::Button::buttonWithType(platform::ButtonType::Custom);
  bar->cancelButton_->setTitle(kCommentBarCancelTitle, platform::ControlState::Normal);
  bar->cancelButton_->addTarget(bar, &NewsCommentBottomBarView::cancelTapped, platform::ControlEvent::TouchUpInside);
  bar->cancelButton_->setHidden(true);
  bar->addSubview(bar->cancelButton_);

  bar->sendButton_ = platform::Button::buttonWithType(platform::ButtonType::Custom);
  bar->sendButton_->setTitle(kCommentBarSendTitle, platform::ControlState::Normal);
  bar->sendButton_->addTarget(bar, &NewsCommentBottomBarView::sendTapped, platform::ControlEvent::TouchUpInside);
  bar->addSubview(bar->sendButton_);

  bar->strip_ = platform::View::create();
  bar->strip_->setBackgroundColor(platform::Color::rgb255(53, 160, 217));
  bar->addSubview(bar->strip_);

  bar->updateButtons();
  return bar;
}

void NewsCommentBottomBarView::showInView(const std::shared_ptr<platform::View>& view) {
  parent_ = view;
  setNeedsLayout();
  if (view) view->addSubview(shared_from_this());
}

void NewsCommentBottomBarView::setEnable(bool enabled) {
  enabled_ = enabled;
  updateButtons();
}

void NewsCommentBottomBarView::setHolderStr(const std::string& holder) {
  holder_ = holder;
  tip_ = holder == kCommentBarPictureHolder ? kCommentBarPictureTip : "";
  tipLabel_->setText(tip_);
  updateButtons();
}

const std::string& NewsCommentBottomBarView::tipText() const { return tip_; }

void NewsCommentBottomBarView::setCommentStr(const std::string& text) {
  commentStr_ = text;
  updateButtons();
}

void NewsCommentBottomBarView::insertText(const std::string& text) {
  if (!editable_) return;
  if (text == "\n") {
    sendTapped();
    return;
  }
  commentStr_ += text;
  textChanged();
}

void NewsCommentBottomBarView::deleteBackward() {
  if (!editable_) return;
  dropLastCharacter(commentStr_);
  textChanged();
}

void NewsCommentBottomBarView::textChanged() {
  updateButtons();
  if (auto d = delegate()) d->textDidChanged(*this);
}

bool NewsCommentBottomBarView::becomeFirstResponder() {
  bool was = isFirstResponder();
  if (!View::becomeFirstResponder()) return false;
  if (!was) {
    updateButtons();
    setNeedsLayout();
    if (auto d = delegate()) d->newsCommentBottomBarViewFirstResponesderStateChanged(*this);
  }
  return true;
}

bool NewsCommentBottomBarView::resignFirstResponder() {
  if (isFirstResponder()) View::resignFirstResponder();
  // Editing has ended: the placeholder is emptied until the next edit asks for it.
  holder_.clear();
  updateButtons();
  setNeedsLayout();
  if (auto d = delegate()) d->newsCommentBottomBarViewFirstResponesderStateChanged(*this);
  return true;
}

void NewsCommentBottomBarView::editTapped() {
  if (!enabled_) return;
  if (auto d = delegate()) d->editButtonClicked(*this, *editButton_);
  becomeFirstResponder();
}

void NewsCommentBottomBarView::sendTapped() {
  if (!enabled_ || commentStr_.empty() || animating_) return;
  if (isFirstResponder()) resignFirstResponder();
  auto weak = platform::weakSelf(this);
  platform::dispatchAfter(kCommentBarSendDelay, [weak] {
    auto self = weak.lock();
    if (!self) return;
    if (auto d = self->delegate()) d->sendButtonClicked(*self, *self->sendButton_);
  });
}

void NewsCommentBottomBarView::cancelTapped() { resignFirstResponder(); }

void NewsCommentBottomBarView::startAnimation() {
  animating_ = true;
  editable_ = false;
  updateButtons();
  Rect b = bounds();
  strip_->setFrame(Rect(0, 0, 0, 2));
  View::animate(kCommentBarStripSeconds, [this, b] { strip_->setFrame(Rect(0, 0, b.width() * 0.9, 2)); });
}

void NewsCommentBottomBarView::stopAnimationCompleteBlock(std::function<void()> done) {
  editable_ = true;
  Rect b = bounds();
  auto weak = platform::weakSelf(this);
  View::animate(
      kCommentBarStripSeconds, [this, b] { strip_->setFrame(Rect(0, 0, b.width(), 2)); },
      [weak, done](bool) {
        auto self = weak.lock();
        if (!self) return;
        self->animating_ = false;
        self->strip_->setFrame(Rect(0, 0, 0, 2));
        self->updateButtons();
        if (done) done();
      });
}

void NewsCommentBottomBarView::updateButtons() {
  bool editing = isFirstResponder();
  editButton_->setEnabled(enabled_ && !animating_);
  sendButton_->setEnabled(enabled_ && !animating_ && !commentStr_.empty());
  cancelButton_->setHidden(!editing);
  tipLabel_->setHidden(!editing || tip_.empty());
  // Collapsed, the edit button shows the text typed so far, or the placeholder.
  std::string shown = !commentStr_.empty() ? commentStr_ : (!holder_.empty() ? holder_ : kCommentBarEditTitle);
  editButton_->setTitle(shown, platform::ControlState::Normal);
}

void NewsCommentBottomBarView::layoutSubviews() {
  Rect b = bounds();
  double w = b.width();
  editButton_->setFrame(Rect(kMargin, kMargin, std::max(0.0, w - kSendWidth - 3 * kMargin), kButtonHeight));
  sendButton_->setFrame(Rect(w - kSendWidth - kMargin, kMargin, kSendWidth, kButtonHeight));
  cancelButton_->setFrame(Rect(w - 2 * (kSendWidth + kMargin), kMargin, kSendWidth, kButtonHeight));
  tipLabel_->setFrame(Rect(kMargin, 0, 60, kMargin));
  View::layoutSubviews();
}

}  // namespace vorn
