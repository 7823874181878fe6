#pragma once
// A label for a small tag markup: <font color='#RRGGBB' size='N'>…</font>,
// <b>…</b>, <u>…</u> and <a href='…'>…</a>, nested as needed; text outside any
// tag takes the label's font and colour. Unknown tags are dropped, their text
// kept; "&lt;", "&gt;", "&amp;", "&quot;" and "&#39;" are read as characters.
// The label reports its best height for its width, measured with the
// deterministic text metrics.
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/View.h"

namespace platform {

struct RichTextRun {
  std::string text;
  Font font;
  Color color;
  bool underline = false;
  std::string link;  // "" when the run is not a link
};

class TagRichTextLabel : public View {
 public:
  explicit TagRichTextLabel(const Rect& frame = {});
  static std::shared_ptr<TagRichTextLabel> create(const Rect& frame = {}) {
    return std::make_shared<TagRichTextLabel>(frame);
  }
  std::string className() const override { return "TagRichTextLabel"; }

  const std::string& text() const { return markup_; }
  void setText(const std::string& markup);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color);

  // The styled runs of the markup, in order.
  const std::vector<RichTextRun>& runs() const { return runs_; }
  // The text without its tags.
  std::string plainText() const;
  // The height the text needs at the label's width (whole points).
  double optimumHeight() const;
  Size optimumSize() const { return {bounds().width(), optimumHeight()}; }
  Size sizeThatFits(Size size) const override;

  std::string automationText() const override { return plainText(); }

  // Parses markup against a base font and colour.
  static std::vector<RichTextRun> parse(const std::string& markup, const Font& font, const Color& color);

 private:
  void reparse();
  std::string markup_;
  Font font_ = Font::systemFont(14);
  Color textColor_ = Color::black();
  std::vector<RichTextRun> runs_;
};

// "#RRGGBB" or "#RGB" (also without "#"); nullopt-like: `fallback` when unreadable.
Color colorFromHexText(const std::string& text, const Color& fallback);

}  // namespace platform
