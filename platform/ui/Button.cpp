#include "platform/ui/Button.h"

#include <algorithm>

#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace platform {
namespace {
// The system button's dimmed title while highlighted and its grey when disabled.
constexpr double kSystemHighlightedAlpha = 0.2;
const Color kSystemDisabledColor = Color::rgb255(142, 142, 147);

template <class T>
const T* lookup(const std::map<unsigned, T>& values, unsigned state) {
  auto it = values.find(state);
  if (it != values.end()) return &it->second;
  // Selected and highlighted together fall back to selected, then to normal.
  if ((state & ControlState::Selected) && (it = values.find(ControlState::Selected)) != values.end())
    return &it->second;
  it = values.find(ControlState::Normal);
  return it != values.end() ? &it->second : nullptr;
}

// Offsets a laid-out rectangle by its insets as the alignment places it.
Rect shifted(Rect r, const EdgeInsets& e, ControlContentHorizontalAlignment h, ControlContentVerticalAlignment v) {
  double dx = h == ControlContentHorizontalAlignment::Left    ? e.left
              : h == ControlContentHorizontalAlignment::Right ? -e.right
                                                              : (e.left - e.right) / 2;
  double dy = v == ControlContentVerticalAlignment::Top      ? e.top
              : v == ControlContentVerticalAlignment::Bottom ? -e.bottom
                                                             : (e.top - e.bottom) / 2;
  return r.offsetBy(dx, dy);
}
}  // namespace

Button::Button(const Rect& frame, ButtonType type) : Control(frame), type_(type) {
  setOpaque(false);
  titleLabel_ = std::make_shared<Label>();
  titleLabel_->setFont(Font::systemFont(type == ButtonType::Custom ? 18 : 15));
  titleLabel_->setLineBreakMode(LineBreakMode::TruncateMiddle);
  titleLabel_->setTextAlignment(TextAlignment::Left);
  imageView_ = std::make_shared<ImageView>();
  if (type == ButtonType::Custom) {
    titleColors_[ControlState::Normal] = Color::white();
  } else {
    titleColors_[ControlState::Normal] = systemTintColor();
    titleColors_[ControlState::Highlighted] = systemTintColor().withAlpha(kSystemHighlightedAlpha);
    titleColors_[ControlState::Disabled] = kSystemDisabledColor;
  }
}

std::shared_ptr<Button> Button::buttonWithType(ButtonType type) {
  auto button = std::make_shared<Button>(Rect{}, type);
  if (type == ButtonType::DetailDisclosure || type == ButtonType::InfoLight || type == ButtonType::InfoDark ||
      type == ButtonType::ContactAdd)
    button->setFrame({0, 0, 22, 22});
  return button;
}

void Button::setTitle(const std::string& title, unsigned state) {
  titles_[state] = title;
  refresh();
}

void Button::setTitleColor(const Color& color, unsigned state) {
  titleColors_[state] = color;
  refresh();
}

void Button::setTitleShadowColor(const Color& color, unsigned state) {
  shadowColors_[state] = color;
  refresh();
}

void Button::setImage(std::shared_ptr<const Image> image, unsigned state) {
  if (image) images_[state] = std::move(image);
  else images_.erase(state);
  refresh();
}

void Button::setBackgroundImage(std::shared_ptr<const Image> image, unsigned state) {
  if (image) backgrounds_[state] = std::move(image);
  else backgrounds_.erase(state);
  refresh();
}

std::string Button::titleForState(unsigned state) const {
  auto* v = lookup(titles_, state);
  return v ? *v : std::string();
}

Color Button::titleColorForState(unsigned state) const {
  auto* v = lookup(titleColors_, state);
  return v ? *v : Color::white();
}

Color Button::titleShadowColorForState(unsigned state) const {
  auto* v = lookup(shadowColors_, state);
  return v ? *v : Color::clear();
}

std::shared_ptr<const Image> Button::imageForState(unsigned state) const {
  auto* v = lookup(images_, state);
  return v ? *v : nullptr;
}

std::shared_ptr<const Image> Button::backgroundImageForState(unsigned state) const {
  auto* v = lookup(backgrounds_, state);
  return v ? *v : nullptr;
}

void Button::stateDidChange() { refresh(); }

void Button::refresh() {
  titleLabel_->setText(currentTitle());
  titleLabel_->setTextColor(currentTitleColor());
  titleLabel_->setShadowColor(titleShadowColorForState(state()));
  imageView_->setImage(currentImage());
  if (auto background = currentBackgroundImage()) {
    if (!backgroundView_) backgroundView_ = std::make_shared<ImageView>();
    backgroundView_->setImage(background);
  } else if (backgroundView_) {
    backgroundView_->removeFromSuperview();
    backgroundView_.reset();
  }
  // Adding subviews needs this button's shared pointer, which a constructor has not.
  if (!weak_from_this().expired()) {
    if (backgroundView_ && backgroundView_->superview().get() != this) insertSubview(backgroundView_, 0);
    bool hasImage = imageView_->image() != nullptr;
    bool hasTitle = !titleLabel_->text().empty();
    if (hasImage && imageView_->superview().get() != this) addSubview(imageView_);
    if (!hasImage && imageView_->superview().get() == this) imageView_->removeFromSuperview();
    if (hasTitle && titleLabel_->superview().get() != this) addSubview(titleLabel_);
    if (!hasTitle && titleLabel_->superview().get() == this) titleLabel_->removeFromSuperview();
  }
  setNeedsLayout();
  setNeedsDisplay();
}

Size Button::titleSize() const {
  const std::string title = currentTitle();
  if (title.empty()) return {};
  return TextMetrics::sizeOfText(title, titleLabel_->font());
}

Size Button::imageSize() const { return imageSizeOf(currentImage().get()); }

Rect Button::backgroundRectForBounds(const Rect& b) const { return b; }

Rect Button::contentRectForBounds(const Rect& b) const { return insetRect(b, contentEdgeInsets_); }

Rect Button::imageRectForContentRect(const Rect& content) const {
  Size image = imageSize();
  if (image.width == 0 && image.height == 0) return {content.midX(), content.midY(), 0, 0};
  Size title = titleSize();
  double titleWidth = std::min(title.width, std::max(0.0, content.width() - image.width));
  double total = image.width + titleWidth;
  double x, y;
  switch (contentHorizontalAlignment()) {
    case ControlContentHorizontalAlignment::Left: x = content.x(); break;
    case ControlContentHorizontalAlignment::Right: x = content.maxX() - total; break;
    case ControlContentHorizontalAlignment::Fill: x = content.x(); break;
    default: x = content.midX() - total / 2; break;
  }
  switch (contentVerticalAlignment()) {
    case ControlContentVerticalAlignment::Top: y = content.y(); break;
    case ControlContentVerticalAlignment::Bottom: y = content.maxY() - image.height; break;
    default: y = content.midY() - image.height / 2; break;
  }
  Rect r(x, y, image.width, image.height);
  if (contentHorizontalAlignment() == ControlContentHorizontalAlignment::Fill && titleWidth == 0)
    r = Rect(content.x(), r.y(), content.width(), r.height());
  return shifted(r, imageEdgeInsets_, contentHorizontalAlignment(), contentVerticalAlignment());
}

Rect Button::titleRectForContentRect(const Rect& content) const {
  Size title = titleSize();
  if (title.width == 0 && title.height == 0) return {content.midX(), content.midY(), 0, 0};
  Size image = imageSize();
  double available = std::max(0.0, content.width() - image.width - titleEdgeInsets_.left - titleEdgeInsets_.right);
  double width = std::min(title.width, available);
  double height = std::min(title.height, content.height());
  double total = image.width + width;
  double x, y;
  switch (contentHorizontalAlignment()) {
    case ControlContentHorizontalAlignment::Left: x = content.x() + image.width; break;
    case ControlContentHorizontalAlignment::Right: x = content.maxX() - width; break;
    case ControlContentHorizontalAlignment::Fill:
      x = content.x() + image.width;
      width = available;
      break;
    default: x = content.midX() - total / 2 + image.width; break;
  }
  switch (contentVerticalAlignment()) {
    case ControlContentVerticalAlignment::Top: y = content.y(); break;
    case ControlContentVerticalAlignment::Bottom: y = content.maxY() - height; break;
    case ControlContentVerticalAlignment::Fill: y = content.y(); height = content.height(); break;
    default: y = content.midY() - height / 2; break;
  }
  return shifted(Rect(x, y, width, height), titleEdgeInsets_, contentHorizontalAlignment(),
                 contentVerticalAlignment());
}

void Button::layoutSubviews() {
  View::layoutSubviews();
  if (!subviewsAdded_) {
    subviewsAdded_ = true;
    refresh();
  }
  Rect content = contentRectForBounds(bounds());
  if (backgroundView_) backgroundView_->setFrame(backgroundRectForBounds(bounds()));
  imageView_->setFrame(imageRectForContentRect(content));
  titleLabel_->setFrame(titleRectForContentRect(content));
}

Size Button::sizeThatFits(Size) const {
  Size title = titleSize();
  Size image = imageSize();
  Size background = imageSizeOf(currentBackgroundImage().get());
  Size s{image.width + title.width, std::max(image.height, title.height)};
  s.width += contentEdgeInsets_.left + contentEdgeInsets_.right;
  s.height += contentEdgeInsets_.top + contentEdgeInsets_.bottom;
  s.width = std::max(s.width, background.width);
  s.height = std::max(s.height, background.height);
  return s;
}

std::string Button::automationImage() const {
  std::string name = imageNameOf(currentImage().get());
  return name.empty() ? imageNameOf(currentBackgroundImage().get()) : name;
}

}  // namespace platform
