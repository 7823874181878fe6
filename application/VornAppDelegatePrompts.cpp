// What the application asks once the launch picture has gone: at most one of
// the draft notice, the rating request and the update notice, then the pending
// push or the theme offer; the answers to all of the delegate's alerts; and the
// status-bar notices that follow the forum's send queue.
#include <any>
#include <string>

#include "application/VornAppDelegate.h"
#include "core/StartupKeys.h"
#include "core/PhoneData.h"
#include "core/StartupPrompts.h"
#include "core/SysMsgNumHelper.h"
#include "core/ParentViewController.h"
#include "forum/compose/DraftBoxController.h"
#include "forum/compose/SendPostQueue.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/net/Reachability.h"
#include "platform/ui/AlertDialog.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/StatusBarNotice.h"

namespace vorn {
namespace {

constexpr int kNightFromHour = 21;
constexpr int kNightToHour = 23;
constexpr int kDayFromHour = 8;
constexpr int kDayToHour = 11;

platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }

// The delegate's alerts answer through this object, which the dialogs hold weakly.
class AlertAnswers : public platform::AlertDialogDelegate {
 public:
  explicit AlertAnswers(std::weak_ptr<VornAppDelegate> owner) : owner_(std::move(owner)) {}
  void willDismissWithButtonIndex(platform::AlertDialog& dialog, int buttonIndex) override {
    if (auto owner = owner_.lock()) owner->willDismissWithButtonIndex(dialog, buttonIndex);
  }
  void didDismissWithButtonIndex(platform::AlertDialog& dialog, int buttonIndex) override {
    if (auto owner = owner_.lock()) owner->didDismissWithButtonIndex(dialog, buttonIndex);
  }

 private:
  std::weak_ptr<VornAppDelegate> owner_;
};

// The notice pattern with each "%@" filled in turn.
std::string fillIn(std::string pattern, std::initializer_list<std::string> values) {
  for (const std::string& value : values) {
    const auto at = pattern.find("%@");
    if (at == std::string::npos) break;
    pattern.replace(at, 2, value);
  }
  return pattern;
}

bool isCancel(const platform::AlertDialog& alertView, int buttonIndex) {
  return buttonIndex == alertView.cancelButtonIndex();
}

// The first character of the system version, as the store addresses depend on it.
bool storeOpensWebPage() {
  const std::string& version = platform::Device::currentDevice().systemVersion();
  return !version.empty() && (version[0] == '7' || version[0] == '8');
}

}  // namespace

std::shared_ptr<platform::AlertDialogDelegate> VornAppDelegate::alertDelegate() {
  if (!alertDelegate_) alertDelegate_ = std::make_shared<AlertAnswers>(weakApp());
  return alertDelegate_;
}

void VornAppDelegate::addServiceObservers() {
  auto& center = platform::NotificationCenter::defaultCenter();
  const void* owner = static_cast<const void*>(this);
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  const auto observe = [&](const char* name, void (VornAppDelegate::*handler)(const platform::Notification&)) {
    center.addObserver(owner, name, [weak, handler](const platform::Notification& notification) {
      if (auto self = weak.lock()) (self.get()->*handler)(notification);
    });
  };
  observe(kSysMsgNumHelperGetMsgNumNotification, &VornAppDelegate::reciveSysMsgNumHelperGetMsgNumNotification);
  observe(kGetLocationInfo, &AppDelegate::doGetLocationInfo);
  observe(platform::net::kReachabilityDidChangeNotification, &AppDelegate::networkChanged);
  observe(kSendPostBeginNotification, &VornAppDelegate::reciveSendBeginNotification);
  observe(kSendPostImageSuccessNotification, &VornAppDelegate::reciveSendPostImageSuccessNotification);
  observe(kSendPostSuccessNotification, &VornAppDelegate::reciveSendPostSuccessNotification);
  observe(kSendPostFaildNotification, &VornAppDelegate::reciveSendPostFaildNotification);
}

// ---- The start-up prompt -----------------------------------------------------------

void VornAppDelegate::showStartupPrompt() {
  auto& queue = SendPostQueue::shareQueue();
  const auto show = [this](const char* title, const char* message, const char* cancel, const char* other, int tag) {
    auto alert = platform::AlertDialog::initWithTitle(title, message, alertDelegate(), cancel, {other});
    alert->setTag(tag);
    alert->show();
  };
  if (queue.hasEditingDraft() || queue.hasSendingTempDraft()) {
    if (queue.hasEditingDraft()) {
      queue.saveDraft(queue.getEditingDraft());
      queue.removeEditingDraft();
    }
    if (queue.hasSendingTempDraft()) queue.setSendingTempDraftToNormalDraft();
    show("", kDraftAlertMessage, kDraftAlertCancel, kDraftAlertView, kDraftAlertTag);
  } else if (shouldPopUpComment()) {
    show("", kRatingAlertMessage, kRatingAlertCancel, kRatingAlertRate, kRatingAlertTag);
  } else if (shouldPopUpUpdate()) {
    show("", kUpdateAlertMessage, kUpdateAlertCancel, kUpdateAlertUpdate, kUpdateAlertTag);
  }
  getPushData();
}

void VornAppDelegate::checkChangeThemeNofity() {
  auto& store = defaults();
  const std::string version = platform::Bundle::mainBundle().bundleVersion();
  const auto themeVersion = store.stringForKey(kThemeVersionKey);
  if (!themeVersion || *themeVersion != version) {
    store.setBool(kThemeNormalHasAlertKey, false);
    store.setBool(kThemeBlackHasAlertKey, false);
    store.setString(kThemeVersionKey, version);
    store.synchronize();
  }
  const bool nightOffered = store.boolForKey(kThemeBlackHasAlertKey);
  const bool dayOffered = store.boolForKey(kThemeNormalHasAlertKey);
  const int hour = platform::currentHour();
  const auto offer = [this](const char* message, int tag) {
    auto alert = platform::AlertDialog::initWithTitle("", message, alertDelegate(), kThemeAlertCancel,
                                                      {kThemeAlertSwitch});
    alert->setTag(tag);
    alert->show();
  };
  if (!nightOffered && hour >= kNightFromHour && hour <= kNightToHour && getCurrentMode() == kThemeModeNormal) {
    store.setBool(kThemeBlackHasAlertKey, true);
    store.synchronize();
    offer(kNightModeAlertMessage, kNightModeAlertTag);
  }
  if (!dayOffered && hour >= kDayFromHour && hour <= kDayToHour && getCurrentMode() == kThemeModeBlack) {
    store.setBool(kThemeNormalHasAlertKey, true);
    store.synchronize();
    offer(kDayModeAlertMessage, kDayModeAlertTag);
  }
}

// ---- Alert answers -----------------------------------------------------------------

void VornAppDelegate::willDismissWithButtonIndex(platform::AlertDialog& alertView, int buttonIndex) {
  auto& store = defaults();
  auto& application = platform::Application::sharedApplication();
  switch (alertView.tag()) {
    case kRatingAlertTag:
      if (buttonIndex == 1) {
        application.openURL(storeOpensWebPage() ? kAppStoreWebPage : kAppStoreReviewPage);
        store.setString(kLaunchTimesKey, kLaunchTimesDone);
        store.synchronize();
      } else if (buttonIndex == 0) {
        store.removeObject(kLaunchTimesKey);
        store.synchronize();
      }
      break;
    case kUpdateAlertTag:
      if (isCancel(alertView, buttonIndex)) break;
      application.openURL(kAppStorePage);
      store.removeObject(kLaunchTimesKey);
      store.synchronize();
      break;
    case kPushAlertTag:
      if (!isCancel(alertView, buttonIndex)) openPushCard();
      break;
    case kDayModeAlertTag:
    case kNightModeAlertTag: {
      if (isCancel(alertView, buttonIndex)) break;
      store.setString(kThemeMode, alertView.tag() == kDayModeAlertTag ? kThemeModeNormal : kThemeModeBlack);
      if (store.synchronize())
        platform::NotificationCenter::defaultCenter().post(kThemeChangeNotify, static_cast<const void*>(this));
      break;
    }
    default:
      break;
  }
}

void VornAppDelegate::didDismissWithButtonIndex(platform::AlertDialog& alertView, int buttonIndex) {
  if (alertView.tag() != kDraftAlertTag || isCancel(alertView, buttonIndex)) return;
  openDraftBox();
}

void VornAppDelegate::openDraftBox() {
  if (auto home = homePageNavigationController()) home->pushChildViewController(std::make_shared<DraftBoxController>());
}

// ---- The send queue's notices ------------------------------------------------------

void VornAppDelegate::reciveSendBeginNotification(const platform::Notification& notification) {
  const auto* record = std::any_cast<platform::Value>(&notification.object);
  const platform::Value none;
  if (platform::countOf(platform::valueFor(record ? *record : none, kDraftPicDataKey)) != 0) return;
  platform::StatusBarNotice::shared().showWithStatus(kSendingNotice, true);
}

void VornAppDelegate::reciveSendPostImageSuccessNotification(const platform::Notification& notification) {
  const auto* progress = std::any_cast<platform::Value>(&notification.object);
  const platform::Value none;
  const platform::Value& info = progress ? *progress : none;
  if (platform::intValueOf(info, kSendTotalCountKey) <= 0) {
    platform::StatusBarNotice::shared().showWithStatus(kSendingNotice, true);
    return;
  }
  platform::StatusBarNotice::shared().showWithStatus(
      fillIn(kSendingPicturesNoticeFormat,
             {platform::plainTextOf(info, kSendCurrentIndexKey), platform::plainTextOf(info, kSendTotalCountKey)}),
      true);
}

void VornAppDelegate::reciveSendPostSuccessNotification(const platform::Notification&) {
  platform::StatusBarNotice::shared().showWithStatus(kSentNotice, kSendResultNoticeSeconds, true);
}

void VornAppDelegate::reciveSendPostFaildNotification(const platform::Notification&) {
  platform::StatusBarNotice::shared().showWithStatus(kSendFailedNotice, kSendResultNoticeSeconds, true);
}

}  // namespace vorn
