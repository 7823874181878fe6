#include "platform/foundation/Date.h"

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cctype>
#include <cmath>
#include <memory>
#include <mutex>

#include "platform/foundation/RunLoop.h"

namespace platform {

namespace {

std::mutex& zoneMutex() {
  static std::mutex m;
  return m;
}
std::string& zoneSetting() {
  static std::string zone = kDefaultTimeZone;
  return zone;
}

std::unique_ptr<icu::TimeZone> makeZone(const std::string& name) {
  std::unique_ptr<icu::TimeZone> tz(
      icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(name)));
  if (!tz || *tz == icu::TimeZone::getUnknown()) return nullptr;
  return tz;
}

std::unique_ptr<icu::SimpleDateFormat> makeFormatter(std::string_view pattern, const std::string& zone) {
  UErrorCode status = U_ZERO_ERROR;
  auto formatter = std::make_unique<icu::SimpleDateFormat>(
      icu::UnicodeString::fromUTF8(icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size()))),
      icu::Locale("en_US_POSIX"), status);
  if (U_FAILURE(status)) return nullptr;
  auto tz = makeZone(zone);
  if (!tz) tz = makeZone(kDefaultTimeZone);
  if (tz) formatter->adoptTimeZone(tz.release());
  return formatter;
}

int field(double time, UCalendarDateFields which) {
  UErrorCode status = U_ZERO_ERROR;
  auto tz = makeZone(timeZone());
  if (!tz) tz = makeZone(kDefaultTimeZone);
  icu::GregorianCalendar calendar(tz.release(), icu::Locale("en_US_POSIX"), status);
  if (U_FAILURE(status)) return 0;
  calendar.setTime(time * 1000.0, status);
  int value = calendar.get(which, status);
  return U_FAILURE(status) ? 0 : value;
}

// Days from 1970-01-01 of a proleptic Gregorian date.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

bool readDigits(std::string_view text, std::size_t& i, int count, int& out) {
  out = 0;
  for (int k = 0; k < count; ++k, ++i) {
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    out = out * 10 + (text[i] - '0');
  }
  return true;
}

bool expect(std::string_view text, std::size_t& i, char c) {
  if (i < text.size() && text[i] == c) {
    ++i;
    return true;
  }
  return false;
}

}  // namespace

bool setTimeZone(const std::string& name) {
  if (!makeZone(name)) return false;
  std::lock_guard<std::mutex> lock(zoneMutex());
  zoneSetting() = name;
  return true;
}

std::string timeZone() {
  std::lock_guard<std::mutex> lock(zoneMutex());
  return zoneSetting();
}

double dateNow() { return RunLoop::main().now(); }

long long epochSeconds(double time) { return static_cast<long long>(std::floor(time)); }

long long currentEpochSeconds() { return epochSeconds(dateNow()); }

std::string formatDate(double time, std::string_view pattern) {
  return formatDate(time, pattern, timeZone());
}

std::string formatDate(double time, std::string_view pattern, const std::string& zone) {
  auto formatter = makeFormatter(pattern, zone);
  if (!formatter) return "";
  icu::UnicodeString out;
  formatter->format(static_cast<UDate>(time * 1000.0), out);
  std::string text;
  out.toUTF8String(text);
  return text;
}

std::optional<double> parseDate(std::string_view text, std::string_view pattern) {
  auto formatter = makeFormatter(pattern, timeZone());
  if (!formatter) return std::nullopt;
  formatter->setLenient(false);
  icu::UnicodeString input =
      icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  icu::ParsePosition position(0);
  UDate date = formatter->parse(input, position);
  if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
  return date / 1000.0;
}

int hourOf(double time) { return field(time, UCAL_HOUR_OF_DAY); }
int yearOf(double time) { return field(time, UCAL_YEAR); }
int currentHour() { return hourOf(dateNow()); }
int currentYear() { return yearOf(dateNow()); }

std::optional<double> parseIso8601(std::string_view text) {
  std::size_t i = 0;
  int year, month, day, hour, minute, second = 0;
  if (!readDigits(text, i, 4, year) || !expect(text, i, '-') || !readDigits(text, i, 2, month) ||
      !expect(text, i, '-') || !readDigits(text, i, 2, day)) {
    return std::nullopt;
  }
  if (!(expect(text, i, 'T') || expect(text, i, ' ')) || !readDigits(text, i, 2, hour) ||
      !expect(text, i, ':') || !readDigits(text, i, 2, minute)) {
    return std::nullopt;
  }
  if (expect(text, i, ':') && !readDigits(text, i, 2, second)) return std::nullopt;
  double fraction = 0;
  if (expect(text, i, '.')) {
    double scale = 0.1;
    std::size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      fraction += (text[i] - '0') * scale;
      scale /= 10;
      ++i;
    }
    if (i == start) return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) {
    return std::nullopt;
  }
  // Reject days past the month's end (2026-02-30).
  long long days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  long long nextMonthDays = month == 12 ? daysFromCivil(year + 1, 1, 1)
                                        : daysFromCivil(year, static_cast<unsigned>(month + 1), 1);
  if (days >= nextMonthDays) return std::nullopt;
  double local = static_cast<double>(days) * 86400.0 + hour * 3600.0 + minute * 60.0 + second + fraction;

  if (i == text.size()) {
    // No offset: the wall-clock time in the zone.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    auto t = parseDate(buffer, "yyyy-MM-dd HH:mm:ss");
    if (!t) return std::nullopt;
    return *t + fraction;
  }
  if (expect(text, i, 'Z')) return i == text.size() ? std::optional<double>(local) : std::nullopt;
  int sign = 0;
  if (expect(text, i, '+')) sign = 1;
  else if (expect(text, i, '-')) sign = -1;
  else return std::nullopt;
  int offH, offM = 0;
  if (!readDigits(text, i, 2, offH)) return std::nullopt;
  expect(text, i, ':');
  if (i < text.size() && !readDigits(text, i, 2, offM)) return std::nullopt;
  if (i != text.size() || offH > 23 || offM > 59) return std::nullopt;
  return local - sign * (offH * 3600.0 + offM * 60.0);
}

}  // namespace platform
