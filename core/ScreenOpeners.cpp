#include "core/ScreenOpeners.h"

namespace vorn {

ScreenOpeners& ScreenOpeners::shared() {
  static ScreenOpeners openers;
  return openers;
}

}  // namespace vorn
