#include "ui/ShareActionView.h"

#include "core/AppDelegate.h"
#include "platform/ui/Button.h"
#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

using platform::Color;
using platform::Rect;

Color dimmedBackground() { return Color::rgba(0, 0, 0, 0.3); }
Color buttonTitleColor() { return Color::rgb255(53, 160, 217); }

bool isDayMode() { return AppDelegate::getCurrentMode() == kThemeModeNormal; }

}  // namespace

ShareActionView::ShareActionView() = default;

std::shared_ptr<ShareActionView> ShareActionView::initWithDelegate(
    std::weak_ptr<ShareActionViewDelegate> delegate, std::vector<std::shared_ptr<ShareItem>> iconItems,
    const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtons) {
  auto sheet = std::make_shared<ShareActionView>();
  sheet->delegate_ = std::move(delegate);
  for (auto& item : iconItems)
    if (item) sheet->iconItems_.push_back(std::move(item));
  sheet->build(cancelButtonTitle, otherButtons);
  return sheet;
}

void ShareActionView::build(const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtons) {
  const Rect screen = platform::Screen::mainScreen().bounds();
  auto self = std::static_pointer_cast<ShareActionView>(shared_from_this());

  setBackgroundColor(Color::white());
  shareWindow_ = platform::Window::create(screen);
  shareWindow_->setBackgroundColor(dimmedBackground());

  auto tap = std::make_shared<platform::TapGestureRecognizer>();
  tap->setNumberOfTapsRequired(1);
  tap->setNumberOfTouchesRequired(1);
  tap->setDelegate(std::static_pointer_cast<platform::GestureRecognizerDelegate>(self));
  std::weak_ptr<ShareActionView> weak = self;
  tap->addTarget([weak](platform::GestureRecognizer&) {
    if (auto sheet = weak.lock()) sheet->dismiss();
  });
  shareWindow_->addGestureRecognizer(tap);
  auto pan = std::make_shared<platform::PanGestureRecognizer>();
  // The pan works over the tile row too, alongside the row's own scrolling.
  pan->setDelegate(std::static_pointer_cast<platform::GestureRecognizerDelegate>(self));
  pan_ = pan;
  pan->addTarget([weak](platform::GestureRecognizer& recognizer) {
    if (auto sheet = weak.lock()) sheet->panGestureRecognizer(recognizer);
  });
  shareWindow_->addGestureRecognizer(pan);

  scrollview_ = platform::ScrollView::create();
  scrollview_->setShowsHorizontalScrollIndicator(false);
  scrollview_->setShowsVerticalScrollIndicator(false);
  addSubview(scrollview_);
  for (const auto& item : iconItems_) scrollview_->addSubview(item);

  auto makeButton = [&](const std::string& title, void (ShareActionView::*action)(platform::Control&)) {
    auto button = platform::Button::create();
    button->setExclusiveTouch(true);
    button->titleLabel()->setFont(platform::Font::systemFont(19));
    button->setTitle(title, platform::ControlState::Normal);
    button->setTitleColor(buttonTitleColor(), platform::ControlState::Normal);
    button->addTarget(self, action, platform::ControlEvent::TouchUpInside);
    buttonItems_.push_back(button);
    addSubview(button);
  };
  for (const auto& title : otherButtons) makeButton(title, &ShareActionView::didClickOtherButton);
  makeButton(cancelButtonTitle, &ShareActionView::didClickCancelButton);
  cancelButtonIndex_ = static_cast<int>(buttonItems_.size());

  if (!iconItems_.empty()) {
    scrollview_->setFrame({0, 0, screen.width(), kRowHeight});
    for (std::size_t i = 0; i < iconItems_.size(); ++i) {
      iconItems_[i]->setDelegate(std::static_pointer_cast<ShareItemDelegate>(self));
      iconItems_[i]->setFrame({static_cast<double>(i) * kTileStep + kTileInset, kTileInset, 60, 145});
    }
  }
  const double rowWidth = static_cast<double>(iconItems_.size()) * kTileStep;
  const double viewWidth = scrollview_->frame().width();
  scrollview_->setContentSize({rowWidth > viewWidth ? rowWidth + kTileInset : viewWidth + 1, 0});

  const double rowHeight = scrollview_->frame().height();
  const Color separatorColor = isDayMode() ? Color::rgb255(223, 223, 223) : Color::rgb255(27, 29, 30);
  for (std::size_t i = 0; i < buttonItems_.size(); ++i) {
    buttonItems_[i]->setFrame({0, rowHeight + static_cast<double>(i) * kButtonHeight, screen.width(), kButtonHeight});
    auto separator = platform::View::create({0, 0, screen.width(), 0.5});
    separator->setBackgroundColor(separatorColor);
    separator->setUserInteractionEnabled(false);
    buttonItems_[i]->addSubview(separator);
    separators_.push_back(separator);
  }
  setFrame({0, screen.height(), screen.width(), rowHeight + kButtonHeight * static_cast<double>(buttonItems_.size())});
  usingTheme();
}

void ShareActionView::usingTheme() {
  const bool day = isDayMode();
  const Color background = day ? Color::white() : Color::rgb255(49, 50, 55);
  const Color highlighted = day ? Color::rgb255(228, 228, 228) : Color::rgb255(36, 37, 41);
  setBackgroundColor(background);
  for (const auto& button : buttonItems_) {
    button->setTitleColor(buttonTitleColor(), platform::ControlState::Normal);
    button->setBackgroundImage(platform::Image::imageWithColor(background), platform::ControlState::Normal);
    button->setBackgroundImage(platform::Image::imageWithColor(highlighted), platform::ControlState::Highlighted);
  }
}

void ShareActionView::show() {
  const Rect screen = platform::Screen::mainScreen().bounds();
  // The window takes the sheet only now, so a sheet built but never shown is
  // not kept alive by its own window.
  if (!superview()) shareWindow_->addSubview(shared_from_this());
  shareWindow_->setBackgroundColor(Color::clear());
  shareWindow_->setWindowLevel(platform::WindowLevel::Alert);
  shareWindow_->setHidden(false);
  const double height = frame().height();
  setFrame({0, screen.height(), screen.width(), height});
  auto window = shareWindow_;
  auto self = std::static_pointer_cast<ShareActionView>(shared_from_this());
  platform::View::animate(kAnimationSeconds, 0, platform::AnimationOption::CurveEaseInOut, [&] {
    self->setFrame({0, screen.height() - height, screen.width(), height});
    window->setBackgroundColor(dimmedBackground());
  });
}

void ShareActionView::dismiss() { close(Outcome::None, 0); }

void ShareActionView::touchItem(ShareItem& item) {
  for (std::size_t i = 0; i < iconItems_.size(); ++i)
    if (iconItems_[i].get() == &item) return close(Outcome::Icon, static_cast<int>(i));
}

void ShareActionView::didClickOtherButton(platform::Control& sender) {
  for (std::size_t i = 0; i < buttonItems_.size(); ++i)
    if (buttonItems_[i].get() == &sender) return close(Outcome::Button, static_cast<int>(i));
}

void ShareActionView::didClickCancelButton(platform::Control&) { dismiss(); }

bool ShareActionView::gestureRecognizerShouldBegin(platform::GestureRecognizer& recognizer) {
  if (&recognizer == pan_.lock().get()) return true;
  return recognizer.locationInView(this).y < 0;
}

bool ShareActionView::shouldRecognizeSimultaneouslyWithGestureRecognizer(platform::GestureRecognizer& recognizer,
                                                                         platform::GestureRecognizer&) {
  return &recognizer == pan_.lock().get();
}

void ShareActionView::panGestureRecognizer(platform::GestureRecognizer& recognizer) {
  if (recognizer.state() != platform::GestureRecognizerState::Ended) return;
  auto& pan = static_cast<platform::PanGestureRecognizer&>(recognizer);
  if (pan.velocityInView(this).y > 0) dismiss();
}

void ShareActionView::close(Outcome outcome, int index) {
  // One closing per sheet: a second tap while it slides away is not a second choice.
  if (closing_ || !shareWindow_) return;
  closing_ = true;
  const Rect screen = platform::Screen::mainScreen().bounds();
  const double height = frame().height();
  auto self = std::static_pointer_cast<ShareActionView>(shared_from_this());
  auto window = shareWindow_;
  platform::View::animate(
      kAnimationSeconds, 0, platform::AnimationOption::CurveEaseInOut,
      [&] {
        self->setFrame({0, screen.height(), screen.width(), height});
        window->setBackgroundColor(Color::clear());
      },
      [self, window, outcome, index](bool) {
        window->setHidden(true);
        if (auto delegate = self->delegate_.lock()) {
          if (outcome == Outcome::Icon) delegate->didDismissWithIconItemIndex(*self, index);
          if (outcome == Outcome::Button) delegate->didDismissWithButtonIndex(*self, index);
        }
        // The sheet and its window let go of each other once it is closed.
        self->removeFromSuperview();
        self->shareWindow_.reset();
      });
}

}  // namespace vorn
