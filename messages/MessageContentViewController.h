#pragma once
// The older conversation screen.
#include <string>

#include "core/ThemeChangeBaseViewController.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class MessageContentViewController : public ThemeChangeBaseViewController, public UnsentDraftScreen {
 public:
  MessageContentViewController() = default;
  std::string className() const override { return "MessageContentViewController"; }
  void viewDidLoad() override {
    ThemeChangeBaseViewController::viewDidLoad();
    receivedThemeChangeNotify();  // paints in the current theme from the start
  }

  // Whether the message text holds unsent text.
  bool checkTheDraft() override;
  // Leaves the screen, asking first when the message text is not empty.
  void onlyDoBack() override;
};

}  // namespace vorn
