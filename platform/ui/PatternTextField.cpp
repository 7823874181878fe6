#include "platform/ui/PatternTextField.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Device.h"

namespace platform {

namespace {

std::function<bool()>& nightProvider() {
  static std::function<bool()> provider;
  return provider;
}

constexpr double kPlaceholderWidth = 175;
constexpr double kPlaceholderHeight = 26;
constexpr int kRecipientKind = 2;  // the private-message recipient field
constexpr int kFormKind = 0;       // sign-up and price-inquiry form fields

}  // namespace

PatternTextField::PatternTextField(const Rect& frame) : TextField(frame) {}

void PatternTextField::setPattern(const std::string& pattern) {
  pattern_ = pattern;
  regex_.reset();
  if (!pattern.empty()) regex_ = Regex::make(pattern);
}

bool PatternTextField::acceptsText(const std::string& text) const {
  if (text.empty() || pattern_.empty()) return true;  // clearing the field is always allowed
  return regex_ && regex_->canMatchWithMoreText(text);
}

bool PatternTextField::shouldChangeCharactersInRange(std::size_t location, std::size_t length,
                                                     const std::string& replacement) {
  if (location > utf16Length(text())) return false;
  return replaceRange({location, length}, replacement);
}

bool PatternTextField::acceptsEdit(TextRange, const std::string&, const std::string& result) {
  return acceptsText(result);
}

void PatternTextField::textDidChange() { sendActionsForControlEvents(ControlEvent::ValueChanged); }

void PatternTextField::setNightModeProvider(std::function<bool()> provider) { nightProvider() = std::move(provider); }

std::optional<PlaceholderDrawing> PatternTextField::placeholderDrawing() const {
  if (placeholder().empty()) return std::nullopt;
  const std::string& version = Device::currentDevice().systemVersion();
  bool newer = !version.empty() && (version[0] == '7' || version[0] == '8');
  bool night = nightProvider() && nightProvider()();
  PlaceholderDrawing d;
  double y = 0;
  if (currentTpye_ == kRecipientKind) {
    d.font = Font::systemFont(14);
    y = newer ? 14 : 1;
  } else {
    d.font = Font::systemFont(15);
    y = newer ? 4.5 : 0.5;
  }
  if (currentTpye_ == kFormKind || currentTpye_ == kRecipientKind) {
    d.color = night ? Color::rgb255(110, 119, 130) : Color::rgb255(169, 169, 169);
  } else {
    d.color = night ? Color::rgb255(165, 175, 187) : Color::rgb255(136, 136, 136);
  }
  d.rect = Rect(0, y, kPlaceholderWidth, kPlaceholderHeight);
  return d;
}

}  // namespace platform
