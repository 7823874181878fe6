#include "ui/VornNetErrorRefreshView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"

namespace vorn {

VornNetErrorRefreshView::VornNetErrorRefreshView(const platform::Rect& frame) : View(frame) {}

void VornNetErrorRefreshView::build() {
  const platform::Rect frame = this->frame();
  setBackgroundColor(platform::Color::clear());

  refreshButton_ = platform::Button::buttonWithType(platform::ButtonType::Custom);
  refreshButton_->setExclusiveTouch(true);
  refreshButton_->setImage(platform::Image::imageNamed(kNetErrorReloadPictureName), platform::ControlState::Normal);
  refreshButton_->setBounds({0, 0, 70, 70});
  addSubview(refreshButton_);

  refreshTipLabel_ = platform::Label::create();
  refreshTipLabel_->setBounds({0, 0, frame.width(), 20});
  refreshTipLabel_->setTextAlignment(platform::TextAlignment::Center);
  refreshTipLabel_->setText(kNetErrorRefreshText);
  refreshTipLabel_->setBackgroundColor(platform::Color::clear());
  refreshTipLabel_->setTextColor(platform::Color::rgb255(159, 159, 159));
  refreshTipLabel_->setFont(platform::Font::systemFont(15));
  addSubview(refreshTipLabel_);

  place();
}

std::shared_ptr<VornNetErrorRefreshView> VornNetErrorRefreshView::initWithFrame(const platform::Rect& frame) {
  auto view = std::make_shared<VornNetErrorRefreshView>(frame);
  view->build();
  view->refreshButton_->addTarget(view, &VornNetErrorRefreshView::refreshButtonClicked,
                                  platform::ControlEvent::TouchUpInside);
  return view;
}

void VornNetErrorRefreshView::place() {
  const platform::Point c = center();
  if (refreshButton_) refreshButton_->setCenter({c.x, c.y - 60});
  if (refreshTipLabel_) refreshTipLabel_->setCenter({c.x, c.y - 25});
}

void VornNetErrorRefreshView::layoutSubviews() { place(); }

void VornNetErrorRefreshView::refreshButtonClicked(platform::Control& sender) {
  auto d = delegate();
  auto* button = dynamic_cast<platform::Button*>(&sender);
  if (d && button) d->refreshButtonClicked(*this, *button);
}

}  // namespace vorn
