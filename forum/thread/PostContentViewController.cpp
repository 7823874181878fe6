#include "forum/thread/PostContentViewController.h"

#include "core/ParentViewController.h"

namespace vorn {

bool PostContentViewController::checkTheDraft() { return false; }

void PostContentViewController::onlyDoBack() {
  if (auto container = ParentViewController::containerOf(*this)) container->popChildViewController();
}

}  // namespace vorn
