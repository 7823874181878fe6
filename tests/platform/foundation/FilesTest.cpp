#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/foundation/Files.h"
#include "platform/foundation/Text.h"
#include "TempHome.h"

using namespace platform;
using platform::testing::TempHome;

namespace {

std::string text(const std::optional<Bytes>& b) {
  return b ? std::string(b->begin(), b->end()) : std::string("<absent>");
}

// Everything in a folder that is not one of the expected names (left-over temporaries).
std::vector<std::string> strays(const std::string& folder, std::vector<std::string> expected) {
  std::vector<std::string> out;
  for (auto& name : listDirectory(folder)) {
    if (std::find(expected.begin(), expected.end(), name) == expected.end()) out.push_back(name);
  }
  return out;
}

}  // namespace

TEST(FilesTest, HomeFolderHasTheSandboxLayout) {
  TempHome home;
  EXPECT_EQ(homeDirectory(), home.path());
  for (const char* sub : {"Documents", "Library/Caches", "Library/Preferences", "tmp"}) {
    EXPECT_TRUE(isDirectory(home / sub)) << sub;
  }
  EXPECT_EQ(cachesDirectory(), home / "Library/Caches");
  EXPECT_EQ(preferencesDirectory(), home / "Library/Preferences");
  EXPECT_FALSE(setHomeDirectory(""));
  EXPECT_EQ(homeDirectory(), home.path());
}

TEST(FilesTest, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporary) {
  TempHome home;
  const std::string path = home / "Documents/list.plist";
  ASSERT_TRUE(writeFileAtomically(path, std::string(5000, 'a')));
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("short")));
  EXPECT_EQ(text(readFile(path)), "short");
  EXPECT_EQ(readFileText(path).value_or(""), "short");
  EXPECT_TRUE(strays(home / "Documents", {"list.plist"}).empty());
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("")));
  EXPECT_EQ(text(readFile(path)), "");  // an empty file is present, not absent
}

TEST(FilesTest, FailedWriteLeavesTheEarlierFileInPlace) {
  TempHome home;
  const std::string folder = home / "Documents";
  const std::string path = folder + "/draft";
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("earlier")));

  // The disk "fills up" in the middle of the write: the file-size limit makes
  // write() fail after 1 KiB, whoever runs the test.
  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool written = writeFileAtomically(path, std::string(64 * 1024, 'x'));
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(text(readFile(path)), "earlier");
  EXPECT_TRUE(strays(folder, {"draft"}).empty());
}

TEST(FilesTest, WriteKilledMidwayLeavesATemporaryThatTheNextLaunchRemoves) {
  TempHome home;
  const std::string folder = home / "Library/Preferences";
  const std::string path = folder + "/vorn.plist";
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("earlier")));
  // A child writes a big file over and over and is killed -9 while a temporary exists.
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const std::string big(8 * 1024 * 1024, 'x');
    for (;;) writeFileAtomically(path, big);
  }
  bool seen = false;
  for (int i = 0; i < 200000 && !seen; ++i) seen = !strays(folder, {"vorn.plist"}).empty();
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  ASSERT_TRUE(seen) << "the writer never showed a temporary file";

  // Other files that merely look alike stay; the nested leftover goes.
  ASSERT_TRUE(writeFileAtomically(home / "Documents/.tmp-notes", std::string_view("mine")));
  ASSERT_TRUE(writeFileAtomically(home / "Documents/.list.plist.tmp-abc123", std::string_view("half")));
  const auto leftovers = strays(folder, {"vorn.plist"}).size();
  EXPECT_EQ(removeAtomicWriteLeftovers(home.path()), leftovers + 1);
  EXPECT_TRUE(strays(folder, {"vorn.plist"}).empty());
  EXPECT_EQ(listDirectory(home / "Documents"), std::vector<std::string>{".tmp-notes"});
  const auto survivor = readFile(path);
  ASSERT_TRUE(survivor);
  EXPECT_TRUE(text(survivor) == "earlier" || survivor->size() == 8u * 1024 * 1024);
}

TEST(FilesTest, MovingAsideNeverOverwritesAnEarlierCopy) {
  TempHome home;
  const std::string path = home / "Library/Preferences/vorn.plist";
  EXPECT_FALSE(moveItemAside(path, ".damaged"));
  for (const char* content : {"first", "second", "third"}) {
    ASSERT_TRUE(writeFileAtomically(path, std::string_view(content)));
    ASSERT_TRUE(moveItemAside(path, ".damaged"));
  }
  EXPECT_FALSE(fileExists(path));
  EXPECT_EQ(text(readFile(path + ".damaged")), "first");
  EXPECT_EQ(text(readFile(path + ".damaged-2")), "second");
  EXPECT_EQ(text(readFile(path + ".damaged-3")), "third");
}

TEST(FilesTest, WriteThatCannotLandReportsFailure) {
  TempHome home;
  // A folder in the way of the target.
  const std::string blocked = home / "Documents/blocked";
  ASSERT_TRUE(createDirectory(blocked + "/inside"));
  EXPECT_FALSE(writeFileAtomically(blocked, std::string_view("x")));
  EXPECT_TRUE(isDirectory(blocked + "/inside"));
  EXPECT_TRUE(strays(home / "Documents", {"blocked"}).empty());
  // A missing folder, and a file where a folder should be.
  EXPECT_FALSE(writeFileAtomically(home / "Documents/missing/file", std::string_view("x")));
  ASSERT_TRUE(writeFileAtomically(home / "Documents/plain", std::string_view("x")));
  EXPECT_FALSE(writeFileAtomically(home / "Documents/plain/file", std::string_view("x")));
  EXPECT_EQ(text(readFile(home / "Documents/plain")), "x");
}

TEST(FilesTest, UnreadableOrMissingFileCountsAsAbsent) {
  TempHome home;
  EXPECT_FALSE(readFile(home / "Documents/nothing"));
  EXPECT_FALSE(readFile(home / "Documents"));  // a folder is not a file
  ASSERT_EQ(symlink((home / "nowhere").c_str(), (home / "Documents/dangling").c_str()), 0);
  EXPECT_FALSE(readFile(home / "Documents/dangling"));
  EXPECT_TRUE(fileExists(home / "Documents/dangling"));
}

TEST(FilesTest, CreateAndRemoveTrees) {
  TempHome home;
  const std::string deep = home / "Library/Caches/a/b/c";
  EXPECT_TRUE(createDirectory(deep));
  EXPECT_TRUE(createDirectory(deep));  // already there
  ASSERT_TRUE(writeFileAtomically(deep + "/f", std::string_view("1")));
  // A link inside the tree is removed as a link; its target survives.
  ASSERT_TRUE(writeFileAtomically(home / "Documents/keep", std::string_view("k")));
  ASSERT_EQ(symlink((home / "Documents").c_str(), (home / "Library/Caches/a/link").c_str()), 0);
  EXPECT_TRUE(removeItem(home / "Library/Caches/a"));
  EXPECT_FALSE(fileExists(home / "Library/Caches/a"));
  EXPECT_EQ(text(readFile(home / "Documents/keep")), "k");
  EXPECT_TRUE(removeItem(home / "Library/Caches/a"));  // nothing there: nothing to do
  EXPECT_FALSE(createDirectory(home / "Documents/keep/sub"));
  EXPECT_EQ((std::vector<std::string>{"keep"}), listDirectory(home / "Documents"));
}

TEST(FilesTest, FolderSizeCountsFilesLinksAndSubfoldersByLstat) {
  TempHome home;
  const std::string root = home / "Library/Caches/TempCache";
  ASSERT_TRUE(createDirectory(root + "/sub"));
  ASSERT_TRUE(writeFileAtomically(root + "/a.jpg", std::string(100, 'a')));
  ASSERT_TRUE(writeFileAtomically(root + "/sub/b.png", std::string(1000, 'b')));
  // A link to a big file outside counts its own size, not the target's.
  ASSERT_TRUE(writeFileAtomically(home / "Documents/big", std::string(50000, 'c')));
  const std::string target = home / "Documents/big";
  ASSERT_EQ(symlink(target.c_str(), (root + "/link").c_str()), 0);
  // A link to a folder is not followed either.
  ASSERT_EQ(symlink((home / "Documents").c_str(), (root + "/dirlink").c_str()), 0);

  struct stat sub {}, link {}, dirlink {};
  ASSERT_EQ(lstat((root + "/sub").c_str(), &sub), 0);
  ASSERT_EQ(lstat((root + "/link").c_str(), &link), 0);
  ASSERT_EQ(lstat((root + "/dirlink").c_str(), &dirlink), 0);
  const std::uint64_t expected = 100 + 1000 + static_cast<std::uint64_t>(sub.st_size) +
                                 static_cast<std::uint64_t>(link.st_size) +
                                 static_cast<std::uint64_t>(dirlink.st_size);
  EXPECT_EQ(folderSize(root), expected);
  EXPECT_EQ(folderSize(root + "/"), expected);
  EXPECT_EQ(link.st_size, static_cast<off_t>(target.size()));
  EXPECT_EQ(folderSize(home / "Library/Caches/missing"), 0u);
}

TEST(FilesTest, SafeFileNamesNeverLeaveTheirFolder) {
  struct Case { std::string key; std::optional<std::string> name; } cases[] = {
      {"datahttp:hostcmslistphp", "datahttp:hostcmslistphp"},
      {"a/b", "a%2Fb"},
      {"../../etc/passwd", "..%2F..%2Fetc%2Fpasswd"},
      {"100%", "100%25"},
      {std::string("a\0b", 3), "a%00b"},
      {"北京/上海", "北京%2F上海"},
      {"", std::nullopt},
      {".", std::nullopt},
      {"..", std::nullopt},
  };
  for (auto& c : cases) EXPECT_EQ(safeFileName(c.key), c.name) << c.key;
  // Escaping keeps distinct keys distinct.
  EXPECT_NE(safeFileName("a/b"), safeFileName("a%2Fb"));
}

TEST(FilesTest, LongKeysBecomeAPrefixAndADigest) {
  const std::string longKey = "data" + std::string(300, 'x');
  auto name = safeFileName(longKey);
  ASSERT_TRUE(name);
  EXPECT_LE(name->size(), 200u);
  EXPECT_TRUE(hasPrefix(*name, "dataxxx"));
  EXPECT_TRUE(hasSuffix(*name, "#" + sha1Hex(longKey)));
  auto other = safeFileName(longKey + "y");
  ASSERT_TRUE(other);
  EXPECT_NE(*name, *other);
  // Cut inside multi-byte text or an escape: the prefix stays whole characters.
  std::string cjk;
  for (int i = 0; i < 100; ++i) cjk += "车/";
  auto cut = safeFileName(cjk);
  ASSERT_TRUE(cut);
  EXPECT_TRUE(isValidUtf8(*cut));
  std::string prefix = cut->substr(0, cut->find('#'));
  EXPECT_TRUE(percentUnescape(prefix).has_value()) << prefix;
  EXPECT_EQ(safeFileName(std::string(200, 'z')), std::string(200, 'z'));
  // The result is always usable as a real file name.
  TempHome home;
  EXPECT_TRUE(writeFileAtomically(joinPath(home.path(), *cut), std::string_view("ok")));
}
