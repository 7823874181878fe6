// Paging through a 50-picture gallery whose pictures are in the picture
// downloader's disk cache: time per page change (the new page shown and its
// neighbours loaded), with the peak resident memory and the most images any
// moment held reported as counters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "net/PortalHosts.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImageDownloadCache.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "portal/DemoPortal.h"
#include "ui/PyxoPhoto.h"
#include "ui/PyxoPhotoBrowser.h"

namespace {

constexpr int kPictures = 50;

class Gallery : public vorn::PyxoPhotoBrowserDelegate {
 public:
  std::vector<std::shared_ptr<vorn::PyxoPhoto>> photos;
  unsigned numberOfPhotosInPhotoBrowser(vorn::PyxoPhotoBrowser&) override { return static_cast<unsigned>(photos.size()); }
  std::shared_ptr<vorn::PyxoPhotoProtocol> photoAtIndex(vorn::PyxoPhotoBrowser&, unsigned i) override {
    return i < photos.size() ? photos[i] : nullptr;
  }
  int imagesHeld() const {
    int n = 0;
    for (const auto& p : photos) n += p->underlyingImage() ? 1 : 0;
    return n;
  }
};

// Peak resident set size in kilobytes (VmHWM).
long peakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

void PageChangeFromDiskCache(benchmark::State& state) {
  auto home = std::filesystem::temp_directory_path() / ("vorn-photo-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(home / "Library" / "Caches");
  platform::setHomeDirectory(home.string());
  auto& loop = platform::RunLoop::main();
  loop.adoptCurrentThread();
  loop.useVirtualClock(1796875200.0);
  vorn::portal::DemoPortal portal;
  if (!portal.start()) {
    state.SkipWithError("the demo portal did not start");
    return;
  }
  vorn::PortalHosts::setAllBaseUrls(portal.baseUrl());
  auto& cache = platform::ImageDownloadCache::sharedManager();
  cache.reset();

  auto gallery = std::make_shared<Gallery>();
  for (int i = 0; i < kPictures; ++i)
    gallery->photos.push_back(
        vorn::PyxoPhoto::photoWithURL(portal.baseUrl() + "/pic/640x480/gallery50-" + std::to_string(i + 1) + ".jpg"));
  // Fill the disk cache once, then forget the memory cache.
  int fetched = 0;
  for (const auto& photo : gallery->photos) {
    cache.downloadWithURL(*photo->photoURL(), {}, [&](auto, const std::string&, auto, bool) { ++fetched; });
  }
  loop.runUntil([&] { return fetched == kPictures; }, 60);
  cache.clearMemory();

  auto app = std::make_shared<vorn::VornAppDelegate>();
  vorn::AppDelegate::setSharedAppDelegate(app);
  auto window = platform::Window::create(platform::Screen::mainScreen().bounds());
  app->setWindow(window);
  auto browser = vorn::PyxoPhotoBrowser::initWithDelegate(gallery);
  window->setRootViewController(browser);
  window->makeKeyAndVisible();
  loop.runFor(0.1);

  int most = 0;
  unsigned page = 0;
  auto settled = [&](unsigned index) {
    auto shown = gallery->photos[index];
    bool neighbours = (index == 0 || gallery->photos[index - 1]->underlyingImage()) &&
                      (index + 1 >= gallery->photos.size() || gallery->photos[index + 1]->underlyingImage());
    return shown->underlyingImage() && neighbours;
  };
  loop.runUntil([&] { return settled(0); }, 10);
  for (auto _ : state) {
    unsigned next = (page + 1) % kPictures;
    browser->jumpToPageAtIndex(next, false);
    browser->scrollViewDidEndDecelerating(*browser->pagingScrollView());
    loop.runUntil([&] { return settled(next); }, 10);
    page = next;
    state.PauseTiming();
    most = std::max(most, gallery->imagesHeld());
    cache.clearMemory();  // every change reads the disk cache
    state.ResumeTiming();
  }
  state.counters["peak_rss_kb"] = static_cast<double>(peakResidentKb());
  state.counters["most_images_held"] = most;
  browser.reset();
  window.reset();
  platform::Application::sharedApplication().reset();
  vorn::AppDelegate::setSharedAppDelegate(nullptr);
  portal.stop();
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
}
BENCHMARK(PageChangeFromDiskCache)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
