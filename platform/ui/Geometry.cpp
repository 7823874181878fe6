#include "platform/ui/Geometry.h"

#include <algorithm>

namespace platform {

bool Rect::contains(const Rect& r) const {
  return r.minX() >= minX() && r.maxX() <= maxX() && r.minY() >= minY() && r.maxY() <= maxY();
}

bool Rect::intersects(const Rect& r) const {
  return !intersection(r).isEmpty();
}

Rect Rect::intersection(const Rect& r) const {
  double x0 = std::max(minX(), r.minX()), y0 = std::max(minY(), r.minY());
  double x1 = std::min(maxX(), r.maxX()), y1 = std::min(maxY(), r.maxY());
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

Rect Rect::unionWith(const Rect& r) const {
  if (isEmpty()) return r;
  if (r.isEmpty()) return *this;
  double x0 = std::min(minX(), r.minX()), y0 = std::min(minY(), r.minY());
  double x1 = std::max(maxX(), r.maxX()), y1 = std::max(maxY(), r.maxY());
  return {x0, y0, x1 - x0, y1 - y0};
}

Rect Rect::integral() const {
  double x0 = std::floor(minX()), y0 = std::floor(minY());
  double x1 = std::ceil(maxX()), y1 = std::ceil(maxY());
  return {x0, y0, x1 - x0, y1 - y0};
}

AffineTransform AffineTransform::rotation(double radians) {
  double c = std::cos(radians), s = std::sin(radians);
  return {c, s, -s, c, 0, 0};
}

AffineTransform AffineTransform::concat(const AffineTransform& t) const {
  return {a * t.a + b * t.c,         a * t.b + b * t.d,         c * t.a + d * t.c,
          c * t.b + d * t.d,         tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
}

AffineTransform AffineTransform::inverted() const {
  double det = a * d - b * c;
  if (det == 0) return *this;
  return {d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det, (b * tx - a * ty) / det};
}

Rect AffineTransform::apply(const Rect& r) const {
  Point p[4] = {apply(Point{r.minX(), r.minY()}), apply(Point{r.maxX(), r.minY()}),
                apply(Point{r.minX(), r.maxY()}), apply(Point{r.maxX(), r.maxY()})};
  double x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
  for (auto& q : p) {
    x0 = std::min(x0, q.x); x1 = std::max(x1, q.x);
    y0 = std::min(y0, q.y); y1 = std::max(y1, q.y);
  }
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace platform
