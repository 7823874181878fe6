#pragma once
// A map: the region shown (centre and span in degrees), annotations marked by
// views the delegate makes (a red pin when it makes none), one selected
// annotation with its callout, and the device's own place when asked to show
// it. The device's place comes from the location stand-in: a fix, the
// authorisation and location services as tests, the driver or the command line
// set them.
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/AnnotationView.h"
#include "platform/ui/MapAnnotation.h"
#include "platform/ui/View.h"

namespace platform::services {
class LocationManager;
}

namespace platform {

class MapView;

class MapViewDelegate {
 public:
  virtual ~MapViewDelegate() = default;
  // The view for an annotation; null: the map's standard view (the device's
  // marker for its user location, a red pin for anything else).
  virtual std::shared_ptr<AnnotationView> viewForAnnotation(MapView& mapView,
                                                            const std::shared_ptr<Annotation>& annotation) {
    (void)mapView; (void)annotation;
    return nullptr;
  }
  virtual void didAddAnnotationViews(MapView& mapView, const std::vector<std::shared_ptr<AnnotationView>>& views) {
    (void)mapView; (void)views;
  }
  virtual void didSelectAnnotationView(MapView& mapView, AnnotationView& view) { (void)mapView; (void)view; }
  virtual void didDeselectAnnotationView(MapView& mapView, AnnotationView& view) { (void)mapView; (void)view; }
  virtual void regionDidChangeAnimated(MapView& mapView, bool animated) { (void)mapView; (void)animated; }
  virtual void didUpdateUserLocation(MapView& mapView, UserLocation& userLocation) {
    (void)mapView; (void)userLocation;
  }
};

class MapView : public View {
 public:
  static constexpr double kAnimationDuration = 0.3;

  explicit MapView(const Rect& frame = {});
  ~MapView() override;
  static std::shared_ptr<MapView> create(const Rect& frame = {}) { return std::make_shared<MapView>(frame); }
  std::string className() const override { return "MapView"; }

  std::shared_ptr<MapViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<MapViewDelegate> delegate) { delegate_ = std::move(delegate); }

  // A region or centre that is not a valid coordinate is ignored.
  CoordinateRegion region() const { return region_; }
  void setRegion(const CoordinateRegion& region, bool animated);
  LocationCoordinate2D centerCoordinate() const { return region_.center; }
  void setCenterCoordinate(const LocationCoordinate2D& center, bool animated);

  const std::vector<std::shared_ptr<Annotation>>& annotations() const { return annotations_; }
  void addAnnotation(const std::shared_ptr<Annotation>& annotation);
  void addAnnotations(const std::vector<std::shared_ptr<Annotation>>& annotations);
  void removeAnnotation(const std::shared_ptr<Annotation>& annotation);
  void removeAnnotations(const std::vector<std::shared_ptr<Annotation>>& annotations);
  // The view marking an annotation, null when none.
  std::shared_ptr<AnnotationView> viewForAnnotation(const std::shared_ptr<Annotation>& annotation) const;

  void selectAnnotation(const std::shared_ptr<Annotation>& annotation, bool animated);
  void deselectAnnotation(const std::shared_ptr<Annotation>& annotation, bool animated);
  std::vector<std::shared_ptr<Annotation>> selectedAnnotations() const;

  // Showing the user location starts the location stand-in and adds the user
  // location to the annotations; each fix moves it.
  bool showsUserLocation() const { return showsUserLocation_; }
  void setShowsUserLocation(bool on);
  const std::shared_ptr<UserLocation>& userLocation() const { return userLocation_; }
  bool isUserLocationVisible() const;

  // The point of a coordinate in `view`'s coordinates (this map's when null).
  Point convertCoordinateToPoint(const LocationCoordinate2D& coordinate, const View* view = nullptr) const;

  void layoutSubviews() override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;

 private:
  class LocationListener;
  void placeViews(const std::vector<std::shared_ptr<AnnotationView>>& views, bool dropping);
  std::shared_ptr<AnnotationView> makeView(const std::shared_ptr<Annotation>& annotation);
  void userLocationChanged(double latitude, double longitude);

  std::weak_ptr<MapViewDelegate> delegate_;
  CoordinateRegion region_{{39.9, 116.4}, {10, 10}};
  std::vector<std::shared_ptr<Annotation>> annotations_;
  std::vector<std::shared_ptr<AnnotationView>> views_;  // same order as annotations_
  std::shared_ptr<Annotation> selected_;
  bool showsUserLocation_ = false;
  std::shared_ptr<UserLocation> userLocation_ = std::make_shared<UserLocation>();
  std::shared_ptr<services::LocationManager> locationManager_;
  std::shared_ptr<LocationListener> listener_;
};

}  // namespace platform
