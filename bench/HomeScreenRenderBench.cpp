// One full frame of the home screen as the tour reaches it (a returning visitor's
// launch against the demo portal, run on the virtual clock until the launch
// picture has gone and nothing is in flight), and what is left of the 60 Hz
// frame budget after drawing it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/AppLaunchBench.h"
#include "application/VornAppDelegate.h"
#include "core/LaunchKeys.h"
#include "core/StartupPrompts.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/render/Renderer.h"
#include "platform/services/ServicesReset.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"

namespace {

constexpr double kFrameBudgetMs = 1000.0 / 60;
constexpr double kAfternoon = 1796882400.0;  // 2026-12-10 14:00 in Asia/Shanghai: no theme offer

// A returning visitor: city chosen, this version's guide and theme offers seen.
void returningVisitor() {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  defaults.reset();
  defaults.setString(vorn::kCityChosenFlag, "1");
  defaults.setString(platform::replaceAll(vorn::kFeatureKeyFormat, "%@", vorn::AppDelegate::getCurrentVersion()),
                     vorn::kFeatureDone);
  defaults.setString(vorn::kThemeVersionKey, platform::Bundle::mainBundle().bundleVersion());
  defaults.setBool(vorn::kThemeBlackHasAlertKey, true);
  defaults.setBool(vorn::kThemeNormalHasAlertKey, true);
}

void HomeScreenFullFrame(benchmark::State& state) {
  const std::string home = vorn::bench::temporaryHome();
  auto& loop = platform::RunLoop::main();
  loop.adoptCurrentThread();
  loop.useVirtualClock(kAfternoon);
  platform::setHomeDirectory(home);
  platform::Screen::mainScreen().setHeight(568);
  vorn::portal::DemoPortal portal;
  if (!vorn::bench::useDemoPortal(portal, state)) return;
  platform::Application::sharedApplication().reset();
  platform::services::resetAllServices();
  platform::NotificationCenter::defaultCenter().reset();
  returningVisitor();
  auto delegate = std::make_shared<vorn::VornAppDelegate>();
  vorn::AppDelegate::setSharedAppDelegate(delegate);
  platform::Application::sharedApplication().launch();
  vorn::bench::runUntilLaunchPictureGone(*delegate);
  loop.settle(30.0);
  if (delegate->launchPicture() && delegate->launchPicture()->superview()) {
    state.SkipWithError("the launch picture did not go");
    return;
  }

  double totalMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    auto picture = platform::render::renderScreen();
    benchmark::DoNotOptimize(picture.data());
    totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  const double frameMs = totalMs / static_cast<double>(state.iterations());
  state.counters["frame_ms"] = frameMs;
  state.counters["budget_left_ms_60hz"] = kFrameBudgetMs - frameMs;
  std::printf("home screen: %.3f ms a frame, %.3f ms of the %.2f ms budget at 60 Hz left\n", frameMs,
              kFrameBudgetMs - frameMs, kFrameBudgetMs);

  vorn::AppDelegate::setSharedAppDelegate(nullptr);
  delegate.reset();
  platform::Application::sharedApplication().reset();
  portal.stop();
  std::filesystem::remove_all(home);
}
BENCHMARK(HomeScreenFullFrame)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace

BENCHMARK_MAIN();
