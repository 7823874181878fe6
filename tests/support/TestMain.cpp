#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  platform::RunLoop::main().adoptCurrentThread();
  return RUN_ALL_TESTS();
}
