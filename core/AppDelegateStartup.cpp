// The requests the application sends at every launch, and what their answers
// keep fresh: the news advert record, the response and picture caches (on a
// changed cache stamp), the forum board list (on a changed checksum) and the
// rating and update decision.
#include <string>

#include "core/AppDelegate.h"
#include "core/ConversionData.h"
#include "core/StartupKeys.h"
#include "core/VersionNumber.h"
#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "net/Vorn5CacheClient.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/ValueCopy.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/PushService.h"

namespace vorn {
namespace {

constexpr const char* kAdvertTextFields[] = {"status", "imgUrl", "AdTitle", "AdImgUrl", "AdLinkUrl", "time"};
constexpr const char* kAdvertIdentity[] = {"imgUrl", "AdImgUrl", "AdLinkUrl", "AdTitle"};
constexpr char kAdvertStatus[] = "status";
constexpr char kVersionKey[] = "ver";
constexpr char kVersionAppKey[] = "app";


}  // namespace

void AppDelegate::sendStartupRequests() {
  carSection().setTimeStampFlag(false);
  shouldPopUpComment_ = false;
  shouldPopUpUpdate_ = false;
  newsAdvert_pic();
  requestCacheTimeStamp();
  requestForumListMd5();
  requestLatestVersion();
}

// ---- News advert -------------------------------------------------------------

void AppDelegate::newsAdvert_pic() {
  std::weak_ptr<AppDelegate> weak = weak_from_this();
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::CarData, kNewsAdvertPath), requestParameters({{"type", "1"}}), {},
        [weak](const platform::Value& answer, const std::optional<ApiError>&) {
          if (auto self = weak.lock()) self->handleNewsAdvertAnswer(answer);
        });
}

void AppDelegate::handleNewsAdvertAnswer(const platform::Value& answer) {
  const auto parsed = parsedAnswer(answer);
  if (!parsed || !platform::isDictionary(*parsed)) return;
  platform::Value advert = platform::withoutNulls(*parsed);
  // Stored records hold "" for a missing field, never "(null)".
  for (const char* field : kAdvertTextFields) advert[field] = platform::plainTextOf(*parsed, field);

  auto& defaults = platform::UserDefaults::standardUserDefaults();
  const platform::Value stored = defaults.objectForKey(kNewsAdvertKey);
  bool sameAdvert = true;
  for (const char* field : kAdvertIdentity)
    sameAdvert = sameAdvert && platform::plainTextOf(stored, field) == platform::plainTextOf(advert, field);

  const bool live = platform::plainTextOf(advert, kAdvertStatus) == "1";
  if (sameAdvert) {
    const std::string version = getCurrentVersion();
    const auto seen = defaults.stringForKey(kCFVersionKey);
    if (!seen || *seen != version) {
      defaults.setString(kCFVersionKey, version);
    } else if (!live) {
      defaults.setBool(kNewsAdvertHasNewKey, false);
      defaults.synchronize();
    }
    return;
  }
  if (live) {
    defaults.setObject(kNewsAdvertKey, advert);
    defaults.setBool(kNewsAdvertHasNewKey, true);
  } else {
    defaults.setBool(kNewsAdvertHasNewKey, false);
  }
  defaults.synchronize();
}

// ---- Cache stamp ---------------------------------------------------------------

void AppDelegate::requestCacheTimeStamp() {
  std::weak_ptr<AppDelegate> weak = weak_from_this();
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::NewCar, kCacheStampPath), platform::Value(), {},
        [weak](const platform::Value& answer, const std::optional<ApiError>&) {
          if (auto self = weak.lock()) self->handleCacheStampAnswer(answer);
        });
}

void AppDelegate::handleCacheStampAnswer(const platform::Value& answer) {
  const auto parsed = parsedAnswer(answer);
  if (!parsed || !platform::hasKey(*parsed, kStampTimeKey)) return;
  const std::string stamp =
      std::to_string(static_cast<int>(platform::intValueOf(platform::valueFor(*parsed, kStampTimeKey))));
  if (!Vorn5APIClient::sharedClient().shouldUpdateTimeStampWithType(0, stamp)) return;
  auto& caches = Vorn5CacheClient::sharedClient();
  caches.clearImgCache();
  caches.clearDataCache();
  carSection().setTimeStampFlag(true);
  caches.saveCache(platform::withoutNulls(*parsed), kCacheStampRecord);
}

// ---- Forum list ----------------------------------------------------------------

void AppDelegate::requestForumListMd5() {
  std::weak_ptr<AppDelegate> weak = weak_from_this();
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::CarData, kForumListMd5Path), platform::Value(), {},
        [weak](const platform::Value& answer, const std::optional<ApiError>&) {
          if (auto self = weak.lock()) self->handleForumListMd5Answer(answer);
        });
}

void AppDelegate::handleForumListMd5Answer(const platform::Value& answer) {
  const auto parsed = parsedAnswer(answer);
  if (!parsed || !platform::hasKey(*parsed, kForumListMd5Key)) return;
  const std::string checksum = platform::textOf(platform::valueFor(*parsed, kForumListMd5Key));
  if (!Vorn5APIClient::sharedClient().shouldUpdateForumListTimeStampWithType(1, checksum)) return;
  requestForumList(*parsed);
}

void AppDelegate::requestForumList(const platform::Value& checksumRecord) {
  std::weak_ptr<AppDelegate> weak = weak_from_this();
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::CarData, kForumListPath), platform::Value(), {},
        [weak, checksumRecord](const platform::Value& answer, const std::optional<ApiError>&) {
          if (auto self = weak.lock()) self->handleForumListAnswer(answer, checksumRecord);
        });
}

void AppDelegate::handleForumListAnswer(const platform::Value& answer, const platform::Value& checksumRecord) {
  if (answer.is_null()) return;
  const auto parsed = parsedAnswer(answer);
  platform::Value list = parsed && platform::isDictionary(*parsed) ? *parsed : platform::dictionary();

  platform::Value boards = platform::array();
  for (const platform::Value& entry : platform::valueFor(list, kForumListArrayKey)) {
    if (!platform::hasKey(entry, kForumNameKey)) continue;
    platform::Value board = entry;
    const std::string name = platform::plainTextOf(entry, kForumNameKey);
    board[kForumCapKey] = ConversionData::to_Shouzimu(name);
    board[kForumPinYinKey] = ConversionData::pinyinFromChiniseString(name).value_or("");
    boards.push_back(std::move(board));
  }
  list[kForumListArrayKey] = std::move(boards);

  const std::string folder = platform::joinPath(platform::documentsDirectory(), kForumListDir);
  if (!platform::createDirectory(folder)) return;
  // The checksum is kept only once the list it describes is safely on disk, so
  // a failed write fetches the list again at the next launch.
  if (!platform::writePlistFile(platform::joinPath(folder, kForumListFile), list)) return;
  Vorn5CacheClient::sharedClient().savePermCache(checksumRecord, kForumListRecord);
}

// ---- Latest version and the rating count -------------------------------------

void AppDelegate::requestLatestVersion() {
  std::weak_ptr<AppDelegate> weak = weak_from_this();
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::CarData, kLatestVersionPath), platform::Value(), {},
        [weak](const platform::Value& answer, const std::optional<ApiError>&) {
          if (auto self = weak.lock()) self->handleVersionAnswer(answer);
        });
}

void AppDelegate::handleVersionAnswer(const platform::Value& answer) {
  if (answer.is_null()) return;
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  const std::string installed = platform::Bundle::mainBundle().bundleVersion();
  const auto counted = defaults.stringForKey(kCurrentVersionKey);
  if (!counted || *counted != installed) {
    defaults.setString(kCurrentVersionKey, installed);
    defaults.removeObject(kLaunchTimesKey);
    defaults.synchronize();
  }

  const auto parsed = parsedAnswer(answer);
  if (!parsed) return;
  const platform::Value& latest = platform::valueFor(platform::valueFor(*parsed, kVersionKey), kVersionAppKey);
  if (latest.is_null()) return;
  const std::string portal = platform::textOf(latest);
  if (portal != installed && isNewerVersion(portal, installed)) {
    shouldPopUpUpdate_ = true;
    return;
  }
  countLaunch();
}

void AppDelegate::countLaunch() {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  const auto times = defaults.stringForKey(kLaunchTimesKey);
  if (times && *times == kLaunchTimesDone) return;
  if (!times) {
    defaults.setString(kLaunchTimesKey, "1");
    defaults.synchronize();
    return;
  }
  const long long n = defaults.integerForKey(kLaunchTimesKey);
  defaults.setString(kLaunchTimesKey, std::to_string(n + 1));
  defaults.synchronize();
  if (n >= 4) shouldPopUpComment_ = true;
}

// ---- Launch chores -----------------------------------------------------------

void AppDelegate::removeOldVersionPushToken() {
  const auto device = platform::UserDefaults::standardUserDefaults().stringForKey(kDeviceNoKey);
  if (!device || device->empty()) return;
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::Forum, kRemoveDevicePath), requestParameters({{"dev_num", *device}}), {},
        [](const platform::Value&, const std::optional<ApiError>&) {});
}

void AppDelegate::observePushServiceLogin() {
  std::weak_ptr<AppDelegate> weak = weak_from_this();
  platform::NotificationCenter::defaultCenter().addObserver(
      static_cast<const void*>(this), platform::services::kPushServiceNetworkDidLoginNotification,
      [weak](const platform::Notification&) {
        if (auto self = weak.lock()) self->removeOldVersionPushToken();
      });
}

void AppDelegate::cleanDatabase(std::function<void()> done) {
  const std::string path = platform::joinPath(platform::documentsDirectory(), kSeriesDatabaseFile);
  platform::dispatchBackground([path, done = std::move(done)] {
    if (platform::fileExists(path)) platform::removeItem(path);
    if (done) platform::dispatchMain(done);
  });
}

}  // namespace vorn
