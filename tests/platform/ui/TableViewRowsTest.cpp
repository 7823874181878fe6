#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Finger.h"
#include "UiTestFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"

namespace platform::testing {
namespace {

// Sections of named rows; cells show the row's name.
struct Rows : TableViewDataSource, TableViewDelegate {
  std::vector<std::vector<std::string>> sections;
  std::vector<std::string> indexTitles;
  int cellsMade = 0;
  int sectionsOverride = -1;
  std::vector<IndexPath> selectedRows;
  std::vector<IndexPath> committed;
  bool editable = true;
  int numberOfSectionsInTableView(TableView&) override {
    return sectionsOverride >= 0 ? sectionsOverride : static_cast<int>(sections.size());
  }
  int numberOfRowsInSection(TableView&, int s) override {
    return s < static_cast<int>(sections.size()) ? static_cast<int>(sections[s].size()) : 0;
  }
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& t, const IndexPath& p) override {
    auto cell = t.dequeueReusableCellWithIdentifier("row");
    if (!cell) {
      cell = TableViewCell::create(TableViewCellStyle::Default, "row");
      ++cellsMade;
    }
    cell->textLabel()->setText(sections[p.section][p.row]);
    return cell;
  }
  std::string titleForHeaderInSection(TableView&, int s) override { return "S" + std::to_string(s); }
  std::vector<std::string> sectionIndexTitlesForTableView(TableView&) override { return indexTitles; }
  bool canEditRowAtIndexPath(TableView&, const IndexPath& p) override { return editable && p.row > 0; }
  void commitEditingStyle(TableView& t, TableViewCellEditingStyle, const IndexPath& p) override {
    committed.push_back(p);
    sections[p.section].erase(sections[p.section].begin() + p.row);
    t.deleteRowsAtIndexPaths({p}, TableViewRowAnimation::Automatic);
  }
  void didSelectRowAtIndexPath(TableView&, const IndexPath& p) override { selectedRows.push_back(p); }
};

std::vector<std::string> names(int n, const std::string& prefix) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(prefix + std::to_string(i));
  return out;
}

class TableViewRowsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    rows = std::make_shared<Rows>();
    rows->sections = {names(5, "a"), names(30, "b")};
    table = TableView::create({0, 0, 320, 480});
    table->setDataSource(rows);
    table->setDelegate(rows);
    window->addSubview(table);
    table->layoutIfNeeded();
  }
  // Every visible cell shows the data source's row at its index path, at its row's place.
  void expectCellsMatchData() {
    for (auto& cell : table->visibleCells()) {
      auto path = table->indexPathForCell(cell.get());
      ASSERT_TRUE(path);
      EXPECT_EQ(cell->textLabel()->text(), rows->sections[path->section][path->row]);
      EXPECT_EQ(cell->frame(), table->rectForRowAtIndexPath(*path));
    }
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<Rows> rows;
  std::shared_ptr<TableView> table;
};

TEST_F(TableViewRowsTest, OnlyRowsInViewHaveCellsAndCellsAreReused) {
  // Headers 22, rows 44: rows of section 0 and the first of section 1 fill 480 points.
  EXPECT_EQ(table->contentSize().height, 22 * 2 + 44 * 35);
  auto visible = table->indexPathsForVisibleRows();
  ASSERT_FALSE(visible.empty());
  EXPECT_EQ(visible.front(), (IndexPath{0, 0}));
  int made = rows->cellsMade;
  EXPECT_LE(made, 12);
  table->setContentOffset({0, 800});
  expectCellsMatchData();
  int afterScroll = rows->cellsMade;
  // A jump can show one partial row more at each end than the first screen did,
  // so up to two new cells; reuse itself is checked by scrolling back below.
  EXPECT_LE(afterScroll, made + 2);
  table->setContentOffset({0, 0});
  EXPECT_EQ(rows->cellsMade, afterScroll);  // scrolled-away cells come back from the queue
  expectCellsMatchData();
}

TEST_F(TableViewRowsTest, ZeroSectionsAndMissingDataSourceShowAnEmptyTable) {
  rows->sections.clear();
  table->reloadData();
  EXPECT_EQ(table->numberOfSections(), 0);
  EXPECT_TRUE(table->visibleCells().empty());
  EXPECT_FALSE(table->indexPathForRowAtPoint({10, 10}));
  EXPECT_TRUE(table->indexPathsForRowsInRect({0, 0, 320, 480}).empty());
  EXPECT_EQ(table->rectForHeaderInSection(3), Rect());
  table->scrollToRowAtIndexPath({0, 0}, TableViewScrollPosition::Top, false);
  tapAt(window, {100, 100});
  EXPECT_TRUE(rows->selectedRows.empty());

  // A data source that claims more sections than it has rows for.
  rows->sectionsOverride = 4;
  table->reloadData();
  EXPECT_EQ(table->numberOfSections(), 4);
  EXPECT_EQ(table->numberOfRowsInSection(2), 0);

  table->setDataSource({});
  table->reloadData();
  EXPECT_EQ(table->numberOfSections(), 0);
}

TEST_F(TableViewRowsTest, UpdatesKeepCellsAndDataTogether) {
  struct Step {
    const char* what;
    std::function<void(Rows&, TableView&)> change;
  };
  const Step steps[] = {
      {"insert at top", [](Rows& r, TableView& t) {
         r.sections[0].insert(r.sections[0].begin(), "new0");
         t.insertRowsAtIndexPaths({{0, 0}}, TableViewRowAnimation::Fade);
       }},
      {"delete two", [](Rows& r, TableView& t) {
         r.sections[0].erase(r.sections[0].begin() + 1, r.sections[0].begin() + 3);
         t.deleteRowsAtIndexPaths({{0, 1}, {0, 2}}, TableViewRowAnimation::Automatic);
       }},
      {"move across sections", [](Rows& r, TableView& t) {
         std::string moved = r.sections[1][0];
         r.sections[1].erase(r.sections[1].begin());
         r.sections[0].push_back(moved);
         t.moveRowAtIndexPath({1, 0}, {0, static_cast<int>(r.sections[0].size()) - 1});
       }},
      {"insert a section and delete a row in one batch", [](Rows& r, TableView& t) {
         r.sections.insert(r.sections.begin(), std::vector<std::string>{"x0", "x1"});
         r.sections[1].erase(r.sections[1].begin());
         t.beginUpdates();
         t.insertSections({0}, TableViewRowAnimation::Top);
         t.deleteRowsAtIndexPaths({{0, 0}}, TableViewRowAnimation::Fade);  // old index of the first section
         t.endUpdates();
       }},
      {"reload a row", [](Rows& r, TableView& t) {
         r.sections[1][0] = "changed";
         t.reloadRowsAtIndexPaths({{1, 0}}, TableViewRowAnimation::None);
       }},
      {"delete a section", [](Rows& r, TableView& t) {
         r.sections.erase(r.sections.begin());
         t.deleteSections({0}, TableViewRowAnimation::Fade);
       }},
  };
  for (auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.change(*rows, *table);
    expectCellsMatchData();
    runFor(0.5);
    expectCellsMatchData();
    // Cells that faded out have left the table.
    int cellViews = 0;
    for (auto& v : table->subviews())
      if (std::dynamic_pointer_cast<TableViewCell>(v)) ++cellViews;
    EXPECT_EQ(cellViews, static_cast<int>(table->visibleCells().size()));
  }
}

TEST_F(TableViewRowsTest, DataSourceThatDisagreesWithAnUpdateIsReloaded) {
  rows->sections[0].push_back("extra1");
  rows->sections[0].push_back("extra2");
  // Says one row was inserted, the data source has two more.
  table->insertRowsAtIndexPaths({{0, 5}}, TableViewRowAnimation::Fade);
  EXPECT_EQ(table->numberOfRowsInSection(0), 7);
  expectCellsMatchData();
  // Out-of-range paths are treated the same way.
  table->deleteRowsAtIndexPaths({{9, 9}}, TableViewRowAnimation::Fade);
  expectCellsMatchData();
}

TEST_F(TableViewRowsTest, GeometryQueries) {
  expectRect(table->rectForHeaderInSection(1), 0, 22 + 5 * 44, 320, 22);
  expectRect(table->rectForRowAtIndexPath({1, 2}), 0, 44 + 7 * 44, 320, 44);
  EXPECT_EQ(table->indexPathForRowAtPoint({10, 22 + 44 + 1}), (IndexPath{0, 1}));
  EXPECT_FALSE(table->indexPathForRowAtPoint({10, 5}));  // on a header
  // A header's rectangle reports the first row of its section (it starts at the lower edge).
  auto inHeader = table->indexPathsForRowsInRect(table->rectForHeaderInSection(1));
  ASSERT_EQ(inHeader.size(), 1u);
  EXPECT_EQ(inHeader.front(), (IndexPath{1, 0}));

  table->scrollToRowAtIndexPath({1, 10}, TableViewScrollPosition::Top, false);
  EXPECT_EQ(table->contentOffset().y, table->rectForRowAtIndexPath({1, 10}).y());
  auto cell = table->cellForRowAtIndexPath({1, 10});
  ASSERT_TRUE(cell);
  EXPECT_EQ(table->indexPathForCell(cell.get()), (IndexPath{1, 10}));
  // The plain table's header of the section at the top stays pinned.
  auto header = table->headerViewForSection(1);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->frame().y(), table->contentOffset().y);
}

TEST_F(TableViewRowsTest, TapSelectsTheRowUnderTheFinger) {
  tapAt(window, {100, 22 + 44 + 10});
  ASSERT_EQ(rows->selectedRows.size(), 1u);
  EXPECT_EQ(rows->selectedRows[0], (IndexPath{0, 1}));
  EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 1}));
  EXPECT_TRUE(table->cellForRowAtIndexPath({0, 1})->isSelected());
  table->deselectRowAtIndexPath({0, 1}, true);
  EXPECT_FALSE(table->indexPathForSelectedRow());
  EXPECT_FALSE(table->cellForRowAtIndexPath({0, 1})->isSelected());

  // A drag scrolls instead of selecting.
  Finger f(window, {100, 300});
  f.drag(0, -100);
  f.lift();
  EXPECT_EQ(rows->selectedRows.size(), 1u);
}

TEST_F(TableViewRowsTest, SwipeShowsTheDeleteButtonOnlyOnEditableRows) {
  Point row0{200, 22 + 20}, row1{200, 22 + 44 + 20};
  auto swipe = [&](Point p) {
    Finger f(window, p);
    f.drag(-120, 0, 6, 0.12);
    f.lift();
  };
  swipe(row0);
  EXPECT_FALSE(table->deleteConfirmationIndexPath());
  swipe(row1);
  ASSERT_EQ(table->deleteConfirmationIndexPath(), (IndexPath{0, 1}));
  auto button = table->cellForRowAtIndexPath({0, 1})->deleteConfirmationButton();
  ASSERT_TRUE(button);
  EXPECT_EQ(button->currentTitle(), kDefaultDeleteButtonTitle);
  EXPECT_TRUE(rows->selectedRows.empty());

  tapAt(window, button->frameInWindow().center());
  ASSERT_EQ(rows->committed.size(), 1u);
  EXPECT_EQ(rows->committed[0], (IndexPath{0, 1}));
  EXPECT_EQ(table->numberOfRowsInSection(0), 4);
  runFor(0.5);
  expectCellsMatchData();

  // A tap elsewhere puts the button away without selecting.
  swipe(row1);
  ASSERT_TRUE(table->deleteConfirmationIndexPath());
  tapAt(window, {100, 300});
  EXPECT_FALSE(table->deleteConfirmationIndexPath());
  EXPECT_TRUE(rows->selectedRows.empty());
}

TEST_F(TableViewRowsTest, SectionIndexJumpsToTheTouchedSection) {
  rows->indexTitles = {"A", "B"};
  table->reloadData();
  auto index = table->sectionIndexView();
  ASSERT_TRUE(index);
  EXPECT_EQ(index->className(), "TableViewIndex");
  Rect f = index->frameInWindow();
  tapAt(window, {f.midX(), f.maxY() - 5});
  EXPECT_EQ(table->contentOffset().y, table->rectForHeaderInSection(1).y());
}

}  // namespace
}  // namespace platform::testing
