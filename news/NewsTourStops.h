#pragma once
// The tour's stops at the screens of this folder, in visiting order.
#include "core/TourStop.h"

namespace vorn {

void addNewsTourStops(TourStops& stops);

}  // namespace vorn
