#pragma once
// What the system image picker is answered with. The picker (a screen of the UI
// layer) registers itself when it comes up and is told, on the main loop, the
// first answer meant for its source: pictures picked (or taken), or a cancel.
// Tests and the driver give the answers: one given while a picker of that source is
// up reaches it at once; otherwise it waits for the next picker of that source
// ("as soon as it is up"). Each answer is delivered once, and a picker gets at
// most one answer per time it is up.
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform::services {

enum class ImagePickerSource { PhotoLibrary = 0, Camera = 1, SavedPhotosAlbum = 2 };

struct PickedPicture {
  std::string filePath;  // the picture's file
  std::string assetUrl;  // its library address; empty for a picture just taken
};

struct ImagePickerAnswer {
  bool cancelled = false;
  std::vector<PickedPicture> pictures;
};

class ImagePickerAnswers {
 public:
  using Receiver = std::function<void(const ImagePickerAnswer&)>;

  static ImagePickerAnswers& shared();

  // The picker's side.
  void pickerOpened(ImagePickerSource source, Receiver receiver);
  void pickerClosed();
  std::optional<ImagePickerSource> openPicker() const;

  // The answering side; true when it went to a picker that is up, false when it waits.
  bool answer(ImagePickerSource source, ImagePickerAnswer answer);
  std::size_t waitingAnswers() const;
  void reset();

 private:
  ImagePickerAnswers() = default;
  void deliverLocked(ImagePickerAnswer answer);

  mutable std::mutex mutex_;
  std::optional<ImagePickerSource> open_;
  Receiver receiver_;
  bool answered_ = false;
  std::uint64_t opening_ = 0;
  std::deque<std::pair<ImagePickerSource, ImagePickerAnswer>> waiting_;
};

}  // namespace platform::services
