#include "cars/series/SeriesTourStops.h"

#include "cars/series/CarViewController.h"

namespace vorn {

void addSeriesTourStops(TourStops& stops) {
  stops.push_back({"car-series", "CarSeriesViewController",
                   "open-url \"" + tour::productAddress(std::string("action=carseries&seriesId=") + tour::kSeriesId +
                                                        "&seriesName=" + tour::kSeriesName) + "\"\n",
                   {}, tour::kSwipeBack, {}});
  stops.push_back({"car", "CarViewController", "", [] { tour::pushScreen(std::make_shared<CarViewController>()); },
                   tour::kSwipeBack, {}});
}

}  // namespace vorn
