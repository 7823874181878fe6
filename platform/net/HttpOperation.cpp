#include "platform/net/HttpOperation.h"

#include "platform/net/OperationQueueCore.h"

namespace platform::net {

HttpOperation::HttpOperation(HttpRequest request) : request_(std::move(request)) {}

HttpOperation::~HttpOperation() = default;

void HttpOperation::setCompletionBlocks(SuccessBlock success, FailureBlock failure) {
  success_ = std::move(success);
  failure_ = std::move(failure);
}

void HttpOperation::cancel() {
  cancelled_ = true;
  if (auto queue = queue_.lock()) queue->cancel(shared_from_this());
}

bool HttpOperation::processResponse(const HttpResponse& response, Value& answer, HttpError& error) const {
  if (response.status < 200 || response.status > 299) {
    error = HttpError::make(HttpErrorKind::BadStatus, kErrorBadServerResponse,
                            "status " + std::to_string(response.status), response.status);
    return false;
  }
  answer = dataValue(std::string_view(response.body));
  return true;
}

}  // namespace platform::net
