#pragma once
// The shared fixture with the app's host roles pointed at the test's demo
// portal, a fresh API client for them, and a fresh application delegate whose
// notices are counted.
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "net/Vorn5CacheClient.h"
#include "platform/ui/ProgressHud.h"
#include "platform/ui/SystemNotice.h"
#include "support/VornTest.h"

namespace vorn::test {

class PortalTest : public VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    Vorn5CacheClient::sharedClient().init();
    platform::resetSystemNotices();
    platform::setSystemNoticeListener([this](const platform::SystemNotice& notice) {
      if (notice.kind == platform::kNoticeKindHud) notices_.push_back(notice.title);
    });
  }
  void TearDown() override {
    platform::resetSystemNotices();
    Vorn5APIClient::resetSharedClient();
    AppDelegate::setSharedAppDelegate(nullptr);
    VornTest::TearDown();
  }
  void prepareHostRoles(const std::string& portalBaseUrl) override {
    PortalHosts::setAllBaseUrls(portalBaseUrl);
    Vorn5APIClient::resetSharedClient();
  }

  static VornAppDelegate& delegate() { return *VornAppDelegate::shared(); }
  static Vorn5APIClient& api() { return Vorn5APIClient::sharedClient(); }
  static Vorn5CacheClient& caches() { return Vorn5CacheClient::sharedClient(); }
  std::string url(const std::string& path) { return portal().baseUrl() + path; }

  // The text of every notice box shown during the test, in order.
  std::vector<std::string> notices_;
};

}  // namespace vorn::test
