#pragma once
// The older conversation screen.
#include <string>

#include "core/ThemedScreen.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class MessageContentViewController : public ThemedScreen, public UnsentDraftScreen {
 public:
  MessageContentViewController() = default;
  PLATFORM_CLASS_NAME(MessageContentViewController)

  // Whether the message text holds unsent text.
  bool checkTheDraft() override;
  // Leaves the screen, asking first when the message text is not empty.
  void onlyDoBack() override;
};

}  // namespace vorn
