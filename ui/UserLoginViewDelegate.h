#pragma once
// Told by a web login (the in-app web page opened for the QQ login) that the
// login record has been stored: the login screen and the community hub's login
// tab resume what the login interrupted.

namespace vorn {

class UserLoginViewDelegate {
 public:
  virtual ~UserLoginViewDelegate() = default;
  virtual void loginViewSucBack() {}
};

}  // namespace vorn
