#include "platform/ui/ScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/PanGestureRecognizer.h"

namespace platform {
namespace {
// A finger resting this long before lifting throws nothing.
constexpr double kRestBeforeLift = 0.1;
// Below this speed (points per millisecond) a lift does not decelerate.
constexpr double kMinimumFlickSpeed = 0.05;
constexpr double kMinimumDecelerationTime = 0.3;
constexpr double kMaximumDecelerationTime = 3.0;
constexpr double kBounceBackTime = 0.4;

double easeOut(double u) { return 1 - std::pow(1 - u, 3); }
}  // namespace

ScrollView::ScrollView(const Rect& frame) : View(frame) {
  setClipsToBounds(true);
  // The scroll view owns its recognizer, so the action may hold it plainly.
  pan_ = std::make_shared<PanGestureRecognizer>();
  pan_->addTarget([this](GestureRecognizer& r) { handlePan(static_cast<PanGestureRecognizer&>(r)); });
  pinch_ = std::make_shared<PinchGestureRecognizer>();
  pinch_->addTarget([this](GestureRecognizer& r) { handlePinch(static_cast<PinchGestureRecognizer&>(r)); });
}

ScrollView::~ScrollView() {
  if (motionTimer_) RunLoop::main().cancel(motionTimer_);
}

std::shared_ptr<ScrollView> ScrollView::create(const Rect& frame) { return std::make_shared<ScrollView>(frame); }

void ScrollView::attachPan() {
  // Attaching needs this view's shared pointer, which a constructor has not.
  if (pan_->view().get() == this) return;
  addGestureRecognizer(pan_);
  addGestureRecognizer(pinch_);
}

void ScrollView::didMoveToSuperview() {
  View::didMoveToSuperview();
  attachPan();
}

void ScrollView::setContentSize(Size size) {
  if (size == contentSize_) return;
  contentSize_ = size;
  setNeedsLayout();
}

void ScrollView::setContentInset(const EdgeInsets& inset) {
  contentInset_ = inset;
  // An offset above the new top rests at the new top while no finger holds it.
  if (!dragging_ && motion_ == Motion::None) {
    Point o = contentOffset();
    Point minimum = minimumContentOffset();
    if (o.y < minimum.y || o.x < minimum.x) setContentOffset({std::max(o.x, minimum.x), std::max(o.y, minimum.y)});
  }
}

Point ScrollView::minimumContentOffset() const { return {-contentInset_.left, -contentInset_.top}; }

Point ScrollView::maximumContentOffset() const {
  Point minimum = minimumContentOffset();
  double x = contentSize_.width + contentInset_.right - bounds().width();
  double y = contentSize_.height + contentInset_.bottom - bounds().height();
  return {std::max(x, minimum.x), std::max(y, minimum.y)};
}

Point ScrollView::clampedOffset(Point o) const {
  Point lo = minimumContentOffset(), hi = maximumContentOffset();
  return {std::clamp(o.x, lo.x, hi.x), std::clamp(o.y, lo.y, hi.y)};
}

bool ScrollView::canScrollHorizontally() const {
  return alwaysBounceHorizontal_ ||
         contentSize_.width + contentInset_.left + contentInset_.right > bounds().width();
}

bool ScrollView::canScrollVertically() const {
  return alwaysBounceVertical_ ||
         contentSize_.height + contentInset_.top + contentInset_.bottom > bounds().height();
}

void ScrollView::setBounds(const Rect& b) {
  Point old = bounds().origin;
  bool moved = b.origin != old;
  View::setBounds(b);
  if (moved) {
    contentOffsetDidChange();
    // A copy: an observer may add or remove observations while it runs.
    auto observations = observations_;
    for (const auto& o : observations) {
      bool stillObserving = std::any_of(observations_.begin(), observations_.end(),
                                        [&](const Observation& x) { return x.token == o.token; });
      if (o.offset && stillObserving) (*o.offset)(old, bounds().origin);
    }
    notifyDidScroll();
  }
}

void ScrollView::setFrame(const Rect& f) {
  View::setFrame(f);
  auto observations = observations_;
  for (const auto& o : observations) {
    bool stillObserving = std::any_of(observations_.begin(), observations_.end(),
                                      [&](const Observation& x) { return x.token == o.token; });
    if (o.frame && stillObserving) (*o.frame)(frame());
  }
}

ScrollView::ObservationToken ScrollView::observeContentOffset(std::function<void(Point, Point)> observer) {
  Observation o;
  o.token = nextObservation_++;
  o.offset = std::make_shared<std::function<void(Point, Point)>>(std::move(observer));
  observations_.push_back(std::move(o));
  return observations_.back().token;
}

ScrollView::ObservationToken ScrollView::observeFrame(std::function<void(const Rect&)> observer) {
  Observation o;
  o.token = nextObservation_++;
  o.frame = std::make_shared<std::function<void(const Rect&)>>(std::move(observer));
  observations_.push_back(std::move(o));
  return observations_.back().token;
}

void ScrollView::removeObservation(ObservationToken token) {
  std::erase_if(observations_, [token](const Observation& o) { return o.token == token; });
}

void ScrollView::notifyDidScroll() {
  if (auto d = delegate()) d->scrollViewDidScroll(*this);
}

void ScrollView::setContentOffset(Point offset) {
  Rect b = bounds();
  if (b.origin == offset) return;
  b.origin = offset;
  setBounds(b);
}

void ScrollView::setContentOffset(Point offset, bool animated) {
  cancelMotion();
  if (!animated) {
    setContentOffset(offset);
    return;
  }
  if (offset == contentOffset()) return;
  startMotion(Motion::Animating, offset, kScrollAnimationDuration);
}

void ScrollView::setScrollEnabled(bool enabled) {
  scrollEnabled_ = enabled;
  if (pan_) pan_->setEnabled(enabled);
}

void ScrollView::setCanCancelContentTouches(bool on) {
  canCancelContentTouches_ = on;
  if (pan_) pan_->setCancelsTouchesInView(on);
}

bool ScrollView::gestureRecognizerShouldBegin(GestureRecognizer& recognizer) {
  if (&recognizer == pinch_.get()) return maximumZoomScale_ > minimumZoomScale_ && zoomingView() != nullptr;
  if (&recognizer != pan_.get()) return View::gestureRecognizerShouldBegin(recognizer);
  if (!scrollEnabled_) return false;
  // A drag along an axis that cannot scroll is left to others (a swipe, an outer scroll view).
  Point t = pan_->translationInView(this);
  bool horizontal = std::fabs(t.x) > std::fabs(t.y);
  return horizontal ? canScrollHorizontally() : canScrollVertically();
}

// ---- Dragging -----------------------------------------------------------------

void ScrollView::handlePan(PanGestureRecognizer& pan) {
  auto keep = shared_from_this();
  switch (pan.state()) {
    case GestureRecognizerState::Began:
      lastMoveTime_ = RunLoop::main().now();
      dragStartTranslation_ = pan.translationInView(this);
      beginDrag();
      break;
    case GestureRecognizerState::Changed:
      lastMoveTime_ = RunLoop::main().now();
      dragTo(pan.translationInView(this));
      break;
    case GestureRecognizerState::Ended:
    case GestureRecognizerState::Cancelled: {
      Point v = pan.velocityInView(this);
      double now = RunLoop::main().now();
      if (now - lastMoveTime_ > kRestBeforeLift) v = {};
      endDrag(v);
      break;
    }
    default:
      break;
  }
}

void ScrollView::beginDrag() {
  cancelMotion();
  tracking_ = true;
  dragging_ = true;
  dragStartOffset_ = contentOffset();
  if (auto d = delegate()) d->scrollViewWillBeginDragging(*this);
}

Point ScrollView::rubberBanded(Point o) const {
  Point lo = minimumContentOffset(), hi = maximumContentOffset();
  auto band = [this](double v, double low, double high) {
    if (v < low) return bounces_ ? low - (low - v) / 2 : low;
    if (v > high) return bounces_ ? high + (v - high) / 2 : high;
    return v;
  };
  return {band(o.x, lo.x, hi.x), band(o.y, lo.y, hi.y)};
}

void ScrollView::dragTo(Point translation) {
  Point moved{translation.x - dragStartTranslation_.x, translation.y - dragStartTranslation_.y};
  Point o = dragStartOffset_;
  if (canScrollHorizontally()) o.x -= moved.x;
  if (canScrollVertically()) o.y -= moved.y;
  setContentOffset(rubberBanded(o));
}

Point ScrollView::pageTarget(Point velocity) const {
  Point o = contentOffset();
  Size page = bounds().size;
  auto snap = [](double offset, double start, double size, double v) {
    if (size <= 0) return offset;
    double index = (offset - 0) / size;
    double p = v > kMinimumFlickSpeed ? std::ceil(index) : v < -kMinimumFlickSpeed ? std::floor(index)
                                                                                    : std::round(index);
    (void)start;
    return p * size;
  };
  Point target{canScrollHorizontally() ? snap(o.x, dragStartOffset_.x, page.width, velocity.x) : o.x,
               canScrollVertically() ? snap(o.y, dragStartOffset_.y, page.height, velocity.y) : o.y};
  // Never more than one page from where the drag started.
  if (page.width > 0) target.x = std::clamp(target.x, dragStartOffset_.x - page.width, dragStartOffset_.x + page.width);
  if (page.height > 0)
    target.y = std::clamp(target.y, dragStartOffset_.y - page.height, dragStartOffset_.y + page.height);
  return clampedOffset(target);
}

void ScrollView::endDrag(Point fingerVelocity) {
  tracking_ = false;
  // Content moves against the finger; the delegate hears points per millisecond.
  Point velocity{canScrollHorizontally() ? -fingerVelocity.x / 1000 : 0,
                 canScrollVertically() ? -fingerVelocity.y / 1000 : 0};
  Point o = contentOffset();
  Point target;
  if (pagingEnabled_) {
    target = pageTarget(velocity);
  } else {
    double reach = decelerationRate_ / (1 - decelerationRate_);
    Point thrown = o;
    if (std::fabs(velocity.x) >= kMinimumFlickSpeed) thrown.x += velocity.x * reach;
    if (std::fabs(velocity.y) >= kMinimumFlickSpeed) thrown.y += velocity.y * reach;
    target = clampedOffset(thrown);
  }
  if (auto d = delegate()) d->scrollViewWillEndDragging(*this, velocity, &target);
  bool willDecelerate = target != o;
  dragging_ = false;
  if (auto d = delegate()) d->scrollViewDidEndDragging(*this, willDecelerate);
  if (!willDecelerate) return;
  double duration = kScrollAnimationDuration;
  if (!pagingEnabled_) {
    double speed = std::hypot(velocity.x, velocity.y);
    bool inside = clampedOffset(o) == o;
    if (!inside && speed < kMinimumFlickSpeed) {
      duration = kBounceBackTime;
    } else if (speed > 0) {
      // Until the speed has fallen to a hundredth of a point per millisecond.
      duration = std::log(0.01 / speed) / (1000 * std::log(decelerationRate_));
      duration = std::clamp(duration, kMinimumDecelerationTime, kMaximumDecelerationTime);
    }
  }
  decelerating_ = true;
  if (auto d = delegate()) d->scrollViewWillBeginDecelerating(*this);
  if (!decelerating_) return;  // the delegate stopped it
  startMotion(Motion::Decelerating, target, duration);
}

// ---- Content moving on the clock ----------------------------------------------------

void ScrollView::startMotion(Motion kind, Point target, double duration) {
  if (motionTimer_) RunLoop::main().cancel(motionTimer_);
  motion_ = kind;
  motionFrom_ = contentOffset();
  motionTo_ = target;
  motionStart_ = RunLoop::main().now();
  motionDuration_ = duration;
  std::weak_ptr<ScrollView> weak = std::static_pointer_cast<ScrollView>(shared_from_this());
  motionTimer_ = RunLoop::main().schedule(kFrameInterval, [weak] {
    if (auto self = weak.lock()) self->motionStep();
  }, kFrameInterval);
}

void ScrollView::motionStep() {
  auto keep = shared_from_this();
  double u = motionDuration_ > 0 ? (RunLoop::main().now() - motionStart_) / motionDuration_ : 1;
  if (u >= 1 - 1e-9) {
    finishMotion();
    return;
  }
  double f = easeOut(u);
  setContentOffset({motionFrom_.x + (motionTo_.x - motionFrom_.x) * f,
                    motionFrom_.y + (motionTo_.y - motionFrom_.y) * f});
}

void ScrollView::finishMotion() {
  if (motionTimer_) RunLoop::main().cancel(motionTimer_);
  motionTimer_ = 0;
  Motion kind = motion_;
  motion_ = Motion::None;
  setContentOffset(motionTo_);
  if (kind == Motion::Decelerating) {
    decelerating_ = false;
    if (auto d = delegate()) d->scrollViewDidEndDecelerating(*this);
  } else if (kind == Motion::Animating) {
    if (auto d = delegate()) d->scrollViewDidEndScrollingAnimation(*this);
    if (zoomAnimating_) {
      zoomAnimating_ = false;
      zooming_ = false;
      auto view = zoomingView();
      if (auto d = delegate()) d->scrollViewDidEndZooming(*this, view.get(), zoomScale_);
    }
  }
}

void ScrollView::cancelMotion() {
  if (motionTimer_) RunLoop::main().cancel(motionTimer_);
  motionTimer_ = 0;
  motion_ = Motion::None;
  decelerating_ = false;
  zoomAnimating_ = false;
  zooming_ = false;
}

void ScrollView::stopScrolling() { cancelMotion(); }

void ScrollView::scrollRectToVisible(const Rect& rect, bool animated) {
  Point o = contentOffset();
  Size s = bounds().size;
  Point target = o;
  if (rect.minX() < o.x) target.x = rect.minX();
  else if (rect.maxX() > o.x + s.width) target.x = std::min(rect.minX(), rect.maxX() - s.width);
  if (rect.minY() < o.y) target.y = rect.minY();
  else if (rect.maxY() > o.y + s.height) target.y = std::min(rect.minY(), rect.maxY() - s.height);
  setContentOffset(clampedOffset(target), animated);
}

void ScrollView::scrollToTop() {
  if (!scrollsToTop_) return;
  auto keep = shared_from_this();
  if (auto d = delegate(); d && !d->scrollViewShouldScrollToTop(*this)) return;
  setContentOffset({contentOffset().x, minimumContentOffset().y}, false);
  if (auto d = delegate()) d->scrollViewDidScrollToTop(*this);
}

// ---- Zoom -----------------------------------------------------------------------

std::shared_ptr<View> ScrollView::zoomingView() {
  auto d = delegate();
  return d ? d->viewForZoomingInScrollView(*this) : nullptr;
}

void ScrollView::applyZoom(double scale, Point keepCentre, bool useCentre) {
  auto view = zoomingView();
  if (!view) return;
  scale = std::clamp(scale, minimumZoomScale_, std::max(minimumZoomScale_, maximumZoomScale_));
  double old = zoomScale_;
  zoomScale_ = scale;
  Size natural = view->bounds().size;
  view->setTransform(AffineTransform::scale(scale, scale));
  Rect f = view->frame();
  view->setFrame(Rect(0, 0, f.width(), f.height()));
  setContentSize({natural.width * scale, natural.height * scale});
  if (useCentre && old > 0) {
    // The point of the content at the centre of the view stays there.
    Size s = bounds().size;
    Point centre{keepCentre.x * scale / old, keepCentre.y * scale / old};
    setContentOffset(clampedOffset({centre.x - s.width / 2, centre.y - s.height / 2}));
  } else {
    setContentOffset(clampedOffset(contentOffset()));
  }
  if (auto d = delegate()) d->scrollViewDidZoom(*this);
}

void ScrollView::handlePinch(PinchGestureRecognizer& pinch) {
  auto keep = shared_from_this();
  auto view = zoomingView();
  switch (pinch.state()) {
    case GestureRecognizerState::Began: {
      if (!view) return;
      cancelMotion();
      zooming_ = true;
      pinchStartScale_ = zoomScale_;
      Point between = pinch.locationInView(this);  // content coordinates
      Point origin = view->frame().origin;
      pinchAnchor_ = {(between.x - origin.x) / zoomScale_, (between.y - origin.y) / zoomScale_};
      if (auto d = delegate()) d->scrollViewWillBeginZooming(*this, view.get());
      break;
    }
    case GestureRecognizerState::Changed: {
      if (!view || !zooming_) return;
      Point between = pinch.locationInView(this);
      Point offset = contentOffset();
      Point onScreen{between.x - offset.x, between.y - offset.y};
      applyZoom(pinchStartScale_ * pinch.scale(), {}, false);
      // The anchor stays between the fingers.
      setContentOffset(clampedOffset({pinchAnchor_.x * zoomScale_ - onScreen.x, pinchAnchor_.y * zoomScale_ - onScreen.y}));
      break;
    }
    case GestureRecognizerState::Ended:
    case GestureRecognizerState::Cancelled:
      if (!zooming_) return;
      zooming_ = false;
      if (auto d = delegate()) d->scrollViewDidEndZooming(*this, view.get(), zoomScale_);
      break;
    default:
      break;
  }
}

// ---- Pinch recognizer ---------------------------------------------------------

double PinchGestureRecognizer::fingerDistance() const {
  if (numberOfTouches() < 2) return 0;
  Point a = locationOfTouch(0, nullptr), b = locationOfTouch(1, nullptr);
  return std::hypot(a.x - b.x, a.y - b.y);
}

void PinchGestureRecognizer::touchesBegan(const TouchSet&, const Event&) {
  if (numberOfTouches() == 2 && state() == GestureRecognizerState::Possible) {
    startDistance_ = fingerDistance();
    scale_ = 1;
  } else if (numberOfTouches() > 2 && state() == GestureRecognizerState::Possible) {
    setState(GestureRecognizerState::Failed);
  }
}

void PinchGestureRecognizer::touchesMoved(const TouchSet&, const Event&) {
  if (numberOfTouches() != 2 || startDistance_ <= 0) return;
  double distance = fingerDistance();
  scale_ = distance / startDistance_;
  if (state() == GestureRecognizerState::Possible) {
    if (std::fabs(distance - startDistance_) >= kHysteresis) setState(GestureRecognizerState::Began);
  } else if (state() == GestureRecognizerState::Began || state() == GestureRecognizerState::Changed) {
    setState(GestureRecognizerState::Changed);
  }
}

void PinchGestureRecognizer::touchesEnded(const TouchSet&, const Event&) {
  if (state() == GestureRecognizerState::Began || state() == GestureRecognizerState::Changed)
    setState(GestureRecognizerState::Ended);
  else if (state() == GestureRecognizerState::Possible)
    setState(GestureRecognizerState::Failed);
}

void PinchGestureRecognizer::touchesCancelled(const TouchSet&, const Event&) {
  if (state() == GestureRecognizerState::Began || state() == GestureRecognizerState::Changed)
    setState(GestureRecognizerState::Cancelled);
  else
    setState(GestureRecognizerState::Failed);
}

void PinchGestureRecognizer::reset() {
  startDistance_ = 0;
  scale_ = 1;
}

void ScrollView::setZoomScale(double scale) { setZoomScale(scale, false); }

void ScrollView::setZoomScale(double scale, bool animated) {
  Size s = bounds().size;
  Point o = contentOffset();
  Point centre{o.x + s.width / 2, o.y + s.height / 2};
  if (!animated) {
    applyZoom(scale, centre, true);
    return;
  }
  double clamped = std::clamp(scale, minimumZoomScale_, std::max(minimumZoomScale_, maximumZoomScale_));
  Point c{centre.x / zoomScale_, centre.y / zoomScale_};
  zoomToRect(Rect(c.x - s.width / clamped / 2, c.y - s.height / clamped / 2, s.width / clamped, s.height / clamped),
             true);
}

void ScrollView::zoomToRect(const Rect& rect, bool animated) {
  auto view = zoomingView();
  if (!view || rect.width() <= 0 || rect.height() <= 0) return;
  auto keep = shared_from_this();
  Size s = bounds().size;
  double scale = std::min(s.width / rect.width(), s.height / rect.height());
  scale = std::clamp(scale, minimumZoomScale_, std::max(minimumZoomScale_, maximumZoomScale_));
  cancelMotion();
  if (animated) {
    zooming_ = true;
    if (auto d = delegate()) d->scrollViewWillBeginZooming(*this, view.get());
  }
  Point before = contentOffset();
  // The final values are set at once (as every animation here); the offset then
  // travels to the rectangle's centre on the clock.
  applyZoom(scale, {}, false);
  Point target = clampedOffset({rect.midX() * scale - s.width / 2, rect.midY() * scale - s.height / 2});
  if (!animated) {
    setContentOffset(target);
    return;
  }
  Rect b = bounds();
  b.origin = before;
  View::setBounds(b);
  zoomAnimating_ = true;
  startMotion(Motion::Animating, target, kScrollAnimationDuration);
}

}  // namespace platform
