#pragma once
// The shared GoogleTest fixture: every test gets a fresh home folder (removed
// afterwards) that platform::homeDirectory() points at, empty user defaults,
// the main run loop on a virtual clock, a clean notification centre, and its
// own demo portal on a free loopback port, with every host role of the app
// (vorn::PortalHosts) pointing at it.
//
//   class NewsListTest : public vorn::test::VornTest {};
//   TEST_F(NewsListTest, FirstPageArrives) {
//     ... send a request to portal().baseUrl() ...
//     ASSERT_TRUE(runUntil([&] { return done; }));
//     EXPECT_EQ(portal().requestsTo("/cms/interface/5.0/getNewsList.php").size(), 1u);
//   }
//
// A fixture deriving from this one that needs more set-up overrides SetUp()
// and calls VornTest::SetUp() first (same for TearDown(), calling it last).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "portal/DemoPortal.h"

namespace vorn::test {

// The virtual clock's start: 2026-12-10 12:00 in Asia/Shanghai (04:00 UTC).
inline constexpr double kTestStartEpochSeconds = 1796875200.0;

class VornTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The test's home folder, with Documents/, Library/Caches/,
  // Library/Preferences/ and tmp/ in it.
  const std::filesystem::path& homeDir() const { return home_; }
  vorn::portal::DemoPortal& portal() { return *portal_; }

  // Drivers of the main run loop (virtual time; see platform::RunLoop).
  void runFor(double seconds);
  void runUntilIdle();
  // Runs until `done()` holds; false when `realTimeoutSeconds` of real time pass.
  bool runUntil(const std::function<bool()>& done, double realTimeoutSeconds = 10.0);
  double now() const;

  // Hooks for fixtures that add set-up of their own, run inside SetUp() in
  // this order: prepareHome after the platform's home folder points at the
  // test's folder; prepareHostRoles once the portal runs and every host role
  // points at it (a fixture may point single roles elsewhere here).
  virtual void prepareHome(const std::filesystem::path& home);
  virtual void prepareHostRoles(const std::string& portalBaseUrl);

 private:
  std::filesystem::path home_;
  std::unique_ptr<vorn::portal::DemoPortal> portal_;
};

}  // namespace vorn::test
