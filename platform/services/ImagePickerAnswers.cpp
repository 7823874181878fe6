#include "platform/services/ImagePickerAnswers.h"

#include "platform/foundation/RunLoop.h"

namespace platform::services {

namespace {
// The library and the saved photos are the same pictures to whoever answers.
bool sameKind(ImagePickerSource a, ImagePickerSource b) {
  return (a == ImagePickerSource::Camera) == (b == ImagePickerSource::Camera);
}
}  // namespace

ImagePickerAnswers& ImagePickerAnswers::shared() {
  static ImagePickerAnswers instance;
  return instance;
}

void ImagePickerAnswers::pickerOpened(ImagePickerSource source, Receiver receiver) {
  std::lock_guard lock(mutex_);
  open_ = source;
  receiver_ = std::move(receiver);
  answered_ = false;
  ++opening_;
  for (auto it = waiting_.begin(); it != waiting_.end(); ++it) {
    if (sameKind(it->first, source)) {
      ImagePickerAnswer answer = std::move(it->second);
      waiting_.erase(it);
      deliverLocked(std::move(answer));
      return;
    }
  }
}

void ImagePickerAnswers::pickerClosed() {
  std::lock_guard lock(mutex_);
  open_.reset();
  receiver_ = nullptr;
  ++opening_;
}

std::optional<ImagePickerSource> ImagePickerAnswers::openPicker() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool ImagePickerAnswers::answer(ImagePickerSource source, ImagePickerAnswer answer) {
  std::lock_guard lock(mutex_);
  if (open_ && !answered_ && sameKind(*open_, source)) {
    deliverLocked(std::move(answer));
    return true;
  }
  waiting_.emplace_back(source, std::move(answer));
  return false;
}

void ImagePickerAnswers::deliverLocked(ImagePickerAnswer answer) {
  answered_ = true;
  Receiver receiver = receiver_;
  std::uint64_t opening = opening_;
  // Delivered on the main loop, and only to the picker that was up when it was given.
  dispatchMain([this, receiver, opening, answer = std::move(answer)] {
    {
      std::lock_guard lock(mutex_);
      if (opening != opening_) return;
    }
    if (receiver) receiver(answer);
  });
}

std::size_t ImagePickerAnswers::waitingAnswers() const {
  std::lock_guard lock(mutex_);
  return waiting_.size();
}

void ImagePickerAnswers::reset() {
  std::lock_guard lock(mutex_);
  open_.reset();
  receiver_ = nullptr;
  answered_ = false;
  ++opening_;
  waiting_.clear();
}

}  // namespace platform::services
