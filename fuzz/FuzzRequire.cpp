#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzTargets.h"

namespace vorn::fuzz {

void require(bool holds, std::string_view what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

}  // namespace vorn::fuzz
