#include "platform/ui/TextBuffer.h"

#include <algorithm>

#include "platform/foundation/Text.h"

namespace platform {
namespace {
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
}  // namespace

void TextBuffer::setText(const std::string& text) {
  text_ = text;
  length_ = utf16Length(text_);
  selected_ = {length_, 0};
  marked_.reset();
}

std::size_t TextBuffer::snapped(std::size_t unit) const {
  unit = std::min(unit, length_);
  if (unit == 0 || unit == length_) return unit;
  // A unit offset inside a surrogate pair moves to the pair's start.
  auto units = toUtf16(text_);
  if (unit < units.size() && isLowSurrogate(units[unit])) --unit;
  return unit;
}

TextRange TextBuffer::clamped(TextRange range) const {
  std::size_t from = snapped(range.location);
  std::size_t to = snapped(std::min(length_, range.location + std::min(range.length, length_)));
  if (to < from) to = from;
  return {from, to - from};
}

void TextBuffer::setSelectedRange(TextRange range) { selected_ = clamped(range); }

TextRange TextBuffer::rangeForInsert() const { return marked_ ? *marked_ : selected_; }

std::optional<TextRange> TextBuffer::rangeForDeleteBackward() const {
  if (marked_ && marked_->length > 0) return *marked_;
  if (selected_.length > 0) return selected_;
  if (selected_.location == 0) return std::nullopt;
  std::size_t from = snapped(selected_.location - 1);
  return TextRange{from, selected_.location - from};
}

std::string TextBuffer::textAfterReplacing(TextRange range, const std::string& replacement) const {
  range = clamped(range);
  return utf16SubstringTo(text_, range.location) + replacement + utf16SubstringFrom(text_, range.end());
}

void TextBuffer::replace(TextRange range, const std::string& replacement) {
  range = clamped(range);
  text_ = textAfterReplacing(range, replacement);
  length_ = utf16Length(text_);
  selected_ = {range.location + utf16Length(replacement), 0};
  selected_ = clamped(selected_);
  marked_.reset();
}

void TextBuffer::setMarked(TextRange range, const std::string& marked, TextRange selectedInMarked) {
  replace(range, marked);
  range = clamped(range);
  std::size_t markedLength = utf16Length(marked);
  if (markedLength == 0) return;  // an empty composition ends it
  marked_ = TextRange{range.location, markedLength};
  std::size_t at = std::min(selectedInMarked.location, markedLength);
  std::size_t len = std::min(selectedInMarked.length, markedLength - at);
  selected_ = {range.location + at, len};
}

}  // namespace platform
