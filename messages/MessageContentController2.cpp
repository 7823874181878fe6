#include "messages/MessageContentController2.h"

#include "core/ParentViewController.h"

namespace vorn {

bool MessageContentController2::checkTheDraft() { return false; }

void MessageContentController2::onlyDoBack() {
  if (auto container = ParentViewController::containerOf(*this)) container->popChildViewController();
}

}  // namespace vorn
