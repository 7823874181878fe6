#pragma once
// What the application tells its delegate. Every operation is optional.
#include <string>

#include "platform/foundation/Value.h"

namespace platform {

class Application;

class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;
  virtual bool didFinishLaunchingWithOptions(Application& app, const Value& options) {
    (void)app; (void)options;
    return true;
  }
  virtual void applicationWillResignActive(Application& app) { (void)app; }
  virtual void applicationDidEnterBackground(Application& app) { (void)app; }
  virtual void applicationWillEnterForeground(Application& app) { (void)app; }
  virtual void applicationDidBecomeActive(Application& app) { (void)app; }
  virtual void applicationWillTerminate(Application& app) { (void)app; }
  virtual void applicationDidReceiveMemoryWarning(Application& app) { (void)app; }
  // An incoming address; the default asks handleOpenURL.
  virtual bool openURL(Application& app, const std::string& url, const std::string& sourceApplication,
                       const Value& annotation) {
    (void)sourceApplication; (void)annotation;
    return handleOpenURL(app, url);
  }
  virtual bool handleOpenURL(Application& app, const std::string& url) { (void)app; (void)url; return false; }
  // The push service's answer to a registration: the device token's raw bytes.
  virtual void didRegisterForRemoteNotificationsWithDeviceToken(Application& app, const std::string& token) {
    (void)app; (void)token;
  }
  virtual void didFailToRegisterForRemoteNotificationsWithError(Application& app, const std::string& error) {
    (void)app; (void)error;
  }
  virtual void didReceiveRemoteNotification(Application& app, const Value& userInfo) { (void)app; (void)userInfo; }
  // Orientations the application allows in a window (all but upside down by default).
  virtual unsigned supportedInterfaceOrientationsForWindow(Application& app) { (void)app; return 26; }
};

}  // namespace platform
