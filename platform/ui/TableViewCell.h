#pragma once
// A row of a table: a content view holding the style's labels and image, an
// accessory at the right, background and selected-background views, selection
// and highlight, a reuse identifier, and the delete button of swipe-to-delete.
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {

class Label;
class ImageView;
class Button;

enum class TableViewCellStyle { Default = 0, Value1 = 1, Value2 = 2, Subtitle = 3 };
enum class TableViewCellAccessoryType { None = 0, DisclosureIndicator = 1, DetailDisclosureButton = 2,
                                        Checkmark = 3, DetailButton = 4 };
enum class TableViewCellSelectionStyle { None = 0, Blue = 1, Gray = 2, Default = 3 };
enum class TableViewCellEditingStyle { None = 0, Delete = 1, Insert = 2 };

class TableViewCell : public View {
 public:
  TableViewCell(TableViewCellStyle style, const std::string& reuseIdentifier);
  static std::shared_ptr<TableViewCell> create(TableViewCellStyle style, const std::string& reuseIdentifier) {
    return std::make_shared<TableViewCell>(style, reuseIdentifier);
  }
  std::string className() const override { return "TableViewCell"; }

  TableViewCellStyle style() const { return style_; }
  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  // Called when the table hands the cell out again from its reuse queue.
  virtual void prepareForReuse();

  std::shared_ptr<View> contentView() const { return contentView_; }
  // The style's views: the title (every style), the detail (value and subtitle
  // styles; null for the default style) and the picture.
  std::shared_ptr<Label> textLabel() const { return textLabel_; }
  std::shared_ptr<Label> detailTextLabel() const { return detailTextLabel_; }
  std::shared_ptr<ImageView> imageView() const { return imageView_; }

  TableViewCellAccessoryType accessoryType() const { return accessoryType_; }
  void setAccessoryType(TableViewCellAccessoryType type);
  std::shared_ptr<View> accessoryView() const { return accessoryView_; }
  void setAccessoryView(std::shared_ptr<View> view);

  std::shared_ptr<View> backgroundView() const { return backgroundView_; }
  void setBackgroundView(std::shared_ptr<View> view);
  // Shown behind the content while the cell is selected or highlighted
  // (unless the selection style is none).
  std::shared_ptr<View> selectedBackgroundView() const { return selectedBackgroundView_; }
  void setSelectedBackgroundView(std::shared_ptr<View> view);
  TableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
  void setSelectionStyle(TableViewCellSelectionStyle style) { selectionStyle_ = style; updateSelectionLook(); }

  bool isSelected() const { return selected_; }
  void setSelected(bool selected, bool animated = false);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted, bool animated = false);

  bool isEditing() const { return editing_; }
  void setEditing(bool editing, bool animated = false) { (void)animated; editing_ = editing; }
  // The delete button shown by a swipe (null while none is shown).
  bool showingDeleteConfirmation() const { return deleteButton_ != nullptr; }
  std::shared_ptr<Button> deleteConfirmationButton() const { return deleteButton_; }

  // The separator line at the bottom of the row (hidden when the table has none).
  std::shared_ptr<View> separatorView() const { return separator_; }
  EdgeInsets separatorInset() const { return separatorInset_; }
  void setSeparatorInset(const EdgeInsets& inset) { separatorInset_ = inset; setNeedsLayout(); }

  void layoutSubviews() override;

  static constexpr double kAccessoryWidth = 33;
  static constexpr double kDeleteButtonWidth = 82;

 private:
  friend class TableView;
  void ensureSubviews();
  void updateSelectionLook();
  void showDeleteButton(const std::string& title, std::function<void()> onTap);
  void hideDeleteButton();
  void setSeparatorShown(bool shown, const Color& color);

  TableViewCellStyle style_;
  std::string reuseIdentifier_;
  std::shared_ptr<View> contentView_;
  std::shared_ptr<Label> textLabel_;
  std::shared_ptr<Label> detailTextLabel_;
  std::shared_ptr<ImageView> imageView_;
  TableViewCellAccessoryType accessoryType_ = TableViewCellAccessoryType::None;
  std::shared_ptr<View> accessoryView_;
  std::shared_ptr<View> standardAccessory_;
  std::shared_ptr<View> backgroundView_;
  std::shared_ptr<View> selectedBackgroundView_;
  std::shared_ptr<View> separator_;
  std::shared_ptr<Button> deleteButton_;
  EdgeInsets separatorInset_{0, 15, 0, 0};
  TableViewCellSelectionStyle selectionStyle_ = TableViewCellSelectionStyle::Default;
  bool selected_ = false;
  bool highlighted_ = false;
  bool editing_ = false;
  bool built_ = false;
};

}  // namespace platform
