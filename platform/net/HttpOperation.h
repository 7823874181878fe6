#pragma once
// One request's life on an operation queue: ready, executing, finished. Its
// kind decides what counts as success and what the answer is; the plain kind
// answers with the body bytes, JsonRequestOperation with the parsed JSON.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Value.h"
#include "platform/net/HttpError.h"
#include "platform/net/HttpRequest.h"

namespace platform::net {

struct OperationQueueCore;

class HttpOperation : public std::enable_shared_from_this<HttpOperation> {
 public:
  using SuccessBlock = std::function<void(HttpOperation& operation, const Value& answer)>;
  using FailureBlock = std::function<void(HttpOperation& operation, const HttpError& error)>;

  explicit HttpOperation(HttpRequest request);
  virtual ~HttpOperation();
  HttpOperation(const HttpOperation&) = delete;
  HttpOperation& operator=(const HttpOperation&) = delete;

  // Exactly one of them runs, once, on the main thread; neither runs when the
  // operation's queue (its client) is destroyed before the outcome is delivered.
  void setCompletionBlocks(SuccessBlock success, FailureBlock failure);

  // Bytes of the answer's body received so far and expected (-1 when the
  // answer names no length), reported on the main thread while the body
  // arrives. Reports come at most once per arriving piece of at least
  // CurlWorker::kProgressStepBytes (or the whole body), received counts only
  // grow, at most one report waits on the main loop at a time (carrying the
  // latest counts), and none runs once the operation has finished, failed or
  // been cancelled. Set it before the operation is enqueued.
  using DownloadProgressBlock =
      std::function<void(HttpOperation& operation, std::int64_t received, std::int64_t expected)>;
  void setDownloadProgressBlock(DownloadProgressBlock block) { downloadProgress_ = std::move(block); }

  // The request; once started, as sent (with the cookies the store added).
  const HttpRequest& request() const { return request_; }
  // The answer as received; status 0 when none arrived.
  const HttpResponse& response() const { return response_; }
  // Set once the operation failed.
  const std::optional<HttpError>& error() const { return error_; }
  // Set once the operation succeeded: the body bytes (a data Value) or, for
  // the JSON kind, the parsed value.
  const Value& answer() const { return answer_; }

  bool isReady() const { return state_ == kReady; }
  bool isExecuting() const { return state_ == kExecuting; }
  bool isFinished() const { return state_ == kFinished; }
  bool isCancelled() const { return cancelled_; }

  // Ends the operation with the cancelled error (code -999); its failure block
  // runs on a later turn of the main loop. No effect once finished. Thread-safe.
  void cancel();

  // The outcome of a complete answer: true with `answer` set, or false with
  // `error` set. The plain kind accepts a status from 200 to 299.
  virtual bool processResponse(const HttpResponse& response, Value& answer, HttpError& error) const;

 private:
  friend struct OperationQueueCore;
  static constexpr int kReady = 0, kExecuting = 1, kFinished = 2;

  HttpRequest request_;
  HttpResponse response_;
  std::optional<HttpError> error_;
  Value answer_;
  SuccessBlock success_;
  FailureBlock failure_;
  DownloadProgressBlock downloadProgress_;
  // The latest counts from the worker and whether a report of them waits on
  // the main loop (guarded by the queue's mutex).
  std::int64_t progressReceived_ = 0;
  std::int64_t progressExpected_ = -1;
  bool progressPosted_ = false;
  std::atomic<int> state_{kReady};
  std::atomic<bool> cancelled_{false};
  std::uint64_t id_ = 0;
  TimerId timeoutTimer_ = 0;
  std::shared_ptr<void> inFlight_;  // marks the transfer as real I/O on the main loop
  std::weak_ptr<OperationQueueCore> queue_;
};

// A kind of operation a client may create: the first registered kind that
// can process a request makes its operation; otherwise the plain one does.
struct HttpOperationKind {
  std::string name;
  std::function<bool(const HttpRequest&)> canProcessRequest;
  std::function<std::shared_ptr<HttpOperation>(HttpRequest)> make;
};

}  // namespace platform::net
