#pragma once
// Golden pictures of whole screens, under tests/app/golden/, compared with the
// render tests' tolerance; VORN_UPDATE_GOLDEN=1 in the environment replaces them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "../platform/render/GoldenImage.h"
#include "platform/render/Bitmap.h"

namespace vorn::test {

// The brightness (0-255) of a pixel as Bitmap::pixel gives it, for telling a
// day picture from a night one.
inline int brightness(std::uint32_t argb) {
  return static_cast<int>((((argb >> 16) & 0xff) * 299 + ((argb >> 8) & 0xff) * 587 + (argb & 0xff) * 114) / 1000);
}

inline std::string screenGoldenPath(const std::string& name) {
  return platform::sourceDirectory() + "/tests/app/golden/" + name + ".png";
}

inline ::testing::AssertionResult matchesScreenGolden(const platform::render::Bitmap& picture, const std::string& name) {
  namespace golden = platform::render::testing;
  const std::string path = screenGoldenPath(name);
  if (golden::updatingGoldens()) {
    if (!picture.writePng(path)) return ::testing::AssertionFailure() << "cannot write " << path;
    return ::testing::AssertionSuccess();
  }
  auto expected = platform::render::Bitmap::readPng(path);
  if (!expected) return ::testing::AssertionFailure() << "no golden picture " << path << " (VORN_UPDATE_GOLDEN=1 makes it)";
  auto d = platform::render::compareBitmaps(picture, *expected, golden::kGoldenTolerance);
  const double allowed = golden::kGoldenOutlierShare * picture.width() * picture.height();
  if (d.sameSize && static_cast<double>(d.differingPixels) <= allowed) return ::testing::AssertionSuccess();
  const std::string actual = std::string(::testing::TempDir()) + name + "-actual.png";
  picture.writePng(actual);
  return ::testing::AssertionFailure() << name << ": " << (d.sameSize ? "" : "size differs; ") << d.differingPixels
                                       << " pixels differ (largest by " << d.largestChannelDifference
                                       << "); rendered picture in " << actual;
}

}  // namespace vorn::test
