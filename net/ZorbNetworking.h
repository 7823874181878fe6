#pragma once
// Remote pictures for image views, through a disk cache in the Caches folder
// ("TempCache", or "PermCache" for cache type 1) and no memory cache. Each view
// has at most one picture load running; a newer load on the same view replaces
// it, and only the view's current load may touch the view or call back, so a
// reused cell never shows an older address's picture and a replaced load never
// reports failure. Pictures show at full opacity by day and at 0.6 by night.
//
// Loading, disk reads and both callbacks run on the main thread; transfers run
// on one picture queue shared by all views; storing a downloaded picture runs on
// a background worker after the callback.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"
#include "platform/net/HttpError.h"
#include "platform/net/HttpRequest.h"

namespace platform {
class Image;
class ImageView;
}  // namespace platform

namespace vorn {

inline constexpr double kImageRequestTimeoutSeconds = 15.0;
inline constexpr double kNightImageAlpha = 0.6;
inline constexpr int kPermImageCacheType = 1;

// request and response are null for a picture found on disk.
using ImageLoadSuccess = std::function<void(const platform::net::HttpRequest* request,
                                            const platform::net::HttpResponse* response,
                                            std::shared_ptr<const platform::Image> image)>;
using ImageLoadFailure = std::function<void(const platform::net::HttpRequest* request,
                                            const platform::net::HttpResponse* response,
                                            const platform::net::HttpError& error)>;

// A request for a picture address: "Accept: image/*", no cookies.
platform::net::HttpRequest pictureRequestWithURL(const std::string& url);

// Loads the picture into the view. With `loadCache` a stored file answers at
// once (no request). Otherwise the placeholder shows (null clears the view) and
// the picture is downloaded; the downloaded picture is stored under the request's
// address, or under `AnotherKey` when `loadCache` is set and a key is given.
// With a success callback the caller sets the picture itself; without one the
// loader does. Only http and https addresses are fetched; any other fails.
void setImageWithURLRequest(const std::shared_ptr<platform::ImageView>& view, platform::net::HttpRequest request,
                            std::shared_ptr<const platform::Image> placeholderImage, bool loadCache,
                            int CacheType, const std::optional<std::string>& AnotherKey,
                            ImageLoadSuccess success = {}, ImageLoadFailure failure = {});

// Whether the night theme is on, asked for the opacity of a loaded picture
// (kNightImageAlpha at night); the application's core installs it (day before).
void setNightThemeTest(std::function<bool()> isNight);

// Cancels the view's current load and forgets it (no callback runs for it).
void cancelImageRequestOperation(const platform::ImageView& view);
// Whether the view has a load running.
bool hasImageRequestOperation(const platform::ImageView& view);

// The full path of a folder in the Caches directory.
std::string pathInCacheDirectory(std::string_view folder);
// Creates the folder in Caches (with missing parents) unless it exists as a
// folder; true when it existed or was made.
bool createDirInCache(std::string_view folder);
// The stored bytes for the name (see Vorn5CacheClient::convertUrlStrToSaveStr),
// when the folder is a folder and the file exists; nullopt otherwise.
std::optional<platform::Bytes> loadImageData(const std::string& folderPath, std::string_view imageName);
// Stores the picture as PNG when the type text holds "png", as JPEG (quality
// 1.0) when it holds "jpg" or "jpeg" (case ignored); otherwise nothing. True
// when the file was written.
bool saveImageToCacheDir(const std::string& folderPath, const platform::Image& image, std::string_view imageName,
                         std::string_view imageType);
// The folder a cache type names: "PermCache" for 1, "TempCache" otherwise.
const char* imageCacheFolderForType(int CacheType);

}  // namespace vorn
