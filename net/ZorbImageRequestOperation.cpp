#include "net/ZorbImageRequestOperation.h"

#include <algorithm>

#include "platform/ui/Image.h"
#include "platform/ui/Screen.h"

namespace vorn {

const std::vector<std::string>& ZorbImageRequestOperation::acceptableContentTypes() {
  static const std::vector<std::string> types = {
      "image/tiff", "image/jpeg", "image/gif", "image/png",       "image/ico",
      "image/x-icon", "image/bmp", "image/x-bmp", "image/x-xbitmap", "image/x-win-bitmap"};
  return types;
}

bool ZorbImageRequestOperation::processResponse(const platform::net::HttpResponse& response,
                                                platform::Value& answer,
                                                platform::net::HttpError& error) const {
  using platform::net::HttpError;
  using platform::net::HttpErrorKind;
  if (!HttpOperation::processResponse(response, answer, error)) return false;
  const auto& types = acceptableContentTypes();
  const std::string type = response.mimeType();
  if (std::find(types.begin(), types.end(), type) == types.end()) {
    error = HttpError::make(HttpErrorKind::Other, platform::net::kErrorCannotDecodeContent,
                            "expected a picture content type, got \"" + type + "\"", response.status);
    return false;
  }
  auto image = platform::Image::imageWithData(response.body, platform::Screen::mainScreen().scale());
  if (!image) {
    error = HttpError::make(HttpErrorKind::Other, platform::net::kErrorCannotDecodeContent,
                            "the body is not a picture", response.status);
    return false;
  }
  image_ = std::move(image);
  return true;
}

}  // namespace vorn
