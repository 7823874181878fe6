#include "platform/ui/ImagePickerController.h"

#include <fstream>
#include <iterator>

#include "platform/services/Camera.h"
#include "platform/ui/View.h"

namespace platform {

namespace {

constexpr std::size_t kMaxPictureBytes = 64u << 20;

unsigned be16(const Bytes& b, std::size_t at) { return (unsigned{b[at]} << 8) | b[at + 1]; }
unsigned be32(const Bytes& b, std::size_t at) { return (be16(b, at) << 16) | be16(b, at + 2); }

// The pixel size from the picture's header, or nullopt when it is not a PNG,
// JPEG or GIF with a sane size.
std::optional<Size> pictureSize(const Bytes& b) {
  static const std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() >= 24 && std::equal(std::begin(kPng), std::end(kPng), b.begin()) && b[12] == 'I' && b[13] == 'H' &&
      b[14] == 'D' && b[15] == 'R') {
    unsigned w = be32(b, 16), h = be32(b, 20);
    if (w > 0 && h > 0 && w <= 100000 && h <= 100000) return Size{double(w), double(h)};
    return std::nullopt;
  }
  if (b.size() >= 10 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F') {
    unsigned w = b[6] | (unsigned{b[7]} << 8), h = b[8] | (unsigned{b[9]} << 8);
    if (w > 0 && h > 0) return Size{double(w), double(h)};
    return std::nullopt;
  }
  if (b.size() >= 4 && b[0] == 0xFF && b[1] == 0xD8) {
    std::size_t i = 2;
    while (i + 4 <= b.size()) {
      if (b[i] != 0xFF) return std::nullopt;
      std::uint8_t marker = b[i + 1];
      if (marker == 0xFF) { ++i; continue; }
      if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // no frame header before the data
      unsigned length = be16(b, i + 2);
      bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
      if (frame) {
        if (i + 9 > b.size()) return std::nullopt;
        unsigned h = be16(b, i + 5), w = be16(b, i + 7);
        if (w > 0 && h > 0) return Size{double(w), double(h)};
        return std::nullopt;
      }
      if (length < 2) return std::nullopt;
      i += 2 + length;
    }
  }
  return std::nullopt;
}

}  // namespace

ImagePickerController::ImagePickerController() = default;

ImagePickerController::~ImagePickerController() {
  if (listening_) services::ImagePickerAnswers::shared().pickerClosed();
}

bool ImagePickerController::isSourceTypeAvailable(ImagePickerSourceType source) {
  if (source == ImagePickerSourceType::Camera) return services::Camera::shared().isAvailable();
  return true;
}

std::optional<PickedImage> ImagePickerController::readPicture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (bytes.size() > kMaxPictureBytes) return std::nullopt;
  }
  auto size = pictureSize(bytes);
  if (!size) return std::nullopt;
  return PickedImage{std::move(bytes), *size, path};
}

void ImagePickerController::viewDidLoad() { view()->setBackgroundColor(Color::black()); }

void ImagePickerController::viewDidAppear(bool animated) {
  ViewController::viewDidAppear(animated);
  if (listening_ || answeredOnce_) return;
  listening_ = true;
  std::weak_ptr<ImagePickerController> weak = std::static_pointer_cast<ImagePickerController>(shared_from_this());
  services::ImagePickerAnswers::shared().pickerOpened(sourceType_, [weak](const services::ImagePickerAnswer& answer) {
    if (auto self = weak.lock()) self->answered(answer);
  });
}

void ImagePickerController::viewWillDisappear(bool animated) {
  ViewController::viewWillDisappear(animated);
  if (!isBeingDismissed() && presentedViewController()) return;  // something covers it; it stays up
  stopListening();
}

void ImagePickerController::stopListening() {
  if (!listening_) return;
  listening_ = false;
  services::ImagePickerAnswers::shared().pickerClosed();
}

void ImagePickerController::answered(const services::ImagePickerAnswer& answer) {
  if (answeredOnce_) return;
  answeredOnce_ = true;
  stopListening();
  auto keep = shared_from_this();
  if (answer.cancelled || answer.pictures.empty()) {
    cancelled();
    return;
  }
  const auto& picture = answer.pictures.front();
  auto image = readPicture(picture.filePath);
  if (!image) {
    cancelled();
    return;
  }
  ImagePickerMediaInfo info;
  info.originalImage = *image;
  if (allowsEditing_) info.editedImage = *image;
  info.referenceUrl = picture.assetUrl;
  if (auto d = delegate()) {
    d->didFinishPickingMediaWithInfo(*this, info);
  } else {
    dismissViewController(true);
  }
}

void ImagePickerController::cancelled() {
  if (auto d = delegate()) {
    d->imagePickerControllerDidCancel(*this);
  } else {
    dismissViewController(true);
  }
}

void ImagePickerController::pushViewController(const std::shared_ptr<ViewController>& controller, bool animated) {
  (void)animated;
  if (!controller) return;
  auto self = shared_from_this();
  addChildViewController(controller);
  stack_.push_back(controller);
  auto shown = controller->view();
  shown->setFrame(view()->bounds());
  view()->addSubview(shown);
  controller->didMoveToParentViewController(this);
}

std::shared_ptr<ViewController> ImagePickerController::popViewControllerAnimated(bool animated) {
  (void)animated;
  if (stack_.empty()) return nullptr;
  auto top = stack_.back();
  stack_.pop_back();
  top->willMoveToParentViewController(nullptr);
  top->view()->removeFromSuperview();
  top->removeFromParentViewController();
  return top;
}

}  // namespace platform
