#include <gtest/gtest.h>

#include <string>

#include "core/PhoneData.h"
#include "core/ServicesFixture.h"
#include "net/PortalHosts.h"
#include "platform/services/LocationManager.h"
#include "platform/ui/View.h"

namespace vorn {
namespace {

using platform::services::LocationManager;
using vorn::portal::RouteOverride;

class PhoneDataTest : public test::ServicesFixture {
 protected:
  void SetUp() override {
    ServicesFixture::SetUp();
    PhoneData::closeData();
    locationInfo_ = &record(kGetLocationInfo);
    cityPosition_ = &record(kGetCityPosition);
  }
  void TearDown() override {
    PhoneData::closeData();
    ServicesFixture::TearDown();
  }
  std::size_t lookups() { return portal().requestsTo(kCityByGpsPath).size(); }
  void answerLookup(const std::string& body) { portal().overrideRoute(kCityByGpsPath, RouteOverride{200, body}); }
  // The first run's chooser over a window-like holder, with the feature guide under it.
  void putUpChooser() {
    holder_ = std::make_shared<platform::View>();
    guide_ = std::make_shared<platform::View>();
    chooser_ = std::make_shared<platform::View>();
    holder_->addSubview(guide_);
    holder_->addSubview(chooser_);
    delegate().setCityView(chooser_);
    delegate().setNewFeaturesImgView(guide_);
  }

  std::vector<std::optional<platform::Value>>* locationInfo_ = nullptr;
  std::vector<std::optional<platform::Value>>* cityPosition_ = nullptr;
  std::shared_ptr<platform::View> holder_, guide_, chooser_;
};

TEST_F(PhoneDataTest, DeniedLocationPostsOneRecordAndSendsNoLookup) {
  defaults().setString(kChosenCityFlagKey, "1");
  LocationManager::setAuthorizationStatus(platform::services::kLocationStatusDenied);
  PhoneData::openData();
  settle();
  ASSERT_EQ(locationInfo_->size(), 1u);
  EXPECT_EQ(locationInfo_->at(0), (platform::Value{{"latitude", "0"}, {"longitude", "0"}, {"locationEnable", "YES"},
                                                   {"NotAllow", "YES"}, {"NotNet", "NO"}}));
  EXPECT_EQ(lookups(), 0u);
  EXPECT_TRUE(cityPosition_->empty());
  // A city was chosen before: the pages may not offer to switch to a located city.
  EXPECT_TRUE(delegate().isTagFlag());
  EXPECT_TRUE(delegate().isCurrentViewController());
}

TEST_F(PhoneDataTest, ServicesOffKeepTheChooserWithTheGuideAboveIt) {
  putUpChooser();
  LocationManager::setLocationServicesEnabled(false);
  PhoneData::openData();
  settle();
  ASSERT_EQ(locationInfo_->size(), 1u);
  EXPECT_EQ(locationInfo_->at(0),
            (platform::Value{{"latitude", "0"}, {"longitude", "0"}, {"locationEnable", "NO"}, {"NotAllow", "YES"}}));
  EXPECT_EQ(lookups(), 0u);
  EXPECT_EQ(delegate().CityView(), chooser_);
  EXPECT_EQ(holder_->subviews().back(), guide_);
  EXPECT_FALSE(defaults().hasObjectForKey(kChosenCityFlagKey));
}

TEST_F(PhoneDataTest, FirstRunTakesOverTheLocatedCity) {
  putUpChooser();
  LocationManager::setDevicePosition(31.2304, 121.4737);
  auto phone = PhoneData::openData();
  settle();
  const auto sent = portal().requestsTo(kCityByGpsPath);
  ASSERT_EQ(sent.size(), 1u);
  // The request layer sends the parameters in key order.
  EXPECT_EQ(sent[0].query, "latitude=31.230400&locationEnable=YES&longitude=121.473700&NotAllow=NO&NotNet=NO");

  EXPECT_EQ(defaults().stringForKey(kChosenCityIDKey), "321");
  EXPECT_EQ(defaults().stringForKey(kChosenCityNameKey), "上海");
  EXPECT_EQ(defaults().stringForKey(kChosenCityFlagKey), "1");
  EXPECT_EQ(defaults().stringForKey(kCurrentCityIDKey), "321");
  EXPECT_EQ(defaults().stringForKey(kCurrentCityNameKey), "上海");
  EXPECT_EQ(phone->cityID(), "321");
  // The chooser went away without a tap.
  EXPECT_EQ(delegate().CityView(), nullptr);
  EXPECT_EQ(chooser_->superview(), nullptr);
  EXPECT_TRUE(chooser_->isHidden());

  ASSERT_EQ(cityPosition_->size(), 1u);
  EXPECT_EQ(cityPosition_->at(0), (platform::Value{{"cityId", "321"}, {"cityNam", "上海"}}));
  ASSERT_EQ(locationInfo_->size(), 1u);
  EXPECT_EQ(platform::textOf(*locationInfo_->at(0), "cityNam"), "上海");
}

TEST_F(PhoneDataTest, FirstRunKeepsTheChooserWhenTheLookupNamesNoCity) {
  // Mended: an answer without a city id used to be taken over as an empty
  // chosen city, with "flag" set and the chooser gone.
  struct Case {
    const char* body;
  } cases[] = {{R"({"cityName":"上海"})"}, {R"({"cityId":"","cityName":"上海"})"}, {"not json"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    putUpChooser();
    answerLookup(c.body);
    LocationManager::setDevicePosition(31.2, 121.4);
    PhoneData::closeData();
    PhoneData::openData();
    settle();
    EXPECT_EQ(delegate().CityView(), chooser_);
    EXPECT_FALSE(defaults().hasObjectForKey(kChosenCityFlagKey));
    EXPECT_FALSE(defaults().hasObjectForKey(kChosenCityIDKey));
    EXPECT_EQ(holder_->subviews().back(), guide_);
  }
}

TEST_F(PhoneDataTest, LookupWithIdButNoNameLeavesTheNameOut) {
  defaults().setString(kCurrentCityNameKey, "旧城");
  answerLookup(R"({"cityId":88})");
  LocationManager::setDevicePosition(30, 120);
  PhoneData::openData();
  settle();
  ASSERT_EQ(cityPosition_->size(), 1u);
  EXPECT_EQ(cityPosition_->at(0), (platform::Value{{"cityId", "88"}}));
  ASSERT_EQ(locationInfo_->size(), 1u);
  EXPECT_FALSE(platform::hasKey(*locationInfo_->at(0), "cityNam"));
  EXPECT_EQ(defaults().stringForKey(kCurrentCityIDKey), "88");
  EXPECT_FALSE(defaults().hasObjectForKey(kCurrentCityNameKey));
}

TEST_F(PhoneDataTest, OfflineLookupFallsBackToTheChosenCity) {
  PortalHosts::setBaseUrl(PortalHost::CarData, "http://127.0.0.1:1");
  defaults().setString(kChosenCityFlagKey, "1");  // chosen before, but no city stored
  LocationManager::setDevicePosition(30, 120);
  auto phone = PhoneData::openData();
  ASSERT_TRUE(runUntil([&] { return !locationInfo_->empty(); }));
  ASSERT_EQ(locationInfo_->size(), 1u);
  EXPECT_FALSE(locationInfo_->at(0).has_value());  // no answer at all: no record
  EXPECT_TRUE(cityPosition_->empty());
  EXPECT_EQ(phone->cityID(), kDefaultChosenCityID);
  EXPECT_EQ(phone->cityName(), kDefaultChosenCityName);
  EXPECT_EQ(defaults().stringForKey(kChosenCityIDKey), kDefaultChosenCityID);
  EXPECT_FALSE(defaults().hasObjectForKey(kCurrentCityIDKey));
}

TEST_F(PhoneDataTest, OneInstanceLocatesOnceUntilClosed) {
  LocationManager::setDevicePosition(30, 120);
  auto first = PhoneData::openData();
  EXPECT_EQ(PhoneData::openData(), first);
  settle();
  EXPECT_EQ(lookups(), 1u);
  // Only the first fix of a locating counts.
  LocationManager::setDevicePosition(31, 121);
  settle();
  EXPECT_EQ(lookups(), 1u);

  PhoneData::closeData();
  auto second = PhoneData::openData();
  EXPECT_NE(second, first);
  settle();
  EXPECT_EQ(lookups(), 2u);
}

TEST_F(PhoneDataTest, CreationReadsTheStoredCurrentCity) {
  struct Case {
    std::optional<std::string> id, name;
    std::string expectId, expectName;
  } cases[] = {
      {"12", "杭州", "12", "杭州"},
      {"12", "", "", ""},
      {std::nullopt, "杭州", "", ""},
  };
  LocationManager::setLocationServicesEnabled(false);
  for (const auto& c : cases) {
    defaults().removeObject(kCurrentCityIDKey);
    defaults().removeObject(kCurrentCityNameKey);
    if (c.id) defaults().setString(kCurrentCityIDKey, *c.id);
    if (c.name) defaults().setString(kCurrentCityNameKey, *c.name);
    PhoneData::closeData();
    auto phone = PhoneData::openData();
    EXPECT_EQ(phone->cityID(), c.expectId);
    EXPECT_EQ(phone->cityName(), c.expectName);
  }
}

}  // namespace
}  // namespace vorn
