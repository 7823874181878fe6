#include "platform/ui/TextField.h"

#include <algorithm>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/TextMetrics.h"

namespace platform {
namespace {
constexpr double kClearButtonSize = 19;
constexpr double kClearButtonMargin = 6;
constexpr double kCaretWidth = 2;
constexpr char kClearButtonTitle[] = "\xC3\x97";  // "×"
constexpr double kFontShrinkStep = 0.5;

double horizontalPadding(TextBorderStyle style) {
  switch (style) {
    case TextBorderStyle::RoundedRect: return 7;
    case TextBorderStyle::Line:
    case TextBorderStyle::Bezel: return 2;
    case TextBorderStyle::None: break;
  }
  return 0;
}
}  // namespace

TextField::TextField(const Rect& frame) : Control(frame) {
  setOpaque(false);
  setContentVerticalAlignment(ControlContentVerticalAlignment::Center);
}

TextField::~TextField() = default;

void TextField::setText(const std::string& text) {
  buffer_.setText(text);
  setNeedsLayout();
  setNeedsDisplay();
}

void TextField::setPlaceholder(const std::string& placeholder) {
  placeholder_ = placeholder;
  setNeedsDisplay();
}

void TextField::setBorderStyle(TextBorderStyle style) {
  borderStyle_ = style;
  if (style == TextBorderStyle::RoundedRect) {
    layer().cornerRadius = 5;
    layer().borderWidth = 0.5;
    layer().borderColor = Color::rgb255(204, 204, 204);
    if (backgroundColor().alpha == 0) setBackgroundColor(Color::white());
  } else if (style == TextBorderStyle::Line || style == TextBorderStyle::Bezel) {
    layer().cornerRadius = 0;
    layer().borderWidth = 1;
    layer().borderColor = Color::black();
  } else {
    layer().cornerRadius = 0;
    layer().borderWidth = 0;
  }
  setNeedsLayout();
  setNeedsDisplay();
}

void TextField::reloadInputViews() {
  if (isFirstResponder()) Keyboard::shared().show(keyboardType(), inputView(), inputAccessoryView());
}

// Geometry.

Rect TextField::textRectForBounds(const Rect& bounds) const {
  double pad = horizontalPadding(borderStyle_);
  Rect r{bounds.x() + pad, bounds.y(), std::max(0.0, bounds.width() - 2 * pad), bounds.height()};
  if (clearButtonShown()) {
    double cut = bounds.maxX() - clearButtonRectForBounds(bounds).x();
    r.size.width = std::max(0.0, bounds.maxX() - cut - r.x());
  }
  return r;
}

Rect TextField::editingRectForBounds(const Rect& bounds) const { return textRectForBounds(bounds); }

Rect TextField::placeholderRectForBounds(const Rect& bounds) const { return textRectForBounds(bounds); }

Rect TextField::clearButtonRectForBounds(const Rect& bounds) const {
  return {bounds.maxX() - kClearButtonMargin - kClearButtonSize, bounds.y() + (bounds.height() - kClearButtonSize) / 2,
          kClearButtonSize, kClearButtonSize};
}

std::optional<PlaceholderDrawing> TextField::placeholderDrawing() const {
  if (placeholder_.empty()) return std::nullopt;
  return PlaceholderDrawing{placeholderRectForBounds(bounds()), font_, placeholderColor_};
}

bool TextField::showsPlaceholder() const { return !placeholder_.empty() && text().empty(); }

std::string TextField::displayedText() const {
  if (!secure_) return text();
  std::string out;
  for (std::size_t i = 0, n = TextMetrics::decode(text()).size(); i < n; ++i) out += kSecureTextBullet;
  return out;
}

Font TextField::displayedFont() const {
  if (!adjustsFontSize_ || minimumFontSize_ <= 0 || minimumFontSize_ >= font_.pointSize) return font_;
  double width = textRectForBounds(bounds()).width();
  std::string shown = displayedText();
  for (double size = font_.pointSize; size > minimumFontSize_; size -= kFontShrinkStep) {
    Font f = font_.withSize(size);
    if (TextMetrics::lineWidth(shown, f) <= width) return f;
  }
  return font_.withSize(minimumFontSize_);
}

Rect TextField::caretRect() const {
  Rect area = editing_ ? editingRectForBounds(bounds()) : textRectForBounds(bounds());
  Font f = displayedFont();
  std::string shown = displayedText();
  double full = TextMetrics::lineWidth(shown, f);
  // The caret's offset counts characters, which a secure field shows one bullet each.
  std::string before = utf16SubstringTo(text(), selectedRange().location);
  if (secure_) {
    std::string bullets;
    for (std::size_t i = 0, n = TextMetrics::decode(before).size(); i < n; ++i) bullets += kSecureTextBullet;
    before = bullets;
  }
  double x = area.x();
  if (alignment_ == TextAlignment::Center) x += (area.width() - full) / 2;
  else if (alignment_ == TextAlignment::Right) x += area.width() - full;
  x += TextMetrics::lineWidth(before, f);
  double h = f.lineHeight();
  return {std::min(x, area.maxX() - kCaretWidth), area.y() + (area.height() - h) / 2, kCaretWidth, h};
}

bool TextField::clearButtonShown() const {
  if (text().empty()) return false;
  switch (clearButtonMode_) {
    case TextFieldViewMode::Never: return false;
    case TextFieldViewMode::WhileEditing: return editing_;
    case TextFieldViewMode::UnlessEditing: return !editing_;
    case TextFieldViewMode::Always: return true;
  }
  return false;
}

void TextField::layoutSubviews() {
  Control::layoutSubviews();
  bool shown = clearButtonShown();
  if (shown && !clearButton_) {
    clearButton_ = std::make_shared<Button>();
    clearButton_->setTitle(kClearButtonTitle, ControlState::Normal);
    clearButton_->setTitleColor(Color::rgb255(142, 142, 147), ControlState::Normal);
    auto weak = weakSelf(this);
    clearButton_->addAction([weak](Control&) {
      if (auto self = weak.lock()) self->clearTapped();
    }, ControlEvent::TouchUpInside);
    addSubview(clearButton_);
  }
  if (clearButton_) {
    clearButton_->setFrame(clearButtonRectForBounds(bounds()));
    clearButton_->setHidden(!shown);
  }
}

// Editing.

bool TextField::canBecomeFirstResponder() const { return isEnabled(); }

bool TextField::canResignFirstResponder() const {
  if (!editing_) return true;
  auto d = delegate();
  return !d || d->textFieldShouldEndEditing(const_cast<TextField&>(*this));
}

bool TextField::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!canBecomeFirstResponder()) return false;
  auto keep = shared_from_this();
  if (auto d = delegate(); d && !d->textFieldShouldBeginEditing(*this)) return false;
  return Control::becomeFirstResponder();
}

void TextField::didBecomeFirstResponder() {
  auto keep = shared_from_this();
  editing_ = true;
  if (clearsOnBeginEditing_) buffer_.setText("");
  buffer_.setSelectedRange({buffer_.length(), 0});
  setNeedsLayout();
  setNeedsDisplay();
  sendActionsForControlEvents(ControlEvent::EditingDidBegin);
  if (auto d = delegate()) d->textFieldDidBeginEditing(*this);
  NotificationCenter::defaultCenter().post(kTextFieldTextDidBeginEditingNotification, keep);
}

void TextField::didResignFirstResponder() {
  auto keep = shared_from_this();
  editing_ = false;
  buffer_.unmark();
  setNeedsLayout();
  setNeedsDisplay();
  sendActionsForControlEvents(ControlEvent::EditingDidEnd);
  if (auto d = delegate()) d->textFieldDidEndEditing(*this);
  NotificationCenter::defaultCenter().post(kTextFieldTextDidEndEditingNotification, keep);
}

bool TextField::askToChange(TextRange range, const std::string& replacement) {
  if (!acceptsEdit(range, replacement, buffer_.textAfterReplacing(range, replacement))) return false;
  if (auto d = delegate(); d && !d->shouldChangeCharactersInRange(*this, range, replacement)) return false;
  return true;
}

void TextField::reportChange() {
  auto keep = shared_from_this();
  setNeedsLayout();
  setNeedsDisplay();
  sendActionsForControlEvents(ControlEvent::EditingChanged);
  textDidChange();
  NotificationCenter::defaultCenter().post(kTextFieldTextDidChangeNotification, keep);
}

bool TextField::replaceRange(TextRange range, const std::string& replacement) {
  range = buffer_.clamped(range);
  if (!askToChange(range, replacement)) return false;
  buffer_.replace(range, replacement);
  reportChange();
  return true;
}

void TextField::insertText(const std::string& text) {
  if (!editing_) return;
  replaceRange(buffer_.rangeForInsert(), text);
}

void TextField::deleteBackward() {
  if (!editing_) return;
  if (auto range = buffer_.rangeForDeleteBackward()) replaceRange(*range, "");
}

void TextField::setMarkedText(const std::string& marked, TextRange selectedInMarked) {
  if (!editing_) return;
  TextRange range = buffer_.rangeForInsert();
  if (!askToChange(range, marked)) return;
  buffer_.setMarked(range, marked, selectedInMarked);
  reportChange();
}

void TextField::unmarkText() {
  buffer_.unmark();
  setNeedsDisplay();
}

void TextField::pressReturn() {
  if (!editing_ || !isReturnKeyEnabled()) return;
  auto keep = shared_from_this();
  buffer_.unmark();
  auto d = delegate();
  if (d && !d->textFieldShouldReturn(*this)) return;
  // A field with actions for the return key's own event gives up the keyboard.
  bool endsOnExit = allControlEvents() & ControlEvent::EditingDidEndOnExit;
  sendActionsForControlEvents(ControlEvent::EditingDidEndOnExit);
  if (endsOnExit) resignFirstResponder();
}

void TextField::clearTapped() {
  auto keep = shared_from_this();
  if (auto d = delegate(); d && !d->textFieldShouldClear(*this)) return;
  if (text().empty()) return;
  // Clearing is not a keyboard edit: the delegate's should-change is not asked.
  buffer_.setText("");
  reportChange();
  if (!editing_) becomeFirstResponder();
}

void TextField::touchesEnded(const TouchSet& touches, const Event& event) {
  auto keep = shared_from_this();
  bool inside = !touches.empty() && bounds().contains(touches.front()->locationInView(this));
  Control::touchesEnded(touches, event);
  if (inside && isEnabled() && !editing_) becomeFirstResponder();
}

}  // namespace platform
