// Reachability: loopback hosts count as reachable, a set status is posted once
// per change with the status in the user info, and a destroyed client posts nothing.
#include <gtest/gtest.h>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpClientLayer.h"

using namespace platform;
using namespace platform::net;

namespace {

class ReachabilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(1'800'000'000);
    NotificationCenter::defaultCenter().addObserver(this, kReachabilityDidChangeNotification,
                                                    [this](const Notification& n) {
                                                      posted.push_back(static_cast<int>(intValueOf(n.userInfo, kReachabilityStatusKey)));
                                                      senders.push_back(std::any_cast<HttpClientLayer*>(n.object));
                                                    });
  }
  void TearDown() override { NotificationCenter::defaultCenter().removeObserver(this); }
  std::vector<int> posted;
  std::vector<HttpClientLayer*> senders;
};

TEST_F(ReachabilityTest, ALoopbackHostIsReachableWithoutAnyNetwork) {
  for (const char* host : {"127.0.0.1", "localhost", "::1", "127.3.2.1"}) {
    EXPECT_EQ(Reachability::systemStatus(host), kReachabilityViaWiFi) << host;
  }
  int other = Reachability::systemStatus("portal.example.com");
  EXPECT_TRUE(other == kReachabilityNotReachable || other == kReachabilityViaMobile || other == kReachabilityViaWiFi);
}

TEST_F(ReachabilityTest, MonitoringPostsTheFirstStatusAndThenEveryChange) {
  HttpClientLayer client("http://127.0.0.1:1", true);
  EXPECT_EQ(client.reachabilityStatus(), kReachabilityUnknown);
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return !posted.empty(); }));
  EXPECT_EQ(posted, std::vector<int>{kReachabilityViaWiFi});
  EXPECT_EQ(senders.front(), &client);

  client.setReachabilityStatus(kReachabilityNotReachable);
  client.setReachabilityStatus(kReachabilityNotReachable);  // no change, no post
  client.setReachabilityStatus(kReachabilityViaMobile);
  RunLoop::main().runFor(5);  // the interfaces are no longer followed once set
  EXPECT_EQ(posted, (std::vector<int>{kReachabilityViaWiFi, kReachabilityNotReachable, kReachabilityViaMobile}));
  EXPECT_EQ(client.reachabilityStatus(), kReachabilityViaMobile);
}

TEST_F(ReachabilityTest, WithoutMonitoringTheStatusStaysUnknownUntilSet) {
  HttpClientLayer client("http://127.0.0.1:1", false);
  RunLoop::main().runFor(5);
  EXPECT_TRUE(posted.empty());
  client.setReachabilityStatus(kReachabilityViaWiFi);
  EXPECT_EQ(posted, std::vector<int>{kReachabilityViaWiFi});
}

TEST_F(ReachabilityTest, ADestroyedClientPostsNoLateStatus) {
  {
    HttpClientLayer client("http://127.0.0.1:1", true);
    // Its first status is (or will be) posted to the loop, which has not run yet.
  }
  RunLoop::main().runFor(3);
  EXPECT_TRUE(posted.empty());
}

}  // namespace
