#include "platform/ui/ImageDownloadCache.h"

#include <algorithm>
#include <cstring>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Value.h"
#include "platform/net/HttpClientLayer.h"
#include "platform/net/HttpUrl.h"

namespace platform {

namespace {

constexpr char kNotAPictureAddress[] = "not an http or https address";
constexpr char kNotAPicture[] = "the answer is not a picture";

bool isWebAddress(const std::string& url) {
  auto parsed = net::HttpUrl::parse(url);
  if (!parsed) return false;
  std::string scheme = parsed->scheme;
  std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
  return (scheme == "http" || scheme == "https") && !parsed->host.empty();
}

bool startsWith(const Bytes& b, std::initializer_list<std::uint8_t> sig) {
  return b.size() >= sig.size() && std::equal(sig.begin(), sig.end(), b.begin());
}

}  // namespace

bool looksLikePicture(const Bytes& b) {
  return startsWith(b, {0xFF, 0xD8, 0xFF}) ||                          // JPEG
         startsWith(b, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) ||  // PNG
         startsWith(b, {'G', 'I', 'F', '8'}) ||                        // GIF
         startsWith(b, {'B', 'M'}) ||                                  // BMP
         startsWith(b, {'I', 'I', 0x2A, 0x00}) || startsWith(b, {'M', 'M', 0x00, 0x2A}) ||  // TIFF
         startsWith(b, {0x00, 0x00, 0x01, 0x00});                      // ICO
}

void ImageDownloadHandle::cancel() {
  if (cancelled_ || finished_) return;
  cancelled_ = true;
  ImageDownloadCache::sharedManager().dropCancelledWaiters();
}

ImageDownloadCache::ImageDownloadCache() : client_(std::make_unique<net::HttpClientLayer>("http://localhost/")) {}

ImageDownloadCache& ImageDownloadCache::sharedManager() {
  static ImageDownloadCache manager;
  return manager;
}

std::string ImageDownloadCache::diskCachePath() const { return joinPath(cachesDirectory(), kImageDownloadCacheFolder); }

std::string ImageDownloadCache::cachePathForKey(const std::string& url) const {
  auto name = safeFileName(url);
  if (!name) return {};
  return joinPath(diskCachePath(), *name);
}

std::shared_ptr<const Bytes> ImageDownloadCache::imageFromMemoryCache(const std::string& url) const {
  auto it = memory_.find(url);
  return it == memory_.end() ? nullptr : it->second;
}

void ImageDownloadCache::remember(const std::string& url, std::shared_ptr<const Bytes> picture) {
  if (!picture || picture->size() > kMemoryLimitBytes) return;
  auto old = memory_.find(url);
  if (old != memory_.end()) {
    memoryBytes_ -= old->second->size();
    memoryOrder_.erase(std::find(memoryOrder_.begin(), memoryOrder_.end(), url));
  }
  memory_[url] = picture;
  memoryOrder_.push_back(url);
  memoryBytes_ += picture->size();
  while (memoryBytes_ > kMemoryLimitBytes && !memoryOrder_.empty()) {
    auto oldest = memory_.find(memoryOrder_.front());
    memoryBytes_ -= oldest->second->size();
    memory_.erase(oldest);
    memoryOrder_.erase(memoryOrder_.begin());
  }
}

std::shared_ptr<ImageDownloadHandle> ImageDownloadCache::downloadWithURL(const std::string& url, Progress progress,
                                                                         Completion completion) {
  auto handle = std::make_shared<ImageDownloadHandle>();
  handle->key_ = url;
  auto answerNow = [&](std::shared_ptr<const Bytes> picture, const std::string& error, ImageCacheType type) {
    handle->finished_ = true;
    if (completion) completion(std::move(picture), error, type, true);
    return handle;
  };
  if (!isWebAddress(url)) return answerNow(nullptr, kNotAPictureAddress, ImageCacheType::None);
  if (auto picture = imageFromMemoryCache(url)) return answerNow(picture, "", ImageCacheType::Memory);
  std::string path = cachePathForKey(url);
  if (!path.empty()) {
    if (auto bytes = readFile(path); bytes && looksLikePicture(*bytes)) {
      auto picture = std::make_shared<const Bytes>(std::move(*bytes));
      remember(url, picture);
      return answerNow(picture, "", ImageCacheType::Disk);
    }
  }
  auto& transfer = transfers_[url];
  transfer.waiters.push_back(Waiter{handle, handle, std::move(progress), std::move(completion)});
  if (!transfer.operation) startDownload(url);
  return handle;
}

void ImageDownloadCache::startDownload(const std::string& url) {
  auto request = client_->pictureRequest(url);
  auto operation = client_->operationWithRequest(
      std::move(request),
      [this, url](net::HttpOperation& op, const Value&) {
        if (transfers_.count(url) == 0 || transfers_[url].operation.get() != &op) return;
        const std::string& body = op.response().body;
        auto picture = std::make_shared<const Bytes>(body.begin(), body.end());
        std::int64_t expected = static_cast<std::int64_t>(picture->size());
        std::string length = op.response().headers.get("Content-Length");
        if (!length.empty()) expected = std::max<std::int64_t>(expected, std::atoll(length.c_str()));
        if (!looksLikePicture(*picture)) {
          finishTransfer(url, nullptr, kNotAPicture, expected);
          return;
        }
        std::string path = cachePathForKey(url);
        if (!path.empty() && createDirectory(diskCachePath())) writeFileAtomically(path, *picture);
        remember(url, picture);
        finishTransfer(url, picture, "", expected);
      },
      [this, url](net::HttpOperation& op, const net::HttpError& error) {
        if (transfers_.count(url) == 0 || transfers_[url].operation.get() != &op) return;
        finishTransfer(url, nullptr, error.description, 0);
      });
  // Bodies of unknown length say nothing until they are complete; the whole
  // size is reported with the completion.
  operation->setDownloadProgressBlock([this, url](net::HttpOperation& op, std::int64_t received,
                                                  std::int64_t expected) {
    auto it = transfers_.find(url);
    if (it == transfers_.end() || it->second.operation.get() != &op) return;
    if (expected <= 0 || received >= expected) return;
    reportProgress(url, received, expected);
  });
  transfers_[url].operation = operation;
  client_->enqueueOperation(operation);
}

void ImageDownloadCache::reportProgress(const std::string& url, std::int64_t received, std::int64_t expected) {
  auto it = transfers_.find(url);
  if (it == transfers_.end()) return;
  // A report may cancel handles or start fetches: go over a copy, asking each
  // handle again just before its report.
  auto waiters = it->second.waiters;
  for (auto& waiter : waiters) {
    auto handle = waiter.handle.lock();
    if (!handle || handle->cancelled_ || handle->finished_ || !waiter.progress) continue;
    waiter.progress(received, expected);
  }
}

void ImageDownloadCache::finishTransfer(const std::string& url, std::shared_ptr<const Bytes> picture,
                                        const std::string& error, std::int64_t expected) {
  auto node = transfers_.extract(url);
  if (node.empty()) return;
  for (auto& waiter : node.mapped().waiters) {
    auto handle = waiter.handle.lock();
    if (!handle || handle->cancelled_) continue;
    if (picture && waiter.progress) waiter.progress(static_cast<std::int64_t>(picture->size()), expected);
    if (handle->cancelled_) continue;  // cancelled from its own progress report
    handle->finished_ = true;
    if (waiter.completion) waiter.completion(picture, error, ImageCacheType::None, true);
  }
}

void ImageDownloadCache::dropCancelledWaiters() {
  // Drops cancelled waiters; a transfer nobody waits for any more is stopped.
  for (auto it = transfers_.begin(); it != transfers_.end();) {
    auto& waiters = it->second.waiters;
    waiters.erase(std::remove_if(waiters.begin(), waiters.end(),
                                 [](const Waiter& w) {
                                   auto h = w.handle.lock();
                                   return !h || h->cancelled_;
                                 }),
                  waiters.end());
    if (waiters.empty()) {
      auto operation = it->second.operation;
      it = transfers_.erase(it);
      if (operation) operation->cancel();
    } else {
      ++it;
    }
  }
}

void ImageDownloadCache::clearMemory() {
  memory_.clear();
  memoryOrder_.clear();
  memoryBytes_ = 0;
}

std::uint64_t ImageDownloadCache::getSize() const {
  return folderSize(diskCachePath());
}

std::size_t ImageDownloadCache::getDiskCount() const { return listDirectory(diskCachePath()).size(); }

void ImageDownloadCache::clearDisk() {
  removeItem(diskCachePath());
  createDirectory(diskCachePath());
}

void ImageDownloadCache::reset() {
  auto transfers = std::move(transfers_);
  transfers_.clear();
  for (auto& [url, transfer] : transfers) {
    if (transfer.operation) transfer.operation->cancel();
  }
  clearMemory();
}

}  // namespace platform
