#include <gtest/gtest.h>

#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/UserDefaults.h"
#include "TempHome.h"

using namespace platform;
using platform::testing::TempHome;

namespace {
class UserDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { defaults().load(); }
  static UserDefaults& defaults() { return UserDefaults::standardUserDefaults(); }
  TempHome home_;
};
}  // namespace

TEST_F(UserDefaultsTest, ValuesSurviveSynchronizeAndReload) {
  defaults().setObject("UserLoginInfo", Value{{"status", "1"}, {"uid", 42}, {"uname", "张三"}});
  defaults().setString("newsNum", "2026-12-10");
  defaults().setBool("isFirst", true);
  defaults().setInteger("count", 7);
  defaults().setDouble("ratio", 0.5);
  defaults().setObject("list", Value::array({"a", "b"}));
  defaults().setObject("blob", dataValue(std::string_view("\x00\x01", 2)));
  ASSERT_TRUE(defaults().synchronize());
  EXPECT_TRUE(isRegularFile(defaults().filePath()));
  EXPECT_EQ(defaults().filePath(), home_ / "Library/Preferences/vorn.plist");

  defaults().reset();
  EXPECT_TRUE(defaults().objectForKey("newsNum").is_null());
  defaults().load();
  EXPECT_EQ(textOf(defaults().objectForKey("UserLoginInfo"), "uname"), "张三");
  EXPECT_EQ(intValueOf(defaults().objectForKey("UserLoginInfo"), "uid"), 42);
  EXPECT_EQ(defaults().stringForKey("newsNum"), "2026-12-10");
  EXPECT_TRUE(defaults().boolForKey("isFirst"));
  EXPECT_EQ(defaults().integerForKey("count"), 7);
  EXPECT_DOUBLE_EQ(defaults().doubleForKey("ratio"), 0.5);
  EXPECT_EQ(defaults().arrayForKey("list"), Value::array({"a", "b"}));
  EXPECT_EQ(bytesAsString(defaults().dataForKey("blob").value_or(Value())), std::string("\x00\x01", 2));

  defaults().removeObject("newsNum");
  ASSERT_TRUE(defaults().synchronize());
  defaults().load();
  EXPECT_FALSE(defaults().hasObjectForKey("newsNum"));
  EXPECT_TRUE(defaults().hasObjectForKey("count"));
}

TEST_F(UserDefaultsTest, TypedGettersConvertAsThePlatformDid) {
  defaults().setObject("num", Value(12));
  defaults().setObject("text", Value("12abc"));
  defaults().setObject("yes", Value("YES"));
  defaults().setObject("one", Value("1"));
  defaults().setObject("no", Value("NO"));
  defaults().setObject("dict", Value{{"a", 1}});
  EXPECT_EQ(defaults().stringForKey("num"), "12");         // a number as its text
  EXPECT_EQ(defaults().stringForKey("dict"), std::nullopt);
  EXPECT_EQ(defaults().stringForKey("absent"), std::nullopt);
  EXPECT_EQ(defaults().integerForKey("text"), 12);
  EXPECT_EQ(defaults().integerForKey("dict"), 0);
  EXPECT_EQ(defaults().integerForKey("absent"), 0);
  EXPECT_TRUE(defaults().boolForKey("yes"));
  EXPECT_TRUE(defaults().boolForKey("one"));
  EXPECT_TRUE(defaults().boolForKey("num"));
  EXPECT_FALSE(defaults().boolForKey("no"));
  EXPECT_FALSE(defaults().boolForKey("absent"));
  EXPECT_EQ(defaults().arrayForKey("dict"), std::nullopt);
  EXPECT_TRUE(defaults().dictionaryForKey("dict"));
}

TEST_F(UserDefaultsTest, NullIsRefused) {
  defaults().setString("k", "v");
  defaults().setObject("k", Value());
  EXPECT_EQ(defaults().stringForKey("k"), "v");
  defaults().setObject("withNull", Value{{"a", nullptr}});  // a property list holds no null
  EXPECT_FALSE(defaults().hasObjectForKey("withNull"));
  EXPECT_TRUE(defaults().synchronize());
}

TEST_F(UserDefaultsTest, DamagedFileIsMovedAsideAndTheDefaultsStartEmpty) {
  const std::string path = defaults().filePath();
  auto nulKey = readFile(sourceDirectory() + "/fuzz/corpus/plist/plist-nul-key-crash.bin");
  ASSERT_TRUE(nulKey);
  struct Case { const char* what; std::string bytes; } cases[] = {
      {"cut-off XML", "<?xml version=\"1.0\"?><plist><dict><key>a</key>"},
      {"binary with a NUL in a key", std::string(nulKey->begin(), nulKey->end())},
      {"an array, not a dictionary", "<plist><array><string>a</string></array></plist>"},
      {"empty", ""},
      {"random bytes", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    removeItem(path);
    removeItem(path + kDamagedFileSuffix);
    ASSERT_TRUE(writeFileAtomically(path, c.bytes));
    defaults().load();
    EXPECT_TRUE(defaults().dictionaryRepresentation().empty());
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(readFileText(path + kDamagedFileSuffix), c.bytes);

    defaults().setString("cityName", "北京");
    ASSERT_TRUE(defaults().synchronize());
    defaults().load();
    EXPECT_EQ(defaults().stringForKey("cityName"), "北京");
  }
}

TEST_F(UserDefaultsTest, FailedSynchronizeKeepsTheFileAndTheChanges) {
  defaults().setString("a", "1");
  ASSERT_TRUE(defaults().synchronize());
  // Something in the way of the file: the write fails and says so.
  const std::string path = defaults().filePath();
  ASSERT_TRUE(removeItem(path));
  ASSERT_TRUE(createDirectory(path + "/blocker"));
  defaults().setString("a", "2");
  EXPECT_FALSE(defaults().synchronize());
  ASSERT_TRUE(removeItem(path));
  EXPECT_TRUE(defaults().synchronize());  // still pending, written now
  defaults().load();
  EXPECT_EQ(defaults().stringForKey("a"), "2");
}
