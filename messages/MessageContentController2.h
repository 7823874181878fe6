#pragma once
// A conversation with one member.
#include <string>

#include "core/ThemedScreen.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class MessageContentController2 : public ThemedScreen, public UnsentDraftScreen {
 public:
  MessageContentController2() = default;
  PLATFORM_CLASS_NAME(MessageContentController2)

  // Whether the message text holds unsent text.
  bool checkTheDraft() override;
  // Leaves the screen, asking first when the message text is not empty.
  void onlyDoBack() override;
};

}  // namespace vorn
