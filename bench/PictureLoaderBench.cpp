// Time per picture of the picture loader serving a stored 640x400 JPEG to an
// image view: the disk read and the decode, as a list scrolling over pictures
// it has shown before pays them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "net/Vorn5CacheClient.h"
#include "net/ZorbNetworking.h"
#include "platform/foundation/Files.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"

namespace {

// A photo-like picture: smooth gradients with some detail, so the JPEG has a
// realistic size.
std::shared_ptr<platform::Image> photoLikePicture(int width, int height) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      p[0] = static_cast<std::uint8_t>((x * 255) / width);
      p[1] = static_cast<std::uint8_t>((y * 255) / height);
      p[2] = static_cast<std::uint8_t>(((x ^ y) & 0x3f) * 3);
      p[3] = 255;
    }
  }
  return platform::Image::create(width, height, 1, std::move(rgba));
}

void CachedPictureToImageView(benchmark::State& state) {
  const auto home = std::filesystem::temp_directory_path() / "vorn-picture-bench";
  std::filesystem::remove_all(home);
  platform::setHomeDirectory(home.string());
  const std::string url = "http://127.0.0.1:8080/upload/2014/01/photo.jpg";
  vorn::createDirInCache(vorn::kTempCacheDir);
  if (!vorn::saveImageToCacheDir(vorn::pathInCacheDirectory(vorn::kTempCacheDir), *photoLikePicture(640, 400), url,
                                 "jpg")) {
    state.SkipWithError("could not store the picture");
    return;
  }
  auto view = platform::ImageView::create({0, 0, 320, 200});
  for (auto _ : state) {
    vorn::setImageWithURLRequest(view, vorn::pictureRequestWithURL(url), nullptr, true, 0, std::nullopt);
    if (!view->image() || view->image()->pixelWidth() != 640) {
      state.SkipWithError("the stored picture was not shown");
      break;
    }
    view->setImage(nullptr);
  }
  state.SetItemsProcessed(state.iterations());
  std::filesystem::remove_all(home);
}
BENCHMARK(CachedPictureToImageView)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
