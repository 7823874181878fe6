#include "application/AllTourStops.h"

#include "account/AccountTourStops.h"
#include "application/VornAppDelegate.h"
#include "cars/compare/CompareTourStops.h"
#include "cars/series/SeriesTourStops.h"
#include "core/LaunchKeys.h"
#include "dealers/DealerTourStops.h"
#include "forum/compose/ComposeTourStops.h"
#include "forum/thread/ThreadTourStops.h"
#include "messages/MessageTourStops.h"
#include "net/PortalHosts.h"
#include "news/NewsTourStops.h"
#include "ui/WebViewController.h"

namespace vorn {

namespace {

void addSharedComponentStops(TourStops& stops) {
  stops.push_back({"web-page", "WebViewController", "",
                   [] {
                     auto page = std::make_shared<WebViewController>();
                     page->setTitleName(kAdvertEventTitle);
                     page->setURL(PortalHosts::url(PortalHost::MobileWeb, tour::kEventPagePath));
                     tour::pushScreen(page);
                   },
                   tour::kOwnBackButton, {}});
  stops.push_back({"photo-browser", "PyxoPhotoBrowser", "",
                   [] { VornAppDelegate::shared()->getPICData(tour::kPictureSetId); }, tour::kOwnBackButton, {}});
}

}  // namespace

TourStops allTourStops() {
  TourStops stops;
  addNewsTourStops(stops);
  addThreadTourStops(stops);
  addSeriesTourStops(stops);
  addCompareTourStops(stops);
  addDealerTourStops(stops);
  addSharedComponentStops(stops);
  addAccountTourStops(stops);
  addMessageTourStops(stops);
  addComposeTourStops(stops);
  return stops;
}

}  // namespace vorn
