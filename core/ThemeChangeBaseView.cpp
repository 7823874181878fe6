#include "core/ThemeChangeBaseView.h"

#include "core/AppDelegate.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/ImageView.h"

namespace vorn {

namespace {
constexpr double kRowWidth = 320;
constexpr double kHairline = 0.5;
constexpr double kRowHeight = 46;
}  // namespace

ThemeChangeBaseView::ThemeChangeBaseView(const platform::Rect& frame) : Button(frame, platform::ButtonType::Custom) {
  // The row is main-thread only and removes this observation before it goes.
  platform::NotificationCenter::defaultCenter().addObserver(
      this, kThemeChangeNotify, [this](const platform::Notification&) {
        if (topLine_ && bottomLine_) recievedThemeChangeNotify();
      });
}

ThemeChangeBaseView::~ThemeChangeBaseView() {
  platform::NotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(this));
}

void ThemeChangeBaseView::addTopLine() {
  topLine_ = platform::ImageView::create({0, -kHairline, kRowWidth, kHairline});
  addSubview(topLine_);
}

void ThemeChangeBaseView::addBottomLine() {
  bottomLine_ = platform::ImageView::create({0, kRowHeight, kRowWidth, kHairline});
  addSubview(bottomLine_);
  recievedThemeChangeNotify();
}

void ThemeChangeBaseView::recievedThemeChangeNotify() {
  const std::string mode = AppDelegate::getCurrentMode();
  topLine_->setBackgroundColor(lineColorForMode(mode));
  bottomLine_->setBackgroundColor(lineColorForMode(mode));
  setBackgroundColor(backgroundColorForMode(mode));
}

platform::Color ThemeChangeBaseView::backgroundColorForMode(const std::string& mode) {
  return mode == kThemeModeNormal ? platform::Color::rgb255(244, 244, 244) : platform::Color::rgb255(49, 50, 55);
}

platform::Color ThemeChangeBaseView::lineColorForMode(const std::string& mode) {
  return mode == kThemeModeNormal ? platform::Color::rgb255(209, 209, 209) : platform::Color::rgb255(27, 29, 30);
}

}  // namespace vorn
