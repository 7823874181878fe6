#include "platform/ui/Application.h"

#include <algorithm>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Device.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

namespace platform {

Application& Application::sharedApplication() {
  static Application* app = new Application();  // lives for the process
  return *app;
}

void Application::post(const char* name) { NotificationCenter::defaultCenter().post(name, this); }

bool Application::launch(const Value& options) {
  if (launched_) return true;
  launched_ = true;
  state_ = ApplicationState::Inactive;
  bool ok = true;
  if (delegate_) ok = delegate_->didFinishLaunchingWithOptions(*this, options);
  post(kApplicationDidFinishLaunchingNotification);
  if (ok && delegate_) {
    const Value& url = valueFor(options, kLaunchOptionsURLKey);
    const Value& source = valueFor(options, kLaunchOptionsSourceApplicationKey);
    if (url.is_string() && !url.get<std::string>().empty())
      delegate_->openURL(*this, url.get<std::string>(), source.is_string() ? source.get<std::string>() : "",
                         Value());
  }
  setApplicationState(ApplicationState::Active);
  return ok;
}

void Application::setApplicationState(ApplicationState target) {
  while (state_ != target) {
    if (state_ == ApplicationState::Active) {
      if (delegate_) delegate_->applicationWillResignActive(*this);
      post(kApplicationWillResignActiveNotification);
      state_ = ApplicationState::Inactive;
    } else if (state_ == ApplicationState::Inactive && target == ApplicationState::Background) {
      state_ = ApplicationState::Background;
      if (delegate_) delegate_->applicationDidEnterBackground(*this);
      post(kApplicationDidEnterBackgroundNotification);
    } else if (state_ == ApplicationState::Inactive) {
      state_ = ApplicationState::Active;
      if (delegate_) delegate_->applicationDidBecomeActive(*this);
      post(kApplicationDidBecomeActiveNotification);
    } else {  // background → inactive
      state_ = ApplicationState::Inactive;
      if (delegate_) delegate_->applicationWillEnterForeground(*this);
      post(kApplicationWillEnterForegroundNotification);
    }
  }
}

void Application::terminate() {
  if (state_ == ApplicationState::Active) setApplicationState(ApplicationState::Inactive);
  if (delegate_) delegate_->applicationWillTerminate(*this);
  post(kApplicationWillTerminateNotification);
}

void Application::simulateMemoryWarning() {
  if (delegate_) delegate_->applicationDidReceiveMemoryWarning(*this);
  post(kApplicationDidReceiveMemoryWarningNotification);
  for (auto& vc : ViewController::reachableControllers()) vc->didReceiveMemoryWarning();
}

// Windows.

std::vector<std::shared_ptr<Window>> Application::windows() const {
  std::vector<std::shared_ptr<Window>> out;
  for (auto& w : windows_)
    if (auto s = w.lock()) out.push_back(s);
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a->windowLevel() < b->windowLevel(); });
  return out;
}

void Application::registerWindow(const std::shared_ptr<Window>& window, bool toFront) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](auto& w) { return w.lock() == window; });
  if (it != windows_.end()) {
    if (!toFront) return;
    windows_.erase(it);
  }
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [](auto& w) { return w.expired(); }),
                 windows_.end());
  windows_.push_back(window);
}

void Application::unregisterWindow(const Window* window) {
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                [&](auto& w) { return w.expired() || w.lock().get() == window; }),
                 windows_.end());
}

void Application::setKeyWindow(const std::shared_ptr<Window>& window) { keyWindow_ = window; }

std::shared_ptr<Window> Application::windowAt(Point screenPoint) const {
  auto list = windows();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    auto& w = *it;
    if (w->isHidden()) continue;
    Rect f = w->frame();
    Point p{screenPoint.x - f.x(), screenPoint.y - f.y()};
    if (w->hitTest(p)) return w;
  }
  return nullptr;
}

// Addresses.

bool Application::receiveURL(const std::string& url, const std::string& sourceApplication, const Value& annotation) {
  if (!launched_) {
    Value options = Value::object();
    options[kLaunchOptionsURLKey] = url;
    if (!sourceApplication.empty()) options[kLaunchOptionsSourceApplicationKey] = sourceApplication;
    return launch(options);
  }
  if (!delegate_) return false;
  return delegate_->openURL(*this, url, sourceApplication, annotation);
}

namespace {
std::string schemeOf(const std::string& url) {
  auto colon = url.find(':');
  if (colon == std::string::npos) return {};
  std::string s = url.substr(0, colon);
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}
}  // namespace

bool Application::canOpenURL(const std::string& url) const {
  std::string scheme = schemeOf(url);
  if (scheme.empty()) return false;
  auto it = schemes_.find(scheme);
  if (it != schemes_.end()) return it->second;
  static const char* defaults[] = {"http", "https", "tel", "telprompt", "mailto", "sms", "itms-apps", "itms"};
  for (auto* d : defaults)
    if (scheme == d) return true;
  return false;
}

bool Application::openURL(const std::string& url) {
  if (!canOpenURL(url)) return false;
  OpenedURL entry{RunLoop::main().now(), url};
  opened_.push_back(entry);
  if (openListener_) openListener_(entry);
  return true;
}

void Application::setCanOpenScheme(const std::string& scheme, bool can) { schemes_[scheme] = can; }

// Remote notifications.

void Application::registerForRemoteNotificationTypes(unsigned types) {
  registered_ = true;
  registeredTypes_ = types;
}

void Application::deliverDeviceToken(const std::string& tokenBytes) {
  if (delegate_) delegate_->didRegisterForRemoteNotificationsWithDeviceToken(*this, tokenBytes);
}

void Application::deliverRegistrationError(const std::string& error) {
  if (delegate_) delegate_->didFailToRegisterForRemoteNotificationsWithError(*this, error);
}

void Application::receiveRemoteNotification(const Value& payload) {
  if (!launched_) {
    Value options = Value::object();
    options[kLaunchOptionsRemoteNotificationKey] = payload;
    launch(options);
    return;
  }
  if (delegate_) delegate_->didReceiveRemoteNotification(*this, payload);
}

void Application::setStatusBarOrientation(InterfaceOrientation o, bool animated) {
  (void)animated;
  if (o == orientation_) return;
  auto& center = NotificationCenter::defaultCenter();
  center.post(kApplicationWillChangeStatusBarOrientationNotification, {},
              Value{{kApplicationStatusBarOrientationUserInfoKey, static_cast<int>(o)}});
  auto old = orientation_;
  orientation_ = o;
  center.post(kApplicationDidChangeStatusBarOrientationNotification, {},
              Value{{kApplicationStatusBarOrientationUserInfoKey, static_cast<int>(old)}});
}

Rect Application::statusBarFrame() const {
  if (statusBarHidden_) return {};
  return {0, 0, Screen::mainScreen().bounds().width(), 20};
}

void Application::setNeedsStatusBarAppearanceUpdate() {
  std::shared_ptr<ViewController> top;
  for (auto& w : windows())
    if (!w->isHidden() && w->rootViewController()) top = w->rootViewController();
  if (!top) return;
  while (top->presentedViewController()) top = top->presentedViewController();
  statusBarStyle_ = top->preferredStatusBarStyle();
  statusBarHidden_ = top->prefersStatusBarHidden();
}

// Background tasks.

BackgroundTaskId Application::beginBackgroundTask(std::function<void()> expirationHandler) {
  BackgroundTaskId id = nextTask_++;
  backgroundTasks_[id] = std::move(expirationHandler);
  return id;
}

void Application::endBackgroundTask(BackgroundTaskId id) { backgroundTasks_.erase(id); }

void Application::expireBackgroundTasks() {
  auto tasks = backgroundTasks_;
  for (auto& [id, handler] : tasks)
    if (handler && backgroundTasks_.count(id)) handler();
}

void Application::reset() {
  if (auto* first = Responder::currentFirstResponder()) first->resignFirstResponder();
  for (auto& w : windows()) {
    if (auto root = w->rootViewController()) root->windowRoot_ = false;
  }
  *this = Application();
  Screen::mainScreen().reset();
  Device::currentDevice().reset();
  Keyboard::shared().reset();
  View::setAnimationsEnabled(true);
}

}  // namespace platform
