#pragma once
// Places on a map: coordinates in degrees, spans, regions, and annotations (a
// coordinate with a title and a subtitle). PointAnnotation is the settable one;
// UserLocation is the device's own place, which a map keeps itself.
#include <cmath>
#include <string>

namespace platform {

struct LocationCoordinate2D {
  double latitude = 0;
  double longitude = 0;
  friend bool operator==(const LocationCoordinate2D&, const LocationCoordinate2D&) = default;
};

// A latitude of -90 to 90 and a longitude of -180 to 180, both numbers.
inline bool isValidCoordinate(const LocationCoordinate2D& c) {
  return std::isfinite(c.latitude) && std::isfinite(c.longitude) && c.latitude >= -90 && c.latitude <= 90 &&
         c.longitude >= -180 && c.longitude <= 180;
}

struct CoordinateSpan {
  double latitudeDelta = 0;
  double longitudeDelta = 0;
  friend bool operator==(const CoordinateSpan&, const CoordinateSpan&) = default;
};

struct CoordinateRegion {
  LocationCoordinate2D center;
  CoordinateSpan span;
  friend bool operator==(const CoordinateRegion&, const CoordinateRegion&) = default;
};

class Annotation {
 public:
  virtual ~Annotation() = default;
  virtual LocationCoordinate2D coordinate() const = 0;
  virtual std::string title() const { return {}; }
  virtual std::string subtitle() const { return {}; }
};

class PointAnnotation : public Annotation {
 public:
  PointAnnotation() = default;
  PointAnnotation(LocationCoordinate2D coordinate, std::string title, std::string subtitle = {})
      : coordinate_(coordinate), title_(std::move(title)), subtitle_(std::move(subtitle)) {}
  LocationCoordinate2D coordinate() const override { return coordinate_; }
  void setCoordinate(LocationCoordinate2D c) { coordinate_ = c; }
  std::string title() const override { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  std::string subtitle() const override { return subtitle_; }
  void setSubtitle(std::string subtitle) { subtitle_ = std::move(subtitle); }

 private:
  LocationCoordinate2D coordinate_;
  std::string title_;
  std::string subtitle_;
};

// Before the first fix its coordinate is (-180, -180), as the platform reports.
class UserLocation : public Annotation {
 public:
  static constexpr double kUnknown = -180;
  LocationCoordinate2D coordinate() const override { return coordinate_; }
  bool isUpdating() const { return updating_; }
  bool hasFix() const { return coordinate_.latitude >= -90; }

 private:
  friend class MapView;
  LocationCoordinate2D coordinate_{kUnknown, kUnknown};
  bool updating_ = false;
};

}  // namespace platform
