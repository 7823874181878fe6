#include "forum/compose/SendPostQueue.h"

#include <cstdio>

#include "platform/foundation/Date.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"

namespace vorn {
namespace {

constexpr char kDraftTimePattern[] = "yyyy-MM-dd HH:mm";

platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }

}  // namespace

SendPostQueue& SendPostQueue::shareQueue() {
  static SendPostQueue queue;
  return queue;
}

platform::Value SendPostQueue::loadDraft() const {
  return defaults().arrayForKey(kDraftListKey).value_or(platform::Value::array());
}

void SendPostQueue::saveDraft(const platform::Value& record) {
  platform::Value copy = platform::isDictionary(record) ? record : platform::dictionary();
  platform::Value list = loadDraft();
  const double now = platform::dateNow();
  copy[kDraftTimeKey] = platform::formatDate(now, kDraftTimePattern);

  bool matched = false;
  if (platform::hasKey(copy, kDraftTempIdKey)) {
    const std::string id = platform::textOf(copy, kDraftTempIdKey);
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (platform::textOf(list[i], kDraftTempIdKey) == id) {
        list.erase(i);
        matched = true;
        break;
      }
    }
  }
  if (!matched) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%f", now);
    copy[kDraftTempIdKey] = stamp;
  }
  list.insert(list.begin(), std::move(copy));
  if (list.size() > kDraftBoxLimit) list.erase(list.size() - 1);

  auto& store = defaults();
  store.setObject(kDraftListKey, list);
  store.setBool(kNewSaveFlagKey, true);
  store.synchronize();
  platform::NotificationCenter::defaultCenter().post(kDraftListDidChangedNotification);
}

bool SendPostQueue::hasNewSave() const { return defaults().boolForKey(kNewSaveFlagKey); }

bool SendPostQueue::hasEditingDraft() const { return defaults().hasObjectForKey(kEditingDraftKey); }

platform::Value SendPostQueue::getEditingDraft() const { return defaults().objectForKey(kEditingDraftKey); }

void SendPostQueue::removeEditingDraft() {
  defaults().removeObject(kEditingDraftKey);
  defaults().synchronize();
}

bool SendPostQueue::hasSendingTempDraft() const { return defaults().dictionaryForKey(kSendingDraftKey).has_value(); }

void SendPostQueue::removeTempDraft() {
  defaults().removeObject(kSendingDraftKey);
  defaults().synchronize();
}

void SendPostQueue::setSendingTempDraftToNormalDraft() {
  const auto sending = defaults().dictionaryForKey(kSendingDraftKey);
  if (!sending) return;
  saveDraft(*sending);
  removeTempDraft();
}

}  // namespace vorn
