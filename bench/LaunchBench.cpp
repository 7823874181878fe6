// CPU time of a whole launch against the demo portal: from the process handing
// control to the application delegate until the launch picture has gone and the
// home container is on screen. The launch's deliberate waits (the 2.0 s advert
// wait, the fade, the bar and the slides) pass on the virtual clock, so what is
// measured is the work, not the waiting.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/AppLaunchBench.h"
#include "application/VornAppDelegate.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/ServicesReset.h"
#include "platform/ui/Application.h"

namespace {

constexpr double kStart = 1796875200.0;  // 2026-12-10 12:00 in Asia/Shanghai

void LaunchToHomeScreen(benchmark::State& state) {
  const std::string home = vorn::bench::temporaryHome();
  auto& loop = platform::RunLoop::main();
  loop.adoptCurrentThread();
  loop.useVirtualClock(kStart);
  platform::setHomeDirectory(home);
  vorn::portal::DemoPortal portal;
  if (!vorn::bench::useDemoPortal(portal, state)) return;

  for (auto _ : state) {
    state.PauseTiming();
    platform::Application::sharedApplication().reset();
    platform::services::resetAllServices();
    platform::NotificationCenter::defaultCenter().reset();
    auto& defaults = platform::UserDefaults::standardUserDefaults();
    defaults.reset();
    // A returning user: the whole launch picture runs.
    defaults.setString("flag", "1");
    defaults.setString("feature" + vorn::AppDelegate::getCurrentVersion(), "Done");
    auto delegate = std::make_shared<vorn::VornAppDelegate>();
    vorn::AppDelegate::setSharedAppDelegate(delegate);
    state.ResumeTiming();

    platform::Application::sharedApplication().launch();
    vorn::bench::runUntilLaunchPictureGone(*delegate);

    state.PauseTiming();
    vorn::AppDelegate::setSharedAppDelegate(nullptr);
    delegate.reset();
    state.ResumeTiming();
  }
  platform::Application::sharedApplication().reset();
  portal.stop();
  std::filesystem::remove_all(home);
}
BENCHMARK(LaunchToHomeScreen)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
