#include <gtest/gtest.h>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Files.h"
#include "TempHome.h"

using namespace platform;

TEST(BundleTest, InfoValuesComeFromTheResourcesInfoPlist) {
  Bundle& bundle = Bundle::mainBundle();
  bundle.reload();
  EXPECT_EQ(bundle.displayName(), "沃恩汽车");
  EXPECT_FALSE(bundle.bundleVersion().empty());
  EXPECT_FALSE(bundle.shortVersion().empty());
  EXPECT_EQ(bundle.executableName(), "vorn");
  EXPECT_FALSE(bundle.bundleIdentifier().empty());
  EXPECT_TRUE(bundle.objectForInfoDictionaryKey("NoSuchKey").is_null());
  EXPECT_EQ(bundle.pathForResource("Info", "plist"), resourcePath("Info.plist"));
  EXPECT_FALSE(bundle.pathForResource("missing", "png"));
  EXPECT_FALSE(bundle.pathForResource("../CMakeLists", "txt"));
}

TEST(BundleTest, AnotherResourcesFolderIsReadAfterReload) {
  platform::testing::TempHome folder;
  const std::string before = resourcesDirectory();
  setResourcesDirectory(folder.path());
  ASSERT_TRUE(writeFileAtomically(folder / "Info.plist", std::string_view(
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
      "<key>CFBundleVersion</key><string>9.9</string></dict></plist>")));
  Bundle::mainBundle().reload();
  EXPECT_EQ(Bundle::mainBundle().bundleVersion(), "9.9");
  EXPECT_EQ(Bundle::mainBundle().displayName(), "");
  // A malformed Info.plist gives an empty dictionary, not a crash.
  ASSERT_TRUE(writeFileAtomically(folder / "Info.plist", std::string_view("<plist><dict>")));
  Bundle::mainBundle().reload();
  EXPECT_TRUE(Bundle::mainBundle().infoDictionary().empty());
  setResourcesDirectory(before);
  Bundle::mainBundle().reload();
}
