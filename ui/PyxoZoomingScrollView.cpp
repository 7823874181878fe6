#include "ui/PyxoZoomingScrollView.h"

#include <algorithm>
#include <any>
#include <cmath>

#include "core/AppDelegate.h"
#include "core/VersionNumber.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/CircularProgressView.h"
#include "platform/ui/Device.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Screen.h"
#include "ui/PyxoPhoto.h"
#include "ui/PyxoPhotoBrowser.h"

namespace vorn {
namespace {

using platform::Color;
using platform::Rect;

const Color kDayBackground = Color::rgb255(236, 236, 236);
const Color kNightBackground = Color::rgb255(36, 37, 41);
constexpr double kPhoneMaximumZoom = 3.0;
constexpr double kTabletMaximumZoom = 4.0;
// A double tap jumps to the maximum once the zoom has come this share of it above the fit.
constexpr double kDoubleTapFullZoomShare = 0.3;

Rect portraitLogoFrame() { return platform::Screen::mainScreen().hasTallMode() ? Rect(119, 259, 82, 30) : Rect(119, 215, 82, 30); }
Rect landscapeLogoFrame() { return platform::Screen::mainScreen().hasTallMode() ? Rect(233, 135, 82, 30) : Rect(189, 135, 82, 30); }

bool isDayMode() { return AppDelegate::getCurrentMode() == kThemeModeNormal; }

}  // namespace

PyxoZoomingScrollView::PyxoZoomingScrollView() : ScrollView(Rect()) {}

PyxoZoomingScrollView::~PyxoZoomingScrollView() { platform::NotificationCenter::defaultCenter().removeObserver(this); }

std::shared_ptr<PyxoZoomingScrollView> PyxoZoomingScrollView::initWithPhotoBrowser(
    const std::shared_ptr<PyxoPhotoBrowser>& browser) {
  auto page = std::make_shared<PyxoZoomingScrollView>();
  page->setUp(browser);
  return page;
}

void PyxoZoomingScrollView::setUp(const std::shared_ptr<PyxoPhotoBrowser>& browser) {
  auto weak = platform::weakSelf(this);
  auto& center = platform::NotificationCenter::defaultCenter();
  center.addObserver(this, kThemeChangeNotify, [weak](const platform::Notification&) {
    if (auto self = weak.lock()) self->applyCurrentTheme();
  });
  photoBrowser_ = browser;

  logoView_ = platform::ImageView::create(portraitLogoFrame());
  logoView_->setBackgroundColor(Color::clear());
  logoView_->setTag(kPhotoLogoTag);
  addSubview(logoView_);

  tapView_ = PyxoTapDetectingView::create(bounds());
  tapView_->setTapDelegate(std::static_pointer_cast<PyxoTapDetectingViewDelegate>(weak.lock()));
  tapView_->setAutoresizingMask(platform::Autoresizing::FlexibleWidth | platform::Autoresizing::FlexibleHeight);
  tapView_->setBackgroundColor(Color::black().withAlpha(0.07));
  addSubview(tapView_);

  photoImageView_ = PyxoTapDetectingImageView::create(Rect());
  photoImageView_->setTapDelegate(std::static_pointer_cast<PyxoTapDetectingImageViewDelegate>(weak.lock()));
  photoImageView_->setContentMode(platform::ContentMode::Center);
  addSubview(photoImageView_);

  progressView_ = platform::CircularProgressView::create(Rect(140, 30, 40, 40));
  progressView_->setUserInteractionEnabled(false);
  if (compareVersions(platform::Device::currentDevice().systemVersion(), "7") < 0) {
    progressView_->setThicknessRatio(0.2);
    progressView_->setRoundedCorners(true);
  } else {
    progressView_->setThicknessRatio(0.1);
    progressView_->setRoundedCorners(false);
  }
  progressView_->setAutoresizingMask(
      platform::Autoresizing::FlexibleLeftMargin | platform::Autoresizing::FlexibleRightMargin |
      platform::Autoresizing::FlexibleTopMargin | platform::Autoresizing::FlexibleBottomMargin);
  addSubview(progressView_);

  center.addObserver(this, kPyxoPhotoProgressNotification, [weak](const platform::Notification& n) {
    const auto* report = std::any_cast<PyxoPhotoProgress>(&n.object);
    if (!report) return;
    auto photo = report->photo;
    float progress = report->progress;
    // The ring is a view: it changes on the main thread whatever thread reported.
    platform::dispatchMain([weak, photo, progress] {
      if (auto self = weak.lock()) self->setProgressFromNotification(photo, progress);
    });
  });

  setDelegate(std::static_pointer_cast<platform::ScrollViewDelegate>(weak.lock()));
  setShowsHorizontalScrollIndicator(false);
  setShowsVerticalScrollIndicator(false);
  setDecelerationRate(kDecelerationRateFast);
  setAutoresizingMask(platform::Autoresizing::FlexibleWidth | platform::Autoresizing::FlexibleHeight);
  applyCurrentTheme();
}

void PyxoZoomingScrollView::applyCurrentTheme() {
  if (isDayMode()) whiteTheme();
  else blackTheme();
}

void PyxoZoomingScrollView::whiteTheme() {
  setBackgroundColor(kDayBackground);
  photoImageView_->setBackgroundColor(kDayBackground);
  logoView_->setImage(platform::Image::imageNamed(kPhotoFailureLogoImage));
}

void PyxoZoomingScrollView::blackTheme() {
  setBackgroundColor(kNightBackground);
  photoImageView_->setBackgroundColor(kNightBackground);
  logoView_->setImage(platform::Image::imageNamed(kPhotoFailureLogoImage));
}

void PyxoZoomingScrollView::setDefaultBGColor() { setBackgroundColor(isDayMode() ? kDayBackground : kNightBackground); }

void PyxoZoomingScrollView::setBGColor() { setBackgroundColor(Color::black()); }

void PyxoZoomingScrollView::setDefaultImg() { logoView_->setFrame(portraitLogoFrame()); }

void PyxoZoomingScrollView::resetDefaultImg() { logoView_->setFrame(landscapeLogoFrame()); }

// ---- Showing a photo ----------------------------------------------------------------

void PyxoZoomingScrollView::setPhoto(const std::shared_ptr<PyxoPhotoProtocol>& photo) {
  photoImageView_->setImage(nullptr);
  if (photo_ != photo) photo_ = photo;
  displayImage();
}

void PyxoZoomingScrollView::prepareForReuse() { setPhoto(nullptr); }

void PyxoZoomingScrollView::displayImage() {
  if (photo_ && !photoImageView_->image()) {
    setMaximumZoomScale(1);
    setMinimumZoomScale(1);
    setZoomScale(1);
    setContentSize({0, 0});
    std::shared_ptr<const platform::Image> image;
    if (auto browser = photoBrowser()) image = browser->imageForPhoto(photo_);
    if (image) {
      progressView_->setHidden(true);
      photoImageView_->setImage(image);
      photoImageView_->setHidden(false);
      platform::Size size = platform::imageSizeOf(image.get());
      photoImageView_->setFrame(Rect({0, 0}, size));
      setContentSize(size);
      setMaxMinZoomScalesForCurrentBounds();
    } else {
      photoImageView_->setHidden(true);
      progressView_->setHidden(false);
      progressView_->setProgress(0);
    }
    setNeedsLayout();
  }
  logoView_->setHidden(true);
}

void PyxoZoomingScrollView::displayImageFailure() {
  progressView_->setHidden(true);
  logoView_->setHidden(false);
}

void PyxoZoomingScrollView::setProgressFromNotification(const std::shared_ptr<PyxoPhotoProtocol>& photo,
                                                        float progress) {
  if (!photo || photo != photo_) return;
  double value = std::isnan(progress) ? 0.0 : std::clamp(static_cast<double>(progress), 0.0, 1.0);
  progressView_->setProgress(value);
}

// ---- Zoom range and layout ------------------------------------------------------------

void PyxoZoomingScrollView::setMaxMinZoomScalesForCurrentBounds() {
  setMaximumZoomScale(1);
  setMinimumZoomScale(1);
  setZoomScale(1);
  if (!photoImageView_->image()) return;
  platform::Size page = bounds().size;
  platform::Size picture = photoImageView_->frame().size;
  if (picture.width <= 0 || picture.height <= 0) return;
  double xScale = page.width / picture.width;
  double yScale = page.height / picture.height;
  double minScale = std::min(xScale, yScale);
  if (xScale >= 1 && yScale >= 1) minScale = 1;
  double maxScale = platform::Device::currentDevice().userInterfaceIdiom() == platform::UserInterfaceIdiom::Pad
                        ? kTabletMaximumZoom
                        : kPhoneMaximumZoom;
  setMaximumZoomScale(maxScale);
  setMinimumZoomScale(minScale);
  setZoomScale(minScale);
  Rect frame = photoImageView_->frame();
  photoImageView_->setFrame(Rect({0, 0}, frame.size));
  if (page.width > 320) resetDefaultImg();
  else setDefaultImg();
  setNeedsLayout();
}

void PyxoZoomingScrollView::layoutSubviews() {
  tapView_->setFrame(bounds());
  platform::Size page = bounds().size;
  if (!progressView_->isHidden())
    progressView_->setCenter({std::floor(page.width / 2), std::floor(page.height / 2)});
  ScrollView::layoutSubviews();
  Rect frame = photoImageView_->frame();
  Rect centred = frame;
  centred.origin.x = page.width > frame.width() ? std::floor((page.width - frame.width()) / 2) : 0;
  centred.origin.y = page.height > frame.height() ? std::floor((page.height - frame.height()) / 2) : 0;
  if (centred != frame) photoImageView_->setFrame(centred);
}

// ---- Scrolling --------------------------------------------------------------------------

std::shared_ptr<platform::View> PyxoZoomingScrollView::viewForZoomingInScrollView(platform::ScrollView&) {
  return photoImageView_;
}

void PyxoZoomingScrollView::scrollViewWillBeginDragging(platform::ScrollView&) {
  if (auto browser = photoBrowser()) browser->cancelControlHiding();
}

void PyxoZoomingScrollView::scrollViewWillBeginZooming(platform::ScrollView&, platform::View*) {
  if (auto browser = photoBrowser()) browser->cancelControlHiding();
}

void PyxoZoomingScrollView::scrollViewDidEndDragging(platform::ScrollView&, bool) {
  if (auto browser = photoBrowser()) browser->hideControlsAfterDelay();
}

// ---- Taps --------------------------------------------------------------------------------

void PyxoZoomingScrollView::handleSingleTap(platform::Point) {
  auto browser = photoBrowser();
  if (!browser) return;
  std::weak_ptr<PyxoPhotoBrowser> weak = browser;
  browser->performAfterDelay(kControlsToggleDelay, [weak] {
    if (auto b = weak.lock()) b->toggleControls();
  });
}

void PyxoZoomingScrollView::handleDoubleTap(platform::Point point) {
  auto browser = photoBrowser();
  if (browser) browser->cancelPreviousPerformRequests();
  if (zoomScale() == maximumZoomScale()) {
    setZoomScale(minimumZoomScale(), true);
  } else {
    double target = (zoomScale() - minimumZoomScale()) / maximumZoomScale() >= kDoubleTapFullZoomShare
                        ? maximumZoomScale()
                        : (maximumZoomScale() + minimumZoomScale()) / 2;
    platform::Size page = bounds().size;
    double w = page.width / target, h = page.height / target;
    zoomToRect(Rect(point.x - w / 2, point.y - h / 2, w, h), true);
  }
  if (browser) browser->hideControlsAfterDelay();
}

void PyxoZoomingScrollView::singleTapDetected(PyxoTapDetectingImageView& imageView, const platform::Touch& touch) {
  handleSingleTap(touch.locationInView(&imageView));
}

void PyxoZoomingScrollView::doubleTapDetected(PyxoTapDetectingImageView& imageView, const platform::Touch& touch) {
  handleDoubleTap(touch.locationInView(&imageView));
}

platform::Point PyxoZoomingScrollView::backgroundTapPoint(const PyxoTapDetectingView& view,
                                                         const platform::Touch& touch) const {
  platform::Point p = touch.locationInView(&view);
  double zoom = zoomScale() > 0 ? zoomScale() : 1;
  return {p.x / zoom + contentOffset().x, p.y / zoom + contentOffset().y};
}

void PyxoZoomingScrollView::singleTapDetected(PyxoTapDetectingView& view, const platform::Touch& touch) {
  handleSingleTap(backgroundTapPoint(view, touch));
}

void PyxoZoomingScrollView::doubleTapDetected(PyxoTapDetectingView& view, const platform::Touch& touch) {
  handleDoubleTap(backgroundTapPoint(view, touch));
}

}  // namespace vorn
