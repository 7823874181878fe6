// HTML pages from the portal (and from anywhere a link leads): the tolerant
// reader takes any bytes.
#include "fuzz/FuzzTargets.h"
#include "platform/ui/HtmlScan.h"

namespace vorn::fuzz {

int fuzzHtml(const std::uint8_t* data, std::size_t size) {
  const std::string_view html(reinterpret_cast<const char*>(data), size);
  const auto page = platform::scanHtml(html);
  require(page.bodyInner.size() <= html.size(), "a body is part of its page");
  (void)platform::decodeHtmlEntities(html);
  return 0;
}

}  // namespace vorn::fuzz

VORN_FUZZ_ENTRY(vorn::fuzz::fuzzHtml)
