// A flow driven end to end through `vorn --script`, as a person checking the
// client would run it, and the contract of a script that cannot run or whose
// expectation fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScreenGolden.h"
#include "VornRunFixture.h"
#include "core/LaunchKeys.h"
#include "core/PhoneData.h"
#include "core/StartupPrompts.h"
#include "platform/foundation/Text.h"

namespace vorn::test {
namespace {

constexpr char kNineThirtyInTheEvening[] = "2026-12-10T21:30:00+08:00";

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

class ScriptFlowTest : public VornRunFixture {};

// An evening visit: the client offers the night theme, the visitor takes it,
// opens an article and a series by address, goes back by swiping, and home is
// dark.
TEST_F(ScriptFlowTest, EveningVisitTakesTheNightThemeOpensPagesByAddressAndSwipesBack) {
  const std::string script = returningVisitor() + kLaunchToHome +
                             "expect-text \"" + kNightModeAlertMessage + "\"\n"
                             "tap \"" + kThemeAlertSwitch + "\"\n"
                             "wait 0.5\n"
                             "settle\n"
                             "expect-no-text \"" + kNightModeAlertMessage + "\"\n"
                             "defaults " + kThemeMode + "\n"
                             "open-url \"vorn5://open?action=newsdetail&newsId=31337\"\n"
                             "wait 0.6\n"
                             "expect-screen NewsContentViewController\n"
                             "swipe-back\n"
                             "wait 0.6\n"
                             "expect-screen RootViewController\n"
                             "open-url \"vorn5://open?action=carseries&seriesId=3001&seriesName=%E6%B2%83%E6%81%A9\"\n"
                             "wait 0.6\n"
                             "expect-screen CarSeriesViewController\n"
                             "swipe-back\n"
                             "wait 0.6\n"
                             "settle\n"
                             "expect-screen RootViewController\n"
                             "expect-request " + kLaunchAdvertPath + "\n"
                             "screenshot \"evening-home.png\"\n";
  auto run = runScript(script, kNineThirtyInTheEvening);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(std::string("\"") + kThemeModeBlack + "\""), std::string::npos) << run.out;

  // The offer was the one notice, with its two buttons, after the launch.
  auto notices = jsonLines("notices.jsonl");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(platform::textOf(notices[0], "message"), kNightModeAlertMessage);
  EXPECT_EQ(notices[0].value("buttons", platform::Value()),
            platform::Value::array({kThemeAlertCancel, kThemeAlertSwitch}));
  EXPECT_EQ(platform::intValueOf(notices[0], "tag"), kNightModeAlertTag);
  EXPECT_GT(notices[0].value("t", 0.0), 2.0) << "offered once the launch picture has gone";

  // Every request went to the embedded portal, in time order, the launch
  // advert among them.
  auto requests = jsonLines("requests.jsonl");
  ASSERT_FALSE(requests.empty());
  double last = 0;
  bool advertAsked = false;
  for (const auto& r : requests) {
    const std::string url = platform::textOf(r, "url");
    EXPECT_TRUE(platform::hasPrefix(url, "http://127.0.0.1:")) << url;
    EXPECT_FALSE(platform::textOf(r, "method").empty());
    EXPECT_GE(r.value("t", -1.0), last) << url;
    last = r.value("t", -1.0);
    if (url.find(kLaunchAdvertPath) != std::string::npos) advertAsked = true;
  }
  EXPECT_TRUE(advertAsked);

  // The theme taken while running darkens home.
  auto shot = picture(outDir() / "evening-home.png");
  auto dayHome = platform::render::Bitmap::readPng(screenGoldenPath("home-day"));
  ASSERT_TRUE(shot && dayHome);
  EXPECT_LT(brightness(shot->pixel(320, 700)) + 10, brightness(dayHome->pixel(320, 700)));
}

TEST_F(ScriptFlowTest, ScriptThatCannotRunExitsTwoWithTheLineAndDoesNothing) {
  struct Case {
    const char* name;
    std::string script;
    int line;
  } cases[] = {
      {"unknown command", "defaults-set Probe \"1\"\nlaunch\nfly away\n", 3},
      {"bad target", "defaults-set Probe \"1\"\nwait 0.1\ntap #first\n", 3},
      {"bad number", "defaults-set Probe \"1\"\n\n# resting\nwait soon\n", 4},
      {"unreadable key", "defaults-set Probe \"1\"\ndefaults Pro\"be\n", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto run = runScript(c.script);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("line " + std::to_string(c.line) + ":"), std::string::npos) << run.err;
    // Nothing ran: not even the lines before the bad one.
    auto probe = runScript("defaults Probe\n");
    ASSERT_EQ(probe.status, 0) << probe.err;
    EXPECT_EQ(probe.out, "null\n");
  }
}

TEST_F(ScriptFlowTest, QuotedAndBareKeysNameTheSameDefault) {
  auto run = runScript("defaults-set \"Probe\" \"1\"\ndefaults Probe\ndefaults \"Probe\"\n"
                       "defaults-set \"Probe Two\" [2]\ndefaults \"Probe Two\"\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "\"1\"\n\"1\"\n[2]\n");
}

// A person who refused location and then allows it: the position reaches the
// look-up that has been waiting since the launch.
TEST_F(ScriptFlowTest, LocationAfterDenialAnswersTheWaitingRequest) {
  const std::string script = "location denied\n" + returningVisitor() + kLaunchToHome +
                             "wait 1\n"
                             "location 31.23 121.47\n"
                             "settle\n"
                             "expect-request " + kCityByGpsPath + " {\"" + kLocationLatitude + "\": \"31.230000\", \"" +
                             kLocationLongitude + "\": \"121.470000\"}\n";
  auto run = runScript(script);
  ASSERT_EQ(run.status, 0) << run.err;
  int lookups = 0;
  for (const auto& r : jsonLines("requests.jsonl")) {
    if (platform::textOf(r, "url").find(kCityByGpsPath) == std::string::npos) continue;
    ++lookups;
    EXPECT_GT(r.value("t", 0.0), 7.5) << "no look-up while location was refused";
  }
  EXPECT_EQ(lookups, 1);
}

TEST_F(ScriptFlowTest, FailedExpectationExitsOneWithItsLineAndWhatWasOnScreen) {
  const std::string start = returningVisitor() + kLaunchToHome;
  const int line = lineCount(start) + 1;
  // In the evening the night offer is on screen over home.
  struct Case {
    const char* name;
    const char* now;
    std::string expectation;
    std::string printed;  // part of what stderr tells
  } cases[] = {
      {"text", kNineThirtyInTheEvening, "expect-text \"没有这样的字\"", kNightModeAlertMessage},
      {"text gone", kNineThirtyInTheEvening, std::string("expect-no-text \"") + kThemeAlertSwitch + "\"",
       kNightModeAlertMessage},
      {"target", kNineThirtyInTheEvening, "tap \"没有这样的按钮\"", kNightModeAlertMessage},
      {"screen", kRunAfternoon, "expect-screen NewsContentViewController", "RootViewController"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    freshHome();
    auto run = runScript(start + c.expectation + "\nscreenshot \"never.png\"\n", c.now);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line " + std::to_string(line) + ":"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.printed), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(outDir() / "never.png")) << "the run stops at the failed line";
  }
}

}  // namespace
}  // namespace vorn::test
