#include "cars/compare/CompareTourStops.h"

#include "cars/compare/CarCompareViewController.h"
#include "core/AppDelegate.h"
#include "core/ParentViewController.h"

namespace vorn {

void addCompareTourStops(TourStops& stops) {
  stops.push_back({"car-compare", "CarCompareViewController", "",
                   [] {
                     auto page = std::make_shared<CarCompareViewController>();
                     AppDelegate::sharedAppDelegate()->carSection().setCarcompareVC(page);
                     tour::pushScreen(page);
                   },
                   "",
                   // No swipe begins on the comparison page: its own back pops it.
                   [] {
                     if (auto home = AppDelegate::sharedAppDelegate()->homePageNavigationController())
                       home->popChildViewController();
                   }});
}

}  // namespace vorn
