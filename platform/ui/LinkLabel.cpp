#include "platform/ui/LinkLabel.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Text.h"
#include "platform/ui/TextMetrics.h"

namespace platform {

namespace {

// Stands for an inline picture in the laid-out text: a CJK mark, so it is one
// em wide and breaks from its neighbours like a CJK character.
constexpr char32_t kPictureStandIn = U'\u3013';

// The laid-out text, and for each of its code points where it starts in the
// label's text (UTF-16 units) and which picture it stands for (-1: none).
struct StandInText {
  std::u32string text;
  std::vector<std::size_t> unit;
  std::vector<int> picture;
};

StandInText standInText(const std::string& text, const std::vector<InlinePicture>& pictures) {
  StandInText out;
  std::u32string source = TextMetrics::decode(text);
  std::size_t unit = 0, next = 0;
  for (std::size_t i = 0; i < source.size();) {
    while (next < pictures.size() && pictures[next].location < unit) ++next;  // overlapping or out of order
    if (next < pictures.size() && pictures[next].location == unit && pictures[next].length > 0) {
      out.text.push_back(kPictureStandIn);
      out.unit.push_back(unit);
      out.picture.push_back(static_cast<int>(next));
      std::size_t end = unit + pictures[next].length;
      while (i < source.size() && unit < end) unit += source[i++] > 0xFFFF ? 2 : 1;
      ++next;
      continue;
    }
    out.text.push_back(source[i]);
    out.unit.push_back(unit);
    out.picture.push_back(-1);
    unit += source[i++] > 0xFFFF ? 2 : 1;
  }
  return out;
}

}  // namespace

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

std::string LinkLabel::layoutText() const { return TextMetrics::encode(standInText(text_, inlinePictures()).text); }

std::vector<LinkLabelFragment> LinkLabel::fragmentsInBounds(const Rect& bounds) const {
  std::vector<LinkLabelFragment> fragments;
  if (text_.empty()) return fragments;
  const auto pictures = inlinePictures();
  const StandInText laid = standInText(text_, pictures);
  const double lineHeight = font_.lineHeight();
  const int fitting =
      lineHeight > 0 ? std::max(1, static_cast<int>(std::floor(bounds.height() / lineHeight + 1e-9))) : 1;
  const TextLayout layout =
      TextMetrics::layoutText(TextMetrics::encode(laid.text), font_, bounds.width(), LineBreakMode::WordWrap, fitting);
  const double top = bounds.midY() - lineHeight * static_cast<double>(layout.lines.size()) / 2;
  auto linked = [&](std::size_t i) {
    for (const auto& link : links_)
      if (laid.unit[i] >= link.location && laid.unit[i] < link.location + link.length) return true;
    return false;
  };
  const double em = inlinePictureSize();
  std::size_t cursor = 0;
  for (std::size_t l = 0; l < layout.lines.size(); ++l) {
    // The lines are the laid-out text's pieces in order, less the spaces and
    // line breaks wrapping drops.
    const std::u32string line = TextMetrics::decode(layout.lines[l]);
    std::size_t start = line.empty() ? std::u32string::npos : laid.text.find(line, cursor);
    if (start == std::u32string::npos) start = cursor;
    cursor = std::min(laid.text.size(), start + line.size());
    double x = bounds.x();
    const double y = top + lineHeight * static_cast<double>(l);
    for (std::size_t i = 0; i < line.size() && start + i < laid.text.size();) {
      const std::size_t at = start + i;
      if (laid.picture[at] >= 0) {
        const double advance = TextMetrics::advance(kPictureStandIn, font_);
        fragments.push_back({"", pictures[static_cast<std::size_t>(laid.picture[at])].name, linked(at), laid.unit[at],
                             Rect(x + (advance - em) / 2, y + (lineHeight - em) / 2, em, em)});
        x += advance;
        ++i;
        continue;
      }
      const bool link = linked(at);
      std::size_t j = i + 1;
      while (j < line.size() && start + j < laid.text.size() && laid.picture[start + j] < 0 &&
             linked(start + j) == link)
        ++j;
      std::string piece = TextMetrics::encode(line.substr(i, j - i));
      const double width = TextMetrics::lineWidth(piece, font_);
      fragments.push_back({std::move(piece), "", link, laid.unit[at], Rect(x, y, width, lineHeight)});
      x += width;
      i = j;
    }
  }
  return fragments;
}

Size LinkLabel::sizeThatFits(Size size) const {
  return TextMetrics::layoutText(layoutText(), font_, size.width, LineBreakMode::WordWrap).size;
}

}  // namespace platform
