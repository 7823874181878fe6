#pragma once
// A view that shows a text: font, colour, alignment, number of lines, line
// break mode, and shrinking to fit its width down to a minimum font size. It
// measures with the deterministic text metrics, so its lines and its fitted
// size are the same on every machine and in the renderer.
#include <string>

#include "platform/ui/Font.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/View.h"

namespace platform {

enum class TextAlignment { Left = 0, Center = 1, Right = 2, Justified = 3, Natural = 4 };

class Label : public View {
 public:
  explicit Label(const Rect& frame = {});
  static std::shared_ptr<Label> create(const Rect& frame = {}) { return std::make_shared<Label>(frame); }
  std::string className() const override { return "Label"; }

  const std::string& text() const { return text_; }
  void setText(const std::string& text);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color);
  const Color& highlightedTextColor() const { return highlightedTextColor_; }
  void setHighlightedTextColor(const Color& color) { highlightedTextColor_ = color; }
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool on) { highlighted_ = on; setNeedsDisplay(); }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool on) { enabled_ = on; setNeedsDisplay(); }
  const Color& shadowColor() const { return shadowColor_; }
  void setShadowColor(const Color& color) { shadowColor_ = color; }
  Size shadowOffset() const { return shadowOffset_; }
  void setShadowOffset(Size offset) { shadowOffset_ = offset; }
  TextAlignment textAlignment() const { return alignment_; }
  void setTextAlignment(TextAlignment alignment) { alignment_ = alignment; setNeedsDisplay(); }
  // 0: as many lines as the height allows.
  int numberOfLines() const { return numberOfLines_; }
  void setNumberOfLines(int lines);
  LineBreakMode lineBreakMode() const { return lineBreakMode_; }
  void setLineBreakMode(LineBreakMode mode);
  // One-line labels only: the font shrinks (down to the minimum) until the text fits the width.
  bool adjustsFontSizeToFitWidth() const { return adjustsFontSize_; }
  void setAdjustsFontSizeToFitWidth(bool on);
  double minimumFontSize() const { return minimumFontSize_; }
  void setMinimumFontSize(double size);
  double minimumScaleFactor() const { return minimumScaleFactor_; }
  void setMinimumScaleFactor(double factor);
  double preferredMaxLayoutWidth() const { return preferredMaxLayoutWidth_; }
  void setPreferredMaxLayoutWidth(double width) { preferredMaxLayoutWidth_ = width; }

  // What is drawn now: the font after shrinking, the lines after wrapping and
  // truncation, and where the text block sits in the bounds (vertically centred).
  Font displayedFont() const;
  std::vector<std::string> displayedLines() const;
  Rect textRectForBounds(const Rect& bounds, int numberOfLines) const;

  // The text's size: on one line for one-line labels, wrapped within the
  // given width otherwise.
  Size sizeThatFits(Size size) const override;
  Size intrinsicContentSize() const;

  std::string automationText() const override { return text_; }

 private:
  int maxLines() const;
  std::string text_;
  Font font_ = Font::systemFont(17);
  Color textColor_ = Color::black();
  Color highlightedTextColor_;
  bool highlighted_ = false;
  bool enabled_ = true;
  Color shadowColor_;
  Size shadowOffset_{0, -1};
  TextAlignment alignment_ = TextAlignment::Left;
  int numberOfLines_ = 1;
  LineBreakMode lineBreakMode_ = LineBreakMode::TruncateTail;
  bool adjustsFontSize_ = false;
  double minimumFontSize_ = 0;
  double minimumScaleFactor_ = 0;
  double preferredMaxLayoutWidth_ = 0;
};

}  // namespace platform
