// Whole screens as `vorn --script` draws them, against checked-in pictures: the
// launch picture, and the home screen by day and by night. Every run is the same
// on any machine: a fresh process and home folder, the embedded demo portal,
// the virtual clock at a fixed time, the 4-inch screen.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ScreenGolden.h"
#include "VornRunFixture.h"
#include "application/VornAppDelegate.h"

namespace vorn::test {
namespace {

struct ScreenCase {
  const char* golden;
  std::string script;  // after the returning visitor's lines; ends on the screen to draw
  const char* now;
};

void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.golden; }

std::string nightTheme() { return std::string("defaults-set ") + kThemeMode + " \"" + kThemeModeBlack + "\"\n"; }

constexpr char kNightTime[] = "2026-12-10T21:30:00+08:00";

const ScreenCase kScreens[] = {
    {"launch-picture", "launch\nwait 0.5\n", kRunAfternoon},
    {"home-day", kLaunchToHome, kRunAfternoon},
    {"home-night", nightTheme() + kLaunchToHome, kNightTime},
};

class ScreenGoldenTest : public VornRunFixture, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ScreenGoldenTest, ScreenMatchesItsGoldenPicture) {
  const ScreenCase& c = GetParam();
  auto run = runScript(returningVisitor() + c.script + "screenshot \"screen.png\"\n", c.now);
  ASSERT_EQ(run.status, 0) << run.err;
  auto shot = picture(outDir() / "screen.png");
  ASSERT_TRUE(shot.has_value());
  ASSERT_EQ(shot->width(), 640);
  ASSERT_EQ(shot->height(), 1136);
  EXPECT_TRUE(matchesScreenGolden(*shot, c.golden));
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenGoldenTest, ::testing::ValuesIn(kScreens),
                         [](const auto& info) {
                           std::string name = info.param.golden;
                           for (char& ch : name)
                             if (ch == '-') ch = '_';
                           return name;
                         });

// Whatever the goldens hold, the night home is the darker one.
class HomeThemeTest : public VornRunFixture {};

TEST_F(HomeThemeTest, NightHomeIsDarkerThanDayHome) {
  auto day = runScript(returningVisitor() + kLaunchToHome + "screenshot \"day.png\"\n", kRunAfternoon);
  ASSERT_EQ(day.status, 0) << day.err;
  freshHome();
  auto night = runScript(returningVisitor() + nightTheme() + kLaunchToHome + "screenshot \"night.png\"\n", kNightTime);
  ASSERT_EQ(night.status, 0) << night.err;
  auto dayShot = picture(outDir() / "day.png");
  auto nightShot = picture(outDir() / "night.png");
  ASSERT_TRUE(dayShot && nightShot);
  EXPECT_LT(brightness(nightShot->pixel(320, 700)) + 10, brightness(dayShot->pixel(320, 700)));
}

}  // namespace
}  // namespace vorn::test
