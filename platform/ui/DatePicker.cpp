#include "platform/ui/DatePicker.h"

#include <algorithm>

#include "platform/foundation/Date.h"
#include "platform/foundation/Text.h"

namespace platform {

DatePicker::DatePicker(const Rect& frame) : View(frame), date_(dateNow()) {
  setBackgroundColor(Color::white());
}

double DatePicker::clamped(double date) const {
  if (minimum_ && date < *minimum_) date = *minimum_;
  if (maximum_ && date > *maximum_) date = *maximum_;
  return date;
}

void DatePicker::setDate(double date, bool animated) {
  (void)animated;
  date_ = clamped(date);
}

void DatePicker::setMinimumDate(std::optional<double> date) {
  minimum_ = date;
  if (minimum_ && maximum_ && *maximum_ < *minimum_) maximum_ = minimum_;
  date_ = clamped(date_);
}

void DatePicker::setMaximumDate(std::optional<double> date) {
  maximum_ = date;
  if (minimum_ && maximum_ && *minimum_ > *maximum_) minimum_ = maximum_;
  date_ = clamped(date_);
}

void DatePicker::turnToDate(double date) {
  double before = date_;
  date_ = clamped(date);
  if (date_ == before) return;
  auto keep = shared_from_this();
  auto actions = actions_;
  for (auto& action : actions) action(*this);
}

std::string DatePicker::displayedText() const {
  bool chinese = hasPrefix(locale_, "zh");
  switch (mode_) {
    case DatePickerMode::Date:
      return formatDate(date_, chinese ? "yyyy年M月d日" : "MMM d, yyyy");
    case DatePickerMode::Time:
      return formatDate(date_, "HH:mm");
    case DatePickerMode::CountDownTimer:
      return formatDate(date_, "H:mm");
    case DatePickerMode::DateAndTime:
      break;
  }
  return formatDate(date_, chinese ? "M月d日 HH:mm" : "MMM d HH:mm");
}

}  // namespace platform
