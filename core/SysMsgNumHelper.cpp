#include "core/SysMsgNumHelper.h"

#include <utility>

#include "core/AppDelegate.h"
#include "core/UserData.h"
#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "platform/foundation/NotificationCenter.h"

namespace vorn {

SysMsgNumHelper& SysMsgNumHelper::shareHelper() {
  static SysMsgNumHelper helper;
  return helper;
}

void SysMsgNumHelper::reGetmessageNum() {
  auto& user = UserData::userDataInit();
  if (!user.checkLogin()) return;
  platform::Value parameters = platform::dictionary();
  parameters["cookie"] = user.getUserID();
  parameters["uid"] = user.getUserID();
  parameters["ver"] = AppDelegate::getCurrentVersion();
  auto& client = Vorn5APIClient::sharedClient();
  // Without the cache on the way in, saved on the way out: a failed fetch posts
  // the counts last received.
  client.postPath(PortalHosts::url(PortalHost::Member, kGetMsgNumPath), parameters, false, true, client, false,
                  [](const platform::Value& answer, const std::optional<ApiError>&) {
                    if (answer.is_null()) return;
                    auto& center = platform::NotificationCenter::defaultCenter();
                    if (!platform::isData(answer)) {
                      center.post(kSysMsgNumHelperGetMsgNumNotification, answer);
                    } else if (auto parsed = platform::parseJson(platform::bytesOf(answer))) {
                      // Read within the JSON reader's depth limit, so handing it on stays shallow.
                      center.post(kSysMsgNumHelperGetMsgNumNotification, std::move(*parsed));
                    } else {
                      center.post(kSysMsgNumHelperGetMsgNumNotification);
                    }
                  });
}

}  // namespace vorn
