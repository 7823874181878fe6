#include "platform/ui/MapView.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/services/LocationManager.h"

namespace platform {

namespace {
constexpr char kPinReuseIdentifier[] = "pin";
constexpr char kUserLocationReuseIdentifier[] = "userLocation";

class UserLocationView : public AnnotationView {
 public:
  using AnnotationView::AnnotationView;
  std::string className() const override { return "UserLocationView"; }
};
}  // namespace

class MapView::LocationListener : public services::LocationManagerDelegate {
 public:
  explicit LocationListener(std::weak_ptr<MapView> map) : map_(std::move(map)) {}
  void didUpdateLocations(services::LocationManager&, const std::vector<services::Location>& locations) override {
    auto map = map_.lock();
    if (map && !locations.empty()) map->userLocationChanged(locations.back().latitude, locations.back().longitude);
  }

 private:
  std::weak_ptr<MapView> map_;
};

MapView::MapView(const Rect& frame) : View(frame) {
  setBackgroundColor(Color::rgb255(236, 232, 222));
  setClipsToBounds(true);
}

MapView::~MapView() {
  if (locationManager_) locationManager_->stopUpdatingLocation();
}

void MapView::setRegion(const CoordinateRegion& region, bool animated) {
  if (!isValidCoordinate(region.center) || !(region.span.latitudeDelta >= 0) || !(region.span.longitudeDelta >= 0)) {
    return;
  }
  region_ = region;
  placeViews(views_, false);
  std::weak_ptr<MapView> weak = weakSelf(this);
  dispatchAfter(animated ? kAnimationDuration : 0, [weak, animated] {
    auto self = weak.lock();
    if (!self) return;
    if (auto d = self->delegate()) d->regionDidChangeAnimated(*self, animated);
  });
}

void MapView::setCenterCoordinate(const LocationCoordinate2D& center, bool animated) {
  setRegion(CoordinateRegion{center, region_.span}, animated);
}

Point MapView::convertCoordinateToPoint(const LocationCoordinate2D& c, const View* view) const {
  double w = bounds().width();
  double h = bounds().height();
  double lonSpan = region_.span.longitudeDelta > 0 ? region_.span.longitudeDelta : 1e-9;
  double latSpan = region_.span.latitudeDelta > 0 ? region_.span.latitudeDelta : 1e-9;
  Point p{w / 2 + (c.longitude - region_.center.longitude) / lonSpan * w,
          h / 2 - (c.latitude - region_.center.latitude) / latSpan * h};
  return view ? convertPointToView(p, view) : p;
}

std::shared_ptr<AnnotationView> MapView::makeView(const std::shared_ptr<Annotation>& annotation) {
  std::shared_ptr<AnnotationView> view;
  if (auto d = delegate()) view = d->viewForAnnotation(*this, annotation);
  if (!view) {
    if (annotation == userLocation_) {
      view = std::make_shared<UserLocationView>(annotation, kUserLocationReuseIdentifier);
      view->setBackgroundColor(Color::rgb255(0, 122, 255));
      view->layer().cornerRadius = 8;
    } else {
      view = std::make_shared<PinAnnotationView>(annotation, kPinReuseIdentifier);
      view->setCanShowCallout(true);
    }
  }
  if (!view->annotation()) view->setAnnotation(annotation);
  view->map_ = weakSelf(this);
  return view;
}

void MapView::placeViews(const std::vector<std::shared_ptr<AnnotationView>>& views, bool dropping) {
  for (const auto& view : views) {
    auto annotation = view->annotation();
    if (!annotation) continue;
    LocationCoordinate2D c = annotation->coordinate();
    bool known = isValidCoordinate(c);
    view->setHidden(!known);  // an annotation without a real place is not drawn
    if (!known) continue;
    Point p = convertCoordinateToPoint(c);
    Point target{p.x + view->centerOffset().x, p.y + view->centerOffset().y};
    auto pin = std::dynamic_pointer_cast<PinAnnotationView>(view);
    if (dropping && pin && pin->animatesDrop()) {
      View::performWithoutAnimation([&] { view->setCenter({target.x, -view->bounds().height()}); });
      View::animate(PinAnnotationView::kDropDuration, [view, target] { view->setCenter(target); });
    } else {
      view->setCenter(target);
    }
  }
}

void MapView::addAnnotation(const std::shared_ptr<Annotation>& annotation) { addAnnotations({annotation}); }

void MapView::addAnnotations(const std::vector<std::shared_ptr<Annotation>>& annotations) {
  auto keep = shared_from_this();
  std::vector<std::shared_ptr<AnnotationView>> added;
  for (const auto& annotation : annotations) {
    if (!annotation || std::find(annotations_.begin(), annotations_.end(), annotation) != annotations_.end()) continue;
    auto view = makeView(annotation);
    annotations_.push_back(annotation);
    views_.push_back(view);
    addSubview(view);
    added.push_back(view);
  }
  if (added.empty()) return;
  placeViews(added, true);
  if (auto d = delegate()) d->didAddAnnotationViews(*this, added);
}

void MapView::removeAnnotation(const std::shared_ptr<Annotation>& annotation) { removeAnnotations({annotation}); }

void MapView::removeAnnotations(const std::vector<std::shared_ptr<Annotation>>& given) {
  auto annotations = given;  // may be this map's own list
  for (const auto& annotation : annotations) {
    auto it = std::find(annotations_.begin(), annotations_.end(), annotation);
    if (it == annotations_.end()) continue;
    auto index = static_cast<std::size_t>(it - annotations_.begin());
    if (selected_ == annotation) selected_.reset();
    views_[index]->removeFromSuperview();
    views_.erase(views_.begin() + static_cast<std::ptrdiff_t>(index));
    annotations_.erase(it);
  }
}

std::shared_ptr<AnnotationView> MapView::viewForAnnotation(const std::shared_ptr<Annotation>& annotation) const {
  for (std::size_t i = 0; i < annotations_.size(); ++i) {
    if (annotations_[i] == annotation) return views_[i];
  }
  return nullptr;
}

void MapView::selectAnnotation(const std::shared_ptr<Annotation>& given, bool animated) {
  auto annotation = given;
  auto view = viewForAnnotation(annotation);
  if (!view || selected_ == annotation) return;
  if (selected_) deselectAnnotation(selected_, animated);
  selected_ = annotation;
  view->setSelected(true, animated);
  bringSubviewToFront(view);
  if (auto d = delegate()) d->didSelectAnnotationView(*this, *view);
}

void MapView::deselectAnnotation(const std::shared_ptr<Annotation>& given, bool animated) {
  auto annotation = given;  // may be selected_ itself, which is cleared below
  if (!annotation || selected_ != annotation) return;
  selected_.reset();
  if (auto view = viewForAnnotation(annotation)) {
    view->setSelected(false, animated);
    if (auto d = delegate()) d->didDeselectAnnotationView(*this, *view);
  }
}

std::vector<std::shared_ptr<Annotation>> MapView::selectedAnnotations() const {
  if (!selected_) return {};
  return {selected_};
}

void MapView::setShowsUserLocation(bool on) {
  if (on == showsUserLocation_) return;
  showsUserLocation_ = on;
  if (on) {
    listener_ = std::make_shared<LocationListener>(weakSelf(this));
    locationManager_ = services::LocationManager::create();
    locationManager_->setDelegate(listener_);
    locationManager_->setDesiredAccuracy(services::kLocationAccuracyBest);
    userLocation_->updating_ = true;
    locationManager_->startUpdatingLocation();
    addAnnotation(userLocation_);
  } else {
    if (locationManager_) locationManager_->stopUpdatingLocation();
    locationManager_.reset();
    listener_.reset();
    userLocation_->updating_ = false;
    removeAnnotation(userLocation_);
  }
}

void MapView::userLocationChanged(double latitude, double longitude) {
  userLocation_->coordinate_ = {latitude, longitude};
  if (auto view = viewForAnnotation(userLocation_)) placeViews({view}, false);
  auto keep = shared_from_this();
  if (auto d = delegate()) d->didUpdateUserLocation(*this, *userLocation_);
}

bool MapView::isUserLocationVisible() const {
  if (!showsUserLocation_ || !userLocation_->hasFix()) return false;
  return bounds().contains(convertCoordinateToPoint(userLocation_->coordinate()));
}

void MapView::layoutSubviews() {
  View::layoutSubviews();
  placeViews(views_, false);
}

void MapView::touchesEnded(const TouchSet&, const Event&) {
  if (selected_) deselectAnnotation(selected_, true);
}

}  // namespace platform
