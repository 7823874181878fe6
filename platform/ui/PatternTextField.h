#pragma once
// A text field that accepts an edit only while the text can still match its
// regular expression ("^\d{11}$" for mobile numbers, "^\d{6}$" for codes): an
// edit whose result could never match, however it goes on, is refused and the
// text stays as it was; a field without a pattern takes every edit. The field
// decides before its delegate is asked. An accepted edit also sends the
// value-changed actions, after the editing-changed ones. Its kind
// (`currentTpye`) chooses how the placeholder is drawn.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Regex.h"
#include "platform/ui/Font.h"
#include "platform/ui/TextField.h"

namespace platform {

class PatternTextField : public TextField {
 public:
  explicit PatternTextField(const Rect& frame = {});
  static std::shared_ptr<PatternTextField> create(const Rect& frame = {}) {
    return std::make_shared<PatternTextField>(frame);
  }
  std::string className() const override { return "PatternTextField"; }

  // An invalid pattern accepts nothing but deletions to empty; an empty one everything.
  void setPattern(const std::string& pattern);
  const std::string& pattern() const { return pattern_; }

  // The edit replacing `length` UTF-16 units at `location` with `replacement`,
  // as the keyboard makes it: applied and true when the pattern (and then the
  // delegate) takes it, else refused.
  bool shouldChangeCharactersInRange(std::size_t location, std::size_t length, const std::string& replacement);
  // Whether a whole text could still become a match.
  bool acceptsText(const std::string& text) const;

  int currentTpye() const { return currentTpye_; }
  void setCurrentTpye(int type) { currentTpye_ = type; setNeedsDisplay(); }
  // The placeholder's drawing now (nothing without a placeholder text): the
  // system version's first character and the night switch are read each time.
  std::optional<PlaceholderDrawing> placeholderDrawing() const override;
  // Whether the night look applies (the app's theme installs it; day without one).
  static void setNightModeProvider(std::function<bool()> provider);

 protected:
  bool acceptsEdit(TextRange range, const std::string& replacement, const std::string& result) override;
  void textDidChange() override;

 private:
  std::string pattern_;
  std::optional<Regex> regex_;
  int currentTpye_ = 0;
};

}  // namespace platform
