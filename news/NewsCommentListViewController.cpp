#include "news/NewsCommentListViewController.h"

#include "core/ParentViewController.h"

namespace vorn {

bool NewsCommentListViewController::checkTheDraft() { return false; }

void NewsCommentListViewController::onlyDoBack() {
  if (auto container = ParentViewController::containerOf(*this)) container->popChildViewController();
}

}  // namespace vorn
