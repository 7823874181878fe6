#pragma once
// What the benches that launch the whole application share: a throwaway home
// folder, the demo portal with the API clients pointed at it, and a launch run on
// the virtual clock until the launch picture has gone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "application/VornAppDelegate.h"
#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "net/Vorn5CacheClient.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ImageView.h"
#include "portal/DemoPortal.h"

namespace vorn::bench {

inline std::string temporaryHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorn-bench-XXXXXX").string();
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

// Starts the portal and points the API clients at it; reports the failure to
// the bench and answers false when it did not start.
inline bool useDemoPortal(portal::DemoPortal& portal, benchmark::State& state) {
  if (!portal.start()) {
    state.SkipWithError("the demo portal did not start");
    return false;
  }
  PortalHosts::setAllBaseUrls(portal.baseUrl());
  Vorn5APIClient::resetSharedClient();
  Vorn5CacheClient::sharedClient().init();
  return true;
}

// At most 20 virtual seconds, in the steps the automation's "wait" takes.
inline void runUntilLaunchPictureGone(const VornAppDelegate& delegate) {
  for (int step = 0; step < 400; ++step) {
    auto picture = delegate.launchPicture();
    if (!picture || !picture->superview()) break;
    platform::RunLoop::main().runFor(0.05);
  }
}

}  // namespace vorn::bench
