#pragma once
// A text field that accepts an edit only while the text can still match its
// regular expression ("^\d{11}$" for mobile numbers, "^\d{6}$" for codes): an
// edit whose result could never match, however it goes on, is refused and the
// text stays as it was. Its kind (`currentTpye`) chooses how the placeholder
// is drawn.
//
// Until the platform's text field is in the tree this carries the field's text
// itself; the editing entry point is the platform's should-change question.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Regex.h"
#include "platform/ui/Font.h"
#include "platform/ui/View.h"

namespace platform {

// Where and how the placeholder is drawn.
struct PlaceholderDrawing {
  Rect rect;
  Font font;
  Color color;
};

class PatternTextField : public View {
 public:
  explicit PatternTextField(const Rect& frame = {});
  static std::shared_ptr<PatternTextField> create(const Rect& frame = {}) {
    return std::make_shared<PatternTextField>(frame);
  }
  std::string className() const override { return "PatternTextField"; }

  // An invalid pattern accepts nothing but deletions to empty.
  void setPattern(const std::string& pattern);
  const std::string& pattern() const { return pattern_; }

  const std::string& text() const { return text_; }
  void setText(const std::string& text) { text_ = text; setNeedsDisplay(); }
  const std::string& placeholder() const { return placeholder_; }
  void setPlaceholder(const std::string& text) { placeholder_ = text; setNeedsDisplay(); }

  // The edit replacing `length` UTF-16 units at `location` with `replacement`:
  // applied and true while the new text can still match, else refused.
  bool shouldChangeCharactersInRange(std::size_t location, std::size_t length, const std::string& replacement);
  // Whether a whole text could still become a match.
  bool acceptsText(const std::string& text) const;

  int currentTpye() const { return currentTpye_; }
  void setCurrentTpye(int type) { currentTpye_ = type; setNeedsDisplay(); }
  // The placeholder's drawing now (nothing without a placeholder text): the
  // system version's first character and the night switch are read each time.
  std::optional<PlaceholderDrawing> placeholderDrawing() const;
  // Whether the night look applies (the app's theme installs it; day without one).
  static void setNightModeProvider(std::function<bool()> provider);

  std::string automationText() const override { return text_; }

 private:
  std::string pattern_;
  std::optional<Regex> regex_;
  std::string text_;
  std::string placeholder_;
  int currentTpye_ = 0;
};

}  // namespace platform
