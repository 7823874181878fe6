// The desktop window refuses cleanly where no window can be opened (tests and
// the tour run headless; the command line falls back on this answer).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/DesktopWindow.h"

namespace vorn {
namespace {

class DesktopWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* d = std::getenv("SDL_VIDEODRIVER")) saved_ = d, hadDriver_ = true;
    // A driver that does not exist stands for a machine without a display.
    setenv("SDL_VIDEODRIVER", "no-such-display", 1);
  }
  void TearDown() override {
    if (hadDriver_) setenv("SDL_VIDEODRIVER", saved_.c_str(), 1);
    else unsetenv("SDL_VIDEODRIVER");
  }
  std::string saved_;
  bool hadDriver_ = false;
};

TEST_F(DesktopWindowTest, WithoutADisplayTheWindowReportsAnErrorAndOpensNothing) {
  bool opened = false;
  WindowOptions options;
  options.onOpen = [&] { opened = true; };
  EXPECT_FALSE(desktopDisplayAvailable());
  EXPECT_EQ(runDesktopWindow(options), 1);
  EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace vorn
