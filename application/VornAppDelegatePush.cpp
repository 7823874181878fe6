// Remote notifications, the application badge and the life events: a push opens
// its card (at once, or after asking while the application is in front), a push
// without a type only refreshes the counts and the open conversation, and the
// unread counts become the badge.
#include <any>
#include <cstdint>
#include <cstdio>

#include "application/VornAppDelegate.h"
#include "core/LaunchKeys.h"
#include "core/StartupKeys.h"
#include "core/StartupPrompts.h"
#include "core/SysMsgNumHelper.h"
#include "core/UserData.h"
#include "home/PushView.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/PushService.h"
#include "platform/services/SystemSound.h"
#include "platform/ui/AlertDialog.h"
#include "platform/ui/Application.h"
#include "platform/ui/Responder.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

constexpr char kPushApsKey[] = "aps";
constexpr char kPushAlertKey[] = "alert";
constexpr char kPushSoundFile[] = "/System/Library/Audio/UISounds/sms-received1.caf";
// Every orientation but upside down, or portrait only.
constexpr unsigned kOrientationsAllButUpsideDown = 26;
constexpr unsigned kOrientationPortrait = 2;

void playPushSound() {
  auto& sounds = platform::services::SystemSound::shared();
  if (auto sound = sounds.createSound(kPushSoundFile)) {
    sounds.playAlertSound(*sound);
  } else {
    sounds.playSound(platform::services::kSystemSoundVibrate);
  }
}

}  // namespace

// ---- Badge ---------------------------------------------------------------------

void VornAppDelegate::reciveSysMsgNumHelperGetMsgNumNotification(const platform::Notification& notification) {
  auto& application = platform::Application::sharedApplication();
  if (!UserData::userDataInit().checkLogin()) {
    application.setApplicationIconBadgeNumber(0);
    return;
  }
  const auto* counts = std::any_cast<platform::Value>(&notification.object);
  if (!counts || !platform::isDictionary(*counts)) return;
  long long total = platform::intValueOf(*counts, kMsgNumKey) + platform::intValueOf(*counts, kNoticeNumKey) +
                    platform::intValueOf(*counts, kReplyNumKey);
  if (total < 0) total = 0;
  const int badge = total > INT32_MAX ? INT32_MAX : static_cast<int>(total);
  platform::services::PushService::shared().setBadge(badge);
  application.setApplicationIconBadgeNumber(badge);
}

// ---- Remote notifications --------------------------------------------------------

void VornAppDelegate::didRegisterForRemoteNotificationsWithDeviceToken(platform::Application&, const std::string& token) {
  std::string hex;
  for (unsigned char byte : token) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", byte);
    hex += pair;
  }
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  defaults.setString(kDeviceNoKey, hex);
  defaults.synchronize();
  platform::services::PushService::shared().registerDeviceToken(platform::Bytes(token.begin(), token.end()));
}

void VornAppDelegate::didReceiveRemoteNotification(platform::Application& app, const platform::Value& userInfo) {
  platform::services::PushService::shared().handleRemoteNotification(userInfo);
  playPushSound();
  if (platform::hasKey(userInfo, kPushIdKey)) pushNewsId_ = platform::plainTextOf(userInfo, kPushIdKey);
  if (!platform::hasKey(userInfo, kPushTypeKey)) {
    SysMsgNumHelper::shareHelper().reGetmessageNum();
    platform::NotificationCenter::defaultCenter().post(kGetMsgContentByNotification);
    return;
  }
  pushType_ = static_cast<int>(
      platform::intValueOf(platform::Value(platform::textOf(platform::valueFor(userInfo, kPushTypeKey)))));
  switch (app.applicationState()) {
    case platform::ApplicationState::Inactive:
      openPushCard();
      break;
    case platform::ApplicationState::Active: {
      const std::string message = platform::plainTextOf(platform::valueFor(userInfo, kPushApsKey), kPushAlertKey);
      auto alert = platform::AlertDialog::initWithTitle("", message, alertDelegate(), kPushAlertCancel,
                                                        {kPushAlertView});
      alert->setTag(kPushAlertTag);
      alert->show();
      break;
    }
    case platform::ApplicationState::Background:
      break;
  }
}

void VornAppDelegate::openPushCard() {
  if (auto* responder = platform::Responder::currentFirstResponder()) responder->resignFirstResponder();
  auto card = PushView::initWithFrame(platform::Screen::mainScreen().bounds(), pushType_, pushNewsId_);
  pushNewsId_ = "0";
  pushType_ = 1;
  if (auto main = window()) main->addSubview(card);
}

void VornAppDelegate::getPushData() {
  if (shouldPopPush() && canPopPush()) {
    openPushCard();
    return;
  }
  if (!modalContainers().settingsNavController() && !featuresShown() && !shouldPopUpComment() && !shouldPopUpUpdate())
    checkChangeThemeNofity();
}

// ---- Life events -----------------------------------------------------------------

void VornAppDelegate::applicationDidEnterBackground(platform::Application& app) {
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  const auto task = app.beginBackgroundTask([weak] {
    platform::dispatchMain([weak] {
      auto self = weak.lock();
      if (!self || self->bgTask() == platform::kInvalidBackgroundTask) return;
      platform::Application::sharedApplication().endBackgroundTask(self->bgTask());
      self->setBgTask(static_cast<unsigned>(platform::kInvalidBackgroundTask));
    });
  });
  setBgTask(static_cast<unsigned>(task));
  SysMsgNumHelper::shareHelper().reGetmessageNum();
}

void VornAppDelegate::applicationWillEnterForeground(platform::Application&) {
  SysMsgNumHelper::shareHelper().reGetmessageNum();
  platform::NotificationCenter::defaultCenter().post(kGetMsgContentByNotification);
}

void VornAppDelegate::applicationDidBecomeActive(platform::Application&) {
  SysMsgNumHelper::shareHelper().reGetmessageNum();
}

unsigned VornAppDelegate::supportedInterfaceOrientationsForWindow(platform::Application&) {
  return shouldAutorate() ? kOrientationsAllButUpsideDown : kOrientationPortrait;
}

}  // namespace vorn
