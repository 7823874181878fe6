#include "support/VornTest.h"

#include <cstdlib>
#include <system_error>

#include "application/ApplicationHooks.h"
#include "net/PortalHosts.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"

namespace vorn::test {
namespace {

std::filesystem::path makeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorn-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return {};
  return pattern;
}

}  // namespace

void VornTest::SetUp() {
  platform::RunLoop::main().adoptCurrentThread();
  platform::RunLoop::main().useVirtualClock(kTestStartEpochSeconds);
  platform::NotificationCenter::defaultCenter().reset();
  // What the application hands the lower layers at start (the cookie, the
  // theme, the network notice, the shared components' openers).
  vorn::installApplicationHooks();

  home_ = makeTemporaryFolder();
  ASSERT_FALSE(home_.empty()) << "cannot make a temporary home folder";
  ASSERT_TRUE(platform::setHomeDirectory(home_.string()));
  platform::UserDefaults::standardUserDefaults().load();
  prepareHome(home_);

  portal_ = std::make_unique<vorn::portal::DemoPortal>();
  ASSERT_TRUE(portal_->start()) << "the demo portal did not start";
  vorn::PortalHosts::setAllBaseUrls(portal_->baseUrl());
  prepareHostRoles(portal_->baseUrl());
}

void VornTest::TearDown() {
  if (portal_) portal_->stop();
  // Drop what the test left queued before the next test's objects exist.
  platform::RunLoop::main().useVirtualClock(kTestStartEpochSeconds);
  platform::NotificationCenter::defaultCenter().reset();
  platform::UserDefaults::standardUserDefaults().reset();
  portal_.reset();
  if (!home_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
  }
}

void VornTest::prepareHome(const std::filesystem::path&) {}

void VornTest::prepareHostRoles(const std::string&) {}

void VornTest::runFor(double seconds) { platform::RunLoop::main().runFor(seconds); }

void VornTest::runUntilIdle() { platform::RunLoop::main().runUntilIdle(); }

bool VornTest::runUntil(const std::function<bool()>& done, double realTimeoutSeconds) {
  return platform::RunLoop::main().runUntil(done, realTimeoutSeconds);
}

double VornTest::now() const { return platform::RunLoop::main().now(); }

}  // namespace vorn::test
