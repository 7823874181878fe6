#include "platform/services/PhotoLibrary.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Url.h"

namespace platform::services {

namespace {

std::atomic<int> gAuthorization{kPhotoAccessAuthorized};

constexpr char kAssetHost[] = "asset";
constexpr char kAddedNamePrefix[] = "IMG_";
constexpr char kOrientationSuffix[] = ".orientation";

std::string upper(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The extension as the library writes it in addresses ("JPG", "PNG", "MOV").
std::string extensionToken(const std::string& fileName) {
  auto dot = fileName.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == fileName.size()) return "";
  std::string ext = upper(fileName.substr(dot + 1));
  return ext == "JPEG" ? "JPG" : ext;
}

std::optional<AssetType> typeOfExtension(const std::string& ext) {
  static const char* photos[] = {"JPG", "PNG", "GIF", "HEIC", "BMP", "TIF", "TIFF"};
  static const char* videos[] = {"MOV", "MP4", "M4V"};
  for (auto* p : photos) {
    if (ext == p) return AssetType::Photo;
  }
  for (auto* v : videos) {
    if (ext == v) return AssetType::Video;
  }
  return std::nullopt;
}

bool admits(AssetsFilter filter, AssetType type) {
  switch (filter) {
    case AssetsFilter::AllPhotos: return type == AssetType::Photo;
    case AssetsFilter::AllVideos: return type == AssetType::Video;
    case AssetsFilter::AllAssets: return true;
  }
  return true;
}

std::uint64_t fnv1a(std::string_view text, std::uint64_t basis) {
  std::uint64_t h = basis;
  for (unsigned char c : text) {
    h ^= c;
    h *= 0x100000001b3ULL;
  }
  return h;
}

// A stable id in the platform's form (8-4-4-4-12 upper-case hex digits).
std::string assetId(const std::string& album, const std::string& fileName) {
  std::string key = album + "/" + fileName;
  std::uint64_t a = fnv1a(key, 0xcbf29ce484222325ULL);
  std::uint64_t b = fnv1a(key, 0x84222325cbf29ce4ULL);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%08X-%04X-%04X-%04X-%012llX", static_cast<unsigned>(a >> 32),
                static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFFF),
                static_cast<unsigned>(b >> 48), static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFULL));
  return buf;
}

std::string assetUrl(const std::string& album, const std::string& fileName) {
  std::string ext = extensionToken(fileName);
  return std::string(kAssetUrlScheme) + "://" + kAssetHost + "/asset." + ext + "?id=" + assetId(album, fileName) +
         "&ext=" + ext;
}

// File names in the library's order: digit runs compare by value, so IMG_10000
// follows IMG_9999.
bool libraryOrder(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    bool da = std::isdigit(static_cast<unsigned char>(a[i])), db = std::isdigit(static_cast<unsigned char>(b[j]));
    if (da && db) {
      std::size_t ei = i, ej = j;
      while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
      while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
      std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
      na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
      nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ei;
      j = ej;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
  return a < b;
}

double fileTime(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return static_cast<double>(st.st_mtim.tv_sec) + static_cast<double>(st.st_mtim.tv_nsec) / 1e9;
}

void setFileTime(const std::string& path, double seconds) {
  struct timespec times[2];
  double whole = std::floor(seconds);
  times[0].tv_sec = static_cast<time_t>(whole);
  times[0].tv_nsec = static_cast<long>((seconds - whole) * 1e9);
  times[1] = times[0];
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

std::string orientationPath(const std::string& folder, const std::string& fileName) {
  return joinPath(folder, "." + fileName + kOrientationSuffix);
}

int orientationOf(const std::string& folder, const std::string& fileName) {
  auto text = readFileText(orientationPath(folder, fileName));
  if (!text) return kAssetOrientationUp;
  int value = static_cast<int>(intValueOf(Value(*text)));
  return value >= 0 && value <= 7 ? value : kAssetOrientationUp;
}

// An album name that can be a folder of the library.
bool usableAlbumName(const std::string& name) {
  return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

std::vector<PhotoAsset> assetsIn(const std::string& album, const std::string& folder, AssetsFilter filter) {
  std::vector<std::string> names;
  for (const auto& name : listDirectory(folder)) {
    if (name.empty() || name[0] == '.') continue;
    if (!isRegularFile(joinPath(folder, name))) continue;
    auto type = typeOfExtension(extensionToken(name));
    if (!type || !admits(filter, *type)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), libraryOrder);
  std::vector<PhotoAsset> out;
  for (const auto& name : names) {
    PhotoAsset a;
    a.filePath = joinPath(folder, name);
    a.url = assetUrl(album, name);
    a.type = *typeOfExtension(extensionToken(name));
    a.date = fileTime(a.filePath);
    a.orientation = orientationOf(folder, name);
    a.albumName = album;
    out.push_back(std::move(a));
  }
  return out;
}

std::vector<PhotoAlbum> albumsIn(const std::string& root, unsigned kinds) {
  std::vector<PhotoAlbum> out;
  if (kinds & kAlbumKindSavedPhotos) {
    out.push_back(PhotoAlbum{kSavedPhotosAlbumName, kAlbumKindSavedPhotos, joinPath(root, kSavedPhotosAlbumName)});
  }
  if (kinds & kAlbumKindAlbum) {
    for (const auto& name : listDirectory(root)) {
      if (name == kSavedPhotosAlbumName || !usableAlbumName(name)) continue;
      if (!isDirectory(joinPath(root, name))) continue;
      out.push_back(PhotoAlbum{name, kAlbumKindAlbum, joinPath(root, name)});
    }
  }
  return out;
}

// The magic numbers of the picture formats the library stores.
std::string pictureExtension(const Bytes& b) {
  if (b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return "JPG";
  static const std::uint8_t png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (b.size() >= sizeof png && std::equal(png, png + sizeof png, b.begin())) return "PNG";
  if (b.size() >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8') return "GIF";
  return "";
}

PhotoLibraryError deniedError() { return {kPhotoLibraryErrorAccessDenied, "User denied access"}; }

}  // namespace

std::optional<Bytes> PhotoAsset::readBytes() const { return readFile(filePath); }

std::size_t PhotoAlbum::numberOfAssets() const { return assetsIn(name, folder, filter).size(); }

std::vector<PhotoAsset> PhotoAlbum::assets() const { return assetsIn(name, folder, filter); }

std::optional<PhotoAsset> PhotoAlbum::posterAsset() const {
  auto all = assets();
  if (all.empty()) return std::nullopt;
  return all.back();
}

PhotoLibrary& PhotoLibrary::shared() {
  static PhotoLibrary instance;
  return instance;
}

int PhotoLibrary::authorizationStatus() { return gAuthorization.load(); }

void PhotoLibrary::setAuthorizationStatus(int status) { gAuthorization.store(status); }

bool PhotoLibrary::accessAllowed() {
  int status = gAuthorization.load();
  if (status == kPhotoAccessNotDetermined) {
    // The person is asked on first use and allows it.
    gAuthorization.store(kPhotoAccessAuthorized);
    return true;
  }
  return status == kPhotoAccessAuthorized;
}

void PhotoLibrary::setRootFolder(const std::string& path) {
  std::lock_guard lock(mutex_);
  root_ = path;
}

std::string PhotoLibrary::rootFolder() const {
  {
    std::lock_guard lock(mutex_);
    if (root_) return *root_;
  }
  return joinPath(homeDirectory(), kPhotoLibraryFolderName);
}

void PhotoLibrary::enumerateAlbums(unsigned kinds, AlbumBlock block, FailureBlock failure) {
  calls_.record("enumerateAlbums", Value{{"kinds", kinds}});
  if (!accessAllowed()) {
    dispatchMain([failure = std::move(failure)] {
      if (failure) failure(deniedError());
    });
    return;
  }
  std::string root = rootFolder();
  dispatchMain([root, kinds, block = std::move(block)] {
    if (!block) return;
    for (const auto& album : albumsIn(root, kinds)) block(album);
    block(std::nullopt);
  });
}

std::optional<PhotoAsset> PhotoLibrary::assetAt(const std::string& url) const {
  auto parsed = parseUrl(url);
  if (!parsed || lowercase(parsed->scheme) != kAssetUrlScheme || parsed->host != kAssetHost) return std::nullopt;
  Value query = parseQueryString(parsed->query.value_or(""));
  std::string id = upper(plainTextOf(query, "id"));
  if (id.empty()) return std::nullopt;
  for (const auto& album : albumsIn(rootFolder(), kAlbumKindAll)) {
    for (auto& asset : album.assets()) {
      auto own = parseUrl(asset.url);
      if (own && plainTextOf(parseQueryString(own->query.value_or("")), "id") == id) return asset;
    }
  }
  return std::nullopt;
}

void PhotoLibrary::assetForUrl(const std::string& url, std::function<void(const std::optional<PhotoAsset>&)> result,
                               FailureBlock failure) {
  calls_.record("assetForUrl", Value{{"url", url}});
  if (!accessAllowed()) {
    dispatchMain([failure = std::move(failure)] {
      if (failure) failure(deniedError());
    });
    return;
  }
  auto asset = assetAt(url);
  dispatchMain([asset, result = std::move(result)] {
    if (result) result(asset);
  });
}

void PhotoLibrary::writeImageToSavedPhotosAlbum(const Bytes& encodedPicture, int orientation, WriteBlock completion) {
  calls_.record("writeImageToSavedPhotosAlbum", Value{{"bytes", encodedPicture.size()}, {"orientation", orientation}});
  std::string url;
  std::optional<PhotoLibraryError> error;
  std::string ext = pictureExtension(encodedPicture);
  if (!accessAllowed()) {
    error = deniedError();
  } else if (ext.empty()) {
    error = PhotoLibraryError{kPhotoLibraryErrorWriteInvalidData, "Invalid image data"};
  } else if (auto stored = store(kSavedPhotosAlbumName, encodedPicture, ext, orientation)) {
    url = *stored;
  } else {
    error = PhotoLibraryError{kPhotoLibraryErrorWriteFailed, "Write failed"};
  }
  dispatchMain([url, error, completion = std::move(completion)] {
    if (completion) completion(url, error);
  });
}

std::optional<std::string> PhotoLibrary::store(const std::string& album, const Bytes& bytes,
                                               const std::string& extension, std::optional<int> orientation) {
  std::lock_guard lock(mutex_);
  std::string root = root_ ? *root_ : joinPath(homeDirectory(), kPhotoLibraryFolderName);
  std::string folder = joinPath(root, album);
  if (!createDirectory(folder)) return std::nullopt;
  long next = 1;
  for (const auto& name : listDirectory(folder)) {
    if (name.rfind(kAddedNamePrefix, 0) != 0) continue;
    long n = std::strtol(name.c_str() + sizeof(kAddedNamePrefix) - 1, nullptr, 10);
    next = std::max(next, n + 1);
  }
  char fileName[64];
  std::snprintf(fileName, sizeof fileName, "%s%04ld.%s", kAddedNamePrefix, next, extension.c_str());
  std::string path = joinPath(folder, fileName);
  std::string orientationFile = orientationPath(folder, fileName);
  if (orientation && *orientation != kAssetOrientationUp) {
    if (!writeFileAtomically(orientationFile, std::to_string(*orientation))) return std::nullopt;
  } else if (!removeItem(orientationFile)) {
    return std::nullopt;
  }
  if (!writeFileAtomically(path, bytes)) return std::nullopt;
  setFileTime(path, currentTime());
  return assetUrl(album, fileName);
}

std::optional<std::string> PhotoLibrary::addFile(const std::string& path, const std::string& album) {
  std::string target = album.empty() ? std::string(kSavedPhotosAlbumName) : album;
  calls_.record("addFile", Value{{"path", path}, {"album", target}});
  if (!usableAlbumName(target)) return std::nullopt;
  std::string ext = extensionToken(path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1));
  if (!typeOfExtension(ext)) return std::nullopt;
  auto bytes = readFile(path);
  if (!bytes) return std::nullopt;
  return store(target, *bytes, ext, std::nullopt);
}

std::vector<PhotoAsset> PhotoLibrary::savedPhotosNewestFirst() const {
  PhotoAlbum saved{kSavedPhotosAlbumName, kAlbumKindSavedPhotos, joinPath(rootFolder(), kSavedPhotosAlbumName),
                   AssetsFilter::AllPhotos};
  auto all = saved.assets();
  std::reverse(all.begin(), all.end());
  return all;
}

void PhotoLibrary::reset() {
  {
    std::lock_guard lock(mutex_);
    root_.reset();
  }
  gAuthorization.store(kPhotoAccessAuthorized);
  calls_.clear();
}

}  // namespace platform::services
