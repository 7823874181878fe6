#pragma once
// One page of the photo browser: a scroll view showing one photo, first as a
// progress ring while it loads, then fitted into the page and zoomable by pinch
// and double tap, or, when the load failed, as a small logo. A single tap asks
// the browser to show or hide its controls 0.2 s later; a double tap within
// that time cancels the toggle and zooms instead.
//
// Subviews, back to front: logo (tag 200), background tap view, picture view,
// progress ring.
#include <memory>
#include <string>

#include "platform/ui/ScrollView.h"
#include "ui/PyxoTapDetectingImageView.h"
#include "ui/PyxoTapDetectingView.h"

namespace platform {
class CircularProgressView;
class ImageView;
}  // namespace platform

namespace vorn {

class PyxoPhotoBrowser;
class PyxoPhotoProtocol;

inline constexpr char kPhotoFailureLogoImage[] = "Logo_Big.png";
inline constexpr std::int64_t kPhotoLogoTag = 200;
inline constexpr double kControlsToggleDelay = 0.2;

class PyxoZoomingScrollView : public platform::ScrollView,
                              public platform::ScrollViewDelegate,
                              public PyxoTapDetectingViewDelegate,
                              public PyxoTapDetectingImageViewDelegate {
 public:
  static std::shared_ptr<PyxoZoomingScrollView> initWithPhotoBrowser(const std::shared_ptr<PyxoPhotoBrowser>& browser);
  PyxoZoomingScrollView();
  ~PyxoZoomingScrollView() override;
  std::string className() const override { return "PyxoZoomingScrollView"; }

  std::shared_ptr<PyxoPhotoBrowser> photoBrowser() const { return photoBrowser_.lock(); }
  const std::shared_ptr<PyxoPhotoProtocol>& photo() const { return photo_; }
  void setPhoto(const std::shared_ptr<PyxoPhotoProtocol>& photo);
  void prepareForReuse();
  void displayImage();
  void displayImageFailure();
  void setMaxMinZoomScalesForCurrentBounds();
  // The logo's portrait and landscape places.
  void setDefaultImg();
  void resetDefaultImg();
  // Page background while the browser's controls are shown (theme) or hidden (black).
  void setDefaultBGColor();
  void setBGColor();
  void whiteTheme();
  void blackTheme();

  void layoutSubviews() override;

  // The parts, for the browser's checks and tests.
  const std::shared_ptr<PyxoTapDetectingImageView>& photoImageView() const { return photoImageView_; }
  const std::shared_ptr<PyxoTapDetectingView>& tapView() const { return tapView_; }
  const std::shared_ptr<platform::CircularProgressView>& progressView() const { return progressView_; }
  const std::shared_ptr<platform::ImageView>& logoView() const { return logoView_; }

  // Scroll-view delegate (the page is its own).
  std::shared_ptr<platform::View> viewForZoomingInScrollView(platform::ScrollView& scrollView) override;
  void scrollViewWillBeginDragging(platform::ScrollView& scrollView) override;
  void scrollViewWillBeginZooming(platform::ScrollView& scrollView, platform::View* view) override;
  void scrollViewDidEndDragging(platform::ScrollView& scrollView, bool willDecelerate) override;

  // Taps on the picture and on the background.
  void singleTapDetected(PyxoTapDetectingImageView& imageView, const platform::Touch& touch) override;
  void doubleTapDetected(PyxoTapDetectingImageView& imageView, const platform::Touch& touch) override;
  void singleTapDetected(PyxoTapDetectingView& view, const platform::Touch& touch) override;
  void doubleTapDetected(PyxoTapDetectingView& view, const platform::Touch& touch) override;

  // `point` in the picture view's coordinates.
  void handleSingleTap(platform::Point point);
  void handleDoubleTap(platform::Point point);

 private:
  void setUp(const std::shared_ptr<PyxoPhotoBrowser>& browser);
  void applyCurrentTheme();
  void setProgressFromNotification(const std::shared_ptr<PyxoPhotoProtocol>& photo, float progress);
  platform::Point backgroundTapPoint(const PyxoTapDetectingView& view, const platform::Touch& touch) const;

  std::weak_ptr<PyxoPhotoBrowser> photoBrowser_;
  std::shared_ptr<PyxoPhotoProtocol> photo_;
  std::shared_ptr<PyxoTapDetectingImageView> photoImageView_;
  std::shared_ptr<PyxoTapDetectingView> tapView_;
  std::shared_ptr<platform::CircularProgressView> progressView_;
  std::shared_ptr<platform::ImageView> logoView_;
};

}  // namespace vorn
