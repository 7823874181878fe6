#pragma once
// One picture of the photo browser: where its pixels come from (an image in
// memory, a network address, a file, or an asset of the photo library), an
// optional caption, and the asynchronous load of the image a page shows.
//
// A photo announces the end of every load attempt with
// "PYXOPHOTO_LOADING_DID_END_NOTIFICATION" (object: the photo), posted on the
// main loop's pass after the completion; success is told only by
// underlyingImage() being set by then. A network load reports its progress with
// "PYXOPHOTO_PROGRESS_NOTIFICATION" (object: a PyxoPhotoProgress).
//
// A photo holds at most one displayable image. Results reach the photo on the
// main thread only; a load that finishes after unloadUnderlyingImage() is
// dropped, so an unloaded photo never fills itself again behind the browser's
// back (the browser relies on that to hold at most three images).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {
class Image;
class ImageDownloadHandle;
}  // namespace platform

namespace vorn {

inline constexpr char kPyxoPhotoLoadingDidEndNotification[] = "PYXOPHOTO_LOADING_DID_END_NOTIFICATION";
inline constexpr char kPyxoPhotoProgressNotification[] = "PYXOPHOTO_PROGRESS_NOTIFICATION";

// What the browser, its pages and its caption rely on, so that any object with
// these operations can stand in a browser.
class PyxoPhotoProtocol {
 public:
  virtual ~PyxoPhotoProtocol() = default;
  virtual std::shared_ptr<const platform::Image> underlyingImage() const = 0;
  virtual void setUnderlyingImage(std::shared_ptr<const platform::Image> image) = 0;
  virtual void loadUnderlyingImageAndNotify() = 0;
  virtual void performLoadUnderlyingImageAndNotify() = 0;
  virtual void unloadUnderlyingImage() = 0;
  // Optional: nullopt from an object that has no caption at all.
  virtual std::optional<std::string> caption() const { return std::nullopt; }
  virtual void cancelAnyLoading() {}
};

// The object of the progress notification.
struct PyxoPhotoProgress {
  float progress = 0;  // received bytes / expected bytes
  std::shared_ptr<PyxoPhotoProtocol> photo;
};

class PyxoPhoto : public PyxoPhotoProtocol, public std::enable_shared_from_this<PyxoPhoto> {
 public:
  // From the text of an address; text that is not a valid address makes a
  // photo without one (its loads fail).
  static std::shared_ptr<PyxoPhoto> photoWithURL(const std::string& address);
  static std::shared_ptr<PyxoPhoto> photoWithImage(std::shared_ptr<const platform::Image> image);
  // A "file://" address made from the path.
  static std::shared_ptr<PyxoPhoto> photoWithFilePath(const std::string& path);

  std::shared_ptr<const platform::Image> image() const { return image_; }
  // The source address; nullopt for an image photo or an invalid address.
  const std::optional<std::string>& photoURL() const { return photoURL_; }
  std::optional<std::string> caption() const override { return caption_; }
  void setCaption(std::optional<std::string> caption) { caption_ = std::move(caption); }

  std::shared_ptr<const platform::Image> underlyingImage() const override { return underlyingImage_; }
  void setUnderlyingImage(std::shared_ptr<const platform::Image> image) override { underlyingImage_ = std::move(image); }
  // Starts a load unless one is under way.
  void loadUnderlyingImageAndNotify() override;
  // Picks the source and starts reading it (sent by loadUnderlyingImageAndNotify).
  void performLoadUnderlyingImageAndNotify() override;
  // Clears the loading flag and the image; a load still running is dropped.
  void unloadUnderlyingImage() override;
  // Cancels a network fetch in flight and clears the loading flag.
  void cancelAnyLoading() override;

  bool isLoading() const { return loading_; }

 private:
  void imageLoadingComplete();
  void postCompleteNotification();
  // Reads and decodes a file (or library asset bytes) off the main thread.
  void loadFromFile(const std::string& path);
  void loadFromAsset(const std::string& url);
  void loadFromNetwork(const std::string& url);
  // Hands a result to the photo on the main thread, unless the photo was
  // unloaded since the load began.
  void deliver(std::uint64_t generation, std::shared_ptr<const platform::Image> image);

  std::shared_ptr<const platform::Image> image_;
  std::optional<std::string> photoURL_;
  std::optional<std::string> caption_;
  std::shared_ptr<const platform::Image> underlyingImage_;
  bool loading_ = false;
  std::shared_ptr<platform::ImageDownloadHandle> webImageOperation_;
  // Bumped by every unload: results of earlier loads are dropped.
  std::uint64_t generation_ = 0;
};

}  // namespace vorn
