#include "app/Shell.h"

#include <cstdio>
#include <string>

#include "platform/foundation/RunLoop.h"

namespace vorn::shell {

int main(int argc, char** argv) {
  (void)argc;
  (void)argv;
  platform::RunLoop::main().adoptCurrentThread();
  std::printf("vorn: started headless; nothing to show yet\n");
  return 0;
}

}  // namespace vorn::shell
