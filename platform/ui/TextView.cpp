#include "platform/ui/TextView.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/TextMetrics.h"

namespace platform {
namespace {
// The text starts this far inside the container on either side.
constexpr double kLineFragmentPadding = 5;
constexpr double kCaretWidth = 2;

std::vector<std::string> wrappedLines(const std::string& text, const Font& font, double width) {
  std::vector<std::string> lines;
  // Each hard line wraps on its own, so an empty line (and a final line break) keeps its place.
  for (const auto& hard : split(text, "\n")) {
    if (hard.empty()) {
      lines.emplace_back();
      continue;
    }
    auto layout = TextMetrics::layoutText(hard, font, width, LineBreakMode::WordWrap);
    if (layout.lines.empty()) lines.emplace_back();
    for (auto& l : layout.lines) lines.push_back(std::move(l));
  }
  return lines;
}
}  // namespace

TextView::TextView(const Rect& frame) : ScrollView(frame) {
  setBackgroundColor(Color::white());
  updateContentSize();
}

TextView::~TextView() = default;

void TextView::setDelegate(std::weak_ptr<TextViewDelegate> delegate) {
  textDelegate_ = delegate;
  ScrollView::setDelegate(std::weak_ptr<ScrollViewDelegate>(delegate));
}

void TextView::setText(const std::string& text) {
  buffer_.setText(text);
  updateContentSize();
  setNeedsDisplay();
}

void TextView::setFont(const Font& font) {
  font_ = font;
  updateContentSize();
  setNeedsDisplay();
}

void TextView::setTextContainerInset(const EdgeInsets& inset) {
  textInset_ = inset;
  updateContentSize();
  setNeedsDisplay();
}

void TextView::setEditable(bool on) {
  editable_ = on;
  if (!on && isFirstResponder()) resignFirstResponder();
}

void TextView::reloadInputViews() {
  if (isFirstResponder()) Keyboard::shared().show(keyboardType(), inputView(), inputAccessoryView());
}

// Layout.

double TextView::textWidth() const {
  return std::max(0.0, bounds().width() - textInset_.left - textInset_.right - 2 * kLineFragmentPadding);
}

std::vector<std::string> TextView::displayedLines() const {
  if (text().empty()) return {};
  return wrappedLines(text(), font_, textWidth());
}

Rect TextView::textRect() const {
  double height = std::ceil(static_cast<double>(displayedLines().size()) * font_.lineHeight());
  return {textInset_.left + kLineFragmentPadding, textInset_.top, textWidth(), height};
}

Rect TextView::caretRect() const {
  // The caret follows the last line of the text before it, wrapped as the whole text is.
  auto before = wrappedLines(utf16SubstringTo(text(), selectedRange().location), font_, textWidth());
  std::size_t line = before.empty() ? 0 : before.size() - 1;
  double x = before.empty() ? 0 : TextMetrics::lineWidth(before.back(), font_);
  Rect area = textRect();
  if (alignment_ != TextAlignment::Left && alignment_ != TextAlignment::Natural) {
    auto lines = displayedLines();
    double full = line < lines.size() ? TextMetrics::lineWidth(lines[line], font_) : 0;
    x += alignment_ == TextAlignment::Center ? (area.width() - full) / 2 : area.width() - full;
  }
  double h = font_.lineHeight();
  return {area.x() + std::min(x, std::max(0.0, area.width() - kCaretWidth)), area.y() + line * h, kCaretWidth, h};
}

void TextView::updateContentSize() {
  Rect r = textRect();
  double height = std::max(r.height(), font_.lineHeight()) + textInset_.top + textInset_.bottom;
  setContentSize({bounds().width(), height});
}

void TextView::layoutSubviews() {
  ScrollView::layoutSubviews();
  updateContentSize();
}

// Editing.

bool TextView::canResignFirstResponder() const {
  if (!editing_) return true;
  auto d = delegate();
  return !d || d->textViewShouldEndEditing(const_cast<TextView&>(*this));
}

bool TextView::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!canBecomeFirstResponder()) return false;
  auto keep = shared_from_this();
  if (auto d = delegate(); d && !d->textViewShouldBeginEditing(*this)) return false;
  return ScrollView::becomeFirstResponder();
}

void TextView::didBecomeFirstResponder() {
  auto keep = shared_from_this();
  editing_ = true;
  buffer_.setSelectedRange({buffer_.length(), 0});
  setNeedsDisplay();
  if (auto d = delegate()) d->textViewDidBeginEditing(*this);
  NotificationCenter::defaultCenter().post(kTextViewTextDidBeginEditingNotification, keep);
}

void TextView::didResignFirstResponder() {
  auto keep = shared_from_this();
  editing_ = false;
  buffer_.unmark();
  setNeedsDisplay();
  if (auto d = delegate()) d->textViewDidEndEditing(*this);
  NotificationCenter::defaultCenter().post(kTextViewTextDidEndEditingNotification, keep);
}

void TextView::setSelectedRange(TextRange range) {
  TextRange before = buffer_.selectedRange();
  buffer_.setSelectedRange(range);
  setNeedsDisplay();
  if (buffer_.selectedRange() != before)
    if (auto d = delegate()) d->textViewDidChangeSelection(*this);
}

void TextView::reportChange() {
  auto keep = shared_from_this();
  updateContentSize();
  setNeedsDisplay();
  // Keep the cursor in sight as the text grows.
  if (bounds().height() > 0) scrollRectToVisible(caretRect(), false);
  if (auto d = delegate()) d->textViewDidChange(*this);
  NotificationCenter::defaultCenter().post(kTextViewTextDidChangeNotification, keep);
}

bool TextView::replaceRange(TextRange range, const std::string& text) {
  auto keep = shared_from_this();
  range = buffer_.clamped(range);
  if (auto d = delegate(); d && !d->shouldChangeTextInRange(*this, range, text)) return false;
  buffer_.replace(range, text);
  reportChange();
  return true;
}

void TextView::insertText(const std::string& text) {
  if (!editing_) return;
  replaceRange(buffer_.rangeForInsert(), text);
}

void TextView::deleteBackward() {
  if (!editing_) return;
  if (auto range = buffer_.rangeForDeleteBackward()) replaceRange(*range, "");
}

void TextView::pressReturn() {
  if (!editing_ || !isReturnKeyEnabled()) return;
  buffer_.unmark();
  insertText("\n");
}

void TextView::setMarkedText(const std::string& marked, TextRange selectedInMarked) {
  if (!editing_) return;
  auto keep = shared_from_this();
  TextRange range = buffer_.rangeForInsert();
  if (auto d = delegate(); d && !d->shouldChangeTextInRange(*this, range, marked)) return;
  buffer_.setMarked(range, marked, selectedInMarked);
  reportChange();
}

void TextView::unmarkText() {
  buffer_.unmark();
  setNeedsDisplay();
}

void TextView::touchesEnded(const TouchSet& touches, const Event& event) {
  auto keep = shared_from_this();
  bool inside = !touches.empty() && bounds().contains(touches.front()->locationInView(this));
  ScrollView::touchesEnded(touches, event);
  if (inside && editable_ && !editing_ && !isDragging()) becomeFirstResponder();
}

}  // namespace platform
