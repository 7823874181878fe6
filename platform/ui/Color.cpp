#include "platform/ui/Color.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {
int to255(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }
}  // namespace

int Color::red255() const { return to255(red); }
int Color::green255() const { return to255(green); }
int Color::blue255() const { return to255(blue); }
int Color::alpha255() const { return to255(alpha); }

bool Color::sameAs(const Color& o) const {
  return red255() == o.red255() && green255() == o.green255() && blue255() == o.blue255() &&
         alpha255() == o.alpha255() && pattern == o.pattern;
}

}  // namespace platform
