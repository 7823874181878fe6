#pragma once
// Wheels for a date, a time or both. The date is seconds since 1970; it always
// lies between the minimum and the maximum (when set): a date set outside is
// moved to the nearer limit, and so is the date when a limit moves past it.
// Code setting the date tells nobody; a finger turning the wheels (a tap or a
// drag on a wheel, or turnToDate, the driver's and tests' entry) runs the
// value-changed actions when the date changed. What the wheels show follows
// the locale ("zh_CN" shows "2026年", "12月", "10日") in the foundation's time
// zone.
//
// The wheels are a picker view of labelled rows, one wheel a part of the date:
//   date: year, month, day ("zh") or month, day, year;
//   time: hour, minute (in steps of the minute interval);
//   date and time: day (within a year either side), hour, minute;
//   count-down timer: hours, minutes.
// A wheel turned to a day the month lacks takes the month's last day; a date
// turned past a limit stops at the limit, and the wheels show where it stopped.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/View.h"

namespace platform {

class PickerView;

enum class DatePickerMode { Time = 0, Date = 1, DateAndTime = 2, CountDownTimer = 3 };

class DatePicker : public View {
 public:
  static constexpr double kDefaultHeight = 216;

  explicit DatePicker(const Rect& frame = {0, 0, 320, kDefaultHeight});
  ~DatePicker() override;
  static std::shared_ptr<DatePicker> create(const Rect& frame = {0, 0, 320, kDefaultHeight});
  std::string className() const override { return "DatePicker"; }

  DatePickerMode datePickerMode() const { return mode_; }
  void setDatePickerMode(DatePickerMode mode);
  const std::string& locale() const { return locale_; }
  void setLocale(const std::string& identifier);
  int minuteInterval() const { return minuteInterval_; }
  void setMinuteInterval(int minutes);

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
  // The wheels themselves.
  const std::shared_ptr<PickerView>& wheels() const { return wheels_; }

  void layoutSubviews() override;
  void didMoveToSuperview() override;

 private:
  class Wheels;
  friend class Wheels;
  double clamped(double date) const;
  // Puts the wheels inside (a view cannot take subviews while it is being built).
  void attachWheels();
  // Rebuilds the wheels' rows and turns them (silently) to the date.
  void showDate();

  DatePickerMode mode_ = DatePickerMode::DateAndTime;
  std::string locale_;
  int minuteInterval_ = 1;
  double date_;
  std::optional<double> minimum_;
  std::optional<double> maximum_;
  std::vector<std::function<void(DatePicker&)>> actions_;
  std::shared_ptr<Wheels> model_;
  std::shared_ptr<PickerView> wheels_;
};

}  // namespace platform
