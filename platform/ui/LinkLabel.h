#pragma once
// A label of one text with tappable links: each link covers a range of the
// text (UTF-16 units) and carries an address; a tap on a link tells the
// delegate. The base of EmojiLabel.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/View.h"

namespace platform {

class LinkLabel;

class LinkLabelDelegate {
 public:
  virtual ~LinkLabelDelegate() = default;
  virtual void didSelectLinkWithURL(LinkLabel& label, const std::string& url) { (void)label; (void)url; }
};

struct TextLink {
  std::size_t location = 0;  // UTF-16 units
  std::size_t length = 0;
  std::string url;
};

// A picture shown inline in place of a range of the text (UTF-16 units).
struct InlinePicture {
  std::size_t location = 0;
  std::size_t length = 0;
  std::string name;  // the picture resource
};

// One piece of a laid-out label: a stretch of text of one style on one line,
// or one inline picture. `location` is where it starts in the text (UTF-16 units).
struct LinkLabelFragment {
  std::string text;         // the text drawn; empty for a picture
  std::string pictureName;  // the picture drawn; empty for text
  bool link = false;
  std::size_t location = 0;
  Rect frame;  // text: its line box piece; picture: the square it is drawn in
};

class LinkLabel : public View {
 public:
  explicit LinkLabel(const Rect& frame = {});
  static std::shared_ptr<LinkLabel> create(const Rect& frame = {}) { return std::make_shared<LinkLabel>(frame); }
  std::string className() const override { return "LinkLabel"; }

  const std::string& text() const { return text_; }
  // Replaces the text and forgets the links.
  virtual void setText(const std::string& text);
  const Font& font() const { return font_; }
  void setFont(const Font& font) { font_ = font; setNeedsDisplay(); }
  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color) { textColor_ = color; setNeedsDisplay(); }
  const Color& linkColor() const { return linkColor_; }
  void setLinkColor(const Color& color) { linkColor_ = color; setNeedsDisplay(); }

  // Adds a link over a range of the text; a range outside the text is ignored.
  bool addLinkToURL(const std::string& url, std::size_t location, std::size_t length);
  const std::vector<TextLink>& links() const { return links_; }
  // The text a link covers.
  std::string linkText(const TextLink& link) const;

  void setDelegate(std::weak_ptr<LinkLabelDelegate> delegate) { delegate_ = std::move(delegate); }
  // A finger on the first link whose text is `text`; false when there is none.
  bool tapLinkWithText(const std::string& text);

  // An inline picture is one square, as wide and tall as the font's em (the
  // advance of a CJK character), centred in its line box; it wraps whole.
  double inlinePictureSize() const { return font_.pointSize; }
  // The text as it is laid out: each inline picture stands as one character
  // as wide as a picture.
  std::string layoutText() const;
  // The text wrapped by words within `bounds` (the lines that fit its height,
  // at least one, centred vertically), cut into fragments.
  std::vector<LinkLabelFragment> fragmentsInBounds(const Rect& bounds) const;

  Size sizeThatFits(Size size) const override;
  std::string automationText() const override { return text_; }

 protected:
  void clearLinks() { links_.clear(); }
  // The pictures shown in place of parts of the text, in text order and not
  // overlapping (none in a plain link label).
  virtual std::vector<InlinePicture> inlinePictures() const { return {}; }

 private:
  std::string text_;
  Font font_ = Font::systemFont(15);
  Color textColor_ = Color::black();
  Color linkColor_ = Color::rgb255(0, 122, 255);
  std::vector<TextLink> links_;
  std::weak_ptr<LinkLabelDelegate> delegate_;
};

}  // namespace platform
