// The headless tour: one picture per screen that exists, each a real picture of
// the whole screen, the visitor back on the home screen between two screens
// (the tour stops with status 1 when a screen does not open or home does not
// come back).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "VornRunFixture.h"
#include "app/Tour.h"

namespace vorn::test {
namespace {

class TourTest : public VornRunFixture {};

TEST_F(TourTest, TourWritesOneNonBlankPicturePerScreen) {
  auto run = runVorn({"--out", outDir().string(), "--tour", (dir() / "tour").string()});
  ASSERT_EQ(run.status, 0) << run.err;

  const auto expected = shell::tourPictures();
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(dir() / "tour")) written.push_back(entry.path().filename());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, expected) << "numbered in visiting order, nothing else";
  EXPECT_GE(expected.size(), 15u) << "the launch, home and every screen the containers show";

  for (const auto& name : expected) {
    SCOPED_TRACE(name);
    auto shot = picture(dir() / "tour" / name);
    ASSERT_TRUE(shot.has_value()) << "not a PNG";
    EXPECT_EQ(shot->width(), 640);
    EXPECT_EQ(shot->height(), 1136);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < shot->height() && colours.size() < 2; y += 4)
      for (int x = 0; x < shot->width() && colours.size() < 2; x += 4) colours.insert(shot->pixel(x, y));
    EXPECT_GE(colours.size(), 2u) << "blank";
  }
}

}  // namespace
}  // namespace vorn::test
