#include "messages/PostNewMsgViewController.h"

#include "core/ParentViewController.h"

namespace vorn {

bool PostNewMsgViewController::checkTheDraft() { return false; }

void PostNewMsgViewController::onlyDoBack() {
  if (auto container = ParentViewController::containerOf(*this)) container->popChildViewController();
}

}  // namespace vorn
