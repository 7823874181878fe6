#pragma once
// A conversation with one member.
#include <string>

#include "core/ThemeChangeBaseViewController.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class MessageContentController2 : public ThemeChangeBaseViewController, public UnsentDraftScreen {
 public:
  MessageContentController2() = default;
  std::string className() const override { return "MessageContentController2"; }
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
