#pragma once
// The system's picture picker, presented modally: the photo library, the saved
// photos or the camera. While it is on screen it waits for its answer from the
// image picker answers of the services (tests and the driver give them): a
// picture tells the delegate didFinishPickingMediaWithInfo, a cancel
// imagePickerControllerDidCancel. Without a delegate the picker dismisses
// itself. A picture whose file cannot be read as a JPEG, PNG or GIF is never
// handed over: a person could not have picked it, so the picker reports a cancel.
//
// The picker keeps a navigation stack of its own, so a screen can be pushed onto
// it (a photo editing step) and leaves with it when the picker is dismissed.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/services/ImagePickerAnswers.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ViewController.h"

namespace platform {

class ImagePickerController;

inline constexpr char kMediaTypeImage[] = "public.image";

// A picture as the picker hands it over: its encoded bytes and pixel size.
struct PickedImage {
  Bytes bytes;
  Size pixelSize;
  std::string filePath;  // where it was read from
};

struct ImagePickerMediaInfo {
  std::string mediaType = kMediaTypeImage;
  PickedImage originalImage;
  // With editing allowed: the picture as the person framed it (the stand-in
  // takes the whole picture). Without editing: none.
  std::optional<PickedImage> editedImage;
  std::string referenceUrl;  // the library address; "" for a picture just taken
};

class ImagePickerControllerDelegate {
 public:
  virtual ~ImagePickerControllerDelegate() = default;
  virtual void didFinishPickingMediaWithInfo(ImagePickerController& picker, const ImagePickerMediaInfo& info) {
    (void)picker; (void)info;
  }
  virtual void imagePickerControllerDidCancel(ImagePickerController& picker) { (void)picker; }
};

using ImagePickerSourceType = services::ImagePickerSource;

class ImagePickerController : public ViewController {
 public:
  ImagePickerController();
  ~ImagePickerController() override;
  std::string className() const override { return "ImagePickerController"; }

  // The camera only when the device has one.
  static bool isSourceTypeAvailable(ImagePickerSourceType source);

  ImagePickerSourceType sourceType() const { return sourceType_; }
  void setSourceType(ImagePickerSourceType source) { sourceType_ = source; }
  bool allowsEditing() const { return allowsEditing_; }
  void setAllowsEditing(bool on) { allowsEditing_ = on; }
  std::shared_ptr<ImagePickerControllerDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<ImagePickerControllerDelegate> delegate) { delegate_ = std::move(delegate); }
  bool isNavigationBarHidden() const { return navigationBarHidden_; }
  void setNavigationBarHidden(bool hidden, bool animated = false) { (void)animated; navigationBarHidden_ = hidden; }

  // Its own navigation stack (the picker's own screen is not part of it).
  void pushViewController(const std::shared_ptr<ViewController>& controller, bool animated);
  std::shared_ptr<ViewController> popViewControllerAnimated(bool animated);
  std::vector<std::shared_ptr<ViewController>> viewControllers() const { return stack_; }
  std::shared_ptr<ViewController> topViewController() const { return stack_.empty() ? nullptr : stack_.back(); }

  // Reads a picture file for handing over; nullopt when it is no readable picture.
  static std::optional<PickedImage> readPicture(const std::string& path);

  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  void answered(const services::ImagePickerAnswer& answer);
  void cancelled();
  void stopListening();

  ImagePickerSourceType sourceType_ = ImagePickerSourceType::PhotoLibrary;
  bool allowsEditing_ = false;
  bool navigationBarHidden_ = false;
  std::weak_ptr<ImagePickerControllerDelegate> delegate_;
  std::vector<std::shared_ptr<ViewController>> stack_;
  bool listening_ = false;
  bool answeredOnce_ = false;
};

}  // namespace platform
