#pragma once
// Who is signed in. The record is the login answer that the login, registration
// and web-login flows store whole under "UserLoginInfo"; every other part of the
// client reads it only through here, afresh on every call.
#include <optional>
#include <string>

namespace vorn {

inline constexpr char kUserLoginInfo[] = "UserLoginInfo";
inline constexpr char kICIconURL[] = "ICIconURL";
inline constexpr char kUserAccountNameKey[] = "UserAccountNameKey";
// Fields of the record.
inline constexpr char kLoginStatus[] = "status";
inline constexpr char kLoginUid[] = "uid";
inline constexpr char kLoginUname[] = "uname";
inline constexpr char kLoginIcon[] = "icon";
inline constexpr char kLoginCookieId[] = "CookieId";
inline constexpr char kLoginBbsAuth[] = "bbs_auth";
inline constexpr char kLoginMsg[] = "msg";
inline constexpr char kUserCookieFormat[] = "iphonecookie=";

class UserData {
 public:
  static UserData& userDataInit();

  // Whether a record is stored whose "status" reads "1" (text or number).
  bool checkLogin();
  bool isLoginOrNot() const { return isLoginOrNot_; }

  std::string getUserID() const;    // "" when absent
  // The id as a request writes it: "(null)" while nobody is signed in, as the
  // portal has always received it from signed-out clients (never shown).
  std::string getUserIDForRequest() const;
  std::string getUserName() const;  // "" when absent
  std::string getbbs_auth() const;  // "" when absent
  std::optional<std::string> getUserHeadIcon() const;  // nullopt when absent
  std::optional<std::string> getUserIconURL() const;   // the same
  // "iphonecookie=" and the cookie id; "(null)" stands in for a missing id, as
  // the portal has always received it from signed-out clients.
  std::string getUserCookie() const;

  // Rewrite one field of the record (creating a record with just that field
  // when none is stored) and synchronise.
  void setUserName(const std::string& name);
  void setHeadImageUrl(const std::string& url);

  // Signs out: removes the record and "ICIconURL", deletes the mobile-web host's
  // cookies, clears the push alias and tags, and sets both badges to 0.
  void Logout();


 private:
  UserData() = default;
  void rewriteField(const char* field, const std::string& value);

  bool isLoginOrNot_ = false;
};

}  // namespace vorn
