#include "platform/ui/TableView.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <set>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/SwipeGestureRecognizer.h"

namespace platform {
namespace {
constexpr double kPlainHeaderHeight = 22;
constexpr double kGroupedHeaderHeight = 28;
constexpr double kGroupedGap = 10;
constexpr double kIndexWidth = 15;
const Color kPlainHeaderColor = Color::rgb255(247, 247, 247);

// The header or footer the table builds for a section title.
std::shared_ptr<View> titleView(const std::string& title, double width, double height) {
  auto view = View::create({0, 0, width, height});
  view->setBackgroundColor(kPlainHeaderColor);
  auto label = Label::create({15, 0, std::max(0.0, width - 30), height});
  label->setFont(Font::boldSystemFont(15));
  label->setText(title);
  view->addSubview(label);
  return view;
}

// The strip of section index titles at the right edge.
class SectionIndexView : public View {
 public:
  SectionIndexView(TableView* table) : table_(table) {}
  std::string className() const override { return "TableViewIndex"; }
  void setTitles(const std::vector<std::string>& titles, const Color& color) {
    while (!subviews().empty()) subviews().back()->removeFromSuperview();
    count_ = static_cast<int>(titles.size());
    double h = count_ ? bounds().height() / count_ : 0;
    for (int i = 0; i < count_; ++i) {
      auto label = Label::create({0, h * i, bounds().width(), h});
      label->setFont(Font::boldSystemFont(11));
      label->setTextAlignment(TextAlignment::Center);
      label->setTextColor(color);
      label->setText(titles[i]);
      addSubview(label);
    }
  }
  void touchesBegan(const TouchSet& touches, const Event&) override { pick(*touches.front()); }
  void touchesMoved(const TouchSet& touches, const Event&) override { pick(*touches.front()); }
  void touchesEnded(const TouchSet&, const Event&) override {}
  void touchesCancelled(const TouchSet&, const Event&) override {}

 private:
  void pick(const Touch& touch) {
    if (count_ == 0 || bounds().height() <= 0) return;
    double y = touch.locationInView(this).y;
    int index = std::clamp(static_cast<int>(std::floor(y / (bounds().height() / count_))), 0, count_ - 1);
    if (index == last_) return;
    last_ = index;
    table_->touchSectionIndex(index);
  }
  TableView* table_;
  int count_ = 0;
  int last_ = -1;
};
}  // namespace

struct TableView::Update {
  std::vector<int> insertedSections, deletedSections, reloadedSections;
  std::vector<std::pair<int, int>> movedSections;
  std::vector<IndexPath> insertedRows, deletedRows, reloadedRows;
  std::vector<std::pair<IndexPath, IndexPath>> movedRows;
  TableViewRowAnimation animation = TableViewRowAnimation::None;
  bool empty() const {
    return insertedSections.empty() && deletedSections.empty() && reloadedSections.empty() && movedSections.empty() &&
           insertedRows.empty() && deletedRows.empty() && reloadedRows.empty() && movedRows.empty();
  }
};

double TableView::SectionInfo::height() const {
  double h = headerHeight + footerHeight;
  for (double r : rowHeights) h += r;
  return h;
}

TableView::TableView(const Rect& frame, TableViewStyle style)
    : ScrollView(frame),
      style_(style),
      sectionHeaderHeight_(style == TableViewStyle::Plain ? kPlainHeaderHeight : kGroupedHeaderHeight),
      sectionFooterHeight_(style == TableViewStyle::Plain ? kPlainHeaderHeight : kGroupedHeaderHeight) {
  setAlwaysBounceVertical(true);
  setBackgroundColor(style == TableViewStyle::Plain ? Color::white() : Color::rgb255(239, 239, 244));
}

TableView::~TableView() = default;

void TableView::didMoveToSuperview() {
  ScrollView::didMoveToSuperview();
  if (!swipe_) {
    auto swipe = std::make_shared<SwipeGestureRecognizer>();
    swipe->setDirection(SwipeDirection::Left);
    swipe->addTarget([this](GestureRecognizer&) { handleSwipe(); });
    swipe_ = swipe;
    addGestureRecognizer(swipe_);
  }
}

void TableView::setDataSource(std::weak_ptr<TableViewDataSource> dataSource) {
  dataSource_ = std::move(dataSource);
  setNeedsReload();
}

void TableView::setDelegate(std::weak_ptr<TableViewDelegate> delegate) {
  auto strong = delegate.lock();
  ScrollView::setDelegate(std::weak_ptr<ScrollViewDelegate>(std::shared_ptr<ScrollViewDelegate>(strong)));
  tableDelegate_ = std::move(delegate);
  setNeedsReload();
}

void TableView::setNeedsReload() {
  loaded_ = false;
  setNeedsLayout();
}

void TableView::ensureLoaded() const {
  if (!loaded_ && !reloading_) const_cast<TableView*>(this)->reloadData();
}

void TableView::setSeparatorStyle(TableViewCellSeparatorStyle style) {
  separatorStyle_ = style;
  for (auto& [p, cell] : visible_) cell->setSeparatorShown(style != TableViewCellSeparatorStyle::None, separatorColor_);
}

void TableView::setSeparatorColor(const Color& color) {
  separatorColor_ = color;
  setSeparatorStyle(separatorStyle_);
}

void TableView::setSectionIndexBackgroundColor(const Color& c) {
  sectionIndexBackgroundColor_ = c;
  if (indexView_) indexView_->setBackgroundColor(c);
}

void TableView::setTableHeaderView(std::shared_ptr<View> view) {
  if (tableHeaderView_) tableHeaderView_->removeFromSuperview();
  tableHeaderView_ = std::move(view);
  setNeedsReload();
}

void TableView::setTableFooterView(std::shared_ptr<View> view) {
  if (tableFooterView_) tableFooterView_->removeFromSuperview();
  tableFooterView_ = std::move(view);
  setNeedsReload();
}

void TableView::setEditing(bool editing, bool animated) {
  editing_ = editing;
  if (!editing) hideDeleteConfirmation();
  for (auto& [p, cell] : visible_) cell->setEditing(editing, animated);
}

int TableView::numberOfRowsInSection(int section) const {
  ensureLoaded();
  if (section < 0 || section >= numberOfSections()) return 0;
  return static_cast<int>(sections_[section].rowHeights.size());
}

// ---- Loading --------------------------------------------------------------------

void TableView::reloadData() {
  if (reloading_) return;
  reloading_ = true;
  for (auto& [p, cell] : visible_) enqueue(cell);
  visible_.clear();
  for (auto& [s, v] : headers_) v->removeFromSuperview();
  for (auto& [s, v] : footers_) v->removeFromSuperview();
  headers_.clear();
  footers_.clear();
  swiped_.reset();
  rebuildGeometry();
  loaded_ = true;
  // A selection that no longer exists is forgotten.
  if (selected_ && (selected_->section >= numberOfSections() ||
                    selected_->row >= static_cast<int>(sections_[selected_->section].rowHeights.size())))
    selected_.reset();
  updateIndexView();
  tile();
  reloading_ = false;
}

void TableView::rebuildGeometry() {
  auto ds = dataSource();
  auto d = tableDelegate();
  int count = ds ? std::max(0, ds->numberOfSectionsInTableView(*this)) : 0;
  sections_.assign(count, {});
  for (auto& [s, v] : headers_) v->removeFromSuperview();
  for (auto& [s, v] : footers_) v->removeFromSuperview();
  headers_.clear();
  footers_.clear();
  double width = bounds().width();
  for (int s = 0; s < count; ++s) {
    SectionInfo& info = sections_[s];
    int rows = std::max(0, ds->numberOfRowsInSection(*this, s));
    info.rowHeights.resize(rows);
    for (int r = 0; r < rows; ++r) {
      double h = d ? d->heightForRowAtIndexPath(*this, {s, r}) : kTableViewAutomaticDimension;
      info.rowHeights[r] = h < 0 ? rowHeight_ : h;
    }
    std::shared_ptr<View> header = d ? d->viewForHeaderInSection(*this, s) : nullptr;
    std::string headerTitle = ds->titleForHeaderInSection(*this, s);
    double hh = d ? d->heightForHeaderInSection(*this, s) : kTableViewAutomaticDimension;
    if (hh < 0) {
      if (header || !headerTitle.empty()) hh = sectionHeaderHeight_;
      else hh = style_ == TableViewStyle::Grouped ? kGroupedGap : 0;
    }
    info.headerHeight = hh;
    if (!header && !headerTitle.empty() && hh > 0) header = titleView(headerTitle, width, hh);
    if (header) headers_[s] = header;
    std::shared_ptr<View> footer = d ? d->viewForFooterInSection(*this, s) : nullptr;
    std::string footerTitle = ds->titleForFooterInSection(*this, s);
    double fh = d ? d->heightForFooterInSection(*this, s) : kTableViewAutomaticDimension;
    if (fh < 0) {
      if (footer || !footerTitle.empty()) fh = sectionFooterHeight_;
      else fh = style_ == TableViewStyle::Grouped ? kGroupedGap : 0;
    }
    info.footerHeight = fh;
    if (!footer && !footerTitle.empty() && fh > 0) footer = titleView(footerTitle, width, fh);
    if (footer) footers_[s] = footer;
  }
  computeOffsets();
}

double TableView::contentTop() const { return tableHeaderView_ ? tableHeaderView_->frame().height() : 0; }

void TableView::computeOffsets() {
  double y = contentTop();
  for (auto& s : sections_) {
    s.top = y;
    y += s.height();
  }
  if (tableFooterView_) y += tableFooterView_->frame().height();
  ScrollView::setContentSize({bounds().width(), y});
  placeTableHeaderAndFooter();
}

void TableView::setContentSize(Size size) { ScrollView::setContentSize(size); }

void TableView::placeTableHeaderAndFooter() {
  if (weak_from_this().expired()) return;
  if (tableHeaderView_) {
    Rect f = tableHeaderView_->frame();
    tableHeaderView_->setFrame({0, 0, bounds().width(), f.height()});
    if (tableHeaderView_->superview().get() != this) addSubview(tableHeaderView_);
  }
  if (tableFooterView_) {
    Rect f = tableFooterView_->frame();
    double y = sections_.empty() ? contentTop() : sections_.back().top + sections_.back().height();
    tableFooterView_->setFrame({0, y, bounds().width(), f.height()});
    if (tableFooterView_->superview().get() != this) addSubview(tableFooterView_);
  }
}

void TableView::updateIndexView() {
  auto ds = dataSource();
  indexTitles_ = ds ? ds->sectionIndexTitlesForTableView(*this) : std::vector<std::string>{};
  if (indexTitles_.empty()) {
    if (indexView_) indexView_->removeFromSuperview();
    indexView_.reset();
    return;
  }
  if (weak_from_this().expired()) return;
  if (!indexView_) indexView_ = std::make_shared<SectionIndexView>(this);
  indexView_->setBackgroundColor(sectionIndexBackgroundColor_);
  Point o = contentOffset();
  indexView_->setFrame({o.x + bounds().width() - kIndexWidth, o.y + contentInset().top, kIndexWidth,
                        std::max(0.0, bounds().height() - contentInset().top - contentInset().bottom)});
  static_cast<SectionIndexView&>(*indexView_).setTitles(indexTitles_, sectionIndexColor_);
  addSubview(indexView_);
}

void TableView::touchSectionIndex(int index) {
  ensureLoaded();
  auto ds = dataSource();
  if (!ds || index < 0 || index >= static_cast<int>(indexTitles_.size()) || sections_.empty()) return;
  int section = ds->sectionForSectionIndexTitle(*this, indexTitles_[index], index);
  section = std::clamp(section, 0, numberOfSections() - 1);
  double y = std::min(rectForHeaderInSection(section).y() - contentInset().top, maximumContentOffset().y);
  setContentOffset({contentOffset().x, std::max(y, minimumContentOffset().y)}, false);
}

// ---- Cells ----------------------------------------------------------------------

std::shared_ptr<TableViewCell> TableView::dequeueReusableCellWithIdentifier(const std::string& identifier) {
  auto it = reusePool_.find(identifier);
  if (it == reusePool_.end() || it->second.empty()) return nullptr;
  auto cell = it->second.back();
  it->second.pop_back();
  cell->prepareForReuse();
  return cell;
}

void TableView::enqueue(const std::shared_ptr<TableViewCell>& cell) {
  cell->removeFromSuperview();
  cell->hideDeleteButton();
  if (!cell->reuseIdentifier().empty()) reusePool_[cell->reuseIdentifier()].push_back(cell);
}

std::shared_ptr<TableViewCell> TableView::makeCell(const IndexPath& path) {
  auto ds = dataSource();
  std::shared_ptr<TableViewCell> cell = ds ? ds->cellForRowAtIndexPath(*this, path) : nullptr;
  // A data source that answers no cell gets an empty row rather than a fault.
  if (!cell) cell = TableViewCell::create(TableViewCellStyle::Default, {});
  cell->setFrame(rectForRowAtIndexPath(path));
  cell->setSelected(selected_ == path);
  cell->setEditing(editing_);
  cell->setSeparatorShown(separatorStyle_ != TableViewCellSeparatorStyle::None, separatorColor_);
  if (auto d = tableDelegate()) d->willDisplayCell(*this, *cell, path);
  return cell;
}

void TableView::tile(bool forceAll) {
  (void)forceAll;
  if (weak_from_this().expired()) return;
  Rect visible(contentOffset(), bounds().size);
  std::set<IndexPath> wanted;
  for (const auto& p : indexPathsForRowsInRect(visible)) {
    if (!rectForRowAtIndexPath(p).intersects(visible)) continue;
    wanted.insert(p);
  }
  for (auto it = visible_.begin(); it != visible_.end();) {
    if (!wanted.count(it->first)) {
      enqueue(it->second);
      it = visible_.erase(it);
    } else {
      ++it;
    }
  }
  for (const auto& p : wanted) {
    if (visible_.count(p)) continue;
    auto cell = makeCell(p);
    insertSubview(cell, 0);
    cell->layoutIfNeeded();
    visible_[p] = cell;
  }
  placeHeaders();
  if (indexView_) {
    Point o = contentOffset();
    Rect f = indexView_->frame();
    indexView_->setFrame({o.x + bounds().width() - kIndexWidth, o.y + contentInset().top, f.width(), f.height()});
    bringSubviewToFront(indexView_);
  }
}

void TableView::placeHeaders() {
  Rect visible(contentOffset(), bounds().size);
  double pinTop = contentOffset().y + contentInset().top;
  auto place = [&](std::map<int, std::shared_ptr<View>>& views, bool header) {
    for (auto& [s, view] : views) {
      if (s >= numberOfSections()) continue;
      Rect r = header ? rectForHeaderInSection(s) : rectForFooterInSection(s);
      if (header && style_ == TableViewStyle::Plain) {
        // Pinned to the top while its section is in view.
        Rect section = rectForSection(s);
        double y = std::min(std::max(r.y(), pinTop), section.maxY() - r.height());
        r = Rect(r.x(), std::max(y, r.y()), r.width(), r.height());
      }
      if (r.intersects(visible) && r.height() > 0) {
        view->setFrame(r);
        if (view->superview().get() != this) addSubview(view);
        else bringSubviewToFront(view);
      } else if (view->superview().get() == this) {
        view->removeFromSuperview();
      }
    }
  };
  place(footers_, false);
  place(headers_, true);
}

void TableView::layoutSubviews() {
  ScrollView::layoutSubviews();
  ensureLoaded();
  // A width change reshapes every row.
  for (auto& [p, cell] : visible_) {
    Rect r = rectForRowAtIndexPath(p);
    if (cell->frame() != r) cell->setFrame(r);
  }
  tile();
}

void TableView::contentOffsetDidChange() {
  if (loaded_) tile();
}

// ---- Geometry -------------------------------------------------------------------

bool TableView::hasRow(const IndexPath& p) const {
  return p.section >= 0 && p.section < numberOfSections() && p.row >= 0 && p.row < numberOfRowsInSection(p.section);
}

Rect TableView::rectForSection(int section) const {
  ensureLoaded();
  if (section < 0 || section >= numberOfSections()) return {};
  return {0, sections_[section].top, bounds().width(), sections_[section].height()};
}

Rect TableView::rectForHeaderInSection(int section) const {
  ensureLoaded();
  if (section < 0 || section >= numberOfSections()) return {};
  return {0, sections_[section].top, bounds().width(), sections_[section].headerHeight};
}

Rect TableView::rectForFooterInSection(int section) const {
  ensureLoaded();
  if (section < 0 || section >= numberOfSections()) return {};
  const SectionInfo& s = sections_[section];
  return {0, s.top + s.height() - s.footerHeight, bounds().width(), s.footerHeight};
}

Rect TableView::rectForRowAtIndexPath(const IndexPath& path) const {
  ensureLoaded();
  if (path.section < 0 || path.section >= numberOfSections()) return {};
  const SectionInfo& s = sections_[path.section];
  if (path.row < 0 || path.row >= static_cast<int>(s.rowHeights.size())) return {};
  double y = s.top + s.headerHeight;
  for (int r = 0; r < path.row; ++r) y += s.rowHeights[r];
  return {0, y, bounds().width(), s.rowHeights[path.row]};
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(Point point) const {
  ensureLoaded();
  if (point.x < 0 || point.x >= bounds().width()) return std::nullopt;
  for (int s = 0; s < numberOfSections(); ++s) {
    const SectionInfo& info = sections_[s];
    double y = info.top + info.headerHeight;
    for (int r = 0; r < static_cast<int>(info.rowHeights.size()); ++r) {
      if (point.y >= y && point.y < y + info.rowHeights[r]) return IndexPath{s, r};
      y += info.rowHeights[r];
    }
  }
  return std::nullopt;
}

std::vector<IndexPath> TableView::indexPathsForRowsInRect(const Rect& rect) const {
  ensureLoaded();
  std::vector<IndexPath> out;
  for (int s = 0; s < numberOfSections(); ++s) {
    const SectionInfo& info = sections_[s];
    if (info.top > rect.maxY() || info.top + info.height() <= rect.minY()) continue;
    double y = info.top + info.headerHeight;
    for (int r = 0; r < static_cast<int>(info.rowHeights.size()); ++r) {
      double h = info.rowHeights[r];
      if (y <= rect.maxY() && y + h > rect.minY()) out.push_back({s, r});
      y += h;
    }
  }
  return out;
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell* cell) const {
  for (auto& [p, c] : visible_)
    if (c.get() == cell) return p;
  return std::nullopt;
}

std::shared_ptr<TableViewCell> TableView::cellForRowAtIndexPath(const IndexPath& path) const {
  auto it = visible_.find(path);
  return it == visible_.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<TableViewCell>> TableView::visibleCells() const {
  std::vector<std::shared_ptr<TableViewCell>> out;
  for (auto& [p, c] : visible_) out.push_back(c);
  return out;
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const {
  std::vector<IndexPath> out;
  for (auto& [p, c] : visible_) out.push_back(p);
  return out;
}

std::shared_ptr<View> TableView::headerViewForSection(int section) const {
  auto it = headers_.find(section);
  return it == headers_.end() ? nullptr : it->second;
}

std::shared_ptr<View> TableView::footerViewForSection(int section) const {
  auto it = footers_.find(section);
  return it == footers_.end() ? nullptr : it->second;
}

void TableView::scrollToRowAtIndexPath(const IndexPath& path, TableViewScrollPosition position, bool animated) {
  if (!hasRow(path)) return;
  Rect r = rectForRowAtIndexPath(path);
  double h = bounds().height() - contentInset().top - contentInset().bottom;
  double y;
  switch (position) {
    case TableViewScrollPosition::Top: y = r.y() - contentInset().top; break;
    case TableViewScrollPosition::Middle: y = r.midY() - h / 2 - contentInset().top; break;
    case TableViewScrollPosition::Bottom: y = r.maxY() - h - contentInset().top; break;
    default: scrollRectToVisible(r, animated); return;
  }
  y = std::clamp(y, minimumContentOffset().y, maximumContentOffset().y);
  setContentOffset({contentOffset().x, y}, animated);
}

// ---- Selection ------------------------------------------------------------------

void TableView::selectRowAtIndexPath(const std::optional<IndexPath>& path, bool animated,
                                     TableViewScrollPosition position) {
  if (selected_) {
    if (auto cell = cellForRowAtIndexPath(*selected_)) cell->setSelected(false, animated);
  }
  selected_.reset();
  if (!path || !hasRow(*path)) return;
  selected_ = path;
  if (auto cell = cellForRowAtIndexPath(*path)) cell->setSelected(true, animated);
  if (position != TableViewScrollPosition::None) scrollToRowAtIndexPath(*path, position, animated);
}

void TableView::deselectRowAtIndexPath(const IndexPath& path, bool animated) {
  if (auto cell = cellForRowAtIndexPath(path)) cell->setSelected(false, animated);
  if (selected_ == path) selected_.reset();
}

void TableView::touchesBegan(const TouchSet& touches, const Event&) {
  if (touches.empty()) return;
  if (swiped_) {
    // A touch anywhere while the delete button shows only puts it away.
    hideDeleteConfirmation();
    pressed_.reset();
    return;
  }
  if (!allowsSelection_ || editing_) return;
  pressed_ = indexPathForRowAtPoint(touches.front()->locationInView(this));
  if (pressed_) {
    if (auto cell = cellForRowAtIndexPath(*pressed_)) cell->setHighlighted(true);
  }
}

void TableView::touchesMoved(const TouchSet& touches, const Event&) {
  if (!pressed_ || touches.empty()) return;
  if (indexPathForRowAtPoint(touches.front()->locationInView(this)) != pressed_) {
    if (auto cell = cellForRowAtIndexPath(*pressed_)) cell->setHighlighted(false);
    pressed_.reset();
  }
}

void TableView::touchesEnded(const TouchSet&, const Event&) {
  if (!pressed_) return;
  auto keep = shared_from_this();
  IndexPath path = *pressed_;
  pressed_.reset();
  if (auto cell = cellForRowAtIndexPath(path)) cell->setHighlighted(false);
  auto d = tableDelegate();
  std::optional<IndexPath> target = d ? d->willSelectRowAtIndexPath(*this, path) : std::optional<IndexPath>(path);
  if (!target || !hasRow(*target)) return;
  if (selected_ && selected_ != target) {
    IndexPath old = *selected_;
    std::optional<IndexPath> deselect = d ? d->willDeselectRowAtIndexPath(*this, old) : std::optional<IndexPath>(old);
    if (deselect) {
      deselectRowAtIndexPath(*deselect, false);
      if (d) d->didDeselectRowAtIndexPath(*this, *deselect);
    }
  }
  selectRowAtIndexPath(*target, false, TableViewScrollPosition::None);
  if (d) d->didSelectRowAtIndexPath(*this, *target);
}

void TableView::touchesCancelled(const TouchSet&, const Event&) {
  if (pressed_) {
    if (auto cell = cellForRowAtIndexPath(*pressed_)) cell->setHighlighted(false);
  }
  pressed_.reset();
}

// ---- Swipe-to-delete ----------------------------------------------------------------

bool TableView::gestureRecognizerShouldBegin(GestureRecognizer& recognizer) {
  if (&recognizer == swipe_.get()) return !editing_ && dataSource() != nullptr;
  return ScrollView::gestureRecognizerShouldBegin(recognizer);
}

void TableView::handleSwipe() {
  if (!swipe_ || swipe_->state() != GestureRecognizerState::Ended) return;
  auto path = indexPathForRowAtPoint(swipe_->locationInView(this));
  if (path) showDeleteConfirmation(*path);
}

void TableView::showDeleteConfirmation(const IndexPath& path) {
  auto ds = dataSource();
  auto d = tableDelegate();
  auto cell = cellForRowAtIndexPath(path);
  if (!ds || !cell || !ds->canEditRowAtIndexPath(*this, path)) return;
  if (d && d->editingStyleForRowAtIndexPath(*this, path) != TableViewCellEditingStyle::Delete) return;
  hideDeleteConfirmation();
  if (d) d->willBeginEditingRowAtIndexPath(*this, path);
  std::string title = d ? d->titleForDeleteConfirmationButtonForRowAtIndexPath(*this, path) : std::string();
  if (title.empty()) title = kDefaultDeleteButtonTitle;
  swiped_ = path;
  std::weak_ptr<TableView> weak = std::static_pointer_cast<TableView>(shared_from_this());
  TableViewCell* raw = cell.get();
  cell->showDeleteButton(title, [weak, raw] {
    auto self = weak.lock();
    if (!self) return;
    if (auto p = self->indexPathForCell(raw)) self->commitDelete(*p);
  });
}

void TableView::hideDeleteConfirmation() {
  if (!swiped_) return;
  IndexPath path = *swiped_;
  swiped_.reset();
  if (auto cell = cellForRowAtIndexPath(path)) cell->hideDeleteButton();
  if (auto d = tableDelegate()) d->didEndEditingRowAtIndexPath(*this, path);
}

void TableView::commitDelete(const IndexPath& path) {
  auto keep = shared_from_this();
  hideDeleteConfirmation();
  if (auto ds = dataSource()) ds->commitEditingStyle(*this, TableViewCellEditingStyle::Delete, path);
}

// ---- Updates --------------------------------------------------------------------

void TableView::beginUpdates() {
  ensureLoaded();
  if (updateDepth_++ == 0) pending_ = std::make_unique<Update>();
}

void TableView::endUpdates() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ > 0) return;
  auto update = std::move(pending_);
  if (update && !update->empty()) applyUpdate(*update);
}

#define TABLE_UPDATE(body)          \
  do {                              \
    beginUpdates();                 \
    pending_->animation = animation; \
    body;                           \
    endUpdates();                   \
  } while (0)

void TableView::insertSections(const std::vector<int>& s, TableViewRowAnimation animation) {
  TABLE_UPDATE(pending_->insertedSections.insert(pending_->insertedSections.end(), s.begin(), s.end()));
}
void TableView::deleteSections(const std::vector<int>& s, TableViewRowAnimation animation) {
  TABLE_UPDATE(pending_->deletedSections.insert(pending_->deletedSections.end(), s.begin(), s.end()));
}
void TableView::reloadSections(const std::vector<int>& s, TableViewRowAnimation animation) {
  TABLE_UPDATE(pending_->reloadedSections.insert(pending_->reloadedSections.end(), s.begin(), s.end()));
}
void TableView::insertRowsAtIndexPaths(const std::vector<IndexPath>& p, TableViewRowAnimation animation) {
  TABLE_UPDATE(pending_->insertedRows.insert(pending_->insertedRows.end(), p.begin(), p.end()));
}
void TableView::deleteRowsAtIndexPaths(const std::vector<IndexPath>& p, TableViewRowAnimation animation) {
  TABLE_UPDATE(pending_->deletedRows.insert(pending_->deletedRows.end(), p.begin(), p.end()));
}
void TableView::reloadRowsAtIndexPaths(const std::vector<IndexPath>& p, TableViewRowAnimation animation) {
  TABLE_UPDATE(pending_->reloadedRows.insert(pending_->reloadedRows.end(), p.begin(), p.end()));
}
void TableView::moveSection(int section, int newSection) {
  auto animation = TableViewRowAnimation::Automatic;
  TABLE_UPDATE(pending_->movedSections.push_back({section, newSection}));
}
void TableView::moveRowAtIndexPath(const IndexPath& from, const IndexPath& to) {
  auto animation = TableViewRowAnimation::Automatic;
  TABLE_UPDATE(pending_->movedRows.push_back({from, to}));
}
#undef TABLE_UPDATE

bool TableView::checkUpdate(const Update& u, std::map<IndexPath, IndexPath>& rowMap, std::map<int, int>& sectionMap,
                            std::string& problem) {
  auto ds = dataSource();
  if (!ds) {
    problem = "no data source";
    return false;
  }
  int oldCount = numberOfSections();
  int newCount = std::max(0, ds->numberOfSectionsInTableView(*this));
  std::vector<int> newRows(newCount);
  for (int s = 0; s < newCount; ++s) newRows[s] = std::max(0, ds->numberOfRowsInSection(*this, s));
  auto oldRows = [this](int s) { return static_cast<int>(sections_[s].rowHeights.size()); };

  std::set<int> deleted(u.deletedSections.begin(), u.deletedSections.end());
  std::set<int> reloaded(u.reloadedSections.begin(), u.reloadedSections.end());
  std::set<int> inserted(u.insertedSections.begin(), u.insertedSections.end());
  std::set<int> movedFrom, movedTo;
  for (auto [a, b] : u.movedSections) {
    movedFrom.insert(a);
    movedTo.insert(b);
  }
  for (int s : deleted) if (s < 0 || s >= oldCount) return problem = "deleted section out of range", false;
  for (int s : reloaded) if (s < 0 || s >= oldCount) return problem = "reloaded section out of range", false;
  for (int s : movedFrom) if (s < 0 || s >= oldCount) return problem = "moved section out of range", false;
  for (int s : inserted) if (s < 0 || s >= newCount) return problem = "inserted section out of range", false;
  for (int s : movedTo) if (s < 0 || s >= newCount) return problem = "section moved out of range", false;
  if (oldCount - static_cast<int>(deleted.size()) + static_cast<int>(inserted.size()) != newCount)
    return problem = "section count disagrees with the data source", false;

  // Sections: inserted ones and move targets take their places; the others keep their order.
  std::vector<int> newToOld(newCount, -1);
  std::vector<bool> taken(newCount, false);
  for (int s : inserted) taken[s] = true;
  for (auto [a, b] : u.movedSections) {
    if (taken[b]) return problem = "two sections moved to one place", false;
    taken[b] = true;
    newToOld[b] = a;
  }
  int next = 0;
  for (int s = 0; s < oldCount; ++s) {
    if (deleted.count(s) || movedFrom.count(s)) continue;
    while (next < newCount && taken[next]) ++next;
    if (next >= newCount) return problem = "section count disagrees with the data source", false;
    newToOld[next] = s;
    taken[next] = true;
  }
  for (int ns = 0; ns < newCount; ++ns)
    if (newToOld[ns] >= 0) sectionMap[newToOld[ns]] = ns;

  // Rows of each section that stays.
  std::set<IndexPath> delRows(u.deletedRows.begin(), u.deletedRows.end());
  std::set<IndexPath> relRows(u.reloadedRows.begin(), u.reloadedRows.end());
  std::set<IndexPath> insRows(u.insertedRows.begin(), u.insertedRows.end());
  std::set<IndexPath> moveFromRows, moveToRows;
  for (auto& [a, b] : u.movedRows) {
    moveFromRows.insert(a);
    moveToRows.insert(b);
  }
  auto oldValid = [&](const IndexPath& p) {
    return p.section >= 0 && p.section < oldCount && p.row >= 0 && p.row < oldRows(p.section);
  };
  auto newValid = [&](const IndexPath& p) {
    return p.section >= 0 && p.section < newCount && p.row >= 0 && p.row < newRows[p.section];
  };
  for (auto& p : delRows) if (!oldValid(p)) return problem = "deleted row out of range", false;
  for (auto& p : relRows) if (!oldValid(p)) return problem = "reloaded row out of range", false;
  for (auto& p : moveFromRows) if (!oldValid(p)) return problem = "moved row out of range", false;
  for (auto& p : insRows) if (!newValid(p)) return problem = "inserted row out of range", false;
  for (auto& p : moveToRows) if (!newValid(p)) return problem = "row moved out of range", false;

  for (int ns = 0; ns < newCount; ++ns) {
    int os = newToOld[ns];
    if (os < 0 || reloaded.count(os)) continue;  // a new or reloaded section: every row is new
    std::vector<bool> placed(newRows[ns], false);
    for (auto& p : insRows) if (p.section == ns) placed[p.row] = true;
    for (auto& [a, b] : u.movedRows)
      if (b.section == ns) {
        if (placed[b.row]) return problem = "two rows moved to one place", false;
        placed[b.row] = true;
        rowMap[a] = b;
      }
    int r = 0;
    for (int orow = 0; orow < oldRows(os); ++orow) {
      IndexPath p{os, orow};
      if (delRows.count(p) || moveFromRows.count(p)) continue;
      while (r < newRows[ns] && placed[r]) ++r;
      if (r >= newRows[ns]) return problem = "row count disagrees with the data source", false;
      placed[r] = true;
      if (!relRows.count(p)) rowMap[p] = {ns, r};
      ++r;
    }
    for (bool b : placed)
      if (!b) return problem = "row count disagrees with the data source", false;
  }
  return true;
}

void TableView::applyUpdate(const Update& u) {
  auto keep = shared_from_this();
  std::map<IndexPath, IndexPath> rowMap;
  std::map<int, int> sectionMap;
  std::string problem;
  if (!checkUpdate(u, rowMap, sectionMap, problem)) {
    std::cerr << "TableView: invalid update (" << problem << "); reloading the table instead\n";
    reloadData();
    return;
  }
  hideDeleteConfirmation();
  // Cells of rows that stay follow their rows; the others fade away.
  std::map<IndexPath, std::shared_ptr<TableViewCell>> survivors;
  std::vector<std::shared_ptr<TableViewCell>> leaving;
  for (auto& [p, cell] : visible_) {
    auto it = rowMap.find(p);
    if (it != rowMap.end()) survivors[it->second] = cell;
    else leaving.push_back(cell);
  }
  if (selected_) {
    auto it = rowMap.find(*selected_);
    if (it != rowMap.end()) selected_ = it->second;
    else selected_.reset();
  }
  visible_ = std::move(survivors);
  rebuildGeometry();
  bool animated = u.animation != TableViewRowAnimation::None;
  std::set<IndexPath> before;
  for (auto& [p, c] : visible_) before.insert(p);
  auto moveCells = [this] {
    for (auto& [p, cell] : visible_) cell->setFrame(rectForRowAtIndexPath(p));
  };
  if (animated) View::animate(kUpdateAnimationDuration, moveCells);
  else moveCells();
  for (auto& cell : leaving) {
    if (!animated) {
      enqueue(cell);
      continue;
    }
    std::weak_ptr<TableView> weak = std::static_pointer_cast<TableView>(shared_from_this());
    View::animate(kUpdateAnimationDuration, [cell] { cell->setAlpha(0); }, [weak, cell](bool) {
      cell->setAlpha(1);
      if (auto self = weak.lock()) self->enqueue(cell);
      else cell->removeFromSuperview();
    });
  }
  tile();
  if (animated) {
    for (auto& [p, cell] : visible_) {
      if (before.count(p)) continue;
      cell->setAlpha(0);
      View::animate(kUpdateAnimationDuration, [c = cell] { c->setAlpha(1); });
    }
  }
  updateIndexView();
}

}  // namespace platform
