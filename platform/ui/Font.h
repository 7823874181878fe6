#pragma once
// A font: the system font (regular or bold) or a named one, at a point size.
// Every font measures with the one deterministic metrics model (TextMetrics.h),
// so layouts come out the same on every machine and in the renderer.
#include <string>

namespace platform {

struct Font {
  std::string name = "System";
  double pointSize = 17;
  bool bold = false;

  static Font systemFont(double size) { return {"System", size, false}; }
  static Font boldSystemFont(double size) { return {"System-Bold", size, true}; }
  // A named font; names with "Bold" in them are bold.
  static Font fontWithName(const std::string& name, double size) {
    return {name, size, name.find("Bold") != std::string::npos || name.find("bold") != std::string::npos};
  }
  Font withSize(double size) const { Font f = *this; f.pointSize = size; return f; }

  // Vertical metrics in points.
  double ascender() const;
  double descender() const;  // negative: below the baseline
  double lineHeight() const;

  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace platform
