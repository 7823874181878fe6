#include "home/NewFeaturesView.h"

#include "core/AppDelegate.h"
#include "home/RootViewController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Color.h"
#include "platform/ui/Device.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Screen.h"

namespace vorn {
namespace {

bool isSystemSevenOrEight() {
  const std::string version = platform::Device::currentDevice().systemVersion();
  return !version.empty() && (version[0] == '7' || version[0] == '8');
}

void setStatusBarHidden(bool hidden) {
  platform::Application::sharedApplication().setStatusBarHidden(hidden);
  if (!isSystemSevenOrEight()) return;
  auto delegate = AppDelegate::sharedAppDelegate();
  delegate->setStatusBarIsHidden(hidden);
  platform::Application::sharedApplication().setNeedsStatusBarAppearanceUpdate();
}

}  // namespace

NewFeaturesView::NewFeaturesView(const platform::Rect& frame) : platform::View(frame) {}

std::shared_ptr<NewFeaturesView> NewFeaturesView::initWithFrame(const platform::Rect& frame) {
  auto view = std::make_shared<NewFeaturesView>(frame);
  view->build();
  return view;
}

void NewFeaturesView::build() {
  setBackgroundColor(platform::Color::white());
  setUserInteractionEnabled(true);
  picture_ = platform::ImageView::create(bounds());
  picture_->setImage(platform::Image::imageNamed(platform::Screen::mainScreen().hasTallMode() ? kNewFeaturesTallImage : kNewFeaturesShortImage));
  addSubview(picture_);
  setStatusBarHidden(true);
}

void NewFeaturesView::touchesEnded(const platform::TouchSet&, const platform::Event&) { close(); }

void NewFeaturesView::close() {
  if (closing_) return;
  closing_ = true;
  auto self = std::static_pointer_cast<NewFeaturesView>(shared_from_this());
  platform::View::animate(kNewFeaturesFadeSeconds, [self] { self->setAlpha(0); }, [self](bool) {
    auto delegate = AppDelegate::sharedAppDelegate();
    delegate->setFeaturesShown(false);
    delegate->setCanPopPush(true);
    delegate->getPushData();
    if (auto home = delegate->viewController()) home->getHotImageData();
    self->removeFromSuperview();
    setStatusBarHidden(false);
  });
}

}  // namespace vorn
