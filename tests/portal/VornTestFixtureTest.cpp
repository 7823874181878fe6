// The shared test fixture gives each test what it promises: a fresh home
// folder, the virtual clock at its start, and a running portal whose answers
// reach the main loop.
#include <httplib.h>

#include <fstream>
#include <memory>

#include "net/PortalHosts.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "support/VornTest.h"

namespace vorn::test {
namespace {

class VornTestFixtureTest : public VornTest {};

TEST_F(VornTestFixtureTest, HomeFolderIsFreshAndHasTheSandboxFolders) {
  ASSERT_TRUE(std::filesystem::is_directory(homeDir()));
  EXPECT_EQ(platform::homeDirectory(), homeDir().string());
  EXPECT_FALSE(platform::UserDefaults::standardUserDefaults().hasObjectForKey("flag"));
  for (const char* folder : {"Documents", "Library/Caches", "Library/Preferences", "tmp"}) {
    EXPECT_TRUE(std::filesystem::is_directory(homeDir() / folder)) << folder;
  }
  std::size_t entries = 0;
  for (auto it = std::filesystem::recursive_directory_iterator(homeDir());
       it != std::filesystem::recursive_directory_iterator(); ++it) {
    if (it->is_regular_file()) ++entries;
  }
  EXPECT_EQ(entries, 0u);
}

TEST_F(VornTestFixtureTest, HomeFolderIsRemovedAfterTheTest) {
  auto home = homeDir();
  std::ofstream(home / "Documents" / "note.txt") << "x";
  platform::UserDefaults::standardUserDefaults().setString("flag", "1");
  ASSERT_TRUE(platform::UserDefaults::standardUserDefaults().synchronize());
  TearDown();
  EXPECT_FALSE(std::filesystem::exists(home));
  SetUp();  // the framework tears down once more
  EXPECT_NE(homeDir(), home);
  EXPECT_FALSE(platform::UserDefaults::standardUserDefaults().hasObjectForKey("flag"));
}

TEST_F(VornTestFixtureTest, EveryHostRolePointsAtTheTestsPortal) {
  for (auto role : {PortalHost::CarData, PortalHost::MobileWeb, PortalHost::Forum, PortalHost::Member,
                    PortalHost::Comment, PortalHost::NewCar, PortalHost::Dealer}) {
    EXPECT_EQ(PortalHosts::baseUrl(role), portal().baseUrl()) << PortalHosts::roleName(role);
  }
}

TEST_F(VornTestFixtureTest, ClockIsVirtualAndStartsAtTheFixedInstant) {
  EXPECT_TRUE(platform::RunLoop::main().isVirtual());
  EXPECT_DOUBLE_EQ(now(), kTestStartEpochSeconds);
  bool fired = false;
  platform::dispatchAfter(15, [&] { fired = true; });
  runFor(14.9);
  EXPECT_FALSE(fired);
  runFor(0.1);
  EXPECT_TRUE(fired);
  EXPECT_DOUBLE_EQ(now(), kTestStartEpochSeconds + 15);
}

TEST_F(VornTestFixtureTest, PortalAnswerReachesTheMainLoop) {
  ASSERT_TRUE(portal().isRunning());
  auto answer = std::make_shared<std::string>();
  bool arrived = false;
  auto work = std::make_shared<platform::RunLoop::ExternalWork>(platform::RunLoop::main());
  platform::dispatchBackground([port = portal().port(), answer, work, &arrived] {
    httplib::Client client("127.0.0.1", port);
    auto res = client.Get("/pic/20x10/fixture.png");
    std::string body = res ? res->get_header_value("Content-Type") : "failed";
    platform::dispatchMain([answer, body, work, &arrived]() mutable {
      *answer = body;
      arrived = true;
      work.reset();
    });
  });
  ASSERT_TRUE(runUntil([&] { return arrived; }));
  EXPECT_EQ(*answer, "image/png");
  EXPECT_EQ(portal().requestsTo("/pic/20x10/fixture.png").size(), 1u);
}

}  // namespace
}  // namespace vorn::test
