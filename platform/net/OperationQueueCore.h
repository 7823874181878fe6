#pragma once
// The shared state behind an HttpOperationQueue; operations and posted
// outcomes hold it weakly, so nothing is delivered once the queue is gone.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "platform/net/CurlWorker.h"
#include "platform/net/HttpCookieStore.h"
#include "platform/net/HttpOperation.h"

namespace platform::net {

struct OperationQueueCore : std::enable_shared_from_this<OperationQueueCore> {
  explicit OperationQueueCore(std::shared_ptr<HttpCookieStore> store);

  void start(const std::shared_ptr<HttpOperation>& op);
  void cancel(const std::shared_ptr<HttpOperation>& op);
  void timedOut(std::uint64_t id);
  void transferDone(TransferResult result);
  // Worker thread: new counts of a transfer's body; main thread: their report.
  void transferProgress(std::uint64_t id, std::int64_t received, std::int64_t expected);
  void deliverProgress(const std::shared_ptr<HttpOperation>& op);
  // Ends the queue: stops the worker, drops every operation silently.
  void shutdown();

  // Moves `op` to finished with this outcome; false when it already was.
  // `later`: deliver on a later turn of the main loop rather than now.
  void finish(const std::shared_ptr<HttpOperation>& op, std::optional<HttpError> error, Value answer, bool later);

  mutable std::mutex mutex;
  std::map<std::uint64_t, std::shared_ptr<HttpOperation>> live;  // by id, so in the order added
  std::uint64_t nextId = 1;
  std::shared_ptr<HttpCookieStore> cookies;
  std::unique_ptr<CurlWorker> worker;
};

}  // namespace platform::net
