#pragma once
// What a screen that sent the user to the login gate hears back: the login
// succeeded, so the interrupted action can resume. Shared code (the photo
// browser's comment bar) implements it without knowing the login screen.
namespace vorn {

class UserLoginViewControllerDelegate {
 public:
  virtual ~UserLoginViewControllerDelegate() = default;
  virtual void loginSucBack() {}
};

}  // namespace vorn
