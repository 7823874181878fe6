// vorn-portal: the demo portal as a program of its own.
//   vorn-portal [--port N] [--fixtures DIR]
// Serves until SIGINT or SIGTERM; prints its address on the first line.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "portal/DemoPortal.h"

namespace {

void usage() {
  std::fprintf(stderr, "usage: vorn-portal [--port N] [--fixtures DIR]\n");
}

bool parsePort(const char* text, int& port) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int port = 0;
  std::string fixtures;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--port" && i + 1 < argc) {
      if (!parsePort(argv[++i], port)) {
        usage();
        return 2;
      }
    } else if (arg == "--fixtures" && i + 1 < argc) {
      fixtures = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      usage();
      return 0;
    } else {
      usage();
      return 2;
    }
  }

  // Wait for the stop signal on this thread; the server runs on its own.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  vorn::portal::DemoPortal portal(fixtures);
  if (!portal.start(port)) {
    std::fprintf(stderr, "vorn-portal: cannot listen on port %d with fixtures %s\n", port,
                 portal.fixturesDir().c_str());
    return 1;
  }
  std::printf("%s\n", portal.baseUrl().c_str());
  std::fflush(stdout);

  int received = 0;
  sigwait(&stopSignals, &received);
  portal.stop();
  return 0;
}
