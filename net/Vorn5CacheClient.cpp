#include "net/Vorn5CacheClient.h"

#include <cstdio>

#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/Text.h"
#include "platform/ui/ImageDownloadCache.h"

namespace vorn {
namespace {

constexpr char kAdvertNamePrefix[] = "img";
constexpr char kNoPictureCache[] = "0MB";

std::string cachesFolder(std::string_view name) {
  return platform::joinPath(platform::cachesDirectory(), name);
}

// Answers only: advert pictures are kept whatever their size.
bool fitsTheCache(const platform::Value& answer) {
  if (platform::isData(answer)) return platform::bytesOf(answer).size() <= kMaxCachedAnswerBytes;
  const auto stored = platform::serializePlist(answer, platform::PlistFormat::Binary);
  return stored && stored->size() <= kMaxCachedAnswerBytes;
}

}  // namespace

Vorn5CacheClient& Vorn5CacheClient::sharedClient() {
  static Vorn5CacheClient* client = [] {
    auto* c = new Vorn5CacheClient();
    c->init();
    return c;
  }();
  return *client;
}

std::string Vorn5CacheClient::cacheDir() const { return cachesFolder(kDataCacheDir); }
std::string Vorn5CacheClient::permCacheDir() const { return cachesFolder(kPermCacheDir); }
std::string Vorn5CacheClient::adCacheDir() const { return cachesFolder(kAdCacheDir); }
std::string Vorn5CacheClient::imgCacheDir() const { return cachesFolder(kTempCacheDir); }

void Vorn5CacheClient::init() {
  platform::createDirectory(cacheDir());
  platform::createDirectory(permCacheDir());
}

bool Vorn5CacheClient::saveInto(const std::string& folder, const platform::Value& object,
                                std::string_view key) {
  const auto name = platform::safeFileName(key);
  if (!name || !platform::createDirectory(folder)) return false;
  const std::string path = platform::joinPath(folder, *name);
  if (platform::isData(object)) return platform::writeFileAtomically(path, platform::bytesOf(object));
  return platform::writePlistFile(path, object);
}

std::optional<platform::Bytes> Vorn5CacheClient::loadFrom(const std::string& folder,
                                                          std::string_view key) {
  const auto name = platform::safeFileName(key);
  if (!name) return std::nullopt;
  return platform::readFile(platform::joinPath(folder, *name));
}

bool Vorn5CacheClient::saveCache(const platform::Value& object, std::string_view key) {
  return fitsTheCache(object) && saveInto(cacheDir(), object, key);
}

bool Vorn5CacheClient::savePermCache(const platform::Value& object, std::string_view key) {
  return fitsTheCache(object) && saveInto(permCacheDir(), object, key);
}

bool Vorn5CacheClient::saveAdCache(const platform::Bytes& picture, std::string_view pictureUrl) {
  return saveInto(adCacheDir(), platform::dataValue(picture), convertUrlStrToSaveStr(pictureUrl));
}

std::optional<platform::Bytes> Vorn5CacheClient::loadCacheWithKey(std::string_view key) const {
  return loadFrom(cacheDir(), key);
}

std::optional<platform::Bytes> Vorn5CacheClient::loadPermCacheWithKey(std::string_view key) const {
  return loadFrom(permCacheDir(), key);
}

std::optional<platform::Bytes> Vorn5CacheClient::loadAdCacheWithKey(std::string_view pictureUrl) const {
  return loadFrom(adCacheDir(), convertUrlStrToSaveStr(pictureUrl));
}

void Vorn5CacheClient::clearImgCache() { platform::removeItem(imgCacheDir()); }
void Vorn5CacheClient::clearAdImgCache() { platform::removeItem(adCacheDir()); }
void Vorn5CacheClient::clearDataCache() { platform::removeItem(cacheDir()); }

std::string Vorn5CacheClient::getImgCacheSize() const {
  const std::string folder = imgCacheDir();
  if (!platform::isDirectory(folder)) return kNoPictureCache;
  const std::uint64_t downloaderBytes = imageDownloadCacheDiskSize_ ? imageDownloadCacheDiskSize_()
                                                                    : platform::ImageDownloadCache::sharedManager().getSize();
  // Megabytes in single precision, as the settings have always shown them.
  const float folderMb = static_cast<float>(_folderSizeAtPath(folder)) / 1024.0f / 1024.0f;
  const float downloaderMb = static_cast<float>(downloaderBytes) / 1024.0f / 1024.0f;
  char text[64];
  std::snprintf(text, sizeof text, "%.1fMB", static_cast<double>(folderMb + downloaderMb));
  return std::string(text) == "0.0MB" ? kNoPictureCache : text;
}

std::uint64_t Vorn5CacheClient::_folderSizeAtPath(const std::string& path) {
  return platform::folderSize(path);
}

std::string Vorn5CacheClient::convertUrlStrToSaveStr(std::string_view pictureUrl) {
  std::string name = kAdvertNamePrefix;
  for (const std::string& piece : platform::split(pictureUrl, "://"))
    for (const std::string& part : platform::split(piece, "/")) name += part;
  return name;
}

void Vorn5CacheClient::setImageDownloadCacheDiskSize(std::function<std::uint64_t()> source) {
  imageDownloadCacheDiskSize_ = std::move(source);
}

}  // namespace vorn
