#include "platform/ui/PickerView.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Label.h"

namespace platform {

namespace {
constexpr double kTapSlop = 10;
constexpr double kTitleFontSize = 21;
constexpr double kMinimumFontSize = 12;
constexpr double kIndicatorLine = 0.5;

// The selected row reads black, the rows turned away from the middle fade.
Color titleColor(bool selected) { return selected ? Color::black() : Color::white(0.6); }

// A row's title: a plain label, told apart from the delegate's own views.
class PickerTitleLabel : public Label {
 public:
  using Label::Label;
};

}  // namespace

PickerView::PickerView(const Rect& frame) : View(frame) {
  setBackgroundColor(Color::white());
  setClipsToBounds(true);
}

int PickerView::numberOfRowsInComponent(int component) const {
  if (component < 0 || component >= numberOfComponents()) return 0;
  return rows_[static_cast<std::size_t>(component)];
}

double PickerView::rowHeight(int component) const {
  if (component < 0 || component >= numberOfComponents()) return kDefaultRowHeight;
  return heights_[static_cast<std::size_t>(component)];
}

Rect PickerView::componentRect(int component) const {
  double x = 0;
  for (int c = 0; c < component; ++c) x += widths_[static_cast<std::size_t>(c)];
  return {x, 0, widths_[static_cast<std::size_t>(component)], bounds().height()};
}

Size PickerView::rowSizeForComponent(int component) const {
  if (component < 0 || component >= numberOfComponents()) return {};
  return {widths_[static_cast<std::size_t>(component)], rowHeight(component)};
}

int PickerView::selectedRowInComponent(int component) const {
  if (component < 0 || component >= numberOfComponents()) return -1;
  return selected_[static_cast<std::size_t>(component)];
}

void PickerView::askRows(int component) {
  auto source = dataSource();
  auto d = delegate();
  auto c = static_cast<std::size_t>(component);
  int rows = source ? std::max(0, source->numberOfRowsInComponent(*this, component)) : 0;
  rows_[c] = rows;
  double h = d ? d->rowHeightForComponent(*this, component) : 0;
  heights_[c] = h > 0 ? h : kDefaultRowHeight;
  if (rows == 0) {
    selected_[c] = -1;
  } else {
    selected_[c] = std::clamp(selected_[c], 0, rows - 1);
  }
}

void PickerView::reloadAllComponents() {
  auto source = dataSource();
  int count = source ? std::max(0, source->numberOfComponentsInPickerView(*this)) : 0;
  auto n = static_cast<std::size_t>(count);
  rows_.assign(n, 0);
  selected_.resize(n, 0);
  heights_.assign(n, kDefaultRowHeight);
  widths_.assign(n, 0);
  for (auto& column : columns_) column->removeFromSuperview();
  columns_.clear();
  rowViews_.assign(n, {});
  loaded_ = true;
  auto d = delegate();
  double given = 0;
  int unsized = 0;
  for (int c = 0; c < count; ++c) {
    askRows(c);
    double w = d ? d->widthForComponent(*this, c) : 0;
    widths_[static_cast<std::size_t>(c)] = w;
    if (w > 0) given += w; else ++unsized;
  }
  double share = unsized > 0 ? std::max(0.0, bounds().width() - given) / unsized : 0;
  for (auto& w : widths_) {
    if (w <= 0) w = share;
  }
  for (int c = 0; c < count; ++c) {
    auto column = View::create(componentRect(c));
    column->setBackgroundColor(Color::clear());
    column->setUserInteractionEnabled(false);
    column->setClipsToBounds(true);
    addSubview(column);
    columns_.push_back(column);
    rebuildRows(c);
  }
}

void PickerView::reloadComponent(int component) {
  if (!loaded_) {
    reloadAllComponents();
    return;
  }
  if (component < 0 || component >= numberOfComponents()) return;
  askRows(component);
  rebuildRows(component);
}

void PickerView::rebuildRows(int component) {
  auto c = static_cast<std::size_t>(component);
  auto& column = columns_[c];
  auto old = std::move(rowViews_[c]);
  rowViews_[c].clear();
  for (const auto& sub : std::vector<std::shared_ptr<View>>(column->subviews())) sub->removeFromSuperview();
  column->setFrame(componentRect(component));
  int selected = selected_[c];
  double h = heights_[c];
  double middle = bounds().height() / 2;
  if (selected >= 0) {
    // The rows whose middles lie inside the wheel: what a finger can reach.
    int reach = std::max(0, static_cast<int>(std::floor(middle / h)));
    auto d = delegate();
    // The delegate's own views come back to it for reuse; title labels are ours.
    std::vector<std::shared_ptr<View>> reusable;
    for (auto& [row, view] : old) {
      if (!std::dynamic_pointer_cast<PickerTitleLabel>(view)) reusable.push_back(view);
    }
    std::size_t reuse = 0;
    for (int row = std::max(0, selected - reach); row <= std::min(rows_[c] - 1, selected + reach); ++row) {
      std::shared_ptr<View> reusing = reuse < reusable.size() ? reusable[reuse] : nullptr;
      std::shared_ptr<View> view = d ? d->viewForRow(*this, row, component, reusing) : nullptr;
      if (view && view == reusing) ++reuse;
      if (!view) {
        auto title = d ? d->titleForRow(*this, row, component) : std::nullopt;
        auto label = std::make_shared<PickerTitleLabel>();
        label->setText(title.value_or(""));
        label->setFont(Font::systemFont(kTitleFontSize));
        label->setTextAlignment(TextAlignment::Center);
        label->setAdjustsFontSizeToFitWidth(true);
        label->setMinimumFontSize(kMinimumFontSize);
        label->setBackgroundColor(Color::clear());
        label->setTextColor(titleColor(row == selected));
        view = label;
      }
      view->setFrame(Rect(0, middle - h / 2 + (row - selected) * h, widths_[c], h));
      column->addSubview(view);
      rowViews_[c].emplace_back(row, view);
    }
  }
  // Hairlines above and below the middle row mark the selection.
  for (double y : {middle - h / 2, middle + h / 2 - kIndicatorLine}) {
    auto line = View::create(Rect(0, y, widths_[c], kIndicatorLine));
    line->setBackgroundColor(Color::white(0.8));
    column->addSubview(line);
  }
}

void PickerView::selectRow(int row, int component, bool animated) {
  (void)animated;  // the wheel shows its final place at once
  if (!loaded_) reloadAllComponents();
  if (component < 0 || component >= numberOfComponents()) return;
  int rows = rows_[static_cast<std::size_t>(component)];
  if (rows == 0) return;
  selected_[static_cast<std::size_t>(component)] = std::clamp(row, 0, rows - 1);
  rebuildRows(component);
}

std::shared_ptr<View> PickerView::viewForRow(int row, int component) const {
  if (component < 0 || component >= numberOfComponents()) return nullptr;
  for (const auto& [r, view] : rowViews_[static_cast<std::size_t>(component)]) {
    if (r == row) return view;
  }
  return nullptr;
}

void PickerView::spinToRow(int row, int component) {
  if (!loaded_) reloadAllComponents();
  int before = selectedRowInComponent(component);
  if (before < 0) return;
  selectRow(row, component, true);
  int after = selectedRowInComponent(component);
  if (after != before) {
    auto keep = shared_from_this();
    if (auto d = delegate()) d->didSelectRow(*this, after, component);
  }
}

void PickerView::layoutSubviews() {
  View::layoutSubviews();
  if (!loaded_ && dataSource()) reloadAllComponents();
}

int PickerView::componentAt(double x) const {
  for (int c = 0; c < numberOfComponents(); ++c) {
    Rect r = componentRect(c);
    if (x >= r.minX() && x < r.maxX()) return c;
  }
  return -1;
}

void PickerView::touchesBegan(const TouchSet& touches, const Event&) {
  if (!loaded_) reloadAllComponents();
  if (touches.empty()) return;
  touchStart_ = touches.front()->locationInView(this);
  touchComponent_ = componentAt(touchStart_.x);
  dragged_ = false;
}

void PickerView::touchesMoved(const TouchSet& touches, const Event&) {
  if (touches.empty() || touchComponent_ < 0) return;
  Point p = touches.front()->locationInView(this);
  if (std::fabs(p.y - touchStart_.y) > kTapSlop) dragged_ = true;
}

void PickerView::touchesEnded(const TouchSet& touches, const Event&) {
  int component = touchComponent_;
  touchComponent_ = -1;
  if (touches.empty() || component < 0) return;
  Point p = touches.front()->locationInView(this);
  double h = rowHeight(component);
  int selected = selectedRowInComponent(component);
  if (selected < 0) return;
  int target;
  if (dragged_ || std::fabs(p.y - touchStart_.y) > kTapSlop) {
    // A finger moving up brings later rows to the middle.
    target = selected - static_cast<int>(std::lround((p.y - touchStart_.y) / h));
  } else {
    target = selected + static_cast<int>(std::lround((p.y - bounds().height() / 2) / h));
  }
  spinToRow(target, component);
}

void PickerView::touchesCancelled(const TouchSet&, const Event&) { touchComponent_ = -1; }

}  // namespace platform
