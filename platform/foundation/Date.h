#pragma once
// Dates: "now" from the main run loop's clock, and calendar work in one settable
// time zone (Asia/Shanghai unless set), independent of the machine's TZ.
// Times are seconds since 1970-01-01 00:00:00 UTC, as doubles.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

inline constexpr char kDefaultTimeZone[] = "Asia/Shanghai";

// The zone that formatting and calendar values use. An unknown name is refused
// (false, the zone stays as it was).
bool setTimeZone(const std::string& name);
std::string timeZone();

// Now, on the main run loop's clock (virtual in tests and scripts).
double dateNow();
long long epochSeconds(double time);  // whole seconds, rounded down
long long currentEpochSeconds();

// Formats with the platform's date patterns ("yyyy-MM-dd HH:mm", "MM-dd",
// "HH:mm:ss", "yyyy年M月d日"): ICU patterns, POSIX English locale, in the zone.
std::string formatDate(double time, std::string_view pattern);
std::string formatDate(double time, std::string_view pattern, const std::string& zone);
// Reads a text in a pattern, in the zone; nullopt when it does not fit.
std::optional<double> parseDate(std::string_view text, std::string_view pattern);

// Calendar values in the zone.
int hourOf(double time);  // 0..23
int yearOf(double time);
int currentHour();
int currentYear();

// "2026-12-10T21:30:00+08:00", "2026-12-10T13:30:00Z", "2026-12-10T21:30:00.5+0800",
// or without an offset (then in the zone). nullopt for anything else.
std::optional<double> parseIso8601(std::string_view text);

}  // namespace platform
