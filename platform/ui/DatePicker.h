#pragma once
// Wheels for a date, a time or both. The date is seconds since 1970; it always
// lies between the minimum and the maximum (when set): a date set outside is
// moved to the nearer limit, and so is the date when a limit moves past it.
// Code setting the date tells nobody; a finger turning the wheels (turnToDate,
// the driver's and tests' entry) runs the value-changed actions when the date
// changed. What the wheels show follows the locale ("zh_CN" shows
// "2026年12月10日") in the foundation's time zone.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/View.h"

namespace platform {

enum class DatePickerMode { Time = 0, Date = 1, DateAndTime = 2, CountDownTimer = 3 };

class DatePicker : public View {
 public:
  static constexpr double kDefaultHeight = 216;

  explicit DatePicker(const Rect& frame = {0, 0, 320, kDefaultHeight});
  static std::shared_ptr<DatePicker> create(const Rect& frame = {0, 0, 320, kDefaultHeight}) {
    return std::make_shared<DatePicker>(frame);
  }
  std::string className() const override { return "DatePicker"; }

  DatePickerMode datePickerMode() const { return mode_; }
  void setDatePickerMode(DatePickerMode mode) { mode_ = mode; }
  const std::string& locale() const { return locale_; }
  void setLocale(const std::string& identifier) { locale_ = identifier; }
  int minuteInterval() const { return minuteInterval_; }
  void setMinuteInterval(int minutes) { minuteInterval_ = minutes > 0 && 60 % minutes == 0 ? minutes : 1; }

  double date() const { return date_; }
  void setDate(double date, bool animated = false);
  std::optional<double> minimumDate() const { return minimum_; }
  void setMinimumDate(std::optional<double> date);
  std::optional<double> maximumDate() const { return maximum_; }
  void setMaximumDate(std::optional<double> date);

  // Value-changed actions, run in the order added.
  void addValueChangedAction(std::function<void(DatePicker&)> action) { actions_.push_back(std::move(action)); }
  void turnToDate(double date);

  // The wheels' text for the date shown.
  std::string displayedText() const;
  std::string automationText() const override { return displayedText(); }

 private:
  double clamped(double date) const;
  DatePickerMode mode_ = DatePickerMode::DateAndTime;
  std::string locale_;
  int minuteInterval_ = 1;
  double date_;
  std::optional<double> minimum_;
  std::optional<double> maximum_;
  std::vector<std::function<void(DatePicker&)>> actions_;
};

}  // namespace platform
