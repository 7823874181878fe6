#pragma once
// The fixture of the application delegate's services: the portal fixture with a
// fresh platform (application, outside services, system notices, the status-bar
// notice) and the delegate's observers registered.
#include <any>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/UserData.h"
#include "net/PortalTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/ServicesReset.h"
#include "platform/ui/Application.h"
#include "platform/ui/StatusBarNotice.h"
#include "platform/ui/SystemNotice.h"

namespace vorn::test {

class ServicesFixture : public PortalTest {
 protected:
  void SetUp() override {
    PortalTest::SetUp();
    platform::Application::sharedApplication().reset();
    platform::services::resetAllServices();
    platform::StatusBarNotice::shared().reset();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    delegate().addServiceObservers();
  }
  void TearDown() override {
    platform::StatusBarNotice::shared().reset();
    platform::Application::sharedApplication().reset();
    platform::services::resetAllServices();
    PortalTest::TearDown();
  }

  static platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }
  static platform::Application& app() { return platform::Application::sharedApplication(); }

  static void signIn(const std::string& uid) {
    defaults().setObject(kUserLoginInfo, platform::Value{{"status", "1"}, {"uid", uid}, {"CookieId", "c" + uid}});
  }
  // Runs until every request has been answered and nothing is due.
  void settle() { platform::RunLoop::main().settle(); }

  // Every post of `name` from now on: its object when it carried a Value, else null.
  std::vector<std::optional<platform::Value>>& record(const std::string& name) {
    auto& list = posts_[name];
    platform::NotificationCenter::defaultCenter().addObserver(this, name, [&list](const platform::Notification& n) {
      const auto* value = std::any_cast<platform::Value>(&n.object);
      list.push_back(value ? std::optional<platform::Value>(*value) : std::nullopt);
    });
    return list;
  }

  // The dialogs and alerts on screen now, oldest first.
  static std::vector<platform::SystemNotice> panels() {
    std::vector<platform::SystemNotice> out;
    for (const auto& panel : platform::visibleSystemNoticePanels()) out.push_back(panel->notice());
    return out;
  }
  static std::vector<std::int64_t> panelTags() {
    std::vector<std::int64_t> tags;
    for (const auto& notice : panels()) tags.push_back(notice.tag);
    return tags;
  }

  std::map<std::string, std::vector<std::optional<platform::Value>>> posts_;
};

}  // namespace vorn::test
