#include "ui/PyxoPhoto.h"

#include <algorithm>
#include <cctype>

#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Url.h"
#include "platform/services/PhotoLibrary.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageDownloadCache.h"

namespace vorn {
namespace {

constexpr char kFileScheme[] = "file";
constexpr char kFileUrlPrefix[] = "file://";

std::string lowercaseScheme(const std::string& address) {
  auto colon = address.find(':');
  if (colon == std::string::npos) return {};
  std::string scheme = address.substr(0, colon);
  std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
  return scheme;
}

std::shared_ptr<const platform::Image> decode(const std::optional<platform::Bytes>& bytes) {
  if (!bytes) return nullptr;
  return platform::Image::imageWithData(std::string(bytes->begin(), bytes->end()));
}

}  // namespace

std::shared_ptr<PyxoPhoto> PyxoPhoto::photoWithURL(const std::string& address) {
  auto photo = std::make_shared<PyxoPhoto>();
  if (platform::parseUrl(address) && !address.empty()) photo->photoURL_ = address;
  return photo;
}

std::shared_ptr<PyxoPhoto> PyxoPhoto::photoWithImage(std::shared_ptr<const platform::Image> image) {
  auto photo = std::make_shared<PyxoPhoto>();
  photo->image_ = std::move(image);
  return photo;
}

std::shared_ptr<PyxoPhoto> PyxoPhoto::photoWithFilePath(const std::string& path) {
  auto photo = std::make_shared<PyxoPhoto>();
  // Kept as written: a path may hold characters an address may not, and the
  // file is read by its path again.
  photo->photoURL_ = std::string(kFileUrlPrefix) + path;
  return photo;
}

void PyxoPhoto::loadUnderlyingImageAndNotify() {
  if (loading_) return;
  loading_ = true;
  if (underlyingImage_) {
    imageLoadingComplete();
    return;
  }
  performLoadUnderlyingImageAndNotify();
}

void PyxoPhoto::performLoadUnderlyingImageAndNotify() {
  if (image_) {
    underlyingImage_ = image_;
    imageLoadingComplete();
    return;
  }
  if (!photoURL_) {
    underlyingImage_ = nullptr;
    imageLoadingComplete();
    return;
  }
  const std::string& address = *photoURL_;
  std::string scheme = lowercaseScheme(address);
  if (scheme == platform::services::kAssetUrlScheme) {
    loadFromAsset(address);
  } else if (scheme == kFileScheme) {
    // The picture downloader fetches web addresses only; a file is read here.
    loadFromFile(address.substr(std::string(kFileUrlPrefix).size()));
  } else {
    loadFromNetwork(address);
  }
}

void PyxoPhoto::loadFromFile(const std::string& path) {
  auto self = shared_from_this();
  std::uint64_t generation = generation_;
  platform::dispatchBackground([self, path, generation] {
    auto image = decode(platform::readFile(path));
    platform::dispatchMain([self, generation, image] { self->deliver(generation, image); });
  });
}

void PyxoPhoto::loadFromAsset(const std::string& url) {
  auto self = shared_from_this();
  std::uint64_t generation = generation_;
  platform::services::PhotoLibrary::shared().assetForUrl(
      url,
      [self, generation](const std::optional<platform::services::PhotoAsset>& asset) {
        if (!asset) {
          self->deliver(generation, nullptr);
          return;
        }
        auto found = *asset;
        platform::dispatchBackground([self, generation, found] {
          auto image = decode(found.readBytes());
          platform::dispatchMain([self, generation, image] { self->deliver(generation, image); });
        });
      },
      [self, generation](const platform::services::PhotoLibraryError&) { self->deliver(generation, nullptr); });
}

void PyxoPhoto::loadFromNetwork(const std::string& url) {
  std::weak_ptr<PyxoPhoto> weak = weak_from_this();
  std::uint64_t generation = generation_;
  auto progress = [weak](std::int64_t received, std::int64_t expected) {
    if (expected < 1) return;
    auto self = weak.lock();
    if (!self) return;
    PyxoPhotoProgress report{static_cast<float>(received) / static_cast<float>(expected), self};
    platform::NotificationCenter::defaultCenter().post(kPyxoPhotoProgressNotification, report);
  };
  // The photo stays alive until its fetch has answered, as a fetch keeps its
  // requester.
  auto self = shared_from_this();
  auto answered = std::make_shared<bool>(false);
  auto completion = [self, generation, answered](std::shared_ptr<const platform::Bytes> picture, const std::string&,
                                                   platform::ImageCacheType, bool) {
    *answered = true;
    self->webImageOperation_ = nullptr;
    std::shared_ptr<const platform::Image> image;
    if (picture) image = platform::Image::imageWithData(std::string(picture->begin(), picture->end()));
    self->deliver(generation, image);
  };
  auto handle = platform::ImageDownloadCache::sharedManager().downloadWithURL(url, progress, completion);
  // A memory-cache answer has already run the completion inside the call.
  if (!*answered && handle && !handle->isFinished()) webImageOperation_ = handle;
}

void PyxoPhoto::deliver(std::uint64_t generation, std::shared_ptr<const platform::Image> image) {
  if (generation != generation_) return;  // unloaded meanwhile
  underlyingImage_ = std::move(image);
  imageLoadingComplete();
}

void PyxoPhoto::unloadUnderlyingImage() {
  loading_ = false;
  underlyingImage_ = nullptr;
  ++generation_;
}

void PyxoPhoto::cancelAnyLoading() {
  if (!webImageOperation_) return;
  webImageOperation_->cancel();
  loading_ = false;
}

void PyxoPhoto::imageLoadingComplete() {
  loading_ = false;
  auto self = shared_from_this();
  platform::dispatchAfter(0, [self] { self->postCompleteNotification(); });
}

void PyxoPhoto::postCompleteNotification() {
  platform::NotificationCenter::defaultCenter().post(kPyxoPhotoLoadingDidEndNotification,
                                                    std::static_pointer_cast<PyxoPhotoProtocol>(shared_from_this()));
}

}  // namespace vorn
