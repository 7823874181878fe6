#include "platform/ui/DatePicker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/foundation/Date.h"
#include "platform/foundation/Text.h"
#include "platform/ui/PickerView.h"

namespace platform {

namespace {

constexpr double kDay = 86'400;
constexpr int kDaysEitherSide = 365;  // the day wheel of date and time
constexpr int kFirstYear = 1900;      // the year wheel without limits
constexpr int kLastYear = 2100;

constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kWeekdayNames[][2] = {{"Sun", "周日"}, {"Mon", "周一"}, {"Tue", "周二"}, {"Wed", "周三"},
                                            {"Thu", "周四"}, {"Fri", "周五"}, {"Sat", "周六"}};
constexpr char kTodayChinese[] = "今天";
constexpr char kTodayEnglish[] = "Today";

// A date's calendar fields in the foundation's time zone.
struct Fields {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  double fraction = 0;
};

Fields fieldsOf(double date) {
  Fields f;
  std::string text = formatDate(date, "yyyy-M-d-H-m-s");
  std::sscanf(text.c_str(), "%d-%d-%d-%d-%d-%d", &f.year, &f.month, &f.day, &f.hour, &f.minute, &f.second);
  f.fraction = date - std::floor(date);
  return f;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && isLeapYear(year)) return 29;
  return kDays[std::clamp(month, 1, 12) - 1];
}

// The date of these fields; nullopt for a time the zone skips.
std::optional<double> dateOf(Fields f) {
  f.day = std::min(f.day, daysInMonth(f.year, f.month));
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                f.second);
  auto date = parseDate(text, "yyyy-MM-dd HH:mm:ss");
  if (!date) return std::nullopt;
  return *date + f.fraction;
}

std::string twoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

// The wheels' data source and delegate: which part of the date each wheel
// turns and the values its rows stand for.
class DatePicker::Wheels : public PickerViewDataSource, public PickerViewDelegate {
 public:
  enum class Part { Year, Month, Day, DayInRange, Hour, Minute, Hours, Minutes };
  struct Wheel {
    Part part;
    std::vector<int> values;
  };

  explicit Wheels(DatePicker& owner) : owner_(owner) {}

  // The wheels for the owner's mode, limits and date; the row of the date in each.
  std::vector<int> build() {
    wheels_.clear();
    fields_ = fieldsOf(owner_.date_);
    today_ = dateOf(Fields{fields_.year, fields_.month, fields_.day, 12, 0, 0, 0}).value_or(owner_.date_);
    switch (owner_.mode_) {
      case DatePickerMode::Date:
        if (chinese()) {
          wheels_ = {years(), months(), days()};
        } else {
          wheels_ = {months(), days(), years()};
        }
        break;
      case DatePickerMode::Time:
        wheels_ = {hours(Part::Hour), minutes(Part::Minute)};
        break;
      case DatePickerMode::DateAndTime:
        wheels_ = {daysInRange(), hours(Part::Hour), minutes(Part::Minute)};
        break;
      case DatePickerMode::CountDownTimer:
        wheels_ = {hours(Part::Hours), minutes(Part::Minutes)};
        break;
    }
    std::vector<int> rows;
    for (const auto& wheel : wheels_) rows.push_back(rowOfDate(wheel));
    return rows;
  }

  int numberOfComponentsInPickerView(PickerView&) override { return static_cast<int>(wheels_.size()); }

  int numberOfRowsInComponent(PickerView&, int component) override {
    const Wheel* wheel = wheelAt(component);
    return wheel ? static_cast<int>(wheel->values.size()) : 0;
  }

  double widthForComponent(PickerView& picker, int component) override {
    if (owner_.mode_ != DatePickerMode::DateAndTime) return 0;
    double width = picker.bounds().width();
    return component == 0 ? width / 2 : width / 4;
  }

  std::optional<std::string> titleForRow(PickerView&, int row, int component) override {
    const Wheel* wheel = wheelAt(component);
    if (!wheel || row < 0 || row >= static_cast<int>(wheel->values.size())) return std::nullopt;
    int value = wheel->values[static_cast<std::size_t>(row)];
    bool zh = chinese();
    switch (wheel->part) {
      case Part::Year: return std::to_string(value) + (zh ? "年" : "");
      case Part::Month: return zh ? std::to_string(value) + "月" : std::string(kMonthNames[value - 1]);
      case Part::Day: return std::to_string(value) + (zh ? "日" : "");
      case Part::DayInRange: return dayTitle(value);
      case Part::Hour:
      case Part::Minute: return twoDigits(value);
      case Part::Hours: return std::to_string(value) + (zh ? "小时" : " hours");
      case Part::Minutes: return std::to_string(value) + (zh ? "分钟" : " min");
    }
    return std::nullopt;
  }

  void didSelectRow(PickerView&, int row, int component) override {
    const Wheel* wheel = wheelAt(component);
    if (!wheel || row < 0 || row >= static_cast<int>(wheel->values.size())) return;
    int value = wheel->values[static_cast<std::size_t>(row)];
    Fields f = fields_;
    switch (wheel->part) {
      case Part::Year: f.year = value; break;
      case Part::Month: f.month = value; break;
      case Part::Day: f.day = value; break;
      case Part::DayInRange: {
        Fields day = fieldsOf(today_ + value * kDay);
        f.year = day.year;
        f.month = day.month;
        f.day = day.day;
        break;
      }
      case Part::Hour:
      case Part::Hours: f.hour = value; break;
      case Part::Minute:
      case Part::Minutes: f.minute = value; break;
    }
    owner_.turnToDate(dateOf(f).value_or(owner_.date_));
  }

 private:
  bool chinese() const { return hasPrefix(owner_.locale_, "zh"); }

  const Wheel* wheelAt(int component) const {
    if (component < 0 || component >= static_cast<int>(wheels_.size())) return nullptr;
    return &wheels_[static_cast<std::size_t>(component)];
  }

  static Wheel range(Part part, int first, int last, int step = 1) {
    Wheel wheel{part, {}};
    for (int v = first; v <= last; v += step) wheel.values.push_back(v);
    return wheel;
  }

  Wheel years() const {
    int first = owner_.minimum_ ? yearOf(*owner_.minimum_) : std::min(kFirstYear, fields_.year);
    int last = owner_.maximum_ ? yearOf(*owner_.maximum_) : std::max(kLastYear, fields_.year);
    return range(Part::Year, first, last);
  }
  static Wheel months() { return range(Part::Month, 1, 12); }
  Wheel days() const { return range(Part::Day, 1, daysInMonth(fields_.year, fields_.month)); }
  Wheel hours(Part part) const { return range(part, 0, 23); }
  Wheel minutes(Part part) const { return range(part, 0, 59, owner_.minuteInterval_); }

  // Days as offsets from the date's day, a year either side, within the limits.
  Wheel daysInRange() const {
    int first = -kDaysEitherSide, last = kDaysEitherSide;
    double dayStart = today_ - kDay / 2;
    if (owner_.minimum_) first = std::max(first, static_cast<int>(std::floor((*owner_.minimum_ - dayStart) / kDay)));
    if (owner_.maximum_) last = std::min(last, static_cast<int>(std::floor((*owner_.maximum_ - dayStart) / kDay)));
    return range(Part::DayInRange, std::min(first, 0), std::max(last, 0));
  }

  std::string dayTitle(int offset) const {
    double day = today_ + offset * kDay;
    bool zh = chinese();
    if (sameDay(day, dateNow())) return zh ? kTodayChinese : kTodayEnglish;
    std::string weekday = formatDate(day, "EEE");
    std::string shown = weekday;
    for (const auto& names : kWeekdayNames) {
      if (weekday == names[0]) shown = zh ? names[1] : names[0];
    }
    if (zh) return formatDate(day, "M月d日 ") + shown;
    return shown + " " + formatDate(day, "MMM d");
  }

  static bool sameDay(double a, double b) { return formatDate(a, "yyyy-MM-dd") == formatDate(b, "yyyy-MM-dd"); }

  int rowOfDate(const Wheel& wheel) const {
    int value = 0;
    switch (wheel.part) {
      case Part::Year: value = fields_.year; break;
      case Part::Month: value = fields_.month; break;
      case Part::Day: value = fields_.day; break;
      case Part::DayInRange: value = 0; break;
      case Part::Hour:
      case Part::Hours: value = fields_.hour; break;
      case Part::Minute:
      case Part::Minutes: value = fields_.minute - fields_.minute % owner_.minuteInterval_; break;
    }
    auto it = std::find(wheel.values.begin(), wheel.values.end(), value);
    return it == wheel.values.end() ? 0 : static_cast<int>(it - wheel.values.begin());
  }

  DatePicker& owner_;
  std::vector<Wheel> wheels_;
  Fields fields_;
  double today_ = 0;  // noon of the date's day
};

DatePicker::DatePicker(const Rect& frame)
    : View(frame), date_(dateNow()), model_(std::make_shared<Wheels>(*this)),
      wheels_(PickerView::create(Rect(0, 0, frame.width(), frame.height()))) {
  setBackgroundColor(Color::white());
  wheels_->setDataSource(model_);
  wheels_->setDelegate(model_);
  showDate();
}

std::shared_ptr<DatePicker> DatePicker::create(const Rect& frame) {
  auto picker = std::make_shared<DatePicker>(frame);
  picker->attachWheels();
  return picker;
}

void DatePicker::attachWheels() {
  if (wheels_->superview().get() != this) addSubview(wheels_);
}

void DatePicker::didMoveToSuperview() {
  View::didMoveToSuperview();
  attachWheels();
}

DatePicker::~DatePicker() = default;

void DatePicker::showDate() {
  std::vector<int> rows = model_->build();
  wheels_->reloadAllComponents();
  for (std::size_t c = 0; c < rows.size(); ++c) wheels_->selectRow(rows[c], static_cast<int>(c), false);
}

void DatePicker::layoutSubviews() {
  View::layoutSubviews();
  attachWheels();
  Rect inside = bounds();
  if (wheels_->frame().width() == inside.width() && wheels_->frame().height() == inside.height()) return;
  wheels_->setFrame(Rect(0, 0, inside.width(), inside.height()));
  showDate();
}

void DatePicker::setDatePickerMode(DatePickerMode mode) {
  mode_ = mode;
  showDate();
}

void DatePicker::setLocale(const std::string& identifier) {
  locale_ = identifier;
  showDate();
}

void DatePicker::setMinuteInterval(int minutes) {
  minuteInterval_ = minutes > 0 && 60 % minutes == 0 ? minutes : 1;
  showDate();
}

double DatePicker::clamped(double date) const {
  if (minimum_ && date < *minimum_) date = *minimum_;
  if (maximum_ && date > *maximum_) date = *maximum_;
  return date;
}

void DatePicker::setDate(double date, bool animated) {
  (void)animated;
  date_ = clamped(date);
  showDate();
}

void DatePicker::setMinimumDate(std::optional<double> date) {
  minimum_ = date;
  if (minimum_ && maximum_ && *maximum_ < *minimum_) maximum_ = minimum_;
  date_ = clamped(date_);
  showDate();
}

void DatePicker::setMaximumDate(std::optional<double> date) {
  maximum_ = date;
  if (minimum_ && maximum_ && *minimum_ > *maximum_) minimum_ = maximum_;
  date_ = clamped(date_);
  showDate();
}

void DatePicker::turnToDate(double date) {
  double before = date_;
  date_ = clamped(date);
  auto keep = shared_from_this();
  showDate();  // also when a limit stopped the wheel: it turns back to the date
  if (date_ == before) return;
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
