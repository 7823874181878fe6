#pragma once
// A scroll view of rows in sections, plain or grouped, asking its data source
// for sections, rows and cells and its delegate for heights, headers, footers
// and selection, as the platform did. Cells are reused by identifier; only the
// rows in view have cells. Row updates (insert, delete, move, reload of rows
// and sections) inside begin/end updates are checked against the data source's
// new counts: a data source that disagrees is treated as a reload (and logged),
// never as a fault.
//
// In a plain table the header of the section at the top stays pinned to the top
// while its rows scroll under it. A table whose data source answers section
// index titles shows an index strip at its right edge; touching a title scrolls
// that section to the top. A leftward swipe over a row its data source lets be
// edited shows the delete button; its tap commits the deletion.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/IndexPath.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableViewCell.h"

namespace platform {

class TableView;

inline constexpr double kTableViewAutomaticDimension = -1;
inline constexpr char kDefaultDeleteButtonTitle[] = "删除";

enum class TableViewStyle { Plain = 0, Grouped = 1 };
enum class TableViewRowAnimation { Fade = 0, Right = 1, Left = 2, Top = 3, Bottom = 4, None = 5, Middle = 6,
                                   Automatic = 100 };
enum class TableViewScrollPosition { None = 0, Top = 1, Middle = 2, Bottom = 3 };
enum class TableViewCellSeparatorStyle { None = 0, SingleLine = 1, SingleLineEtched = 2 };

class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfSectionsInTableView(TableView& tableView) { (void)tableView; return 1; }
  virtual int numberOfRowsInSection(TableView& tableView, int section) = 0;
  virtual std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) = 0;
  // Empty: no title.
  virtual std::string titleForHeaderInSection(TableView& tableView, int section) {
    (void)tableView; (void)section;
    return {};
  }
  virtual std::string titleForFooterInSection(TableView& tableView, int section) {
    (void)tableView; (void)section;
    return {};
  }
  // Rows are not editable unless the data source says so (swipe-to-delete needs it).
  virtual bool canEditRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
    return false;
  }
  virtual bool canMoveRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
    return false;
  }
  virtual std::vector<std::string> sectionIndexTitlesForTableView(TableView& tableView) {
    (void)tableView;
    return {};
  }
  // The section a touched index title goes to (by default the title's position).
  virtual int sectionForSectionIndexTitle(TableView& tableView, const std::string& title, int index) {
    (void)tableView; (void)title;
    return index;
  }
  virtual void commitEditingStyle(TableView& tableView, TableViewCellEditingStyle style, const IndexPath& indexPath) {
    (void)tableView; (void)style; (void)indexPath;
  }
  virtual void moveRowAtIndexPath(TableView& tableView, const IndexPath& from, const IndexPath& to) {
    (void)tableView; (void)from; (void)to;
  }
};

class TableViewDelegate : public virtual ScrollViewDelegate {
 public:
  // kTableViewAutomaticDimension: the table's own height.
  virtual double heightForRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
    return kTableViewAutomaticDimension;
  }
  virtual double heightForHeaderInSection(TableView& tableView, int section) {
    (void)tableView; (void)section;
    return kTableViewAutomaticDimension;
  }
  virtual double heightForFooterInSection(TableView& tableView, int section) {
    (void)tableView; (void)section;
    return kTableViewAutomaticDimension;
  }
  virtual std::shared_ptr<View> viewForHeaderInSection(TableView& tableView, int section) {
    (void)tableView; (void)section;
    return nullptr;
  }
  virtual std::shared_ptr<View> viewForFooterInSection(TableView& tableView, int section) {
    (void)tableView; (void)section;
    return nullptr;
  }
  virtual void willDisplayCell(TableView& tableView, TableViewCell& cell, const IndexPath& indexPath) {
    (void)tableView; (void)cell; (void)indexPath;
  }
  // The row to select instead, or nullopt to select none.
  virtual std::optional<IndexPath> willSelectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView;
    return indexPath;
  }
  virtual void didSelectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
  }
  virtual std::optional<IndexPath> willDeselectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView;
    return indexPath;
  }
  virtual void didDeselectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
  }
  virtual void accessoryButtonTappedForRowWithIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
  }
  virtual TableViewCellEditingStyle editingStyleForRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
    return TableViewCellEditingStyle::Delete;
  }
  // Empty: the platform's title (kDefaultDeleteButtonTitle).
  virtual std::string titleForDeleteConfirmationButtonForRowAtIndexPath(TableView& tableView,
                                                                       const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
    return {};
  }
  virtual void willBeginEditingRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
  }
  virtual void didEndEditingRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView; (void)indexPath;
  }
};

class TableView : public ScrollView {
 public:
  explicit TableView(const Rect& frame = {}, TableViewStyle style = TableViewStyle::Plain);
  ~TableView() override;
  static std::shared_ptr<TableView> create(const Rect& frame = {}, TableViewStyle style = TableViewStyle::Plain) {
    return std::make_shared<TableView>(frame, style);
  }
  std::string className() const override { return "TableView"; }
  TableViewStyle style() const { return style_; }

  void setDataSource(std::weak_ptr<TableViewDataSource> dataSource);
  std::shared_ptr<TableViewDataSource> dataSource() const { return dataSource_.lock(); }
  // Also the scroll view's delegate.
  void setDelegate(std::weak_ptr<TableViewDelegate> delegate);
  std::shared_ptr<TableViewDelegate> tableDelegate() const { return tableDelegate_.lock(); }

  // Heights used when the delegate has none.
  double rowHeight() const { return rowHeight_; }
  void setRowHeight(double h) { rowHeight_ = h; setNeedsReload(); }
  double sectionHeaderHeight() const { return sectionHeaderHeight_; }
  void setSectionHeaderHeight(double h) { sectionHeaderHeight_ = h; setNeedsReload(); }
  double sectionFooterHeight() const { return sectionFooterHeight_; }
  void setSectionFooterHeight(double h) { sectionFooterHeight_ = h; setNeedsReload(); }

  TableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
  void setSeparatorStyle(TableViewCellSeparatorStyle style);
  const Color& separatorColor() const { return separatorColor_; }
  void setSeparatorColor(const Color& color);

  std::shared_ptr<View> tableHeaderView() const { return tableHeaderView_; }
  void setTableHeaderView(std::shared_ptr<View> view);
  std::shared_ptr<View> tableFooterView() const { return tableFooterView_; }
  void setTableFooterView(std::shared_ptr<View> view);

  // The section index strip.
  const Color& sectionIndexColor() const { return sectionIndexColor_; }
  void setSectionIndexColor(const Color& c) { sectionIndexColor_ = c; }
  const Color& sectionIndexBackgroundColor() const { return sectionIndexBackgroundColor_; }
  void setSectionIndexBackgroundColor(const Color& c);
  const Color& sectionIndexTrackingBackgroundColor() const { return sectionIndexTrackingBackgroundColor_; }
  void setSectionIndexTrackingBackgroundColor(const Color& c) { sectionIndexTrackingBackgroundColor_ = c; }
  const std::vector<std::string>& sectionIndexTitles() const { return indexTitles_; }
  // What a touch on index title `index` does.
  void touchSectionIndex(int index);
  std::shared_ptr<View> sectionIndexView() const { return indexView_; }

  bool allowsSelection() const { return allowsSelection_; }
  void setAllowsSelection(bool on) { allowsSelection_ = on; }
  bool isEditing() const { return editing_; }
  void setEditing(bool editing, bool animated = false);

  // Cells.
  std::shared_ptr<TableViewCell> dequeueReusableCellWithIdentifier(const std::string& identifier);
  void reloadData();
  int numberOfSections() const { return static_cast<int>(sections_.size()); }
  int numberOfRowsInSection(int section) const;

  // Updates. Outside begin/end each call is its own update.
  void beginUpdates();
  void endUpdates();
  void insertSections(const std::vector<int>& sections, TableViewRowAnimation animation);
  void deleteSections(const std::vector<int>& sections, TableViewRowAnimation animation);
  void reloadSections(const std::vector<int>& sections, TableViewRowAnimation animation);
  void moveSection(int section, int newSection);
  void insertRowsAtIndexPaths(const std::vector<IndexPath>& paths, TableViewRowAnimation animation);
  void deleteRowsAtIndexPaths(const std::vector<IndexPath>& paths, TableViewRowAnimation animation);
  void reloadRowsAtIndexPaths(const std::vector<IndexPath>& paths, TableViewRowAnimation animation);
  void moveRowAtIndexPath(const IndexPath& from, const IndexPath& to);
  // Seconds the update animations take.
  static constexpr double kUpdateAnimationDuration = 0.3;

  // Geometry, in the table's content coordinates.
  Rect rectForSection(int section) const;
  Rect rectForHeaderInSection(int section) const;
  Rect rectForFooterInSection(int section) const;
  Rect rectForRowAtIndexPath(const IndexPath& path) const;
  std::optional<IndexPath> indexPathForRowAtPoint(Point point) const;
  // Rows meeting the rectangle; a row starting at its lower edge counts.
  std::vector<IndexPath> indexPathsForRowsInRect(const Rect& rect) const;
  std::optional<IndexPath> indexPathForCell(const TableViewCell* cell) const;
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(const IndexPath& path) const;
  std::vector<std::shared_ptr<TableViewCell>> visibleCells() const;
  std::vector<IndexPath> indexPathsForVisibleRows() const;
  std::shared_ptr<View> headerViewForSection(int section) const;
  std::shared_ptr<View> footerViewForSection(int section) const;
  void scrollToRowAtIndexPath(const IndexPath& path, TableViewScrollPosition position, bool animated);

  // Selection.
  std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
  void selectRowAtIndexPath(const std::optional<IndexPath>& path, bool animated, TableViewScrollPosition position);
  void deselectRowAtIndexPath(const IndexPath& path, bool animated);

  // Swipe-to-delete: shows the delete button on the row (as a leftward swipe
  // does), or hides it.
  void showDeleteConfirmation(const IndexPath& path);
  void hideDeleteConfirmation();
  std::optional<IndexPath> deleteConfirmationIndexPath() const { return swiped_; }

  void layoutSubviews() override;
  void setContentSize(Size size) override;
  bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) override;
  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;
  void didMoveToSuperview() override;

 protected:
  void contentOffsetDidChange() override;

 private:
  struct SectionInfo {
    double headerHeight = 0;
    double footerHeight = 0;
    std::vector<double> rowHeights;
    double top = 0;  // header's top in content coordinates
    double height() const;
  };
  struct Update;
  void setNeedsReload();
  bool hasRow(const IndexPath& path) const;
  void ensureLoaded() const;
  void rebuildGeometry();
  void computeOffsets();
  void tile(bool forceAll = false);
  void placeHeaders();
  std::shared_ptr<TableViewCell> makeCell(const IndexPath& path);
  void enqueue(const std::shared_ptr<TableViewCell>& cell);
  void applyUpdate(const Update& update);
  bool checkUpdate(const Update& update, std::map<IndexPath, IndexPath>& rowMap, std::map<int, int>& sectionMap,
                   std::string& problem);
  double contentTop() const;
  void updateIndexView();
  void handleSwipe();
  void commitDelete(const IndexPath& path);
  void placeTableHeaderAndFooter();

  TableViewStyle style_;
  std::weak_ptr<TableViewDataSource> dataSource_;
  std::weak_ptr<TableViewDelegate> tableDelegate_;
  double rowHeight_ = 44;
  double sectionHeaderHeight_;
  double sectionFooterHeight_;
  TableViewCellSeparatorStyle separatorStyle_ = TableViewCellSeparatorStyle::SingleLine;
  Color separatorColor_ = Color::rgb255(200, 199, 204);
  std::shared_ptr<View> tableHeaderView_;
  std::shared_ptr<View> tableFooterView_;
  Color sectionIndexColor_ = Color::rgb255(0, 122, 255);
  Color sectionIndexBackgroundColor_;
  Color sectionIndexTrackingBackgroundColor_;
  std::vector<std::string> indexTitles_;
  std::shared_ptr<View> indexView_;
  bool allowsSelection_ = true;
  bool editing_ = false;

  bool loaded_ = false;
  bool reloading_ = false;
  std::vector<SectionInfo> sections_;
  std::map<IndexPath, std::shared_ptr<TableViewCell>> visible_;
  std::map<int, std::shared_ptr<View>> headers_;
  std::map<int, std::shared_ptr<View>> footers_;
  std::map<std::string, std::vector<std::shared_ptr<TableViewCell>>> reusePool_;
  std::optional<IndexPath> selected_;
  std::optional<IndexPath> pressed_;
  std::optional<IndexPath> swiped_;
  std::shared_ptr<GestureRecognizer> swipe_;
  int updateDepth_ = 0;
  std::unique_ptr<Update> pending_;
};

}  // namespace platform
