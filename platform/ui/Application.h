#pragma once
// The running application: one shared instance with a delegate, the window
// list, lifecycle state, incoming addresses and remote notifications, the icon
// badge, the status bar, outgoing addresses (recorded, answers set by tests),
// background tasks and the switch that ignores touches.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/ApplicationDelegate.h"
#include "platform/ui/Responder.h"
#include "platform/ui/ViewController.h"

namespace platform {

class Window;

enum class ApplicationState { Active = 0, Inactive = 1, Background = 2 };

inline constexpr char kApplicationDidFinishLaunchingNotification[] = "UIApplicationDidFinishLaunchingNotification";
inline constexpr char kApplicationWillResignActiveNotification[] = "UIApplicationWillResignActiveNotification";
inline constexpr char kApplicationDidEnterBackgroundNotification[] = "UIApplicationDidEnterBackgroundNotification";
inline constexpr char kApplicationWillEnterForegroundNotification[] = "UIApplicationWillEnterForegroundNotification";
inline constexpr char kApplicationDidBecomeActiveNotification[] = "UIApplicationDidBecomeActiveNotification";
inline constexpr char kApplicationWillTerminateNotification[] = "UIApplicationWillTerminateNotification";
inline constexpr char kApplicationDidReceiveMemoryWarningNotification[] =
    "UIApplicationDidReceiveMemoryWarningNotification";
// Posted around a change of the status bar's orientation; the user info holds
// the new orientation (will) or the old one (did) under the orientation key.
inline constexpr char kApplicationWillChangeStatusBarOrientationNotification[] =
    "UIApplicationWillChangeStatusBarOrientationNotification";
inline constexpr char kApplicationDidChangeStatusBarOrientationNotification[] =
    "UIApplicationDidChangeStatusBarOrientationNotification";
inline constexpr char kApplicationStatusBarOrientationUserInfoKey[] = "UIApplicationStatusBarOrientationUserInfoKey";
inline constexpr char kLaunchOptionsURLKey[] = "UIApplicationLaunchOptionsURLKey";
inline constexpr char kLaunchOptionsSourceApplicationKey[] = "UIApplicationLaunchOptionsSourceApplicationKey";
inline constexpr char kLaunchOptionsRemoteNotificationKey[] = "UIApplicationLaunchOptionsRemoteNotificationKey";

using BackgroundTaskId = std::uint64_t;
inline constexpr BackgroundTaskId kInvalidBackgroundTask = 0;

// Remote-notification kinds (bit values as the platform numbers them).
namespace RemoteNotificationType {
inline constexpr unsigned None = 0;
inline constexpr unsigned Badge = 1u << 0;
inline constexpr unsigned Sound = 1u << 1;
inline constexpr unsigned Alert = 1u << 2;
}  // namespace RemoteNotificationType

class Application : public Responder {
 public:
  static Application& sharedApplication();
  std::string className() const override { return "Application"; }

  // The delegate is kept alive by the application.
  void setDelegate(std::shared_ptr<ApplicationDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<ApplicationDelegate> delegate() const { return delegate_; }

  // Launch: didFinishLaunchingWithOptions, then (when it answered true and the
  // options carry an address) openURL, then the application becomes active.
  bool launch(const Value& options = Value());
  bool isLaunched() const { return launched_; }
  ApplicationState applicationState() const { return state_; }
  // Moves through the lifecycle calls and notifications to `state`.
  void setApplicationState(ApplicationState state);
  void terminate();
  void simulateMemoryWarning();

  // Windows, ordered back to front by level, then by when they were shown.
  std::vector<std::shared_ptr<Window>> windows() const;
  std::shared_ptr<Window> keyWindow() const { return keyWindow_.lock(); }
  // The window in front that contains `screenPoint` and takes touches there.
  std::shared_ptr<Window> windowAt(Point screenPoint) const;

  // Incoming addresses: handed to the delegate; answers what it answered.
  bool receiveURL(const std::string& url, const std::string& sourceApplication = {},
                  const Value& annotation = Value());
  // Outgoing addresses: recorded, and answered from the schemes tests allow
  // (http, https, tel, mailto, sms and itms-apps are allowed unless a test says otherwise).
  bool openURL(const std::string& url);
  bool canOpenURL(const std::string& url) const;
  void setCanOpenScheme(const std::string& scheme, bool can);
  struct OpenedURL {
    double time;
    std::string url;
  };
  const std::vector<OpenedURL>& openedURLs() const { return opened_; }
  void setOpenURLListener(std::function<void(const OpenedURL&)> listener) { openListener_ = std::move(listener); }

  // Remote notifications.
  void registerForRemoteNotificationTypes(unsigned types);
  void registerForRemoteNotifications() { registerForRemoteNotificationTypes(7); }
  void unregisterForRemoteNotifications() { registeredTypes_ = 0; registered_ = false; }
  bool isRegisteredForRemoteNotifications() const { return registered_; }
  unsigned enabledRemoteNotificationTypes() const { return registeredTypes_; }
  // The push service answers (tests and the services stand-in call these).
  void deliverDeviceToken(const std::string& tokenBytes);
  void deliverRegistrationError(const std::string& error);
  // A remote notification arrives: before launch it becomes the launch option,
  // otherwise the delegate hears it in the current state.
  void receiveRemoteNotification(const Value& payload);

  int applicationIconBadgeNumber() const { return badge_; }
  void setApplicationIconBadgeNumber(int n) { badge_ = n < 0 ? 0 : n; }

  // Status bar.
  StatusBarStyle statusBarStyle() const { return statusBarStyle_; }
  void setStatusBarStyle(StatusBarStyle s, bool animated = false) { (void)animated; statusBarStyle_ = s; }
  bool isStatusBarHidden() const { return statusBarHidden_; }
  void setStatusBarHidden(bool hidden, bool animated = false) { (void)animated; statusBarHidden_ = hidden; }
  InterfaceOrientation statusBarOrientation() const { return orientation_; }
  // Moves the status bar only; the screens keep the orientation they are laid
  // out for until the interface rotates.
  void setStatusBarOrientation(InterfaceOrientation o, bool animated = false);
  // The orientation the windows' screens are laid out for (see ViewController's
  // rotation); it differs from the status bar's only after code set that by hand.
  InterfaceOrientation interfaceOrientation() const { return interfaceOrientation_; }
  Rect statusBarFrame() const;
  bool isNetworkActivityIndicatorVisible() const { return networkActivity_; }
  void setNetworkActivityIndicatorVisible(bool on) { networkActivity_ = on; }
  bool isIdleTimerDisabled() const { return idleTimerDisabled_; }
  void setIdleTimerDisabled(bool on) { idleTimerDisabled_ = on; }
  // Asks the front controller for its status-bar answers (style, hidden).
  void setNeedsStatusBarAppearanceUpdate();

  // Background tasks: the expiry handler runs when tests call expireBackgroundTasks.
  BackgroundTaskId beginBackgroundTask(std::function<void()> expirationHandler);
  void endBackgroundTask(BackgroundTaskId id);
  std::size_t runningBackgroundTasks() const { return backgroundTasks_.size(); }
  void expireBackgroundTasks();
  double backgroundTimeRemaining() const { return state_ == ApplicationState::Background ? 600 : 1e300; }

  // While ignoring, the windows drop touches.
  void beginIgnoringInteractionEvents() { ++ignoring_; }
  void endIgnoringInteractionEvents() { if (ignoring_ > 0) --ignoring_; }
  bool isIgnoringInteractionEvents() const { return ignoring_ > 0; }

  // Back to a freshly started application (tests): no delegate, no windows,
  // state inactive, nothing recorded; screen, device and keyboard reset too.
  void reset();

 private:
  friend class Window;
  friend class ViewController;
  Application() = default;
  void registerWindow(const std::shared_ptr<Window>& window, bool toFront);
  void unregisterWindow(const Window* window);
  void setKeyWindow(const std::shared_ptr<Window>& window);
  void post(const char* name);

  std::shared_ptr<ApplicationDelegate> delegate_;
  bool launched_ = false;
  ApplicationState state_ = ApplicationState::Inactive;
  std::vector<std::weak_ptr<Window>> windows_;
  std::weak_ptr<Window> keyWindow_;
  std::vector<OpenedURL> opened_;
  std::function<void(const OpenedURL&)> openListener_;
  std::map<std::string, bool> schemes_;
  bool registered_ = false;
  unsigned registeredTypes_ = 0;
  int badge_ = 0;
  StatusBarStyle statusBarStyle_ = StatusBarStyle::Default;
  bool statusBarHidden_ = false;
  InterfaceOrientation orientation_ = InterfaceOrientation::Portrait;
  InterfaceOrientation interfaceOrientation_ = InterfaceOrientation::Portrait;
  bool networkActivity_ = false;
  bool idleTimerDisabled_ = false;
  std::map<BackgroundTaskId, std::function<void()>> backgroundTasks_;
  BackgroundTaskId nextTask_ = 1;
  int ignoring_ = 0;
};

}  // namespace platform
