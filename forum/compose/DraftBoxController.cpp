#include "forum/compose/DraftBoxController.h"

#include "forum/compose/SendPostQueue.h"

namespace vorn {

DraftBoxController::DraftBoxController() : drafts_(SendPostQueue::shareQueue().loadDraft()) {}

}  // namespace vorn
