#include "UiTestFixture.h"
#include "platform/ui/Application.h"
#include "platform/ui/ViewController.h"

namespace platform::testing {
namespace {

struct RecordingDelegate : ApplicationDelegate {
  std::vector<std::string> calls;
  Value launchOptions;
  bool didFinishLaunchingWithOptions(Application&, const Value& options) override {
    calls.push_back("launch");
    launchOptions = options;
    return true;
  }
  void applicationWillResignActive(Application&) override { calls.push_back("willResign"); }
  void applicationDidEnterBackground(Application&) override { calls.push_back("background"); }
  void applicationWillEnterForeground(Application&) override { calls.push_back("foreground"); }
  void applicationDidBecomeActive(Application&) override { calls.push_back("active"); }
  bool openURL(Application&, const std::string& url, const std::string& source, const Value&) override {
    calls.push_back("open " + url + " from " + source);
    return true;
  }
  void didRegisterForRemoteNotificationsWithDeviceToken(Application&, const std::string& token) override {
    calls.push_back("token " + std::to_string(token.size()));
  }
  void didReceiveRemoteNotification(Application& app, const Value& info) override {
    calls.push_back("push " + info.dump() + " state " + std::to_string(int(app.applicationState())));
  }
};

class ApplicationLifecycleTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    delegate = std::make_shared<RecordingDelegate>();
    Application::sharedApplication().setDelegate(delegate);
  }
  Application& app() { return Application::sharedApplication(); }
  std::shared_ptr<RecordingDelegate> delegate;
};

using Calls = std::vector<std::string>;

TEST_F(ApplicationLifecycleTest, StatesMoveThroughEveryLifecycleCall) {
  std::vector<std::string> notices;
  for (auto* name : {kApplicationWillResignActiveNotification, kApplicationDidEnterBackgroundNotification,
                     kApplicationWillEnterForegroundNotification, kApplicationDidBecomeActiveNotification})
    NotificationCenter::defaultCenter().addObserver(this, name, [&](const Notification& n) { notices.push_back(n.name); });
  app().launch();
  EXPECT_EQ(app().applicationState(), ApplicationState::Active);
  app().setApplicationState(ApplicationState::Background);
  app().setApplicationState(ApplicationState::Active);
  app().setApplicationState(ApplicationState::Inactive);
  EXPECT_EQ(delegate->calls, (Calls{"launch", "active", "willResign", "background", "foreground", "active",
                                    "willResign"}));
  EXPECT_EQ(notices.size(), 6u);
  NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(ApplicationLifecycleTest, IncomingAddressesAndPushesBeforeLaunchBecomeLaunchOptions) {
  app().receiveRemoteNotification(*parseJson(R"({"aps":{"alert":"hi"}})"));
  EXPECT_EQ(delegate->calls, (Calls{"launch", "active"}));
  EXPECT_EQ(valueFor(valueFor(delegate->launchOptions, kLaunchOptionsRemoteNotificationKey), "aps")["alert"], "hi");

  app().receiveURL("vorn://open?id=1", "com.example.source");
  app().receiveRemoteNotification(*parseJson(R"({"id":7})"));
  EXPECT_EQ(delegate->calls[2], "open vorn://open?id=1 from com.example.source");
  EXPECT_EQ(delegate->calls[3], R"(push {"id":7} state 0)");
}

TEST_F(ApplicationLifecycleTest, OutgoingAddressesAreRecordedWhenTheSchemeCanBeOpened) {
  EXPECT_TRUE(app().openURL("tel://10086"));
  EXPECT_FALSE(app().openURL("weixin://"));
  app().setCanOpenScheme("weixin", true);
  EXPECT_TRUE(app().canOpenURL("weixin://dl"));
  EXPECT_TRUE(app().openURL("weixin://dl"));
  app().setCanOpenScheme("tel", false);
  EXPECT_FALSE(app().openURL("tel://110"));
  ASSERT_EQ(app().openedURLs().size(), 2u);
  EXPECT_EQ(app().openedURLs()[0].url, "tel://10086");
  EXPECT_EQ(app().openedURLs()[1].url, "weixin://dl");
}

TEST_F(ApplicationLifecycleTest, RemoteRegistrationBadgeAndBackgroundTasks) {
  app().registerForRemoteNotificationTypes(RemoteNotificationType::Alert | RemoteNotificationType::Badge);
  EXPECT_EQ(app().enabledRemoteNotificationTypes(), 5u);
  app().deliverDeviceToken(std::string(32, '\x01'));
  EXPECT_EQ(delegate->calls.back(), "token 32");
  app().setApplicationIconBadgeNumber(3);
  EXPECT_EQ(app().applicationIconBadgeNumber(), 3);

  int expired = 0;
  auto task = app().beginBackgroundTask([&] { ++expired; });
  auto ended = app().beginBackgroundTask([&] { expired += 100; });
  app().endBackgroundTask(ended);
  app().expireBackgroundTasks();
  EXPECT_EQ(expired, 1);
  app().endBackgroundTask(task);
  EXPECT_EQ(app().runningBackgroundTasks(), 0u);
}

TEST_F(ApplicationLifecycleTest, WindowsAreOrderedByLevelAndTheFrontOneTakesTheTouch) {
  auto main = makeWindow();
  auto alert = Window::create({0, 0, 320, 568});
  alert->setWindowLevel(WindowLevel::Alert);
  auto bar = Window::create({0, 0, 320, 20});
  bar->setWindowLevel(WindowLevel::StatusBar);
  bar->setHidden(false);
  auto list = app().windows();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0], main);
  EXPECT_EQ(list[1], bar);
  EXPECT_EQ(list[2], alert);
  EXPECT_EQ(app().windowAt({10, 10}), bar);  // the alert window is still hidden
  alert->makeKeyAndVisible();
  EXPECT_EQ(app().windowAt({10, 10}), alert);
  EXPECT_EQ(app().keyWindow(), alert);
  EXPECT_EQ(app().windowAt({10, 100}), alert);
  list.clear();
  alert.reset();
  EXPECT_EQ(app().windows().size(), 2u);
  EXPECT_EQ(app().windowAt({10, 100}), main);
}

}  // namespace
}  // namespace platform::testing
