#pragma once
// The editable text behind text fields and text views: the text, the selected
// range (the cursor when empty) and the marked range of an input method's
// composition, all counted in UTF-16 units as the platform counts them. It
// works out which range an editing key replaces; the views ask their delegates
// about that edit before they apply it.
#include <cstddef>
#include <optional>
#include <string>

namespace platform {

struct TextRange {
  std::size_t location = 0;
  std::size_t length = 0;
  std::size_t end() const { return location + length; }
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

class TextBuffer {
 public:
  const std::string& text() const { return text_; }
  std::size_t length() const { return length_; }
  // Replaces the whole text; the cursor goes to its end, composition ends.
  void setText(const std::string& text);

  TextRange selectedRange() const { return selected_; }
  // Clamped to the text; never splits a character outside the basic plane.
  void setSelectedRange(TextRange range);
  std::optional<TextRange> markedRange() const { return marked_; }

  // The range a typed text replaces: the composition, else the selection.
  TextRange rangeForInsert() const;
  // The range the delete key removes: the composition, else a non-empty
  // selection, else the character before the cursor (both units of a
  // character outside the basic plane). Nothing at the start of the text.
  std::optional<TextRange> rangeForDeleteBackward() const;
  // `range` clamped to the text.
  TextRange clamped(TextRange range) const;
  // The text after replacing `range` with `replacement`.
  std::string textAfterReplacing(TextRange range, const std::string& replacement) const;

  // Applies an edit; the cursor lands after the replacement, composition ends.
  void replace(TextRange range, const std::string& replacement);
  // Applies a composition step: `marked` replaces the current composition (or
  // the selection) and stays marked; `selectedInMarked` is the cursor within it.
  void setMarked(TextRange range, const std::string& marked, TextRange selectedInMarked);
  // Ends the composition, keeping its text.
  void unmark() { marked_.reset(); }

 private:
  std::size_t snapped(std::size_t unit) const;
  std::string text_;
  std::size_t length_ = 0;
  TextRange selected_;
  std::optional<TextRange> marked_;
};

}  // namespace platform
