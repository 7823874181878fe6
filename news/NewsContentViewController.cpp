#include "news/NewsContentViewController.h"

#include "core/ParentViewController.h"

namespace vorn {

bool NewsContentViewController::checkTheDraft() { return false; }

void NewsContentViewController::onlyDoBack() {
  if (auto container = ParentViewController::containerOf(*this)) container->popChildViewController();
}

}  // namespace vorn
