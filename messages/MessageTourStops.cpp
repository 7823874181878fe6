#include "messages/MessageTourStops.h"

#include "core/ModalContainers.h"
#include "messages/MessageContentController2.h"
#include "messages/MessageContentViewController.h"
#include "messages/PostNewMsgViewController.h"

namespace vorn {

void addMessageTourStops(TourStops& stops) {
  stops.push_back({"messages", "MessageContentController2", "",
                   [] { tour::pushScreen(std::make_shared<MessageContentController2>()); }, tour::kSwipeBack, {}});
  stops.push_back({"message-history", "MessageContentViewController", "",
                   [] { tour::pushScreen(std::make_shared<MessageContentViewController>()); }, tour::kSwipeBack, {}});
  stops.push_back(tour::modalStop("new-message", "PostNewMsgViewController",
                                  [] { return std::make_shared<PostNewMsgViewController>(); },
                                  &ModalContainers::setPostNewMsgNavController));
}

}  // namespace vorn
