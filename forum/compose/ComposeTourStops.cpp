#include "forum/compose/ComposeTourStops.h"

#include "forum/compose/DraftBoxController.h"

namespace vorn {

void addComposeTourStops(TourStops& stops) {
  stops.push_back({"draft-box", "DraftBoxController", "",
                   [] { tour::pushScreen(std::make_shared<DraftBoxController>()); }, tour::kSwipeBack, {}});
}

}  // namespace vorn
