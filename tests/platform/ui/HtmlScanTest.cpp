// The tolerant HTML reading behind the web view's title, body and links.
#include <gtest/gtest.h>

#include "platform/ui/HtmlScan.h"

namespace {

using platform::scanHtml;

TEST(HtmlScanTest, LinksAreFoundInUntidyMarkup) {
  struct Case {
    const char* html;
    const char* href;
    const char* text;
  };
  const Case cases[] = {
      {"<a href=\"/a\">A</a>", "/a", "A"},
      {"<A HREF='/b?x=1&amp;y=2'>  B <i>c</i>\n d </A>", "/b?x=1&y=2", "B c d"},
      {"<a class=x href=/c>C", "/c", "C"},  // unclosed at the end
      {"<a title=\"a > b\" href=\"/d\">D &lt;&#20013;&#x6587;&gt;</a>", "/d", "D <\xE4\xB8\xAD\xE6\x96\x87>"},
      {"<!-- <a href=\"/hidden\">no</a> --><a href=\"/e\">E</a>", "/e", "E"},
      {"<script>var s='<a href=\"/js\">no</a>';</script><a href=\"/f\">F</a>", "/f", "F"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.html);
    auto page = scanHtml(c.html);
    ASSERT_EQ(page.links.size(), 1u);
    EXPECT_EQ(page.links[0].href, c.href);
    EXPECT_EQ(page.links[0].text, c.text);
  }
}

TEST(HtmlScanTest, LinkWithoutEndStopsAtTheNextLinkAndAnchorsWithoutHrefAreSkipped) {
  auto page = scanHtml("<a name=top>x</a><abbr>no</abbr><a href=1>one<a href=2>two</a>");
  ASSERT_EQ(page.links.size(), 2u);
  EXPECT_EQ(page.links[0].text, "one");
  EXPECT_EQ(page.links[1].href, "2");
}

TEST(HtmlScanTest, TitleAndBody) {
  auto page = scanHtml("<html><head><title> A &amp; B </title></head><body onload='x()'>{\"status\":1}</body></html>");
  EXPECT_EQ(page.title, "A & B");
  EXPECT_EQ(page.bodyInner, "{\"status\":1}");

  // No body tag: what follows the head (or the whole text) is the body.
  EXPECT_EQ(scanHtml("{\"status\":\"0\",\"msg\":\"x\"}").bodyInner, "{\"status\":\"0\",\"msg\":\"x\"}");
  EXPECT_EQ(scanHtml("<html><head></head>text</html>").bodyInner, "text");
  EXPECT_EQ(scanHtml("<title>t").title, "t");
}

TEST(HtmlScanTest, BrokenInputNeverFails) {
  const char* inputs[] = {"", "<", "<a", "<a href=\"", "<body", "<title>", "&#99999999999;", "&#xZZ;", "<<<>>>",
                          "<a href='x'></a"};
  for (const char* input : inputs) {
    SCOPED_TRACE(input);
    auto page = scanHtml(input);
    (void)page;
  }
  EXPECT_EQ(platform::decodeHtmlEntities("&#1114112;&#xZZ;&unknown;&#99999999999;"),
            "\xEF\xBF\xBD&#xZZ;&unknown;&#99999999999;");
}

}  // namespace
