#include "platform/ui/TableViewCell.h"

#include <algorithm>

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace platform {
namespace {
constexpr double kSeparatorHeight = 0.5;
constexpr double kMargin = 15;
const Color kSelectedGray = Color::rgb255(217, 217, 217);
const Color kDetailGray = Color::rgb255(142, 142, 147);
const Color kDeleteRed = Color::rgb255(255, 59, 48);

// The standard accessories are drawn pictures; the view tells which by class.
class StandardAccessory : public View {
 public:
  StandardAccessory(TableViewCellAccessoryType type) : View(Rect(0, 0, 20, 20)), type_(type) {
    setUserInteractionEnabled(false);
  }
  std::string className() const override { return "TableViewCellAccessory"; }
  std::string automationImage() const override {
    switch (type_) {
      case TableViewCellAccessoryType::DisclosureIndicator: return "disclosure-indicator";
      case TableViewCellAccessoryType::DetailDisclosureButton: return "detail-disclosure";
      case TableViewCellAccessoryType::Checkmark: return "checkmark";
      case TableViewCellAccessoryType::DetailButton: return "detail";
      default: return {};
    }
  }
 private:
  TableViewCellAccessoryType type_;
};
}  // namespace

TableViewCell::TableViewCell(TableViewCellStyle style, const std::string& reuseIdentifier)
    : View(Rect(0, 0, 320, 44)), style_(style), reuseIdentifier_(reuseIdentifier) {
  setBackgroundColor(Color::white());
  contentView_ = View::create(Rect(0, 0, 320, 44));
  contentView_->setAutoresizingMask(Autoresizing::FlexibleWidth | Autoresizing::FlexibleHeight);
  textLabel_ = Label::create();
  textLabel_->setFont(Font::systemFont(style == TableViewCellStyle::Subtitle ? 18 : 17));
  contentView_->addSubview(textLabel_);
  if (style != TableViewCellStyle::Default) {
    detailTextLabel_ = Label::create();
    bool subtitle = style == TableViewCellStyle::Subtitle;
    detailTextLabel_->setFont(Font::systemFont(subtitle ? 12 : 17));
    detailTextLabel_->setTextColor(subtitle ? Color::black() : kDetailGray);
    if (style == TableViewCellStyle::Value1) detailTextLabel_->setTextAlignment(TextAlignment::Right);
    contentView_->addSubview(detailTextLabel_);
  }
  imageView_ = ImageView::create();
  separator_ = View::create();
  separator_->setUserInteractionEnabled(false);
  separator_->setBackgroundColor(Color::rgb255(200, 199, 204));
}

void TableViewCell::ensureSubviews() {
  if (built_) return;
  built_ = true;
  contentView_->setFrame(bounds());
  addSubview(contentView_);
  addSubview(separator_);
  updateSelectionLook();
}

void TableViewCell::prepareForReuse() {
  setSelected(false);
  setHighlighted(false);
  hideDeleteButton();
}

void TableViewCell::setAccessoryType(TableViewCellAccessoryType type) {
  accessoryType_ = type;
  if (standardAccessory_) standardAccessory_->removeFromSuperview();
  standardAccessory_.reset();
  if (type != TableViewCellAccessoryType::None) standardAccessory_ = std::make_shared<StandardAccessory>(type);
  setNeedsLayout();
}

void TableViewCell::setAccessoryView(std::shared_ptr<View> view) {
  if (accessoryView_) accessoryView_->removeFromSuperview();
  accessoryView_ = std::move(view);
  setNeedsLayout();
}

void TableViewCell::setBackgroundView(std::shared_ptr<View> view) {
  if (backgroundView_) backgroundView_->removeFromSuperview();
  backgroundView_ = std::move(view);
  setNeedsLayout();
}

void TableViewCell::setSelectedBackgroundView(std::shared_ptr<View> view) {
  if (selectedBackgroundView_) selectedBackgroundView_->removeFromSuperview();
  selectedBackgroundView_ = std::move(view);
  updateSelectionLook();
}

void TableViewCell::setSelected(bool selected, bool) {
  selected_ = selected;
  updateSelectionLook();
}

void TableViewCell::setHighlighted(bool highlighted, bool) {
  highlighted_ = highlighted;
  updateSelectionLook();
}

void TableViewCell::updateSelectionLook() {
  bool lit = (selected_ || highlighted_) && selectionStyle_ != TableViewCellSelectionStyle::None;
  if (lit && !selectedBackgroundView_) {
    selectedBackgroundView_ = View::create();
    selectedBackgroundView_->setBackgroundColor(kSelectedGray);
  }
  textLabel_->setHighlighted(lit);
  if (detailTextLabel_) detailTextLabel_->setHighlighted(lit);
  imageView_->setHighlighted(lit);
  if (!built_) return;
  if (selectedBackgroundView_) {
    if (lit && selectedBackgroundView_->superview().get() != this) {
      selectedBackgroundView_->setFrame(bounds());
      insertSubviewBelow(selectedBackgroundView_, contentView_);
    } else if (!lit && selectedBackgroundView_->superview().get() == this) {
      selectedBackgroundView_->removeFromSuperview();
    }
  }
}

void TableViewCell::setSeparatorShown(bool shown, const Color& color) {
  separator_->setHidden(!shown);
  separator_->setBackgroundColor(color);
}

void TableViewCell::showDeleteButton(const std::string& title, std::function<void()> onTap) {
  if (!deleteButton_) {
    deleteButton_ = Button::buttonWithType(ButtonType::Custom);
    deleteButton_->setBackgroundColor(kDeleteRed);
    deleteButton_->addAction([onTap](Control&) { if (onTap) onTap(); }, ControlEvent::TouchUpInside);
  }
  deleteButton_->setTitle(title, ControlState::Normal);
  addSubview(deleteButton_);
  setNeedsLayout();
  layoutIfNeeded();
}

void TableViewCell::hideDeleteButton() {
  if (!deleteButton_) return;
  deleteButton_->removeFromSuperview();
  deleteButton_.reset();
  setNeedsLayout();
  layoutIfNeeded();
}

void TableViewCell::layoutSubviews() {
  ensureSubviews();
  View::layoutSubviews();
  Rect b = bounds();
  if (backgroundView_) {
    if (backgroundView_->superview().get() != this) insertSubview(backgroundView_, 0);
    backgroundView_->setFrame(b);
  }
  if (selectedBackgroundView_ && selectedBackgroundView_->superview().get() == this)
    selectedBackgroundView_->setFrame(b);

  double contentWidth = b.width();
  double shift = 0;
  if (deleteButton_) {
    // The content slides left to make room for the delete button.
    shift = -kDeleteButtonWidth;
    deleteButton_->setFrame({b.width() - kDeleteButtonWidth, 0, kDeleteButtonWidth, b.height() - kSeparatorHeight});
  }
  std::shared_ptr<View> accessory = accessoryView_ ? accessoryView_ : standardAccessory_;
  if (accessory) {
    if (accessory->superview().get() != this) addSubview(accessory);
    Size s = accessory->frame().size;
    accessory->setFrame({b.width() - kMargin - s.width + shift, (b.height() - s.height) / 2, s.width, s.height});
    contentWidth = accessory->frame().x() - shift;
  }
  contentView_->setFrame({shift, 0, contentWidth, b.height() - kSeparatorHeight});

  separator_->setFrame({separatorInset_.left, b.height() - kSeparatorHeight,
                        b.width() - separatorInset_.left - separatorInset_.right, kSeparatorHeight});
  bringSubviewToFront(separator_);

  // The style's layout inside the content view.
  Rect c = contentView_->bounds();
  double x = kMargin;
  if (imageView_->image()) {
    if (imageView_->superview() != contentView_) contentView_->addSubview(imageView_);
    Size s = imageSizeOf(imageView_->image().get());
    imageView_->setFrame({kMargin, (c.height() - s.height) / 2, s.width, s.height});
    x = imageView_->frame().maxX() + kMargin;
  } else if (imageView_->superview() == contentView_) {
    imageView_->removeFromSuperview();
  }
  double width = std::max(0.0, c.width() - x - kMargin);
  Size title = TextMetrics::sizeOfText(textLabel_->text(), textLabel_->font());
  switch (style_) {
    case TableViewCellStyle::Default:
      textLabel_->setFrame({x, 0, width, c.height()});
      break;
    case TableViewCellStyle::Subtitle: {
      Size detail = TextMetrics::sizeOfText(detailTextLabel_->text(), detailTextLabel_->font());
      double top = (c.height() - title.height - detail.height) / 2;
      textLabel_->setFrame({x, top, width, title.height});
      detailTextLabel_->setFrame({x, top + title.height, width, detail.height});
      break;
    }
    case TableViewCellStyle::Value1:
    case TableViewCellStyle::Value2: {
      double titleWidth = std::min(title.width, width);
      textLabel_->setFrame({x, 0, titleWidth, c.height()});
      double dx = x + titleWidth + kMargin / 2;
      detailTextLabel_->setFrame({dx, 0, std::max(0.0, c.width() - kMargin - dx), c.height()});
      break;
    }
  }
}

}  // namespace platform
