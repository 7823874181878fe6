#pragma once
// A view whose bounds origin (the content offset) moves over a larger content
// area: dragging with a finger, deceleration and paging on the main loop's
// clock, bouncing at the edges, zooming one content view, and the delegate
// calls in the platform's order. For a drag:
//   willBeginDragging, didScroll..., willEndDragging (velocity in points per
//   millisecond, target offset the delegate may change), didEndDragging
//   (willDecelerate), and when it decelerates: willBeginDecelerating,
//   didScroll..., didEndDecelerating.
// An animated setContentOffset ends with didEndScrollingAnimation. Two fingers
// pinch the zooming view (willBeginZooming, didZoom..., didEndZooming), the
// point between them staying under them.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/View.h"

namespace platform {

class ScrollView;
class PanGestureRecognizer;

// Two fingers moving apart or together: the scale is the fingers' distance over
// their distance when the gesture began. Continuous (began, changed..., ended).
class PinchGestureRecognizer : public GestureRecognizer {
 public:
  std::string className() const override { return "PinchGestureRecognizer"; }
  double scale() const { return scale_; }
  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;
  void reset() override;
  // Points the fingers' distance must change by before the gesture begins.
  static constexpr double kHysteresis = 3;

 private:
  double fingerDistance() const;
  double startDistance_ = 0;
  double scale_ = 1;
};

class ScrollViewDelegate {
 public:
  virtual ~ScrollViewDelegate() = default;
  virtual void scrollViewDidScroll(ScrollView& scrollView) { (void)scrollView; }
  virtual void scrollViewWillBeginDragging(ScrollView& scrollView) { (void)scrollView; }
  // velocity: points per millisecond; targetContentOffset: where the content
  // will come to rest, which the delegate may change.
  virtual void scrollViewWillEndDragging(ScrollView& scrollView, Point velocity, Point* targetContentOffset) {
    (void)scrollView; (void)velocity; (void)targetContentOffset;
  }
  virtual void scrollViewDidEndDragging(ScrollView& scrollView, bool willDecelerate) {
    (void)scrollView; (void)willDecelerate;
  }
  virtual void scrollViewWillBeginDecelerating(ScrollView& scrollView) { (void)scrollView; }
  virtual void scrollViewDidEndDecelerating(ScrollView& scrollView) { (void)scrollView; }
  virtual void scrollViewDidEndScrollingAnimation(ScrollView& scrollView) { (void)scrollView; }
  virtual std::shared_ptr<View> viewForZoomingInScrollView(ScrollView& scrollView) {
    (void)scrollView;
    return nullptr;
  }
  virtual void scrollViewWillBeginZooming(ScrollView& scrollView, View* view) { (void)scrollView; (void)view; }
  virtual void scrollViewDidEndZooming(ScrollView& scrollView, View* view, double scale) {
    (void)scrollView; (void)view; (void)scale;
  }
  virtual void scrollViewDidZoom(ScrollView& scrollView) { (void)scrollView; }
  virtual bool scrollViewShouldScrollToTop(ScrollView& scrollView) { (void)scrollView; return true; }
  virtual void scrollViewDidScrollToTop(ScrollView& scrollView) { (void)scrollView; }
};

enum class ScrollViewIndicatorStyle { Default = 0, Black = 1, White = 2 };

class ScrollView : public View {
 public:
  explicit ScrollView(const Rect& frame = {});
  ~ScrollView() override;
  static std::shared_ptr<ScrollView> create(const Rect& frame = {});
  std::string className() const override { return "ScrollView"; }

  // Deceleration rates: the share of velocity kept per millisecond.
  static constexpr double kDecelerationRateNormal = 0.998;
  static constexpr double kDecelerationRateFast = 0.99;
  // Seconds an animated offset change and a page settling take.
  static constexpr double kScrollAnimationDuration = 0.3;
  // Steps of moving content on the clock (didScroll is sent once a step).
  static constexpr double kFrameInterval = 1.0 / 60;

  void setDelegate(std::weak_ptr<ScrollViewDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<ScrollViewDelegate> delegate() const { return delegate_.lock(); }

  // Content.
  Size contentSize() const { return contentSize_; }
  virtual void setContentSize(Size size);
  Point contentOffset() const { return bounds().origin; }
  void setContentOffset(Point offset);
  void setContentOffset(Point offset, bool animated);
  EdgeInsets contentInset() const { return contentInset_; }
  void setContentInset(const EdgeInsets& inset);
  EdgeInsets scrollIndicatorInsets() const { return indicatorInsets_; }
  void setScrollIndicatorInsets(const EdgeInsets& inset) { indicatorInsets_ = inset; }
  // Offsets the content may rest at: from -inset to content + inset - bounds.
  Point minimumContentOffset() const;
  Point maximumContentOffset() const;

  // Behaviour.
  bool isScrollEnabled() const { return scrollEnabled_; }
  void setScrollEnabled(bool enabled);
  bool isPagingEnabled() const { return pagingEnabled_; }
  void setPagingEnabled(bool enabled) { pagingEnabled_ = enabled; }
  bool bounces() const { return bounces_; }
  void setBounces(bool bounces) { bounces_ = bounces; }
  bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
  void setAlwaysBounceVertical(bool on) { alwaysBounceVertical_ = on; }
  bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
  void setAlwaysBounceHorizontal(bool on) { alwaysBounceHorizontal_ = on; }
  bool isDirectionalLockEnabled() const { return directionalLock_; }
  void setDirectionalLockEnabled(bool on) { directionalLock_ = on; }
  double decelerationRate() const { return decelerationRate_; }
  void setDecelerationRate(double rate) { decelerationRate_ = rate; }
  bool scrollsToTop() const { return scrollsToTop_; }
  void setScrollsToTop(bool on) { scrollsToTop_ = on; }
  bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
  void setShowsHorizontalScrollIndicator(bool on) { showsHorizontal_ = on; }
  bool showsVerticalScrollIndicator() const { return showsVertical_; }
  void setShowsVerticalScrollIndicator(bool on) { showsVertical_ = on; }
  ScrollViewIndicatorStyle indicatorStyle() const { return indicatorStyle_; }
  void setIndicatorStyle(ScrollViewIndicatorStyle s) { indicatorStyle_ = s; }
  bool delaysContentTouches() const { return delaysContentTouches_; }
  void setDelaysContentTouches(bool on) { delaysContentTouches_ = on; }
  bool canCancelContentTouches() const { return canCancelContentTouches_; }
  void setCanCancelContentTouches(bool on);
  void flashScrollIndicators() {}

  // State of a finger and of moving content.
  bool isTracking() const { return tracking_; }
  bool isDragging() const { return dragging_; }
  bool isDecelerating() const { return decelerating_; }
  bool isZooming() const { return zooming_; }
  bool isZoomBouncing() const { return false; }

  // Scrolls the least distance that brings `rect` (content coordinates) into view.
  void scrollRectToVisible(const Rect& rect, bool animated);
  // What a tap on the status bar does: to the top when the delegate allows.
  void scrollToTop();
  // Stops deceleration or an offset animation where it is.
  void stopScrolling();

  // Zoom. The zooming view is the delegate's viewForZoomingInScrollView; a
  // scale applies to it as a transform, and the content size follows its size.
  double minimumZoomScale() const { return minimumZoomScale_; }
  void setMinimumZoomScale(double scale) { minimumZoomScale_ = scale; }
  double maximumZoomScale() const { return maximumZoomScale_; }
  void setMaximumZoomScale(double scale) { maximumZoomScale_ = scale; }
  double zoomScale() const { return zoomScale_; }
  // Clamped to the minimum and maximum; keeps the centre of the visible area.
  void setZoomScale(double scale);
  void setZoomScale(double scale, bool animated);
  // Zooms so that `rect` (in the zooming view's coordinates) fills the bounds.
  void zoomToRect(const Rect& rect, bool animated);
  bool bouncesZoom() const { return bouncesZoom_; }
  void setBouncesZoom(bool on) { bouncesZoom_ = on; }

  // Observation of the content offset (old and new values, after every change)
  // and of the frame (after every setFrame), as helpers attached to any scroll
  // view need it (a pull-to-refresh header). Observers run in the order they
  // were added; one may remove itself or another while it runs.
  using ObservationToken = std::uint64_t;
  ObservationToken observeContentOffset(std::function<void(Point oldOffset, Point newOffset)> observer);
  ObservationToken observeFrame(std::function<void(const Rect& newFrame)> observer);
  void removeObservation(ObservationToken token);
  void setFrame(const Rect& frame) override;

  // The recognizer of dragging fingers.
  std::shared_ptr<PanGestureRecognizer> panGestureRecognizer() const { return pan_; }
  // The recognizer of pinching fingers (begins only when there is a view to zoom
  // and room between the minimum and maximum scale).
  std::shared_ptr<PinchGestureRecognizer> pinchGestureRecognizer() const { return pinch_; }
  bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) override;

  void setBounds(const Rect& bounds) override;
  void didMoveToSuperview() override;
  // Attaches the drag and pinch recognizers (done when the view gets a superview).
  void attachPan();

 protected:
  // Called after every change of the content offset, before the delegate hears it.
  virtual void contentOffsetDidChange() {}
  // Lets subclasses hear the scroll events they pass on.
  virtual void notifyDidScroll();
  bool canScrollHorizontally() const;
  bool canScrollVertically() const;

 private:
  void handlePan(PanGestureRecognizer& pan);
  void handlePinch(PinchGestureRecognizer& pinch);
  void beginDrag();
  void dragTo(Point translation);
  void endDrag(Point velocityPerSecond);
  Point clampedOffset(Point offset) const;
  Point rubberBanded(Point offset) const;
  Point pageTarget(Point velocity) const;
  enum class Motion { None, Decelerating, Animating };
  void startMotion(Motion kind, Point target, double duration);
  void motionStep();
  void finishMotion();
  void cancelMotion();
  void applyZoom(double scale, Point keepCentre, bool useCentre);
  std::shared_ptr<View> zoomingView();

  std::weak_ptr<ScrollViewDelegate> delegate_;
  std::shared_ptr<PanGestureRecognizer> pan_;
  std::shared_ptr<PinchGestureRecognizer> pinch_;
  Size contentSize_;
  EdgeInsets contentInset_;
  EdgeInsets indicatorInsets_;
  bool scrollEnabled_ = true;
  bool pagingEnabled_ = false;
  bool bounces_ = true;
  bool alwaysBounceVertical_ = false;
  bool alwaysBounceHorizontal_ = false;
  bool directionalLock_ = false;
  double decelerationRate_ = kDecelerationRateNormal;
  bool scrollsToTop_ = true;
  bool showsHorizontal_ = true;
  bool showsVertical_ = true;
  ScrollViewIndicatorStyle indicatorStyle_ = ScrollViewIndicatorStyle::Default;
  bool delaysContentTouches_ = true;
  bool canCancelContentTouches_ = true;
  bool tracking_ = false;
  bool dragging_ = false;
  bool decelerating_ = false;
  bool zooming_ = false;
  double minimumZoomScale_ = 1;
  double maximumZoomScale_ = 1;
  double zoomScale_ = 1;
  bool bouncesZoom_ = true;
  // The drag in progress.
  Point dragStartOffset_;
  Point dragStartTranslation_;
  double lastMoveTime_ = 0;
  // Content moving on the clock.
  Motion motion_ = Motion::None;
  Point motionFrom_;
  Point motionTo_;
  double motionStart_ = 0;
  double motionDuration_ = 0;
  TimerId motionTimer_ = 0;
  // A zoom animation: its end reports did-end-zooming.
  bool zoomAnimating_ = false;
  struct Observation {
    ObservationToken token = 0;
    std::shared_ptr<std::function<void(Point, Point)>> offset;
    std::shared_ptr<std::function<void(const Rect&)>> frame;
  };
  std::vector<Observation> observations_;
  ObservationToken nextObservation_ = 1;
  // The pinch in progress: the scale it began at, and the point of the zooming
  // view (at scale 1) between the fingers.
  double pinchStartScale_ = 1;
  Point pinchAnchor_;
};

}  // namespace platform
