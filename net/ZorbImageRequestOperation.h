#pragma once
// The picture kind of request operation: accepts an answer with a status from
// 200 to 299 and a picture content type, and decodes the body into a picture at
// the main screen's scale. Anything else (and cancellation) is a failure.
#include <memory>
#include <string>
#include <vector>

#include "platform/net/HttpOperation.h"

namespace platform {
class Image;
}

namespace vorn {

class ZorbImageRequestOperation : public platform::net::HttpOperation {
 public:
  explicit ZorbImageRequestOperation(platform::net::HttpRequest request)
      : platform::net::HttpOperation(std::move(request)) {}

  static const std::vector<std::string>& acceptableContentTypes();

  // The decoded picture once the operation succeeded; null before and on failure.
  std::shared_ptr<const platform::Image> responseImage() const { return image_; }

  bool processResponse(const platform::net::HttpResponse& response, platform::Value& answer,
                       platform::net::HttpError& error) const override;

 private:
  // Set once, while the answer is processed, before either block runs.
  mutable std::shared_ptr<const platform::Image> image_;
};

}  // namespace vorn
