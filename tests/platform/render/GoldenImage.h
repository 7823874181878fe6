#pragma once
// Golden pictures: a rendered picture is compared with a checked-in PNG under
// tests/platform/render/golden/ with a small per-pixel tolerance (antialiasing
// of text and curves may differ by a few levels between library versions).
// With VORN_UPDATE_GOLDEN=1 in the environment the picture replaces the PNG.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/foundation/Files.h"
#include "platform/render/Bitmap.h"

namespace platform::render::testing {

inline std::string goldenPath(const std::string& name) {
  return platform::sourceDirectory() + "/tests/platform/render/golden/" + name + ".png";
}

inline bool updatingGoldens() {
  const char* flag = std::getenv("VORN_UPDATE_GOLDEN");
  return flag && std::string(flag) == "1";
}

// Channel levels a pixel may be off, and the share of pixels that may be off
// by more (edges of glyphs).
inline constexpr int kGoldenTolerance = 12;
inline constexpr double kGoldenOutlierShare = 0.002;

inline ::testing::AssertionResult matchesGolden(const Bitmap& picture, const std::string& name) {
  std::string path = goldenPath(name);
  if (updatingGoldens()) {
    if (!picture.writePng(path)) return ::testing::AssertionFailure() << "cannot write " << path;
    return ::testing::AssertionSuccess();
  }
  auto golden = Bitmap::readPng(path);
  if (!golden) return ::testing::AssertionFailure() << "no golden picture " << path << " (VORN_UPDATE_GOLDEN=1 makes it)";
  auto d = compareBitmaps(picture, *golden, kGoldenTolerance);
  double allowed = kGoldenOutlierShare * picture.width() * picture.height();
  if (d.sameSize && static_cast<double>(d.differingPixels) <= allowed) return ::testing::AssertionSuccess();
  std::string actual = std::string(::testing::TempDir()) + name + "-actual.png";
  picture.writePng(actual);
  return ::testing::AssertionFailure() << name << ": " << (d.sameSize ? "" : "size differs; ") << d.differingPixels
                                       << " pixels differ (largest by " << d.largestChannelDifference
                                       << "); rendered picture in " << actual;
}

}  // namespace platform::render::testing
