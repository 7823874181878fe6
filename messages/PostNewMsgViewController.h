#pragma once
// The private-message composer.
#include <string>

#include "core/ThemeChangeBaseViewController.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class PostNewMsgViewController : public ThemeChangeBaseViewController, public UnsentDraftScreen {
 public:
  PostNewMsgViewController() = default;
  std::string className() const override { return "PostNewMsgViewController"; }
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
