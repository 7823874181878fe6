#include "dealers/NewCityChangToolView.h"

#include "platform/foundation/UserDefaults.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"

namespace vorn {
namespace {
using platform::Color;
constexpr char kBackImage[] = "News_Details_Btn_Back.png";
constexpr char kSelectedPrefix[] = "当前选择：";
}  // namespace

NewCityChangToolView::NewCityChangToolView(const platform::Rect& frame) : platform::View(frame) {}

std::shared_ptr<NewCityChangToolView> NewCityChangToolView::initWithFrame(const platform::Rect& frame) {
  auto view = std::make_shared<NewCityChangToolView>(frame);
  view->build();
  return view;
}

void NewCityChangToolView::build() {
  setBackgroundColor(Color::rgb255(236, 236, 236));
  auto bar = platform::View::create({0, 0, bounds().width(), 50});
  bar->setBackgroundColor(Color::rgb255(53, 160, 217));
  addSubview(bar);
  backButton_ = platform::Button::create({0, 0, 50, 50});
  backButton_->setImage(platform::Image::imageNamed(kBackImage), platform::ControlState::Normal);
  bar->addSubview(backButton_);
  titleLabel_ = platform::Label::create({63, 0, 200, 50});
  titleLabel_->setFont(platform::Font::systemFont(20));
  titleLabel_->setTextColor(Color::rgb255(250, 250, 250));
  titleLabel_->setBackgroundColor(Color::clear());
  titleLabel_->setText(kChooseCityTitle);
  bar->addSubview(titleLabel_);

  locationLabel_ = platform::Label::create({15, 65, 240, 30});
  locationLabel_->setBackgroundColor(Color::clear());
  addSubview(locationLabel_);
  spinner_ = platform::ActivityIndicatorView::initWithActivityIndicatorStyle(platform::ActivityIndicatorViewStyle::Gray);
  spinner_->setCenter({280, 80});
  addSubview(spinner_);

  auto& defaults = platform::UserDefaults::standardUserDefaults();
  const auto name = defaults.stringForKey(kSelectCityName);
  selectedLabel_ = platform::Label::create({15, 105, 290, 30});
  selectedLabel_->setBackgroundColor(Color::clear());
  selectedLabel_->setText(std::string(kSelectedPrefix) + (name && !name->empty() ? *name : kDefaultCityName));
  addSubview(selectedLabel_);
}

void NewCityChangToolView::setViewType(int type) {
  viewType_ = type;
  backButton_->setHidden(type == kCityViewTypeFirstRun);
  if (type == kCityViewTypeFirstRun) titleLabel_->setFrame({15, 0, 200, 50});
}

void NewCityChangToolView::AgainSatellitePositioning() {
  locationLabel_->setText(kLocatingCityText);
  spinner_->startAnimating();
  located_ = false;
  // The locator is asked here once it is part of the application.
}

}  // namespace vorn
