#pragma once
// A set of spinning wheels (components), each a column of rows with a title or
// a view of the delegate's, and one selected row per component shown in the
// middle. Code selects rows without telling the delegate; a finger does tell it:
// a tap on a row above or below the middle turns the wheel to that row, a drag
// turns it by one row per row height, and the delegate hears didSelectRow for
// the row the wheel stops on when that row changed.
//
// A row without a view of the delegate's shows its title in a centred label
// (black in the middle, faded above and below); each row takes its
// component's row height, the selected one centred between two hairlines.
// Only rows whose middles lie inside the wheel are built.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/View.h"

namespace platform {

class PickerView;

class PickerViewDataSource {
 public:
  virtual ~PickerViewDataSource() = default;
  virtual int numberOfComponentsInPickerView(PickerView& pickerView) = 0;
  virtual int numberOfRowsInComponent(PickerView& pickerView, int component) = 0;
};

class PickerViewDelegate {
 public:
  virtual ~PickerViewDelegate() = default;
  // A row's view (it may reuse `reusingView`); null: the row shows its title.
  virtual std::shared_ptr<View> viewForRow(PickerView& pickerView, int row, int component,
                                           const std::shared_ptr<View>& reusingView) {
    (void)pickerView; (void)row; (void)component; (void)reusingView;
    return nullptr;
  }
  virtual std::optional<std::string> titleForRow(PickerView& pickerView, int row, int component) {
    (void)pickerView; (void)row; (void)component;
    return std::nullopt;
  }
  // 0 or less: the default height (kDefaultRowHeight).
  virtual double rowHeightForComponent(PickerView& pickerView, int component) {
    (void)pickerView; (void)component;
    return 0;
  }
  // 0 or less: the components share the width equally.
  virtual double widthForComponent(PickerView& pickerView, int component) {
    (void)pickerView; (void)component;
    return 0;
  }
  virtual void didSelectRow(PickerView& pickerView, int row, int component) {
    (void)pickerView; (void)row; (void)component;
  }
};

class PickerView : public View {
 public:
  static constexpr double kDefaultHeight = 216;
  static constexpr double kDefaultRowHeight = 32;

  explicit PickerView(const Rect& frame = {0, 0, 320, kDefaultHeight});
  static std::shared_ptr<PickerView> create(const Rect& frame = {0, 0, 320, kDefaultHeight}) {
    return std::make_shared<PickerView>(frame);
  }
  std::string className() const override { return "PickerView"; }

  void setDataSource(std::weak_ptr<PickerViewDataSource> dataSource) { dataSource_ = std::move(dataSource); }
  void setDelegate(std::weak_ptr<PickerViewDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<PickerViewDataSource> dataSource() const { return dataSource_.lock(); }
  std::shared_ptr<PickerViewDelegate> delegate() const { return delegate_.lock(); }
  bool showsSelectionIndicator() const { return showsSelectionIndicator_; }
  void setShowsSelectionIndicator(bool on) { showsSelectionIndicator_ = on; }

  // What the last reload learnt from the data source.
  int numberOfComponents() const { return static_cast<int>(rows_.size()); }
  int numberOfRowsInComponent(int component) const;
  Size rowSizeForComponent(int component) const;

  void reloadAllComponents();
  void reloadComponent(int component);
  // Selects a row (clamped to the rows there are), without telling the delegate.
  void selectRow(int row, int component, bool animated);
  // -1 for a component without rows or out of range.
  int selectedRowInComponent(int component) const;
  // The view showing a row now, or null when the row is not on screen.
  std::shared_ptr<View> viewForRow(int row, int component) const;

  // A finger turning a wheel to a row (the driver's and tests' entry): selects
  // it and tells the delegate when the row changed.
  void spinToRow(int row, int component);

  void layoutSubviews() override;
  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;

 private:
  void askRows(int component);
  void rebuildRows(int component);
  int componentAt(double x) const;
  Rect componentRect(int component) const;
  double rowHeight(int component) const;

  std::weak_ptr<PickerViewDataSource> dataSource_;
  std::weak_ptr<PickerViewDelegate> delegate_;
  bool showsSelectionIndicator_ = false;
  bool loaded_ = false;
  std::vector<int> rows_;
  std::vector<int> selected_;
  std::vector<double> heights_;
  std::vector<double> widths_;
  std::vector<std::shared_ptr<View>> columns_;
  std::vector<std::vector<std::pair<int, std::shared_ptr<View>>>> rowViews_;
  // The finger on a wheel: its component and where it went down.
  int touchComponent_ = -1;
  Point touchStart_;
  bool dragged_ = false;
};

}  // namespace platform
