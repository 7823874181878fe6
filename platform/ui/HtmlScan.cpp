#include "platform/ui/HtmlScan.h"

#include "platform/foundation/Text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>

namespace platform {

namespace {

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }


// Text with tags dropped, entities decoded and runs of white space made one space.
std::string visibleText(std::string_view inner) {
  std::string plain;
  bool inTag = false;
  for (char c : inner) {
    if (c == '<') inTag = true;
    else if (c == '>' && inTag) inTag = false;
    else if (!inTag) plain += c;
  }
  std::string decoded = decodeHtmlEntities(plain);
  std::string out;
  bool space = false;
  for (char c : decoded) {
    if (isSpace(c)) {
      space = !out.empty();
    } else {
      if (space) out += ' ';
      space = false;
      out += c;
    }
  }
  return out;
}

// The end of a tag that starts at `open` ('<'), quotes respected; npos when unclosed.
std::size_t tagEnd(std::string_view html, std::size_t open) {
  char quote = 0;
  for (std::size_t i = open + 1; i < html.size(); ++i) {
    char c = html[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i;
    }
  }
  return std::string_view::npos;
}

// The value of attribute `name` inside a tag's text (between the tag name and '>').
std::optional<std::string> attribute(std::string_view tag, std::string_view name) {
  std::size_t i = 0;
  while (i < tag.size()) {
    while (i < tag.size() && (isSpace(tag[i]) || tag[i] == '/')) ++i;
    std::size_t nameStart = i;
    while (i < tag.size() && !isSpace(tag[i]) && tag[i] != '=' && tag[i] != '/') ++i;
    std::string attr = lowerAscii(tag.substr(nameStart, i - nameStart));
    while (i < tag.size() && isSpace(tag[i])) ++i;
    std::string value;
    if (i < tag.size() && tag[i] == '=') {
      ++i;
      while (i < tag.size() && isSpace(tag[i])) ++i;
      if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
        char q = tag[i++];
        std::size_t end = tag.find(q, i);
        if (end == std::string_view::npos) end = tag.size();
        value = std::string(tag.substr(i, end - i));
        i = end + 1;
      } else {
        std::size_t start = i;
        while (i < tag.size() && !isSpace(tag[i])) ++i;
        value = std::string(tag.substr(start, i - start));
      }
    }
    if (attr == name) return decodeHtmlEntities(value);
    if (attr.empty() && i == nameStart) ++i;  // a stray character: step over it
  }
  return std::nullopt;
}

bool tagNamed(const std::string& lower, std::size_t open, std::string_view name) {
  if (lower.compare(open + 1, name.size(), name) != 0) return false;
  std::size_t after = open + 1 + name.size();
  return after >= lower.size() || isSpace(lower[after]) || lower[after] == '>' || lower[after] == '/';
}

}  // namespace

std::string decodeHtmlEntities(std::string_view text) {
  static const std::pair<std::string_view, std::string_view> kNamed[] = {
      {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '&') {
      out += text[i++];
      continue;
    }
    std::size_t semi = text.find(';', i);
    if (semi == std::string_view::npos || semi - i > 10) {
      out += text[i++];
      continue;
    }
    std::string_view name = text.substr(i + 1, semi - i - 1);
    bool done = false;
    if (name.size() > 1 && name[0] == '#') {
      bool hex = name[1] == 'x' || name[1] == 'X';
      std::string_view digits = name.substr(hex ? 2 : 1);
      std::uint32_t cp = 0;
      bool ok = !digits.empty();
      for (char c : digits) {
        int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                : hex && std::isxdigit(static_cast<unsigned char>(c))
                    ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                    : -1;
        if (d < 0) { ok = false; break; }
        cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        if (cp > 0x10FFFF) cp = 0x110000;  // stays out of range without overflowing
      }
      if (ok) {
        platform::appendUtf8(out, cp == 0 ? 0xFFFD : static_cast<char32_t>(cp));
        done = true;
      }
    } else {
      for (const auto& [n, v] : kNamed) {
        if (name == n) {
          out += v;
          done = true;
          break;
        }
      }
    }
    if (done) {
      i = semi + 1;
    } else {
      out += text[i++];
    }
  }
  return out;
}

HtmlPage scanHtml(std::string_view html) {
  HtmlPage page;
  std::string lower = lowerAscii(html);
  constexpr auto npos = std::string::npos;

  std::size_t titleOpen = npos;
  for (std::size_t at = lower.find("<title"); at != npos; at = lower.find("<title", at + 1)) {
    if (tagNamed(lower, at, "title")) { titleOpen = at; break; }
  }
  if (titleOpen != npos) {
    std::size_t end = tagEnd(html, titleOpen);
    if (end != npos) {
      std::size_t close = lower.find("</title", end);
      page.title = visibleText(html.substr(end + 1, (close == npos ? html.size() : close) - end - 1));
    }
  }

  std::size_t bodyOpen = npos;
  for (std::size_t at = lower.find("<body"); at != npos; at = lower.find("<body", at + 1)) {
    if (tagNamed(lower, at, "body")) { bodyOpen = at; break; }
  }
  std::size_t innerStart = 0;
  std::size_t innerEnd = html.size();
  if (bodyOpen != npos) {
    std::size_t end = tagEnd(html, bodyOpen);
    innerStart = end == npos ? html.size() : end + 1;
    std::size_t close = lower.rfind("</body");
    if (close != npos && close >= innerStart) innerEnd = close;
  } else {
    std::size_t headClose = lower.find("</head>");
    if (headClose != npos) {
      innerStart = headClose + 7;
    } else if (std::size_t htmlOpen = lower.find("<html"); htmlOpen != npos && tagNamed(lower, htmlOpen, "html")) {
      std::size_t end = tagEnd(html, htmlOpen);
      innerStart = end == npos ? html.size() : end + 1;
    }
    std::size_t htmlClose = lower.rfind("</html");
    if (htmlClose != npos && htmlClose >= innerStart) innerEnd = htmlClose;
  }
  page.bodyInner = std::string(html.substr(innerStart, innerEnd - innerStart));

  std::size_t i = 0;
  while ((i = lower.find('<', i)) != npos) {
    if (lower.compare(i, 4, "<!--") == 0) {
      std::size_t end = lower.find("-->", i + 4);
      i = end == npos ? lower.size() : end + 3;
      continue;
    }
    if (tagNamed(lower, i, "script") || tagNamed(lower, i, "style")) {
      std::string close = tagNamed(lower, i, "script") ? "</script" : "</style";
      std::size_t end = lower.find(close, i + 1);
      i = end == npos ? lower.size() : end + 1;
      continue;
    }
    std::size_t end = tagEnd(html, i);
    if (end == npos) break;
    if (tagNamed(lower, i, "a")) {
      auto href = attribute(html.substr(i + 2, end - i - 2), "href");
      std::size_t close = lower.find("</a", end);
      std::size_t nextOpen = end + 1;
      for (nextOpen = lower.find("<a", nextOpen); nextOpen != npos && !tagNamed(lower, nextOpen, "a");
           nextOpen = lower.find("<a", nextOpen + 1)) {
      }
      std::size_t textEnd = std::min({close, nextOpen, lower.size()});
      if (href) page.links.push_back({*href, visibleText(html.substr(end + 1, textEnd - end - 1))});
      i = textEnd;
      continue;
    }
    i = end + 1;
  }
  return page;
}

}  // namespace platform
