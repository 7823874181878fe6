#include "ui/ShareItem.h"

#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace vorn {

ShareItem::ShareItem() : platform::View(platform::Rect{0, 0, kWidth, kHeight}) {}

std::shared_ptr<ShareItem> ShareItem::initWithTitle(const std::string& title, const std::string& imageName) {
  auto item = std::make_shared<ShareItem>();
  item->setBackgroundColor(platform::Color::clear());
  item->setUserInteractionEnabled(true);

  item->iconImageView_ = platform::ImageView::create({0, 0, 60, 60});
  item->iconImageView_->setImage(platform::Image::imageNamed(imageName));
  item->addSubview(item->iconImageView_);

  // Five points wider than the tile on each side, so longer titles still fit.
  item->titleLabel_ = platform::Label::create({-5, 63, 70, 25});
  item->titleLabel_->setFont(platform::Font::systemFont(12));
  item->titleLabel_->setTextColor(platform::Color::rgb255(153, 153, 153));
  item->titleLabel_->setTextAlignment(platform::TextAlignment::Center);
  item->titleLabel_->setBackgroundColor(platform::Color::clear());
  item->titleLabel_->setText(title);
  item->addSubview(item->titleLabel_);
  return item;
}

void ShareItem::touchesEnded(const platform::TouchSet&, const platform::Event&) {
  if (auto delegate = delegate_.lock()) delegate->touchItem(*this);
}

}  // namespace vorn
