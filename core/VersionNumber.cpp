#include "core/VersionNumber.h"

#include <vector>

namespace vorn {
namespace {

std::vector<unsigned long long> components(std::string_view text) {
  std::vector<unsigned long long> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = text.find('.', start);
    const std::string_view piece = text.substr(start, dot == std::string_view::npos ? text.npos : dot - start);
    std::size_t i = 0;
    while (i < piece.size() && piece[i] == ' ') ++i;
    unsigned long long value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
      if (value < 1'000'000'000'000ULL) value = value * 10 + static_cast<unsigned>(piece[i] - '0');
    }
    parts.push_back(value);
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return parts;
}

}  // namespace

int compareVersions(std::string_view a, std::string_view b) {
  const auto left = components(a);
  const auto right = components(b);
  const std::size_t n = left.size() > right.size() ? left.size() : right.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned long long l = i < left.size() ? left[i] : 0;
    const unsigned long long r = i < right.size() ? right[i] : 0;
    if (l != r) return l < r ? -1 : 1;
  }
  return 0;
}

}  // namespace vorn
