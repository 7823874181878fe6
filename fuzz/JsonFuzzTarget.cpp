// JSON answers: never a crash, never a stack too deep for the code that walks
// them, and whatever reads also writes and reads back.
#include "fuzz/FuzzTargets.h"
#include "platform/foundation/Value.h"

namespace vorn::fuzz {

int fuzzJson(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto value = platform::parseJson(text);
  if (!value) return 0;
  const platform::Value copy = *value;  // a copy walks the whole tree
  (void)platform::textOf(copy, "status");
  (void)platform::intValueOf(copy, "status");
  require(platform::parseJson(platform::toJson(copy)).has_value(), "written JSON reads back");
  return 0;
}

}  // namespace vorn::fuzz

VORN_FUZZ_ENTRY(vorn::fuzz::fuzzJson)
