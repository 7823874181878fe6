#include "platform/ui/LinkLabel.h"

#include "platform/foundation/Text.h"
#include "platform/ui/TextMetrics.h"

namespace platform {

LinkLabel::LinkLabel(const Rect& frame) : View(frame) { setBackgroundColor(Color::clear()); }

void LinkLabel::setText(const std::string& text) {
  text_ = text;
  links_.clear();
  setNeedsDisplay();
}

bool LinkLabel::addLinkToURL(const std::string& url, std::size_t location, std::size_t length) {
  std::size_t total = utf16Length(text_);
  if (length == 0 || location > total || length > total - location) return false;
  links_.push_back({location, length, url});
  setNeedsDisplay();
  return true;
}

std::string LinkLabel::linkText(const TextLink& link) const { return utf16Substring(text_, link.location, link.length); }

bool LinkLabel::tapLinkWithText(const std::string& text) {
  for (const auto& link : links_) {
    if (linkText(link) != text) continue;
    auto keep = shared_from_this();
    std::string url = link.url;  // the delegate may change the text
    if (auto d = delegate_.lock()) d->didSelectLinkWithURL(*this, url);
    return true;
  }
  return false;
}

Size LinkLabel::sizeThatFits(Size size) const {
  return TextMetrics::layoutText(text_, font_, size.width, LineBreakMode::WordWrap).size;
}

}  // namespace platform
