#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "app/ShellOptions.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Value.h"

namespace fs = std::filesystem;

namespace {

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vorn-shell-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs `vorn --script` over `script`, as the command line does.
  int runScript(const std::string& script) {
    std::ofstream(dir_ / "run.vs") << script;
    std::string file = (dir_ / "run.vs").string(), out = (dir_ / "out").string(), home = (dir_ / "home").string();
    std::vector<const char*> argv = {"vorn", "--home", home.c_str(), "--now", "2026-12-10T21:30:00+08:00",
                                     "--out", out.c_str(), "--script", file.c_str()};
    return vorn::shell::main(static_cast<int>(argv.size()), const_cast<char**>(argv.data()));
  }

  std::vector<platform::Value> jsonLines(const std::string& name) {
    std::vector<platform::Value> lines;
    std::ifstream in(dir_ / "out" / name);
    for (std::string line; std::getline(in, line);)
      if (auto v = platform::parseJson(std::string_view(line))) lines.push_back(*v);
    return lines;
  }

  fs::path dir_;
};

TEST_F(ShellTest, ExitStatusTellsDoneFailedAndUnreadable) {
  EXPECT_EQ(runScript("launch\nwait 0.2\nsettle\n"), 0);
  EXPECT_EQ(runScript("wait 0.1\nexpect-request /never/sent.php\n"), 1);
  EXPECT_EQ(runScript("wait 0.1\nfly away\n"), 2);
  EXPECT_EQ(runScript("wait\n"), 2);
}

TEST_F(ShellTest, DefaultsWrittenByAScriptPersistInTheHomeFolder) {
  ASSERT_EQ(runScript("defaults-set ThemeMode \"ThemeModeBlack\"\n"), 0);
  ASSERT_EQ(runScript("defaults ThemeMode\n"), 0);
  EXPECT_TRUE(fs::exists(dir_ / "home" / "Library" / "Preferences"));
  EXPECT_TRUE(fs::exists(dir_ / "out" / "requests.jsonl"));
  EXPECT_TRUE(fs::exists(dir_ / "out" / "analytics.jsonl"));
}

TEST(ShellOptionsTest, CommandLineErrorsAreReported) {
  struct Case { std::vector<const char*> argv; bool ok; } cases[] = {
      {{"vorn", "--script", "x.vs"}, true},
      {{"vorn", "--tour", "t", "--device", "480", "--portal-forum", "http://127.0.0.1:1"}, true},
      {{"vorn", "--device", "500", "--window"}, false},
      {{"vorn", "--script"}, false},
      {{"vorn", "--script", "a", "--tour", "b"}, false},
      {{"vorn", "--portal-nowhere", "http://x", "--window"}, false},
      {{"vorn", "--now", "yesterday", "--window"}, false},
      {{"vorn", "--frobnicate"}, false},
  };
  for (const auto& c : cases) {
    auto parsed = vorn::shell::parseOptions(static_cast<int>(c.argv.size()), c.argv.data());
    EXPECT_EQ(parsed.options.has_value(), c.ok) << c.argv.back() << " " << parsed.error;
  }
}

}  // namespace
