#pragma once
// A small, tolerant reading of an HTML page: its title, the inside of its body
// and its links with their texts. Broken markup never fails; what cannot be
// read is left out.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct HtmlLink {
  std::string href;  // as written, entities decoded
  std::string text;  // the visible text: tags dropped, entities decoded, spaces collapsed
};

struct HtmlPage {
  std::string title;      // "" without a <title>
  std::string bodyInner;  // between <body ...> and </body>; the whole text after <head> without a body tag
  std::vector<HtmlLink> links;
};

HtmlPage scanHtml(std::string_view html);
// "&amp;" "&lt;" "&gt;" "&quot;" "&apos;" "&#39;" "&nbsp;" and numeric references.
std::string decodeHtmlEntities(std::string_view text);

}  // namespace platform
