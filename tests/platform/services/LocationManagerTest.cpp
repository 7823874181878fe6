#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/services/LocationManager.h"

using platform::RunLoop;
using namespace platform::services;

namespace {

class Recorder : public LocationManagerDelegate {
 public:
  void didUpdateLocations(LocationManager&, const std::vector<Location>& locations) override {
    ASSERT_FALSE(locations.empty());
    fixes.push_back(locations.back());
    log.push_back("fix");
  }
  void didFailWithError(LocationManager&, const LocationError& error) override {
    log.push_back("error " + std::to_string(error.code));
  }
  void didChangeAuthorizationStatus(LocationManager&, int status) override {
    log.push_back("status " + std::to_string(status));
  }
  std::vector<std::string> log;
  std::vector<Location> fixes;
};

class LocationManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(kNow);
    LocationManager::resetAll();
    recorder_ = std::make_shared<Recorder>();
  }
  void TearDown() override { LocationManager::resetAll(); }

  // The way the application locates: ask for permission, best accuracy, start.
  std::shared_ptr<LocationManager> locate() {
    auto m = LocationManager::create();
    m->requestWhenInUseAuthorization();
    m->setDelegate(recorder_);
    m->setDesiredAccuracy(kLocationAccuracyBest);
    m->startUpdatingLocation();
    return m;
  }

  static constexpr double kNow = 1'800'000'000.0;
  std::shared_ptr<Recorder> recorder_;
};

TEST_F(LocationManagerTest, AFixKnownBeforeTheStartArrivesOnTheMainLoop) {
  LocationManager::setDevicePosition(39.904, 116.407);
  auto m = locate();
  EXPECT_TRUE(recorder_->fixes.empty());
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(recorder_->fixes.size(), 1u);
  EXPECT_DOUBLE_EQ(recorder_->fixes[0].latitude, 39.904);
  EXPECT_DOUBLE_EQ(recorder_->fixes[0].longitude, 116.407);
  EXPECT_DOUBLE_EQ(recorder_->fixes[0].timestamp, kNow);
  EXPECT_EQ(LocationManager::authorizationStatus(), kLocationStatusAuthorizedWhenInUse);
  EXPECT_DOUBLE_EQ(m->desiredAccuracy(), kLocationAccuracyBest);
  ASSERT_TRUE(m->location().has_value());
}

TEST_F(LocationManagerTest, AFixAlsoAnswersARequestAlreadyWaiting) {
  auto m = locate();
  RunLoop::main().runFor(5.0);
  EXPECT_TRUE(recorder_->fixes.empty());  // no position yet: the request waits
  LocationManager::setDevicePosition(31.23, 121.47);
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(recorder_->fixes.size(), 1u);
  EXPECT_DOUBLE_EQ(recorder_->fixes[0].latitude, 31.23);
  EXPECT_DOUBLE_EQ(recorder_->fixes[0].timestamp, kNow + 5.0);

  // After the manager stopped, a new position reaches it no more; a new locating gets it.
  m->stopUpdatingLocation();
  LocationManager::setDevicePosition(22.54, 114.06);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(recorder_->fixes.size(), 1u);
  auto again = locate();
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(recorder_->fixes.size(), 2u);
  EXPECT_DOUBLE_EQ(recorder_->fixes[1].latitude, 22.54);
}

TEST_F(LocationManagerTest, AFixForAManagerStoppedBeforeItArrivesIsDropped) {
  LocationManager::setDevicePosition(39.9, 116.4);
  auto m = locate();
  m->stopUpdatingLocation();
  RunLoop::main().runUntilIdle();
  EXPECT_TRUE(recorder_->fixes.empty());
}

TEST_F(LocationManagerTest, DeniedPermissionFailsWithCodeOneAndKeepsTheManagerRunning) {
  LocationManager::setAuthorizationAnswer(kLocationStatusDenied);
  auto m = locate();
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(LocationManager::authorizationStatus(), kLocationStatusDenied);
  ASSERT_FALSE(recorder_->log.empty());
  EXPECT_EQ(recorder_->log.back(), "error 1");
  EXPECT_TRUE(m->isUpdating());

  // Allowed later in the settings: the running manager gets the fix.
  recorder_->log.clear();
  LocationManager::setDevicePosition(30.0, 120.0);
  LocationManager::setAuthorizationStatus(kLocationStatusAuthorizedWhenInUse);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(recorder_->log, (std::vector<std::string>{"status 4", "fix"}));
}

TEST_F(LocationManagerTest, RefusalWhileWaitingReachesTheWaitingManager) {
  auto m = locate();
  RunLoop::main().runUntilIdle();
  recorder_->log.clear();
  LocationManager::setAuthorizationStatus(kLocationStatusDenied);  // the driver's "location denied"
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(recorder_->log, (std::vector<std::string>{"status 2", "error 1"}));
}

TEST_F(LocationManagerTest, ServicesOffAreSeenBeforeLocatingAndFailRunningManagers) {
  auto m = locate();
  RunLoop::main().runUntilIdle();
  recorder_->log.clear();
  LocationManager::setLocationServicesEnabled(false);
  EXPECT_FALSE(LocationManager::locationServicesEnabled());
  EXPECT_EQ(LocationManager::authorizationStatus(), kLocationStatusDenied);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(recorder_->log, (std::vector<std::string>{"status 2", "error 1"}));
}

TEST_F(LocationManagerTest, LocationUnknownIsCodeZeroAndOnlyForRunningManagers) {
  auto running = locate();
  auto idle = LocationManager::create();
  auto idleRecorder = std::make_shared<Recorder>();
  idle->setDelegate(idleRecorder);
  RunLoop::main().runUntilIdle();
  recorder_->log.clear();
  idleRecorder->log.clear();
  LocationManager::deliverError(kLocationErrorLocationUnknown);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(recorder_->log, std::vector<std::string>{"error 0"});
  EXPECT_TRUE(idleRecorder->log.empty());
}

TEST_F(LocationManagerTest, TheDelegateHearsTheCurrentStatusOnceSet) {
  auto m = LocationManager::create();
  m->setDelegate(recorder_);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(recorder_->log, std::vector<std::string>{"status 0"});
}

}  // namespace
