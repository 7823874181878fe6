// Picker wheels: rows and titles from the data source, selection by code
// (silent) and by finger (told to the delegate), clamping, and date limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/Window.h"

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

class PickerSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().adoptCurrentThread();
    RunLoop::main().useVirtualClock(1'700'000'000);
    NotificationCenter::defaultCenter().reset();
    Application::sharedApplication().reset();
    pages = std::make_shared<Pages>();
    picker = PickerView::create({0, 352, 320, 216});
    picker->setDataSource(pages);
    picker->setDelegate(pages);
  }
  void TearDown() override { Application::sharedApplication().reset(); }

  void touch(std::shared_ptr<Window>& window, Point from, Point to) {
    auto t = std::make_shared<Touch>();
    t->setLocation(from);
    Event e;
    e.mutableTouches().push_back(t);
    window->sendEvent(e);
    if (!(from == to)) {
      t->moveTo(to);
      t->setPhase(TouchPhase::Moved);
      window->sendEvent(e);
    }
    t->setPhase(TouchPhase::Ended);
    window->sendEvent(e);
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
  auto window = Window::create({0, 0, 320, 568});
  window->makeKeyAndVisible();
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

}  // namespace
