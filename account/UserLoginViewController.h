#pragma once
// The login screen's entry as other screens use it: a screen made with init,
// installed by the caller as the root child of a fresh container stored as the
// application delegate's loginNavController and presented modally. After a
// successful login it tells its delegate loginSucBack.
//
// Only the entry stands so far: the login form itself comes with the account
// screens.
#include <memory>
#include <string>

#include "core/UserLoginViewControllerDelegate.h"
#include "platform/ui/ViewController.h"

namespace vorn {

class UserLoginViewController : public platform::ViewController {
 public:
  UserLoginViewController() = default;
  std::string className() const override { return "UserLoginViewController"; }

  std::shared_ptr<UserLoginViewControllerDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<UserLoginViewControllerDelegate> d) { delegate_ = std::move(d); }

 private:
  std::weak_ptr<UserLoginViewControllerDelegate> delegate_;
};

}  // namespace vorn
