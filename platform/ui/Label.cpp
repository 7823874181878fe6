#include "platform/ui/Label.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {
// Shrinking tries sizes in these steps, largest first.
constexpr double kShrinkStep = 0.5;
}  // namespace

Label::Label(const Rect& frame) : View(frame) {
  setUserInteractionEnabled(false);
  setOpaque(false);
}

void Label::setText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  setNeedsDisplay();
}

void Label::setFont(const Font& font) {
  font_ = font;
  setNeedsDisplay();
}

void Label::setTextColor(const Color& color) {
  textColor_ = color;
  setNeedsDisplay();
}

void Label::setNumberOfLines(int lines) {
  numberOfLines_ = std::max(0, lines);
  setNeedsDisplay();
}

void Label::setLineBreakMode(LineBreakMode mode) {
  lineBreakMode_ = mode;
  setNeedsDisplay();
}

void Label::setAdjustsFontSizeToFitWidth(bool on) {
  adjustsFontSize_ = on;
  setNeedsDisplay();
}

void Label::setMinimumFontSize(double size) {
  minimumFontSize_ = std::max(0.0, size);
  setNeedsDisplay();
}

void Label::setMinimumScaleFactor(double factor) {
  minimumScaleFactor_ = std::clamp(factor, 0.0, 1.0);
  setNeedsDisplay();
}

int Label::maxLines() const {
  if (numberOfLines_ > 0) return numberOfLines_;
  double lh = font_.lineHeight();
  if (lh <= 0 || bounds().height() <= 0) return 0;
  return std::max(1, static_cast<int>(std::floor(bounds().height() / lh + 1e-9)));
}

Font Label::displayedFont() const {
  if (!adjustsFontSize_ || numberOfLines_ != 1 || text_.empty()) return font_;
  double width = bounds().width();
  // Without a minimum the label keeps its font.
  double floorSize = std::max(minimumFontSize_, font_.pointSize * minimumScaleFactor_);
  if (floorSize <= 0 || floorSize >= font_.pointSize) return font_;
  for (double size = font_.pointSize; size > floorSize; size -= kShrinkStep) {
    Font f = font_.withSize(size);
    if (TextMetrics::lineWidth(text_, f) <= width) return f;
  }
  return font_.withSize(floorSize);
}

std::vector<std::string> Label::displayedLines() const {
  if (text_.empty()) return {};
  Font f = displayedFont();
  return TextMetrics::layoutText(text_, f, bounds().width(), lineBreakMode_, maxLines()).lines;
}

Rect Label::textRectForBounds(const Rect& b, int lines) const {
  Font f = displayedFont();
  TextLayout layout = TextMetrics::layoutText(text_, f, b.width(), lineBreakMode_, lines);
  double h = std::min(layout.size.height, b.height());
  double w = std::min(layout.size.width, b.width());
  double x = b.x();
  if (alignment_ == TextAlignment::Center) x += (b.width() - w) / 2;
  else if (alignment_ == TextAlignment::Right) x += b.width() - w;
  return {x, b.y() + (b.height() - h) / 2, w, h};
}

Size Label::sizeThatFits(Size size) const {
  if (text_.empty()) return {0, 0};
  if (numberOfLines_ == 1) return TextMetrics::sizeOfText(text_, font_);
  double width = size.width > 0 ? size.width : preferredMaxLayoutWidth_;
  return TextMetrics::layoutText(text_, font_, width, LineBreakMode::WordWrap, numberOfLines_).size;
}

Size Label::intrinsicContentSize() const { return sizeThatFits({preferredMaxLayoutWidth_, 0}); }

}  // namespace platform
