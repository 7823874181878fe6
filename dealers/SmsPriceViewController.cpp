#include "dealers/SmsPriceViewController.h"

#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"

namespace vorn {

// Until the form itself is built, the screen shows which form it is and for what.
void SmsPriceViewController::viewDidLoad() {
  view()->setBackgroundColor(platform::Color::rgb255(236, 236, 236));
  auto bar = platform::View::create({0, 0, 320, 51});
  bar->setBackgroundColor(platform::Color::rgb255(53, 160, 217));
  view()->addSubview(bar);
  auto title = platform::Label::create({63, 15, 200, 20});
  title->setFont(platform::Font::systemFont(20));
  title->setTextColor(platform::Color::rgb255(250, 250, 250));
  title->setBackgroundColor(platform::Color::clear());
  title->setText(isTitleReplacement_ == 1 ? kSmsPriceNotifyTitle : kSmsPricePromotionTitle);
  bar->addSubview(title);
  auto name = platform::Label::create({15, 70, 290, 24});
  name->setBackgroundColor(platform::Color::clear());
  name->setText(carName_);
  view()->addSubview(name);
}

}  // namespace vorn
