#pragma once
// Points, sizes, rectangles, edge insets and affine transforms in points, with
// the y axis pointing down (origin at the top left).
#include <cmath>

namespace platform {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  Point origin;
  Size size;

  Rect() = default;
  Rect(Point o, Size s) : origin(o), size(s) {}
  Rect(double x, double y, double w, double h) : origin{x, y}, size{w, h} {}

  double x() const { return origin.x; }
  double y() const { return origin.y; }
  double width() const { return size.width; }
  double height() const { return size.height; }
  double minX() const { return std::fmin(origin.x, origin.x + size.width); }
  double minY() const { return std::fmin(origin.y, origin.y + size.height); }
  double maxX() const { return std::fmax(origin.x, origin.x + size.width); }
  double maxY() const { return std::fmax(origin.y, origin.y + size.height); }
  double midX() const { return origin.x + size.width / 2; }
  double midY() const { return origin.y + size.height / 2; }
  Point center() const { return {midX(), midY()}; }
  bool isEmpty() const { return size.width == 0 || size.height == 0; }
  // Half-open on the far edges, as the platform's hit test is.
  bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }
  bool contains(const Rect& r) const;
  bool intersects(const Rect& r) const;
  Rect intersection(const Rect& r) const;  // empty zero rect when apart
  Rect unionWith(const Rect& r) const;
  Rect offsetBy(double dx, double dy) const { return {origin.x + dx, origin.y + dy, size.width, size.height}; }
  Rect insetBy(double dx, double dy) const {
    return {origin.x + dx, origin.y + dy, size.width - 2 * dx, size.height - 2 * dy};
  }
  Rect integral() const;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct EdgeInsets {
  double top = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;
  friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

inline Rect insetRect(const Rect& r, const EdgeInsets& e) {
  return {r.x() + e.left, r.y() + e.top, r.width() - e.left - e.right, r.height() - e.top - e.bottom};
}

// x' = a*x + c*y + tx, y' = b*x + d*y + ty.
struct AffineTransform {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  static AffineTransform identity() { return {}; }
  static AffineTransform translation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
  static AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static AffineTransform rotation(double radians);

  bool isIdentity() const { return *this == AffineTransform{}; }
  // This transform followed by `t`.
  AffineTransform concat(const AffineTransform& t) const;
  AffineTransform translated(double x, double y) const { return translation(x, y).concat(*this); }
  AffineTransform scaled(double sx, double sy) const { return scale(sx, sy).concat(*this); }
  AffineTransform rotated(double radians) const { return rotation(radians).concat(*this); }
  AffineTransform inverted() const;  // itself when not invertible
  Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
  // Applies without the translation (for sizes and vectors).
  Point applyToVector(Point p) const { return {a * p.x + c * p.y, b * p.x + d * p.y}; }
  Rect apply(const Rect& r) const;  // bounding box of the transformed corners
  // The rotation angle of the transform (atan2(b, a)).
  double rotationAngle() const { return std::atan2(b, a); }
  friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

}  // namespace platform
