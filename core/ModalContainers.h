#pragma once
// The containers of the modal flows while they are on screen. A modal flow
// (login, new thread, private message, board directory, settings, reply)
// creates a fresh ParentViewController, stores it here, installs its first
// screen as the container's root child and presents it; when the flow closes
// it dismisses the container and stores null again. Routing pushes onto the
// first open one of them (front()), else onto the home container. Several flows
// can be open at once. The open city picker is kept here too: routing closes it
// before it pushes.
#include <memory>

namespace platform {
class ViewController;
}

namespace vorn {

class ParentViewController;

class ModalContainers {
 public:
  using Container = std::shared_ptr<ParentViewController>;

#define MODAL_SLOT(name, Setter)                                \
  const Container& name() const { return name##_; }             \
  void Setter(const Container& container) { name##_ = container; }
  MODAL_SLOT(loginNavController, setLoginNavController)
  MODAL_SLOT(postNewPostNavController, setPostNewPostNavController)
  MODAL_SLOT(postNewMsgNavController, setPostNewMsgNavController)
  MODAL_SLOT(forumListNavController, setForumListNavController)
  MODAL_SLOT(settingsNavController, setSettingsNavController)
  MODAL_SLOT(replyPostNavController, setReplyPostNavController)
#undef MODAL_SLOT

  const std::shared_ptr<platform::ViewController>& cityChangController() const { return cityChangController_; }
  void setCityChangController(const std::shared_ptr<platform::ViewController>& picker) { cityChangController_ = picker; }

  // The first open container in the order routing prefers: login, new thread,
  // private message, board directory, settings, reply; null when none is open.
  Container front() const {
    for (const auto* modal : {&loginNavController_, &postNewPostNavController_, &postNewMsgNavController_,
                              &forumListNavController_, &settingsNavController_, &replyPostNavController_})
      if (*modal) return *modal;
    return nullptr;
  }

 private:
  Container loginNavController_;
  Container postNewPostNavController_;
  Container postNewMsgNavController_;
  Container forumListNavController_;
  Container settingsNavController_;
  Container replyPostNavController_;
  std::shared_ptr<platform::ViewController> cityChangController_;
};

}  // namespace vorn
