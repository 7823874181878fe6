#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Value.h"
#include "platform/services/UsageAnalytics.h"
#include "support/VornTest.h"

using platform::RunLoop;
using platform::services::UsageAnalytics;

namespace {

class UsageAnalyticsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(kLaunch);
    UsageAnalytics::shared().reset();
    dir_ = std::filesystem::temp_directory_path() /
           ("analytics-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    logPath_ = (dir_ / "analytics.jsonl").string();
  }
  void TearDown() override {
    UsageAnalytics::shared().reset();
    std::filesystem::remove_all(dir_);
  }

  std::vector<platform::Value> logLines() const {
    std::vector<platform::Value> out;
    std::ifstream in(logPath_);
    std::string line;
    while (std::getline(in, line)) {
      auto v = platform::parseJson(line);
      EXPECT_TRUE(v.has_value()) << line;
      if (v) out.push_back(*v);
    }
    return out;
  }

  static constexpr double kLaunch = 1'800'000'000.0;
  std::filesystem::path dir_;
  std::string logPath_;
};

TEST_F(UsageAnalyticsTest, EventsBecomeLogLinesTimedFromTheStart) {
  auto& analytics = UsageAnalytics::shared();
  analytics.setLogPath(logPath_);
  RunLoop::main().runFor(1.0);
  analytics.start("5f1e0c2b9a3d4e6f7a8b9c0d", 0, "ppzs");
  RunLoop::main().runFor(2.5);
  analytics.event("baocuntupian");
  RunLoop::main().runFor(0.5);
  analytics.event("xinlangweibo", "新闻");

  EXPECT_TRUE(analytics.isStarted());
  EXPECT_EQ(analytics.appKey(), "5f1e0c2b9a3d4e6f7a8b9c0d");
  EXPECT_EQ(analytics.reportPolicy(), 0);
  EXPECT_EQ(analytics.channel(), "ppzs");

  auto lines = logLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_DOUBLE_EQ(lines[0]["t"].get<double>(), 2.5);
  EXPECT_EQ(lines[0]["event"], "baocuntupian");
  EXPECT_FALSE(lines[0].contains("label"));  // an event without label has none in its line
  EXPECT_DOUBLE_EQ(lines[1]["t"].get<double>(), 3.0);
  EXPECT_EQ(lines[1]["event"], "xinlangweibo");
  EXPECT_EQ(lines[1]["label"], "新闻");

  auto events = analytics.events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].event, "xinlangweibo");
  EXPECT_EQ(events[1].label.value_or(""), "新闻");
  EXPECT_FALSE(events[0].label.has_value());
}

TEST_F(UsageAnalyticsTest, AnExplicitTimeOriginIsKeptAcrossTheStart) {
  auto& analytics = UsageAnalytics::shared();
  analytics.setLogPath(logPath_);
  analytics.setTimeOrigin(kLaunch);
  RunLoop::main().runFor(4.0);
  analytics.start("key", 0, "ppzs");
  analytics.event("zhuce");
  auto lines = logLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_DOUBLE_EQ(lines[0]["t"].get<double>(), 4.0);
}

TEST_F(UsageAnalyticsTest, LinesAreAppendedToAnEarlierLog) {
  {
    std::ofstream out(logPath_);
    out << "{\"t\":0,\"event\":\"earlier\"}\n";
  }
  auto& analytics = UsageAnalytics::shared();
  analytics.setLogPath(logPath_);
  analytics.start("key", 0, "ppzs");
  analytics.event("later");
  auto lines = logLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]["event"], "earlier");
  EXPECT_EQ(lines[1]["event"], "later");
}

TEST_F(UsageAnalyticsTest, EventsAreKeptWhenTheLogCannotBeWritten) {
  auto& analytics = UsageAnalytics::shared();
  analytics.setLogPath((dir_ / "missing-folder" / "analytics.jsonl").string());
  analytics.start("key", 0, "ppzs");
  analytics.event("shoucang", "\"quoted\"\nline");
  ASSERT_EQ(analytics.events().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing-folder"));
}

TEST_F(UsageAnalyticsTest, AnEmptyLogPathKeepsEventsInMemoryOnly) {
  auto& analytics = UsageAnalytics::shared();
  analytics.setLogPath("");
  analytics.event("before-start");
  analytics.start("key", 0, "ppzs");
  analytics.event("after-start");
  EXPECT_EQ(analytics.events().size(), 2u);
  EXPECT_EQ(analytics.calls().count("event"), 2u);
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(UsageAnalyticsTest, ALabelWithQuotesAndNewlinesStaysOneLine) {
  auto& analytics = UsageAnalytics::shared();
  analytics.setLogPath(logPath_);
  analytics.start("key", 0, "ppzs");
  analytics.event("e", "a \"b\"\nc");
  auto lines = logLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["label"], "a \"b\"\nc");
}

class UsageAnalyticsHomeTest : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    UsageAnalytics::shared().reset();
  }
  void TearDown() override {
    UsageAnalytics::shared().reset();
    VornTest::TearDown();
  }
};

TEST_F(UsageAnalyticsHomeTest, TheLogLivesInTheHomeFolderByDefault) {
  auto& analytics = UsageAnalytics::shared();
  analytics.start("5f1e0c2b9a3d4e6f7a8b9c0d", 0, "ppzs");
  runFor(1.0);
  analytics.event("fenxiang", "weixin");
  std::ifstream in(homeDir() / "analytics.jsonl");
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  auto v = platform::parseJson(line);
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ((*v)["event"], "fenxiang");
  EXPECT_EQ((*v)["label"], "weixin");
  EXPECT_DOUBLE_EQ((*v)["t"].get<double>(), 1.0);
}

}  // namespace
