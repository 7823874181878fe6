#pragma once
// Walks over whole values that came from outside (answers, stored files), done
// without recursion: however deep a value nests, the stack stays flat.
#include "platform/foundation/Value.h"

namespace platform {

// True when a null stands anywhere in the value (a property list cannot hold one).
bool holdsNull(const Value& value);
// A copy with every null in a dictionary or array left out, at any depth.
Value withoutNulls(const Value& value);

}  // namespace platform
