#pragma once
// The draft box screen. Made with make_shared, it loads the drafts from the
// send queue; the list, editing and sending of drafts come with the composers.
#include <string>

#include "core/ThemedScreen.h"
#include "platform/foundation/Value.h"

namespace vorn {

class DraftBoxController : public ThemedScreen {
 public:
  DraftBoxController();
  PLATFORM_CLASS_NAME(DraftBoxController)

  // The drafts as loaded, newest first.
  const platform::Value& drafts() const { return drafts_; }

 private:
  platform::Value drafts_;
};

}  // namespace vorn
