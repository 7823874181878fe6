#include "messages/MessageContentViewController.h"

#include "core/ParentViewController.h"

namespace vorn {

bool MessageContentViewController::checkTheDraft() { return false; }

void MessageContentViewController::onlyDoBack() {
  if (auto container = ParentViewController::containerOf(*this)) container->popChildViewController();
}

}  // namespace vorn
