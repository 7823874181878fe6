#include <gtest/gtest.h>

#include <string>

#include "application/VornAppDelegate.h"
#include "net/PortalTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"

namespace vorn {
namespace {

using test::PortalTest;

class AppDelegateTest : public PortalTest {};

TEST_F(AppDelegateTest, ThemeModeIsNightOnlyWhenStoredSo) {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  EXPECT_EQ(AppDelegate::getCurrentMode(), "ThemeModeNormal");
  for (const char* stored : {"ThemeModeNormal", "themeModeBlack", "", "night"}) {
    defaults.setString(kThemeMode, stored);
    EXPECT_EQ(AppDelegate::getCurrentMode(), "ThemeModeNormal") << stored;
  }
  defaults.setInteger(kThemeMode, 1);
  EXPECT_EQ(AppDelegate::getCurrentMode(), "ThemeModeNormal");
  defaults.setString(kThemeMode, "ThemeModeBlack");
  EXPECT_EQ(AppDelegate::getCurrentMode(), "ThemeModeBlack");
}

TEST_F(AppDelegateTest, SwitchingTheThemeStoresItAndTellsEveryObserver) {
  std::string seen;
  platform::NotificationCenter::defaultCenter().addObserver(
      this, kThemeChangeNotify, [&](const platform::Notification&) { seen = AppDelegate::getCurrentMode(); });
  AppDelegate::switchThemeMode(kThemeModeBlack, this);
  EXPECT_EQ(seen, "ThemeModeBlack");
  platform::UserDefaults::standardUserDefaults().load();  // synchronised to the file
  EXPECT_EQ(AppDelegate::getCurrentMode(), "ThemeModeBlack");
}

TEST_F(AppDelegateTest, CurrentVersionIsTheBundleVersion) { EXPECT_EQ(AppDelegate::getCurrentVersion(), "5.1.0"); }

TEST_F(AppDelegateTest, ColoursFromSixHexadecimalDigits) {
  struct Case {
    const char* text;
    int r, g, b;
  } cases[] = {
      {"35A0D9", 53, 160, 217}, {"35a0d9", 53, 160, 217}, {"FFFFFF", 255, 255, 255},
      {"000000", 0, 0, 0},      {"35A0D9FF", 53, 160, 217}, {"3GA0D9", 3, 160, 217},  // a pair reads its hex start
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const platform::Color color = AppDelegate::getColor(c.text);
    EXPECT_EQ(color.red255(), c.r);
    EXPECT_EQ(color.green255(), c.g);
    EXPECT_EQ(color.blue255(), c.b);
    EXPECT_EQ(color.alpha, 1.0);
  }
  // Too short, or a pair without a hexadecimal digit: the fixed fallback, no read past the end.
  for (const char* bad : {"", "35", "35A0D", "G5A0D9", "35 0D9", "#35A0D9", "红色色"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(AppDelegate::getColor(bad), AppDelegate::kFallbackColor);
  }
}

TEST_F(AppDelegateTest, NumberPatternTest) {
  struct Case {
    const char* number;
    const char* pattern;
    bool valid;
  } cases[] = {
      {"14712345678", kMobileNumberPattern, true},
      {"14612345678", kMobileNumberPattern, false},
      {"138123456789", kMobileNumberPattern, false},
      {"17012345678", kMobileNumberPattern, true},
      {"13912345678", kMobileNumberPattern, true},
      {"13800000000", kMobileNumberPattern, false},  // a reserved test number
      {"13800000000", "^\\d{11}$", true},            // only under the mobile pattern
      {"abc123def", "\\d{3}", true},                 // unanchored: a part is enough
      {"123", "(", false},                           // does not compile
      {"", "^$", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.number) + " ~ " + c.pattern);
    EXPECT_EQ(AppDelegate::numberIsValid(c.number, c.pattern), c.valid);
  }
}

TEST_F(AppDelegateTest, OneNoticeAtATimeAndTheNextAfterItHides) {
  delegate().responseNetWork();
  delegate().responseCompareFull();  // dropped while the network notice shows
  ASSERT_TRUE(delegate().HUD());
  EXPECT_EQ(delegate().HUD()->labelText(), "网络不稳定，请稍后再试");
  EXPECT_EQ(delegate().HUD()->mode(), platform::ProgressHudMode::Text);
  runFor(1.4);
  EXPECT_TRUE(delegate().HUD());
  runFor(0.2);
  EXPECT_FALSE(delegate().HUD());
  delegate().responseCompareFull();
  EXPECT_EQ(notices_, (std::vector<std::string>{"网络不稳定，请稍后再试", "您最多只能添加4款对比车型"}));
}

TEST_F(AppDelegateTest, StateStartsEmpty) {
  VornAppDelegate fresh;
  EXPECT_FALSE(fresh.homePageNavigationController());
  EXPECT_FALSE(fresh.modalContainers().loginNavController());
  EXPECT_FALSE(fresh.carSection().TimeStampFlag());
  EXPECT_EQ(fresh.networkStatus(), 0);
  EXPECT_EQ(fresh.carSection().currentEntryBrandType(), 0);
  EXPECT_FALSE(fresh.myOpenUDID());
  EXPECT_FALSE(fresh.shouldPopUpComment());
  EXPECT_TRUE(fresh.photos().empty());
}

}  // namespace
}  // namespace vorn
