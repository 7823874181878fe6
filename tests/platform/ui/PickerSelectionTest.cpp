// Picker wheels: rows and titles from the data source, selection by code
// (silent) and by finger (told to the delegate), clamping, and date limits.
// Rows are labels (or the delegate's views) a finger finds by text and taps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/DatePicker.h"
#include "platform/ui/Label.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/TestDriver.h"
#include "tests/platform/ui/Finger.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

using namespace platform;

struct Pages : PickerViewDataSource, PickerViewDelegate {
  int components = 1;
  int rows = 12;
  double height = 35;
  std::vector<std::pair<int, int>> selections;
  int numberOfComponentsInPickerView(PickerView&) override { return components; }
  int numberOfRowsInComponent(PickerView&, int component) override { return component == 0 ? rows : 3; }
  std::optional<std::string> titleForRow(PickerView&, int row, int) override {
    return "第" + std::to_string(row + 1) + "页";
  }
  double rowHeightForComponent(PickerView&, int) override { return height; }
  void didSelectRow(PickerView&, int row, int component) override { selections.emplace_back(row, component); }
};

class PickerSelectionTest : public platform::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    pages = std::make_shared<Pages>();
    picker = PickerView::create({0, 352, 320, 216});
    picker->setDataSource(pages);
    picker->setDelegate(pages);
  }

  // A finger down at `from`, moved to `to` when that is elsewhere, and lifted.
  static void touch(const std::shared_ptr<Window>& window, Point from, Point to) {
    platform::testing::Finger finger(window, from);
    if (!(from == to)) finger.moveTo(to);
    finger.lift();
  }

  std::shared_ptr<Pages> pages;
  std::shared_ptr<PickerView> picker;
};

TEST_F(PickerSelectionTest, CodeSelectsSilentlyAndClampsToTheRows) {
  picker->reloadAllComponents();
  EXPECT_EQ(picker->numberOfComponents(), 1);
  EXPECT_EQ(picker->numberOfRowsInComponent(0), 12);
  EXPECT_EQ(picker->rowSizeForComponent(0).height, 35);
  EXPECT_EQ(picker->selectedRowInComponent(0), 0);
  picker->selectRow(4, 0, false);
  EXPECT_EQ(picker->selectedRowInComponent(0), 4);
  auto shown = std::dynamic_pointer_cast<View>(picker->viewForRow(4, 0));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->automationText(), "第5页");
  EXPECT_DOUBLE_EQ(shown->frame().midY(), 108) << "the selected row sits in the middle";
  picker->selectRow(40, 0, true);
  EXPECT_EQ(picker->selectedRowInComponent(0), 11);
  picker->selectRow(-3, 0, false);
  EXPECT_EQ(picker->selectedRowInComponent(0), 0);
  EXPECT_TRUE(pages->selections.empty());

  pages->rows = 3;  // fewer rows after a reload keep the selection inside
  picker->selectRow(2, 0, false);
  pages->rows = 2;
  picker->reloadComponent(0);
  EXPECT_EQ(picker->selectedRowInComponent(0), 1);
  pages->rows = 0;
  picker->reloadAllComponents();
  EXPECT_EQ(picker->selectedRowInComponent(0), -1);
  picker->spinToRow(1, 0);
  EXPECT_EQ(picker->selectedRowInComponent(5), -1);
  EXPECT_TRUE(pages->selections.empty());
}

TEST_F(PickerSelectionTest, FingerTurnsTheWheelAndTellsTheDelegate) {
  auto window = makeWindow();
  window->addSubview(picker);
  picker->reloadAllComponents();
  picker->selectRow(5, 0, false);

  touch(window, {160, 352 + 108 + 70}, {160, 352 + 108 + 70});  // a tap two rows below the middle
  EXPECT_EQ(picker->selectedRowInComponent(0), 7);
  touch(window, {160, 500}, {160, 500 - 3 * 35});  // dragged up three rows
  EXPECT_EQ(picker->selectedRowInComponent(0), 10);
  touch(window, {160, 460}, {160, 460});  // the middle row again: nothing changes
  EXPECT_EQ(pages->selections, (std::vector<std::pair<int, int>>{{7, 0}, {10, 0}}));
}

TEST_F(PickerSelectionTest, ComponentsShareTheWidth) {
  pages->components = 2;
  picker->reloadAllComponents();
  EXPECT_EQ(picker->rowSizeForComponent(1).width, 160);
  picker->spinToRow(2, 1);
  EXPECT_EQ(pages->selections, (std::vector<std::pair<int, int>>{{2, 1}}));
}

TEST_F(PickerSelectionTest, DateStaysWithinItsLimits) {
  auto dates = DatePicker::create();
  dates->setDatePickerMode(DatePickerMode::Date);
  dates->setLocale("zh_CN");
  const double built = 1'796'875'200;  // 2026-12-10 04:00 UTC
  dates->setMaximumDate(built);
  dates->setMinimumDate(built - 29'200.0 * 86'400);
  dates->setDate(built);
  int changes = 0;
  dates->addValueChangedAction([&](DatePicker&) { ++changes; });

  dates->setDate(built + 86'400);
  EXPECT_EQ(dates->date(), built);
  dates->turnToDate(built - 86'400 * 365);
  EXPECT_EQ(changes, 1);
  dates->turnToDate(built - 86'400 * 40'000.0);
  EXPECT_EQ(dates->date(), *dates->minimumDate());
  dates->turnToDate(built - 86'400 * 50'000.0);  // already at the limit: no change
  EXPECT_EQ(changes, 2);
  dates->setDate(built);
  EXPECT_NE(dates->displayedText().find("年"), std::string::npos);
  dates->setMaximumDate(built - 86'400);
  EXPECT_EQ(dates->date(), built - 86'400) << "a limit moving past the date takes it along";
}

TEST_F(PickerSelectionTest, RowsAreLabelsThatAFingerFindsAndTaps) {
  pages->components = 2;
  auto window = makeWindow();
  window->addSubview(picker);
  picker->reloadAllComponents();
  picker->selectRow(5, 0, false);

  auto middle = std::dynamic_pointer_cast<Label>(TestDriver::findByText("第6页"));
  ASSERT_TRUE(middle) << "a title row is a label";
  EXPECT_EQ(middle->className(), "Label");
  EXPECT_EQ(middle->frame().height(), 35);
  EXPECT_EQ(middle->frame().width(), 160);
  EXPECT_DOUBLE_EQ(middle->frameInWindow().midY(), 352 + 108);
  auto below = std::dynamic_pointer_cast<Label>(TestDriver::findByText("第8页"));
  ASSERT_TRUE(below);
  EXPECT_DOUBLE_EQ(below->frameInWindow().midY(), 352 + 108 + 70);
  EXPECT_NE(below->textColor(), middle->textColor()) << "the selected row stands out";
  // Rows whose middles fall outside the wheel are not built, so a finger never
  // finds a row it cannot reach.
  EXPECT_TRUE(picker->viewForRow(8, 0));
  EXPECT_FALSE(picker->viewForRow(9, 0));
  EXPECT_FALSE(TestDriver::findByText("第10页"));

  TestDriver::tap(below);
  EXPECT_EQ(picker->selectedRowInComponent(0), 7);
  auto shown = std::dynamic_pointer_cast<Label>(picker->viewForRow(7, 0));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->text(), "第8页");
  EXPECT_DOUBLE_EQ(shown->frameInWindow().midY(), 352 + 108) << "the tapped row turns to the middle";

  // The second wheel: its rows sit in its own column.
  auto other = picker->viewForRow(2, 1);
  ASSERT_TRUE(other);
  EXPECT_DOUBLE_EQ(other->frameInWindow().minX(), 160);
  TestDriver::tap(other);
  EXPECT_EQ(pages->selections, (std::vector<std::pair<int, int>>{{7, 0}, {2, 1}}));
  TestDriver::tap(picker->viewForRow(2, 1));  // the selected row: nothing to tell
  EXPECT_EQ(pages->selections.size(), 2u);
}

// A delegate that gives its own views for rows, reusing what it is handed.
struct Tiles : Pages {
  int made = 0;
  int reused = 0;
  std::shared_ptr<View> viewForRow(PickerView&, int row, int, const std::shared_ptr<View>& reusing) override {
    auto view = reusing;
    if (view) {
      ++reused;
    } else {
      view = View::create();
      ++made;
    }
    view->setTag(100 + row);
    return view;
  }
};

TEST_F(PickerSelectionTest, GivenRowViewsTakeTheRowLayoutAndAreReused) {
  auto tiles = std::make_shared<Tiles>();
  picker->setDataSource(tiles);
  picker->setDelegate(tiles);
  auto window = makeWindow();
  window->addSubview(picker);
  picker->reloadAllComponents();
  picker->selectRow(4, 0, false);
  auto row = TestDriver::findByTag(105);
  ASSERT_TRUE(row);
  EXPECT_EQ(row, picker->viewForRow(5, 0));
  EXPECT_DOUBLE_EQ(row->frameInWindow().minY(), 352 + 108 + 35 / 2.0);
  EXPECT_EQ(row->frame().width(), 320);
  EXPECT_EQ(row->frame().height(), 35);
  EXPECT_GT(tiles->reused, 0) << "a rebuilt wheel hands the delegate its views again";
  int made = tiles->made;
  TestDriver::tap(row);
  EXPECT_EQ(tiles->selections, (std::vector<std::pair<int, int>>{{5, 0}}));
  EXPECT_EQ(picker->viewForRow(5, 0)->tag(), 105);
  EXPECT_LE(tiles->made, made + 1) << "turning by one row makes at most one new view";
}

TEST_F(PickerSelectionTest, DateWheelsAreLabelledRowsAFingerTurns) {
  auto window = makeWindow();
  auto dates = DatePicker::create({0, 352, 320, 216});
  window->addSubview(dates);
  dates->setDatePickerMode(DatePickerMode::Date);
  dates->setLocale("zh_CN");
  const double built = 1'796'875'200;  // 2026-12-10 12:00 in Shanghai
  dates->setDate(built);
  std::vector<std::string> changes;
  dates->addValueChangedAction([&](DatePicker& p) { changes.push_back(p.displayedText()); });
  auto& wheels = *dates->wheels();
  ASSERT_EQ(wheels.numberOfComponents(), 3);
  auto shownIn = [&](int component) {
    auto view = wheels.viewForRow(wheels.selectedRowInComponent(component), component);
    return view ? view->automationText() : std::string("-");
  };
  EXPECT_EQ(shownIn(0), "2026年");
  EXPECT_EQ(shownIn(1), "12月");
  EXPECT_EQ(shownIn(2), "10日");
  EXPECT_EQ(wheels.numberOfRowsInComponent(2), 31);

  TestDriver::tap(TestDriver::findByText("11月"));
  EXPECT_EQ(changes, (std::vector<std::string>{"2026年11月10日"}));
  EXPECT_EQ(shownIn(1), "11月");
  EXPECT_EQ(wheels.numberOfRowsInComponent(2), 30) << "November has 30 days";

  // A day the next month lacks becomes its last day.
  dates->setDate(built + 21 * 86'400.0);  // 2026-12-31
  changes.clear();
  TestDriver::tap(TestDriver::findByText("11月"));
  EXPECT_EQ(changes, (std::vector<std::string>{"2026年11月30日"}));

  // Past the maximum the wheel stops at the limit and nobody is told.
  dates->setMaximumDate(built);
  dates->setDate(built);
  changes.clear();
  TestDriver::tap(TestDriver::findByText("12日"));
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(dates->date(), built);
  EXPECT_EQ(shownIn(2), "10日");
  EXPECT_FALSE(TestDriver::findByText("2027年")) << "no year past the maximum";

  // English order and names; the time wheels.
  dates->setLocale("en_US");
  EXPECT_EQ(shownIn(0), "Dec");
  EXPECT_EQ(shownIn(1), "10");
  EXPECT_EQ(shownIn(2), "2026");
  dates->setMaximumDate(std::nullopt);
  dates->setDatePickerMode(DatePickerMode::Time);
  dates->setMinuteInterval(5);
  ASSERT_EQ(wheels.numberOfComponents(), 2);
  EXPECT_EQ(shownIn(0), "12");
  EXPECT_EQ(wheels.numberOfRowsInComponent(1), 12);
  changes.clear();
  TestDriver::tap(wheels.viewForRow(2, 1));
  EXPECT_EQ(changes, (std::vector<std::string>{"12:10"}));
}

TEST_F(PickerSelectionTest, DayWheelOfDateAndTimeMovesByWholeDays) {
  auto window = makeWindow();
  auto dates = DatePicker::create({0, 352, 320, 216});
  window->addSubview(dates);
  dates->setLocale("zh_CN");
  const double now = RunLoop::main().now();  // 2023-11-15 06:13 in Shanghai, a Wednesday
  dates->setDate(now);
  auto& wheels = *dates->wheels();
  ASSERT_EQ(wheels.numberOfComponents(), 3);
  EXPECT_EQ(wheels.rowSizeForComponent(0).width, 160) << "the day wheel takes half the width";
  auto day = [&] { return wheels.viewForRow(wheels.selectedRowInComponent(0), 0)->automationText(); };
  EXPECT_EQ(day(), "今天");
  int changes = 0;
  dates->addValueChangedAction([&](DatePicker&) { ++changes; });
  auto tomorrow = TestDriver::findByText("11月16日 周四");
  ASSERT_TRUE(tomorrow);
  TestDriver::tap(tomorrow);
  EXPECT_EQ(changes, 1);
  EXPECT_DOUBLE_EQ(dates->date(), now + 86'400) << "the time of day stays";
  EXPECT_EQ(day(), "11月16日 周四");

  dates->setMinimumDate(now);  // no day before the minimum's
  EXPECT_FALSE(TestDriver::findByText("11月14日 周二"));
  EXPECT_TRUE(TestDriver::findByText("今天"));
}

}  // namespace
