#pragma once
// The file caches in the home folder's Caches: stored API answers, entries kept
// across their clearing, launch advert pictures, and the picture loader's
// folders, whose size the settings show and clear.
//
// Keys are outside text: each becomes a file name that stays inside its folder
// (see platform::safeFileName); a key that cannot be made safe is never stored
// and reads as nothing stored. Writes are whole and atomic; a failed write
// leaves the earlier file in place. Nothing here reports errors to its callers.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"

namespace vorn {

inline constexpr char kDataCacheDir[] = "DataCacheDir";
inline constexpr char kPermCacheDir[] = "PermCacheDir";
inline constexpr char kAdCacheDir[] = "AdCache";
inline constexpr char kTempCacheDir[] = "TempCache";
inline constexpr char kPermImageCacheDir[] = "PermCache";
// An answer whose stored form would be larger than this is not cached: reading
// it back at launch would hold up the main loop.
inline constexpr std::size_t kMaxCachedAnswerBytes = 2 * 1024 * 1024;

class Vorn5CacheClient {
 public:
  static Vorn5CacheClient& sharedClient();

  // Full paths, in the current home folder.
  std::string cacheDir() const;      // Caches/DataCacheDir
  std::string permCacheDir() const;  // Caches/PermCacheDir
  std::string adCacheDir() const;    // Caches/AdCache
  std::string imgCacheDir() const;   // Caches/TempCache

  // Creates the answer and kept folders when absent (done once when the shared
  // client is made; tests call it after changing the home folder).
  void init();

  // Writes `object` under the key: a data value as its bytes, anything else as
  // a property list. Returns whether the file now holds it.
  bool saveCache(const platform::Value& object, std::string_view key);
  bool savePermCache(const platform::Value& object, std::string_view key);
  bool saveAdCache(const platform::Bytes& picture, std::string_view pictureUrl);

  // The stored bytes; nullopt when nothing is stored under the key.
  std::optional<platform::Bytes> loadCacheWithKey(std::string_view key) const;
  std::optional<platform::Bytes> loadPermCacheWithKey(std::string_view key) const;
  std::optional<platform::Bytes> loadAdCacheWithKey(std::string_view pictureUrl) const;

  void clearImgCache();
  void clearAdImgCache();
  void clearDataCache();

  // The picture cache size, "0MB" or "%.1fMB": TempCache plus the disk size of the
  // picture downloader's cache (counted only while TempCache exists).
  std::string getImgCacheSize() const;
  // Bytes under a folder (links count themselves; sub-folders their contents and entry).
  static std::uint64_t _folderSizeAtPath(const std::string& path);
  // The advert file name: "img" followed by the address without "://" and "/".
  static std::string convertUrlStrToSaveStr(std::string_view pictureUrl);

  // Where the picture downloader's disk size comes from (bytes); by default, and
  // after an empty function, the shared downloader's disk cache.
  void setImageDownloadCacheDiskSize(std::function<std::uint64_t()> source);

 private:
  Vorn5CacheClient() = default;
  static bool saveInto(const std::string& folder, const platform::Value& object, std::string_view key);
  static std::optional<platform::Bytes> loadFrom(const std::string& folder, std::string_view key);

  std::function<std::uint64_t()> imageDownloadCacheDiskSize_;
};

}  // namespace vorn
