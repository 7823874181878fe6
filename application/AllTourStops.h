#pragma once
// Every stop of the tour, in visiting order: each folder's own stops, and the
// in-app web page and the picture-set browser that the application opens.
#include "core/TourStop.h"

namespace vorn {

TourStops allTourStops();

}  // namespace vorn
