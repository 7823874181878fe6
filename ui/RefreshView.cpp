#include "ui/RefreshView.h"

#include "core/AppDelegate.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"

namespace vorn {

RefreshView::RefreshView(const platform::Rect& frame) : View(frame) {}

void RefreshView::build() {
  refresh_btn = platform::Button::buttonWithType(platform::ButtonType::Custom);
  refresh_btn->setExclusiveTouch(true);
  refresh_btn->setFrame({15, 10, 70, 70});
  refresh_btn->setImage(platform::Image::imageNamed(kReloadPictureName), platform::ControlState::Normal);
  refresh_btn->setBackgroundColor(platform::Color::clear());
  addSubview(refresh_btn);

  refreshLal = platform::Label::create({0, 78, 100, 17});
  refreshLal->setTextAlignment(platform::TextAlignment::Center);
  refreshLal->setBackgroundColor(platform::Color::clear());
  refreshLal->setFont(platform::Font::systemFont(15));
  refreshLal->setText(kRefreshViewText);
  addSubview(refreshLal);

  setBackgroundColor(platform::Color::clear());
  UIApply();
}

std::shared_ptr<RefreshView> RefreshView::initWithFrame(const platform::Rect& frame) {
  auto view = std::make_shared<RefreshView>(frame);
  view->build();
  view->refresh_btn->addTarget(view, &RefreshView::refreshCilked, platform::ControlEvent::TouchUpInside);
  return view;
}

void RefreshView::UIApply() {
  if (AppDelegate::getCurrentMode() == kThemeModeNormal) {
    refresh_btn->setAlpha(1.0);
    refreshLal->setTextColor(platform::Color::rgb255(69, 69, 69));
  } else {
    refresh_btn->setAlpha(0.6);
    refreshLal->setTextColor(platform::Color::rgb255(110, 119, 130));
  }
}

void RefreshView::refreshCilked() {
  if (auto d = delegate()) d->RefreshCurrentView();
}

}  // namespace vorn
