#pragma once
// The shared asynchronous picture downloader, with a memory cache and a disk
// cache (files under Library/Caches/"ImageDownloadCache", one per address,
// named by platform::safeFileName). A fetch is answered from memory, then from
// disk, and otherwise downloaded through the HTTP layer as a picture request
// ("Accept: image/*", never any cookie); only http and https addresses are
// fetched. Progress reports received and expected byte counts on the main
// thread while a download's body arrives (received growing, expected the
// answer's Content-Length), then the whole size once more just before the
// completion; a body of unknown length reports only that last time. A fetch
// answered from memory or disk reports no progress, only its completion. The
// completion runs once, on the main thread, unless the handle was cancelled
// first; a cancelled handle hears nothing more.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Files.h"

namespace platform {

namespace net {
class HttpClientLayer;
class HttpOperation;
}  // namespace net

inline constexpr char kImageDownloadCacheFolder[] = "ImageDownloadCache";

// Where an answer came from.
enum class ImageCacheType { None = 0, Disk = 1, Memory = 2 };

// The cancellable handle of one fetch.
class ImageDownloadHandle {
 public:
  // The completion will not run; a download nobody else waits for stops.
  void cancel();
  bool isCancelled() const { return cancelled_; }
  bool isFinished() const { return finished_; }

 private:
  friend class ImageDownloadCache;
  bool cancelled_ = false;
  bool finished_ = false;
  std::string key_;
};

class ImageDownloadCache {
 public:
  // The picture's bytes (null on failure), the error text ("" on success),
  // where it came from, and whether this is the final answer (always true).
  using Completion = std::function<void(std::shared_ptr<const Bytes> picture, const std::string& error,
                                        ImageCacheType cacheType, bool finished)>;
  using Progress = std::function<void(std::int64_t receivedSize, std::int64_t expectedSize)>;

  static ImageDownloadCache& sharedManager();

  // Fetches the picture at `url`. The handle is already finished when the
  // memory cache answered (the completion has then run before the return).
  std::shared_ptr<ImageDownloadHandle> downloadWithURL(const std::string& url, Progress progress,
                                                       Completion completion);

  // The memory cache.
  std::shared_ptr<const Bytes> imageFromMemoryCache(const std::string& url) const;
  void clearMemory();
  // The disk cache: its size in bytes, the number of files, and clearing it.
  std::uint64_t getSize() const;
  std::size_t getDiskCount() const;
  void clearDisk();
  std::string diskCachePath() const;
  // The stored file of an address; "" when the address cannot name a file.
  std::string cachePathForKey(const std::string& url) const;

  // Cancels every fetch and forgets the memory cache (tests; the disk stays).
  void reset();

  static constexpr std::size_t kMemoryLimitBytes = 32u << 20;

 private:
  friend class ImageDownloadHandle;
  ImageDownloadCache();
  struct Waiter {
    std::weak_ptr<ImageDownloadHandle> handle;
    std::shared_ptr<ImageDownloadHandle> keep;  // until its completion ran
    Progress progress;
    Completion completion;
  };
  struct Transfer {
    std::shared_ptr<net::HttpOperation> operation;
    std::vector<Waiter> waiters;
  };
  void remember(const std::string& url, std::shared_ptr<const Bytes> picture);
  void finishTransfer(const std::string& url, std::shared_ptr<const Bytes> picture, const std::string& error,
                      std::int64_t expected);
  void dropCancelledWaiters();
  void reportProgress(const std::string& url, std::int64_t received, std::int64_t expected);
  void startDownload(const std::string& url);

  std::unique_ptr<net::HttpClientLayer> client_;
  std::map<std::string, std::shared_ptr<const Bytes>> memory_;
  std::vector<std::string> memoryOrder_;  // oldest first
  std::size_t memoryBytes_ = 0;
  std::map<std::string, Transfer> transfers_;
};

// Whether bytes look like a picture the platform decodes (JPEG, PNG, GIF, BMP,
// TIFF, ICO), by their signature.
bool looksLikePicture(const Bytes& bytes);

}  // namespace platform
