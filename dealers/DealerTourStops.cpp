#include "dealers/DealerTourStops.h"

#include "core/AppDelegate.h"
#include "core/ParentViewController.h"
#include "dealers/CityChangViewController.h"
#include "dealers/SmsPriceViewController.h"

namespace vorn {

void addDealerTourStops(TourStops& stops) {
  stops.push_back({"price-inquiry", "SmsPriceViewController", "",
                   [] {
                     auto page = std::make_shared<SmsPriceViewController>();
                     page->setSeriesID(tour::kSeriesId);
                     page->setSeriesNam(tour::kSeriesName);
                     page->setCarID("0");
                     page->setCarName(tour::kSeriesName);
                     page->setIsTitleReplacement(0);
                     tour::pushScreen(page);
                   },
                   tour::kSwipeBack, {}});
  stops.push_back({"city-change", "CityChangViewController", "",
                   [] {
                     auto delegate = AppDelegate::sharedAppDelegate();
                     auto picker = std::make_shared<CityChangViewController>();
                     delegate->modalContainers().setCityChangController(picker);
                     if (auto home = delegate->homePageNavigationController()) home->presentViewController(picker, true);
                   },
                   "",
                   [] {
                     tour::dismissModal();
                     AppDelegate::sharedAppDelegate()->modalContainers().setCityChangController(nullptr);
                   }});
}

}  // namespace vorn
