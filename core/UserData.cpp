#include "core/UserData.h"

#include <mutex>

#include "net/PortalHosts.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/foundation/Value.h"
#include "platform/net/HttpCookieStore.h"
#include "platform/net/HttpUrl.h"
#include "platform/services/PushService.h"
#include "platform/ui/Application.h"

namespace vorn {
namespace {

platform::Value record() {
  return platform::UserDefaults::standardUserDefaults().objectForKey(kUserLoginInfo);
}

}  // namespace

UserData& UserData::userDataInit() {
  static std::mutex lock;
  static UserData* shared = nullptr;
  std::lock_guard guard(lock);
  if (!shared) shared = new UserData();
  return *shared;
}

bool UserData::checkLogin() {
  const platform::Value info = record();
  isLoginOrNot_ = platform::isDictionary(info) && platform::textOf(info, kLoginStatus) == "1";
  return isLoginOrNot_;
}

std::string UserData::getUserID() const { return platform::plainTextOf(record(), kLoginUid); }
std::string UserData::getUserIDForRequest() const { return platform::textOf(record(), kLoginUid); }
std::string UserData::getUserName() const { return platform::plainTextOf(record(), kLoginUname); }
std::string UserData::getbbs_auth() const { return platform::plainTextOf(record(), kLoginBbsAuth); }

std::optional<std::string> UserData::getUserHeadIcon() const {
  const platform::Value info = record();
  const platform::Value& icon = platform::valueFor(info, kLoginIcon);
  if (platform::isNull(icon)) return std::nullopt;
  return platform::textOf(icon);
}

std::optional<std::string> UserData::getUserIconURL() const { return getUserHeadIcon(); }

std::string UserData::getUserCookie() const {
  return std::string(kUserCookieFormat) + platform::textOf(record(), kLoginCookieId);
}

void UserData::rewriteField(const char* field, const std::string& value) {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  platform::Value info = record();
  if (!platform::isDictionary(info)) info = platform::dictionary();
  info[field] = value;
  defaults.setObject(kUserLoginInfo, info);
  defaults.synchronize();
}

void UserData::setUserName(const std::string& name) { rewriteField(kLoginUname, name); }
void UserData::setHeadImageUrl(const std::string& url) { rewriteField(kLoginIcon, url); }

void UserData::Logout() {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  defaults.removeObject(kUserLoginInfo);
  defaults.removeObject(kICIconURL);
  defaults.synchronize();

  if (const auto web = platform::net::HttpUrl::parse(PortalHosts::baseUrl(PortalHost::MobileWeb)))
    platform::net::HttpCookieStore::shared()->deleteCookiesForHost(web->host);

  auto& push = platform::services::PushService::shared();
  push.setTags({}, "");
  platform::Application::sharedApplication().setApplicationIconBadgeNumber(0);
  push.setBadge(0);
}

}  // namespace vorn
