#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include "platform/foundation/Date.h"
#include "platform/foundation/RunLoop.h"

using namespace platform;

namespace {
// 2026-12-10 21:30:00 in Shanghai (UTC+8).
constexpr double kEvening = 1796909400.0;

class DateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(setTimeZone(kDefaultTimeZone)); }
  void TearDown() override {
    setTimeZone(kDefaultTimeZone);
    RunLoop::main().useSystemClock();
  }
};
}  // namespace

TEST_F(DateTest, FormatsInShanghaiWhateverTheMachineZone) {
  for (const char* machineZone : {"UTC", "America/New_York", "Asia/Tokyo"}) {
    setenv("TZ", machineZone, 1);
    tzset();
    struct Case { const char* pattern; const char* text; } cases[] = {
        {"yyyy-MM-dd HH:mm", "2026-12-10 21:30"}, {"MM-dd", "12-10"}, {"HH:mm:ss", "21:30:00"},
        {"yyyy-MM-dd", "2026-12-10"}, {"yyyy年M月d日", "2026年12月10日"}};
    for (auto& c : cases) EXPECT_EQ(formatDate(kEvening, c.pattern), c.text) << machineZone << " " << c.pattern;
    EXPECT_EQ(hourOf(kEvening), 21);
  }
  unsetenv("TZ");
  tzset();
  EXPECT_EQ(formatDate(kEvening, "yyyy-MM-dd HH:mm", "UTC"), "2026-12-10 13:30");
}

TEST_F(DateTest, ZoneCanBeChangedAndUnknownZonesAreRefused) {
  EXPECT_EQ(timeZone(), "Asia/Shanghai");
  EXPECT_FALSE(setTimeZone("Mars/Olympus"));
  EXPECT_EQ(timeZone(), "Asia/Shanghai");
  ASSERT_TRUE(setTimeZone("Europe/London"));
  EXPECT_EQ(formatDate(kEvening, "HH:mm"), "13:30");
  EXPECT_EQ(hourOf(kEvening), 13);
  // A New Year's Eve evening in London is already next year in Shanghai.
  const double newYear = 1798761600.0 - 3600;  // 2026-12-31 23:00 UTC
  EXPECT_EQ(yearOf(newYear), 2026);
  setTimeZone(kDefaultTimeZone);
  EXPECT_EQ(yearOf(newYear), 2027);
}

TEST_F(DateTest, NowComesFromTheRunLoopClock) {
  RunLoop::main().useVirtualClock(kEvening);
  EXPECT_DOUBLE_EQ(dateNow(), kEvening);
  EXPECT_EQ(currentHour(), 21);
  EXPECT_EQ(currentYear(), 2026);
  EXPECT_EQ(currentEpochSeconds(), 1796909400);
  RunLoop::main().runFor(3 * 3600);
  EXPECT_EQ(currentHour(), 0);
  EXPECT_EQ(formatDate(dateNow(), "yyyy-MM-dd"), "2026-12-11");
  EXPECT_EQ(epochSeconds(-0.5), -1);
}

TEST_F(DateTest, ParsesTheStartTimeOption) {
  struct Case { const char* text; std::optional<double> time; } cases[] = {
      {"2026-12-10T21:30:00+08:00", kEvening},
      {"2026-12-10T13:30:00Z", kEvening},
      {"2026-12-10T21:30:00+0800", kEvening},
      {"2026-12-10T08:30:00-05:00", kEvening},
      {"2026-12-10T21:30:00.5+08:00", kEvening + 0.5},
      {"2026-12-10T21:30:00", kEvening},  // no offset: in the zone
      {"2026-12-10 21:30", kEvening},
      {"2026-02-30T00:00:00Z", std::nullopt},
      {"2026-12-10T24:00:00Z", std::nullopt},
      {"2026-12-10", std::nullopt},
      {"2026-12-10T21:30:00+8", std::nullopt},
      {"2026-12-10T21:30:00Zjunk", std::nullopt},
      {"tomorrow", std::nullopt},
      {"", std::nullopt},
  };
  for (auto& c : cases) EXPECT_EQ(parseIso8601(c.text), c.time) << c.text;
  EXPECT_EQ(parseDate("2026-12-10 21:30", "yyyy-MM-dd HH:mm"), kEvening);
  EXPECT_FALSE(parseDate("2026-12-10", "yyyy-MM-dd HH:mm"));
}
