#pragma once
// A colour: red, green, blue and alpha from 0 to 1, or a pattern of an image.
#include <memory>

namespace platform {

class Image;

struct Color {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 0;
  std::shared_ptr<const Image> pattern;  // a pattern colour tiles this image

  // Components on the 0-255 scale, alpha 0-1.
  static Color rgb255(double r, double g, double b, double a = 1.0) { return {r / 255, g / 255, b / 255, a, {}}; }
  static Color rgba(double r, double g, double b, double a = 1.0) { return {r, g, b, a, {}}; }
  static Color white(double w = 1.0, double a = 1.0) { return {w, w, w, a, {}}; }
  static Color black() { return {0, 0, 0, 1, {}}; }
  static Color clear() { return {}; }
  static Color gray() { return {0.5, 0.5, 0.5, 1, {}}; }
  static Color lightGray() { return {2.0 / 3, 2.0 / 3, 2.0 / 3, 1, {}}; }
  static Color darkGray() { return {1.0 / 3, 1.0 / 3, 1.0 / 3, 1, {}}; }
  static Color patternImage(std::shared_ptr<const Image> image) { return {0, 0, 0, 1, std::move(image)}; }

  Color withAlpha(double a) const { Color c = *this; c.alpha = a; return c; }
  bool isClear() const { return alpha == 0 && !pattern; }
  // Components rounded to 0-255 (alpha too), for dumps and comparisons.
  int red255() const;
  int green255() const;
  int blue255() const;
  int alpha255() const;
  // Same colour to the 0-255 scale.
  bool sameAs(const Color& other) const;

  friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace platform
