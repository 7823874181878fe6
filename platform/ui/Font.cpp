#include "platform/ui/Font.h"

#include "platform/ui/TextMetricsTable.h"

namespace platform {

double Font::ascender() const { return pointSize * metrics::kAscender / metrics::kUnitsPerEm; }
double Font::descender() const { return -pointSize * metrics::kDescender / metrics::kUnitsPerEm; }
double Font::lineHeight() const {
  return pointSize * (metrics::kAscender + metrics::kDescender) / metrics::kUnitsPerEm;
}

}  // namespace platform
