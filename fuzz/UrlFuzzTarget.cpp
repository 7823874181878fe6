// Addresses: an address is given back exactly as read or refused, and resolving
// against it never fails on what it accepted.
#include "fuzz/FuzzTargets.h"
#include "platform/foundation/Url.h"

namespace vorn::fuzz {

int fuzzUrl(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)platform::parseQueryString(text);
  auto url = platform::parseUrl(text);
  if (!url) return 0;
  require(url->absoluteString() == text, "an address is given back as read");
  (void)url->pathExtension();
  (void)url->lastPathComponent();
  static const auto base = platform::parseUrl("http://127.0.0.1:8080/cms/a/b.php?x=1");
  if (auto resolved = platform::resolveUrl(*base, text)) (void)resolved->absoluteString();
  if (url->isAbsolute() && url->hasAuthority) (void)platform::resolveUrl(*url, "../c?d#e");
  return 0;
}

}  // namespace vorn::fuzz

VORN_FUZZ_ENTRY(vorn::fuzz::fuzzUrl)
