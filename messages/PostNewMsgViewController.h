#pragma once
// The private-message composer.
#include <string>

#include "core/ThemedScreen.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class PostNewMsgViewController : public ThemedScreen, public UnsentDraftScreen {
 public:
  PostNewMsgViewController() = default;
  PLATFORM_CLASS_NAME(PostNewMsgViewController)

  // Whether the message text holds unsent text.
  bool checkTheDraft() override;
  // Leaves the screen, asking first when the message text is not empty.
  void onlyDoBack() override;
};

}  // namespace vorn
