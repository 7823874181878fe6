// Property lists (preferences, caches, drafts as they lie on disk): reading
// never lets libplist abort, and what reads also writes and reads back.
#include "fuzz/FuzzTargets.h"
#include "platform/foundation/Plist.h"

namespace vorn::fuzz {

int fuzzPlist(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto value = platform::parsePlist(bytes);
  if (!value) return 0;
  for (auto format : {platform::PlistFormat::Binary, platform::PlistFormat::Xml}) {
    // Texts and keys holding a NUL cannot be written; all else reads back.
    if (auto written = platform::serializePlist(*value, format)) {
      require(platform::parsePlist(*written).has_value(), "written property list reads back");
    }
  }
  return 0;
}

}  // namespace vorn::fuzz

VORN_FUZZ_ENTRY(vorn::fuzz::fuzzPlist)
