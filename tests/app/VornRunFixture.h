#pragma once
// Runs the built `vorn` as a separate process, the way a person runs it from the
// command line: each run starts from a fresh process (nothing left over from an
// earlier launch), in a folder of the test's own with a fresh home folder, the
// embedded demo portal and a fixed clock and screen. Its exit status, what it
// printed and the files it wrote are there to look at afterwards.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/LaunchKeys.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Value.h"
#include "platform/render/Bitmap.h"

extern char** environ;

namespace vorn::test {

// The clock every run starts at unless a test says otherwise: an afternoon, when
// the client offers no theme change.
inline constexpr char kRunAfternoon[] = "2026-12-10T14:00:00+08:00";

struct VornRun {
  int status = -1;  // exit status; -1 when the process did not end normally
  std::string out;  // what it printed on stdout
  std::string err;  // and on stderr
};

class VornRunFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
      if (c == '/') c = '-';
    dir_ = std::filesystem::temp_directory_path() / ("vorn-run-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    if (!HasFailure()) std::filesystem::remove_all(dir_, ignored);
  }

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path outDir() const { return dir_ / "out"; }
  // Runs share the test's home folder (defaults a run writes stay for the next)
  // until this empties it.
  void freshHome() { std::filesystem::remove_all(dir_ / "home"); }

  // `vorn` with the given arguments after the home folder and the clock.
  VornRun runVorn(const std::vector<std::string>& arguments, const std::string& now = kRunAfternoon) {
    std::vector<std::string> args = {VORN_BINARY, "--home", (dir_ / "home").string(), "--now", now,
                                     "--device", "568", "--os", "8.4"};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::string outFile = (dir_ / "stdout.txt").string(), errFile = (dir_ / "stderr.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    VornRun run;
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
      ADD_FAILURE() << "cannot start " << argv[0];
      return run;
    }
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = readText(outFile);
    run.err = readText(errFile);
    return run;
  }

  // `vorn --script` over the script text, its outputs in outDir().
  VornRun runScript(const std::string& script, const std::string& now = kRunAfternoon) {
    std::ofstream(dir_ / "run.vs") << script;
    return runVorn({"--out", outDir().string(), "--script", (dir_ / "run.vs").string()}, now);
  }

  // The JSON lines of an output file under outDir().
  std::vector<platform::Value> jsonLines(const std::string& name) const {
    std::vector<platform::Value> lines;
    std::ifstream in(outDir() / name);
    for (std::string line; std::getline(in, line);) {
      auto v = platform::parseJson(std::string_view(line));
      EXPECT_TRUE(v.has_value()) << name << ": not JSON: " << line;
      if (v) lines.push_back(*v);
    }
    return lines;
  }

  static std::optional<platform::render::Bitmap> picture(const std::filesystem::path& file) {
    return platform::render::Bitmap::readPng(file.string());
  }

  static std::string readText(const std::string& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::filesystem::path dir_;
};

// The lines a returning visitor's script starts with: a city chosen and this
// version's guide seen, so the launch runs its full course to the home screen
// without the first-run screens.
inline std::string returningVisitor() {
  return std::string("defaults-set ") + kCityChosenFlag + " \"1\"\n" + "defaults-set " +
         platform::replaceAll(kFeatureKeyFormat, "%@", AppDelegate::getCurrentVersion()) + " \"" + kFeatureDone + "\"\n";
}

// Launches and waits until the launch picture has gone and nothing is in flight.
inline constexpr char kLaunchToHome[] = "launch\nwait 7\nsettle\nexpect-screen RootViewController\n";

}  // namespace vorn::test
