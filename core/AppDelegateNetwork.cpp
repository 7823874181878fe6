// Small shared services of the application delegate: the read marks by which
// lists colour the titles already opened, the home screen's shortcut lists, the
// network status with its notices, and the photo browser's data source over
// `photos`.
#include <algorithm>
#include <any>

#include "core/AppDelegate.h"
#include "core/AppDelegateNetwork.h"
#include "core/SysMsgNumHelper.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Plist.h"
#include "platform/net/Reachability.h"

namespace vorn {
namespace {

constexpr std::size_t kReadMarksLimit = 500;

std::string documentsFolder(const char* name) { return platform::joinPath(platform::documentsDirectory(), name); }

// The list in a file: an array, or empty for an absent or unreadable file.
platform::Value readList(const std::string& path) {
  const auto list = platform::readPlistFile(path);
  return list && platform::isArray(*list) ? *list : platform::Value::array();
}

bool contains(const platform::Value& list, const std::string& id) {
  return std::any_of(list.begin(), list.end(), [&id](const platform::Value& entry) {
    return platform::textOf(entry) == id;
  });
}

// Ids of the older form (a dictionary keyed by id, under "ReadHistoryDir") are
// appended in ascending order, and the old file goes.
void migrateOldReadMarks(platform::Value& list, const std::string& listFile, const std::string& path) {
  const std::string oldPath = platform::joinPath(documentsFolder(kOldReadHistoryDir), listFile);
  if (!platform::isRegularFile(oldPath)) return;
  const auto old = platform::readPlistFile(oldPath);
  if (!old || !platform::isDictionary(*old)) return;
  std::vector<std::string> ids;
  for (auto it = old->begin(); it != old->end(); ++it) ids.push_back(it.key());
  std::sort(ids.begin(), ids.end());
  platform::removeItem(oldPath);
  for (auto& id : ids) list.push_back(std::move(id));
  platform::writePlistFile(path, list);
}

std::optional<std::string> shortcutFile(int type) {
  if (type == kShortCutTypeBoards) return std::string(kShortCutBoardsFile);
  if (type == kShortCutTypeSeries) return std::string(kShortCutSeriesFile);
  return std::nullopt;
}

const char* networkNoticeText(long long status) {
  switch (status) {
    case platform::net::kReachabilityUnknown: return kNetworkUnknownText;
    case platform::net::kReachabilityNotReachable: return kNetworkNoneText;
    case platform::net::kReachabilityViaMobile: return kNetworkMobileText;
    case platform::net::kReachabilityViaWiFi: return kNetworkWiFiText;
    default: return "";
  }
}

}  // namespace

// ---- Read marks ------------------------------------------------------------------

void AppDelegate::saveNewsIDHistory(const std::string& listFile, const platform::Value& newsID) {
  const std::string folder = documentsFolder(kReadHistoryDir);
  if (!platform::createDirectory(folder)) return;
  const auto name = platform::safeFileName(listFile);
  if (!name) return;
  const std::string path = platform::joinPath(folder, *name);
  platform::Value list = readList(path);
  const std::string id = platform::textOf(newsID);
  platform::Value kept = platform::Value::array();
  for (const auto& entry : list)
    if (platform::textOf(entry) != id) kept.push_back(entry);
  if (kept.size() >= kReadMarksLimit) kept.erase(0);
  kept.push_back(id);
  platform::writePlistFile(path, kept);
}

bool AppDelegate::searchNewsIDHistory(const std::string& listFile, const platform::Value& newsID) {
  const std::string folder = documentsFolder(kReadHistoryDir);
  platform::createDirectory(folder);
  const auto name = platform::safeFileName(listFile);
  if (!name) return false;
  const std::string path = platform::joinPath(folder, *name);
  platform::Value list = readList(path);
  migrateOldReadMarks(list, *name, path);
  return contains(list, platform::textOf(newsID));
}

// ---- Shortcuts -------------------------------------------------------------------

std::optional<platform::Value> AppDelegate::loadShortCutArrWithType(int type) {
  const auto file = shortcutFile(type);
  if (!file) return std::nullopt;
  const auto list = platform::readPlistFile(platform::joinPath(documentsFolder(kShortCutDir), *file));
  if (!list || !platform::isArray(*list)) return std::nullopt;
  return list;
}

void AppDelegate::saveShortCutArr(const platform::Value& array, int type) {
  const auto file = shortcutFile(type);
  if (!file) return;
  const std::string folder = documentsFolder(kShortCutDir);
  if (!platform::createDirectory(folder)) return;
  platform::writePlistFile(platform::joinPath(folder, *file), array);
}

// ---- Network status --------------------------------------------------------------

void AppDelegate::networkChanged(const platform::Notification& notification) {
  const long long status = platform::intValueOf(notification.userInfo, platform::net::kReachabilityStatusKey);
  setNetworkStatus(static_cast<int>(status));
  if (netWorkToastFlag_ && !HUD()) {
    showNotice(networkNoticeText(status));
    if (status == platform::net::kReachabilityViaMobile || status == platform::net::kReachabilityViaWiFi)
      SysMsgNumHelper::shareHelper().reGetmessageNum();
  }
  netWorkToastFlag_ = true;
}

}  // namespace vorn
