#include "cars/series/CarViewController.h"

#include "core/AppDelegate.h"
#include "core/ParentViewController.h"

namespace vorn {

void CarViewController::viewWillAppear(bool animated) {
  ThemedScreen::viewWillAppear(animated);
  auto container = ParentViewController::containerOf(*this);
  if (!container) return;
  const auto& children = container->childViewControllers();
  const int top = container->currentChildIndex();
  if (top < 0 || static_cast<std::size_t>(top) >= children.size()) return;
  if (!dynamic_cast<CarViewController*>(children[static_cast<std::size_t>(top)].get())) return;
  container->refreshMarginValue(brandListHidden_ ? 0 : ParentViewController::kNormalMargin);
}

void CarViewController::leftBySwipeBack() { AppDelegate::sharedAppDelegate()->carSection().setCurrentEntryBrandType(0); }

}  // namespace vorn
