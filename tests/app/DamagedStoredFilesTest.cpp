// Files a crash, a full disk or another program left damaged in the home folder
// never stop a launch: each of the client's stored files, damaged in turn, still
// lets the client start and reach its home screen. A damaged preferences file is
// kept aside, and temporaries of writes cut short are gone after the launch.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "VornRunFixture.h"
#include "core/AppDelegateNetwork.h"
#include "core/StartupKeys.h"
#include "forum/compose/SendPostQueue.h"
#include "net/Vorn5APIClient.h"
#include "net/Vorn5CacheClient.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/UserDefaults.h"

namespace vorn::test {
namespace {

std::string corpusFile(const char* name) {
  return platform::readFileText(platform::sourceDirectory() + "/fuzz/corpus/plist/" + name).value_or("");
}

std::string nulKeyList() { return corpusFile("plist-nul-key-crash.bin"); }
constexpr char kCutOffXml[] = "<?xml version=\"1.0\"?><plist><dict><key>a</key><array><string>";

struct DamagedFile {
  const char* name;
  std::string path;  // under the home folder
  std::string bytes;
};

std::string preferences() { return std::string(platform::kPreferencesFolder) + "/" + platform::kUserDefaultsFileName; }

std::vector<DamagedFile> damagedFiles() {
  const std::string caches = platform::kCachesFolder;
  const std::string documents = platform::kDocumentsFolder;
  return {
      {"PreferencesWithANulInAKey", preferences(), nulKeyList()},
      {"PreferencesCutOff", preferences(), kCutOffXml},
      {"DraftsOfTheWrongType", preferences(),
       "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>" + std::string(kDraftListKey) +
           "</key><array><integer>1</integer><string>x</string><dict><key>" + kDraftTitleKey +
           "</key><array/></dict></array><key>" + kSendingDraftKey + "</key><string>?</string></dict></plist>"},
      {"CacheStampWithANulInAKey", caches + "/" + kDataCacheDir + "/" + kCacheStampRecord, nulKeyList()},
      {"ForumChecksumCutOff", caches + "/" + kPermCacheDir + "/" + kForumListRecord, kCutOffXml},
      {"ForumListWithANulInAKey", documents + "/" + kForumListDir + "/" + kForumListFile, nulKeyList()},
      {"ReadHistoryCutOff", documents + "/" + kReadHistoryDir + "/" + kNewsIDHistoryFile, kCutOffXml},
  };
}

void PrintTo(const DamagedFile& file, std::ostream* out) { *out << file.path; }

class DamagedStoredFilesTest : public VornRunFixture, public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DamagedStoredFilesTest, TheClientStillStartsAndReachesHome) {
  const auto home = dir() / "home";
  const auto file = home / GetParam().path;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << GetParam().bytes;
  // A write killed midway left its temporary behind.
  const auto leftover = home / platform::kPreferencesFolder / ".vorn.plist.tmp-Ab12Cd";
  std::filesystem::create_directories(leftover.parent_path());
  std::ofstream(leftover) << "<?xml version=\"1.0\"?><plist><dict><key>half";

  const auto run = runScript(returningVisitor() + kLaunchToHome);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(leftover));
  if (GetParam().path == preferences() && std::string(GetParam().name) != "DraftsOfTheWrongType") {
    EXPECT_EQ(readText((home / (preferences() + platform::kDamagedFileSuffix)).string()), GetParam().bytes)
        << "the damaged preferences are kept";
  }
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedStoredFilesTest, ::testing::ValuesIn(damagedFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorn::test
