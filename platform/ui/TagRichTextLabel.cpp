#include "platform/ui/TagRichTextLabel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/ui/TextMetrics.h"

namespace platform {

namespace {

struct Style {
  Font font;
  Color color;
  bool underline = false;
  std::string link;
  std::string tag;  // the tag that opened this style
};

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

// The value of attribute `name` in a tag's text (quoted with ' or ", or bare).
std::string attribute(const std::string& tagText, const std::string& name) {
  std::string low = lower(tagText);
  std::size_t at = 0;
  while ((at = low.find(name, at)) != std::string::npos) {
    bool boundary = at == 0 || std::isspace(static_cast<unsigned char>(low[at - 1]));
    std::size_t eq = at + name.size();
    while (eq < low.size() && low[eq] == ' ') ++eq;
    if (!boundary || eq >= low.size() || low[eq] != '=') {
      at += name.size();
      continue;
    }
    std::size_t v = eq + 1;
    while (v < low.size() && low[v] == ' ') ++v;
    if (v >= low.size()) return {};
    char quote = tagText[v];
    if (quote == '\'' || quote == '"') {
      std::size_t end = tagText.find(quote, v + 1);
      return tagText.substr(v + 1, end == std::string::npos ? std::string::npos : end - v - 1);
    }
    std::size_t end = v;
    while (end < tagText.size() && !std::isspace(static_cast<unsigned char>(tagText[end]))) ++end;
    return tagText.substr(v, end - v);
  }
  return {};
}

std::string decodeEntities(const std::string& text) {
  static const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    if (text[i] == '&') {
      for (const auto& [entity, ch] : entities) {
        std::size_t n = std::char_traits<char>::length(entity);
        if (text.compare(i, n, entity) == 0) {
          out += ch;
          i += n;
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

}  // namespace

Color colorFromHexText(const std::string& text, const Color& fallback) {
  std::string hex = text;
  if (!hex.empty() && hex[0] == '#') hex.erase(0, 1);
  if (hex.size() == 3) hex = {hex[0], hex[0], hex[1], hex[1], hex[2], hex[2]};
  if (hex.size() != 6 || !std::all_of(hex.begin(), hex.end(), [](unsigned char c) { return std::isxdigit(c); })) {
    return fallback;
  }
  long value = std::strtol(hex.c_str(), nullptr, 16);
  return Color::rgb255((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::vector<RichTextRun> TagRichTextLabel::parse(const std::string& markup, const Font& font, const Color& color) {
  std::vector<RichTextRun> runs;
  std::vector<Style> stack{{font, color, false, {}, {}}};
  auto emit = [&](const std::string& raw) {
    if (raw.empty()) return;
    const Style& s = stack.back();
    std::string text = decodeEntities(raw);
    if (!runs.empty() && runs.back().font == s.font && runs.back().color == s.color &&
        runs.back().underline == s.underline && runs.back().link == s.link) {
      runs.back().text += text;
    } else {
      runs.push_back({text, s.font, s.color, s.underline, s.link});
    }
  };
  std::size_t i = 0;
  while (i < markup.size()) {
    std::size_t open = markup.find('<', i);
    if (open == std::string::npos) {
      emit(markup.substr(i));
      break;
    }
    std::size_t close = markup.find('>', open);
    if (close == std::string::npos) {  // a stray "<": plain text
      emit(markup.substr(i));
      break;
    }
    emit(markup.substr(i, open - i));
    std::string tagText = markup.substr(open + 1, close - open - 1);
    i = close + 1;
    bool closing = !tagText.empty() && tagText[0] == '/';
    std::string body = closing ? tagText.substr(1) : tagText;
    std::size_t nameEnd = 0;
    while (nameEnd < body.size() && !std::isspace(static_cast<unsigned char>(body[nameEnd])) && body[nameEnd] != '/') {
      ++nameEnd;
    }
    std::string name = lower(body.substr(0, nameEnd));
    if (name != "font" && name != "b" && name != "u" && name != "a") continue;
    if (closing) {
      // Closes the innermost open tag of that name (and anything opened inside it).
      for (std::size_t k = stack.size(); k-- > 1;) {
        if (stack[k].tag == name) {
          stack.resize(k);
          break;
        }
      }
      continue;
    }
    Style s = stack.back();
    s.tag = name;
    if (name == "font") {
      std::string colorText = attribute(body, "color");
      if (!colorText.empty()) s.color = colorFromHexText(colorText, s.color);
      std::string size = attribute(body, "size");
      if (!size.empty()) {
        double points = std::atof(size.c_str());
        if (points > 0 && points < 200) s.font = s.font.withSize(points);
      }
    } else if (name == "b") {
      s.font = s.font.bold ? s.font : Font::boldSystemFont(s.font.pointSize);
    } else if (name == "u") {
      s.underline = true;
    } else if (name == "a") {
      s.link = attribute(body, "href");
      s.underline = true;
    }
    stack.push_back(std::move(s));
  }
  return runs;
}

TagRichTextLabel::TagRichTextLabel(const Rect& frame) : View(frame) { setBackgroundColor(Color::clear()); }

void TagRichTextLabel::setText(const std::string& markup) {
  markup_ = markup;
  reparse();
}

void TagRichTextLabel::setFont(const Font& font) {
  font_ = font;
  reparse();
}

void TagRichTextLabel::setTextColor(const Color& color) {
  textColor_ = color;
  reparse();
}

void TagRichTextLabel::reparse() {
  runs_ = parse(markup_, font_, textColor_);
  setNeedsDisplay();
  setNeedsLayout();
}

std::string TagRichTextLabel::plainText() const {
  std::string out;
  for (const auto& run : runs_) out += run.text;
  return out;
}

double TagRichTextLabel::optimumHeight() const { return sizeThatFits({bounds().width(), 0}).height; }

Size TagRichTextLabel::sizeThatFits(Size size) const {
  // Lines are wrapped by the widest font of the text; every line is as tall as
  // the tallest font used.
  Font widest = font_;
  for (const auto& run : runs_) {
    if (run.font.pointSize > widest.pointSize || (run.font.pointSize == widest.pointSize && run.font.bold)) {
      widest = run.font;
    }
  }
  std::string text = plainText();
  if (text.empty()) return {size.width, 0};
  TextLayout layout = TextMetrics::layoutText(text, widest, size.width, LineBreakMode::WordWrap);
  double height = std::ceil(static_cast<double>(layout.lines.size()) * widest.lineHeight());
  return {size.width > 0 ? size.width : layout.size.width, height};
}

}  // namespace platform
