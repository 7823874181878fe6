#pragma once
// The device's photo library. Albums are folders under the library folder
// (<home>/PhotoLibrary by default); the saved-photos album (the camera roll) is
// the folder kSavedPhotosAlbumName and always exists, empty or not. Within an
// album the library's order is the order of the file names, oldest first; the
// pictures the library adds itself are named IMG_0001.JPG, IMG_0002.PNG, … so that
// they come last. Each item has a stable address
// "assets-library://asset/asset.JPG?id=<id>&ext=JPG" made from its album and file
// name, a type (photo or video, by extension), a date (its file's time), its file
// and an orientation (kept beside the file when the picture was saved with one).
//
// Album walks, look-ups and saves answer on the main loop, and are refused
// (kPhotoLibraryErrorAccessDenied) while the authorisation is denied or
// restricted. Pictures here are file bytes only; decoding them is the caller's.
// Safe from any thread.
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

inline constexpr char kPhotoLibraryFolderName[] = "PhotoLibrary";
inline constexpr char kSavedPhotosAlbumName[] = "相机胶卷";
inline constexpr char kAssetUrlScheme[] = "assets-library";

// Album kinds, combined as a mask for walks.
inline constexpr unsigned kAlbumKindLibrary = 1;
inline constexpr unsigned kAlbumKindAlbum = 2;
inline constexpr unsigned kAlbumKindEvent = 4;
inline constexpr unsigned kAlbumKindFaces = 8;
inline constexpr unsigned kAlbumKindSavedPhotos = 16;
inline constexpr unsigned kAlbumKindPhotoStream = 32;
inline constexpr unsigned kAlbumKindAll = 0xFFFFFFFFu;

// Authorisation values.
inline constexpr int kPhotoAccessNotDetermined = 0;
inline constexpr int kPhotoAccessRestricted = 1;
inline constexpr int kPhotoAccessDenied = 2;
inline constexpr int kPhotoAccessAuthorized = 3;

// Error codes.
inline constexpr int kPhotoLibraryErrorWriteFailed = -3300;
inline constexpr int kPhotoLibraryErrorWriteInvalidData = -3302;
inline constexpr int kPhotoLibraryErrorAccessDenied = -3311;

// Picture orientations (as a picture's own orientation values).
inline constexpr int kAssetOrientationUp = 0;
inline constexpr int kAssetOrientationDown = 1;
inline constexpr int kAssetOrientationLeft = 2;
inline constexpr int kAssetOrientationRight = 3;

enum class AssetType { Photo, Video };
enum class AssetsFilter { AllAssets, AllPhotos, AllVideos };

struct PhotoLibraryError {
  int code = kPhotoLibraryErrorWriteFailed;
  std::string description;
};

struct PhotoAsset {
  std::string url;
  AssetType type = AssetType::Photo;
  double date = 0;  // seconds since 1970
  std::string filePath;
  int orientation = kAssetOrientationUp;
  std::string albumName;
  // The file's bytes; nullopt when it cannot be read.
  std::optional<Bytes> readBytes() const;
};

struct PhotoAlbum {
  std::string name;
  unsigned kind = kAlbumKindAlbum;
  std::string folder;
  AssetsFilter filter = AssetsFilter::AllAssets;

  // Read from the folder at each call, under the filter.
  std::size_t numberOfAssets() const;
  std::vector<PhotoAsset> assets() const;       // the library's order, oldest first
  std::optional<PhotoAsset> posterAsset() const;  // the newest item
};

class PhotoLibrary {
 public:
  using AlbumBlock = std::function<void(const std::optional<PhotoAlbum>&)>;  // nullopt: the walk has ended
  using FailureBlock = std::function<void(const PhotoLibraryError&)>;
  using WriteBlock = std::function<void(const std::string& url, const std::optional<PhotoLibraryError>& error)>;

  static PhotoLibrary& shared();

  static int authorizationStatus();

  // Walks the albums of the given kinds: the saved-photos album first, then the
  // other albums by name; then once more with nullopt.
  void enumerateAlbums(unsigned kinds, AlbumBlock block, FailureBlock failure);
  // The item at an address: the asset, or nullopt when the library has none there.
  void assetForUrl(const std::string& url, std::function<void(const std::optional<PhotoAsset>&)> result,
                   FailureBlock failure);
  // Saves an encoded picture (JPEG, PNG or GIF) as the newest item of the saved
  // photos; the completion has the new address, or an error and "".
  void writeImageToSavedPhotosAlbum(const Bytes& encodedPicture, int orientation, WriteBlock completion);

  // The library folder: <home>/PhotoLibrary unless set.
  void setRootFolder(const std::string& path);
  std::string rootFolder() const;
  const ServiceCalls& calls() const { return calls_; }

  // The device's side (tests and the driver); not subject to the authorisation.
  static void setAuthorizationStatus(int status);
  // Puts a copy of a picture or video file into an album (the saved photos when
  // empty) as its newest item; its address, or nullopt when the file cannot be
  // read, is of no known kind, or the album name cannot be a folder name.
  std::optional<std::string> addFile(const std::string& path, const std::string& album = "");
  // The saved photos' pictures, newest first (what the system picker shows).
  std::vector<PhotoAsset> savedPhotosNewestFirst() const;
  std::optional<PhotoAsset> assetAt(const std::string& url) const;
  void reset();  // forgets the folder setting, allows access; files stay

 private:
  PhotoLibrary() = default;
  std::optional<std::string> store(const std::string& album, const Bytes& bytes, const std::string& extension,
                                   std::optional<int> orientation);
  bool accessAllowed();

  mutable std::mutex mutex_;
  std::optional<std::string> root_;
  ServiceCalls calls_;
};

}  // namespace platform::services
