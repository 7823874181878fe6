#include "net/ZorbNetworking.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>

#include "net/Vorn5CacheClient.h"
#include "net/ZorbImageRequestOperation.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpClientLayer.h"
#include "platform/net/HttpUrl.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"

namespace vorn {
namespace {

using platform::net::HttpError;
using platform::net::HttpErrorKind;
using platform::net::HttpOperation;
using platform::net::HttpRequest;

constexpr int kErrorUnsupportedURL = -1002;
constexpr double kJpegQuality = 1.0;

// The one picture queue: a client of its own whose only kind is the picture kind.
platform::net::HttpClientLayer& pictureQueue() {
  static platform::net::HttpClientLayer* client = [] {
    auto* c = new platform::net::HttpClientLayer("http://localhost/");
    c->registerOperationKind({"image", [](const HttpRequest&) { return true; },
                              [](HttpRequest request) -> std::shared_ptr<HttpOperation> {
                                return std::make_shared<ZorbImageRequestOperation>(std::move(request));
                              }});
    return c;
  }();
  return *client;
}

// The load each view is waiting for, by view. A load is identified by its
// generation, so a completion finds out whether it is still its view's current one.
struct CurrentLoad {
  std::weak_ptr<platform::ImageView> view;
  std::shared_ptr<HttpOperation> operation;
  std::uint64_t generation = 0;
};
std::map<const platform::ImageView*, CurrentLoad>& currentLoads() {
  static std::map<const platform::ImageView*, CurrentLoad> loads;
  return loads;
}
std::uint64_t nextGeneration = 1;

// Forgets the loads of views that are gone, and stops their transfers.
void dropLoadsOfGoneViews() {
  auto& loads = currentLoads();
  for (auto it = loads.begin(); it != loads.end();) {
    if (it->second.view.expired()) {
      if (it->second.operation) it->second.operation->cancel();
      it = loads.erase(it);
    } else {
      ++it;
    }
  }
}

bool isCurrent(const platform::ImageView* view, std::uint64_t generation) {
  auto& loads = currentLoads();
  auto it = loads.find(view);
  return it != loads.end() && it->second.generation == generation && !it->second.view.expired();
}

void forgetIfCurrent(const platform::ImageView* view, std::uint64_t generation) {
  if (isCurrent(view, generation)) currentLoads().erase(view);
}

std::function<bool()>& nightThemeTest() {
  static std::function<bool()> test;
  return test;
}

double alphaForTheme() { return nightThemeTest() && nightThemeTest()() ? kNightImageAlpha : 1.0; }

bool isWebAddress(const std::string& url) {
  const auto parsed = platform::net::HttpUrl::parse(url);
  if (!parsed || parsed->host.empty()) return false;
  std::string scheme = parsed->scheme;
  std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
  return scheme == "http" || scheme == "https";
}

std::optional<std::string> imageFilePath(const std::string& folderPath, std::string_view imageName) {
  const auto name = platform::safeFileName(Vorn5CacheClient::convertUrlStrToSaveStr(imageName));
  if (!name) return std::nullopt;
  return platform::joinPath(folderPath, *name);
}

// The text after the address's last ".", or the whole address without one.
std::string typeTextOf(const std::string& address) {
  const auto dot = address.rfind('.');
  return dot == std::string::npos ? address : address.substr(dot + 1);
}

void storeInBackground(const std::string& folderPath, std::shared_ptr<const platform::Image> image,
                       const std::string& name, const std::string& type) {
  // Marked as work in flight, so a settling loop waits for the file.
  auto work = std::make_shared<platform::RunLoop::ExternalWork>(platform::RunLoop::main());
  platform::dispatchBackground([folderPath, image = std::move(image), name, type, work] {
    saveImageToCacheDir(folderPath, *image, name, type);
  });
}

void succeeded(const platform::ImageView* key, std::uint64_t generation, ZorbImageRequestOperation& operation,
               const ImageLoadSuccess& success, const std::string& folder, const std::string& name) {
  if (!isCurrent(key, generation)) return;
  auto view = currentLoads()[key].view.lock();
  auto image = operation.responseImage();
  view->setAlpha(alphaForTheme());
  if (success) {
    success(&operation.request(), &operation.response(), image);
  } else {
    view->setImage(image);
  }
  if (image && createDirInCache(folder))
    storeInBackground(pathInCacheDirectory(folder), image, name, typeTextOf(operation.request().url));
  forgetIfCurrent(key, generation);
}

void failed(const platform::ImageView* key, std::uint64_t generation, const HttpRequest* request,
            const platform::net::HttpResponse* response, const HttpError& error, const ImageLoadFailure& failure) {
  // A load that was cancelled (replaced by a newer one, or cancelled by its
  // view) never reports: its view has moved on.
  if (error.kind == HttpErrorKind::Cancelled || !isCurrent(key, generation)) return;
  auto view = currentLoads()[key].view.lock();
  if (view->alpha() != 0) view->setAlpha(1.0);
  currentLoads().erase(key);
  if (failure) failure(request, response, error);
}

}  // namespace

HttpRequest pictureRequestWithURL(const std::string& url) { return pictureQueue().pictureRequest(url); }

const char* imageCacheFolderForType(int CacheType) {
  return CacheType == kPermImageCacheType ? kPermImageCacheDir : kTempCacheDir;
}

void setImageWithURLRequest(const std::shared_ptr<platform::ImageView>& view, HttpRequest request,
                            std::shared_ptr<const platform::Image> placeholderImage, bool loadCache, int CacheType,
                            const std::optional<std::string>& AnotherKey, ImageLoadSuccess success,
                            ImageLoadFailure failure) {
  if (!view) return;
  const platform::ImageView* key = view.get();
  cancelImageRequestOperation(*view);
  dropLoadsOfGoneViews();

  request.timeoutSeconds = kImageRequestTimeoutSeconds;
  const std::string folder = imageCacheFolderForType(CacheType);
  const std::string name = loadCache && AnotherKey ? *AnotherKey : request.url;

  if (loadCache) {
    if (auto bytes = loadImageData(pathInCacheDirectory(folder), name)) {
      const std::string data(bytes->begin(), bytes->end());
      if (auto image = platform::Image::imageWithData(data, 1)) {
        view->setImage(image);
        if (success) {
          view->setAlpha(alphaForTheme());
          success(nullptr, nullptr, view->image());
        }
        return;
      }
    }
  }

  view->setImage(std::move(placeholderImage));
  const std::uint64_t generation = nextGeneration++;
  if (!isWebAddress(request.url)) {
    currentLoads()[key] = CurrentLoad{view, nullptr, generation};
    platform::dispatchMain([key, generation, request, failure = std::move(failure)] {
      const auto error = HttpError::make(HttpErrorKind::Other, kErrorUnsupportedURL, "not an http or https address");
      failed(key, generation, &request, nullptr, error, failure);
    });
    return;
  }

  auto& queue = pictureQueue();
  auto operation = queue.operationWithRequest(
      std::move(request),
      [key, generation, success, folder, name](HttpOperation& op, const platform::Value&) {
        succeeded(key, generation, static_cast<ZorbImageRequestOperation&>(op), success, folder, name);
      },
      [key, generation, failure](HttpOperation& op, const HttpError& error) {
        failed(key, generation, &op.request(), &op.response(), error, failure);
      });
  currentLoads()[key] = CurrentLoad{view, operation, generation};
  queue.enqueueOperation(operation);
}

void setNightThemeTest(std::function<bool()> isNight) { nightThemeTest() = std::move(isNight); }

void cancelImageRequestOperation(const platform::ImageView& view) {
  auto& loads = currentLoads();
  auto it = loads.find(&view);
  if (it == loads.end()) return;
  auto operation = std::move(it->second.operation);
  loads.erase(it);
  if (operation) operation->cancel();
}

bool hasImageRequestOperation(const platform::ImageView& view) {
  const auto& loads = currentLoads();
  const auto it = loads.find(&view);
  return it != loads.end() && !it->second.view.expired();
}

std::string pathInCacheDirectory(std::string_view folder) {
  return platform::joinPath(platform::cachesDirectory(), folder);
}

bool createDirInCache(std::string_view folder) {
  const std::string path = pathInCacheDirectory(folder);
  return platform::isDirectory(path) || platform::createDirectory(path);
}

std::optional<platform::Bytes> loadImageData(const std::string& folderPath, std::string_view imageName) {
  if (!platform::isDirectory(folderPath)) return std::nullopt;
  const auto path = imageFilePath(folderPath, imageName);
  if (!path || !platform::isRegularFile(*path)) return std::nullopt;
  return platform::readFile(*path);
}

bool saveImageToCacheDir(const std::string& folderPath, const platform::Image& image, std::string_view imageName,
                         std::string_view imageType) {
  if (!platform::isDirectory(folderPath)) return false;
  std::string type(imageType);
  std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
  std::string encoded;
  if (type.find("png") != std::string::npos) {
    encoded = image.pngData();
  } else if (type.find("jpg") != std::string::npos || type.find("jpeg") != std::string::npos) {
    encoded = image.jpegData(kJpegQuality);
  } else {
    return false;
  }
  const auto path = imageFilePath(folderPath, imageName);
  if (encoded.empty() || !path) return false;
  return platform::writeFileAtomically(*path, encoded);
}

}  // namespace vorn
