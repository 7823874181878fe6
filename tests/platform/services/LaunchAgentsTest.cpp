// The agents started at launch and the small device services: what they were
// given is what they report.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/foundation/RunLoop.h"
#include "platform/services/AudienceMeasurement.h"
#include "platform/services/CrashReporter.h"
#include "platform/services/InstallAttribution.h"
#include "platform/services/Pasteboard.h"
#include "platform/services/PerformanceMonitor.h"
#include "platform/services/SystemSound.h"

using namespace platform::services;

namespace {

class LaunchAgentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RunLoop::main().useVirtualClock(1'800'000'000.0);
    PerformanceMonitor::shared().reset();
    AudienceMeasurement::shared().reset();
    InstallAttribution::shared().reset();
    CrashReporter::shared().reset();
    Pasteboard::general().reset();
    SystemSound::shared().reset();
  }
};

TEST_F(LaunchAgentsTest, EachAgentKeepsWhatItWasStartedWith) {
  EXPECT_FALSE(PerformanceMonitor::shared().isStarted());
  PerformanceMonitor::shared().startWithAppId("3e91f5c7a2d64b08e1f37c95a0b2d4e6");
  AudienceMeasurement::shared().start("7b2e9f40a1c35e6d", "AppStore");
  AudienceMeasurement::shared().setLogEnabled(true);
  InstallAttribution::shared().startWithAppId("9d3f7e20c6b1a5f8d0e4c2b7a9f1e3d5", "App Store");
  CrashReporter::shared().startWithApiKey("e5b1970dcf24a83c6d1fb90e2457ac1d38f6b2e0");

  EXPECT_TRUE(PerformanceMonitor::shared().isStarted());
  EXPECT_EQ(PerformanceMonitor::shared().appId(), "3e91f5c7a2d64b08e1f37c95a0b2d4e6");
  EXPECT_EQ(AudienceMeasurement::shared().appKey(), "7b2e9f40a1c35e6d");
  EXPECT_EQ(AudienceMeasurement::shared().channel(), "AppStore");
  EXPECT_EQ(AudienceMeasurement::shared().userId(), "");
  EXPECT_TRUE(AudienceMeasurement::shared().logEnabled());
  // The order matters to whoever reads the record: created first, then logging on.
  auto calls = AudienceMeasurement::shared().calls().all();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].operation, "start");
  EXPECT_EQ(calls[1].operation, "setLogEnabled");
  EXPECT_EQ(InstallAttribution::shared().channel(), "App Store");
  EXPECT_EQ(CrashReporter::shared().apiKey(), "e5b1970dcf24a83c6d1fb90e2457ac1d38f6b2e0");
}

TEST_F(LaunchAgentsTest, PasteboardHoldsTheLastTextAndNothingBefore) {
  EXPECT_FALSE(Pasteboard::general().string().has_value());
  Pasteboard::general().setString("http://example.invalid/a");
  Pasteboard::general().setString("宝马3系");
  EXPECT_EQ(Pasteboard::general().string().value_or(""), "宝马3系");
  Pasteboard::general().setString("");
  EXPECT_EQ(Pasteboard::general().string().value_or("x"), "");
}

TEST_F(LaunchAgentsTest, InterfaceSoundPlaysAndAMissingOneFallsBackToVibration) {
  const std::string sms = std::string(kSystemSoundsFolder) + "sms-received1.caf";
  auto& sound = SystemSound::shared();

  auto id = sound.createSound(sms);
  ASSERT_TRUE(id.has_value());
  EXPECT_NE(*id, kSystemSoundVibrate);
  sound.playAlertSound(*id);

  sound.setInterfaceSoundsAvailable(false);
  auto missing = sound.createSound(sms);
  EXPECT_FALSE(missing.has_value());
  sound.playAlertSound(missing.value_or(kSystemSoundVibrate));

  EXPECT_EQ(sound.played(), (std::vector<std::string>{sms, kPlayedVibrate}));
}

TEST_F(LaunchAgentsTest, ASoundFileMustExistOutsideTheInterfaceSounds) {
  auto& sound = SystemSound::shared();
  EXPECT_FALSE(sound.createSound("/nonexistent/ding.caf").has_value());
  EXPECT_FALSE(sound.createSound(kSystemSoundsFolder).has_value());  // a folder is no sound
  auto path = std::filesystem::temp_directory_path() / ("ding-" + std::to_string(::getpid()) + ".caf");
  { std::ofstream(path) << "RIFF"; }
  auto id = sound.createSound(path.string());
  std::filesystem::remove(path);
  ASSERT_TRUE(id.has_value());
  sound.playSound(*id);
  sound.playSound(*id + 1000);  // an id never created plays nothing
  EXPECT_EQ(sound.played(), std::vector<std::string>{path.string()});
}

}  // namespace
