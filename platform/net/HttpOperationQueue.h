#pragma once
// Runs operations: each enqueued operation starts at once as one transfer on
// the queue's worker thread (libcurl multi); outcomes come back to the main
// loop. Its time-out is a timer of the main loop, so on a virtual clock a
// stalled answer fails after the request's time-out in virtual seconds.
//
// Destroying the queue stops its worker and drops every operation in flight:
// their blocks never run.
#include <memory>
#include <string>
#include <vector>

#include "platform/net/HttpOperation.h"

namespace platform::net {

class HttpCookieStore;

class HttpOperationQueue {
 public:
  explicit HttpOperationQueue(std::shared_ptr<HttpCookieStore> cookies);
  ~HttpOperationQueue();
  HttpOperationQueue(const HttpOperationQueue&) = delete;
  HttpOperationQueue& operator=(const HttpOperationQueue&) = delete;

  // Starts the operation (once; a finished or queued one is ignored). A
  // request that handles cookies gets the store's cookies for its host now.
  // Every request started is reported to the request logger.
  void addOperation(const std::shared_ptr<HttpOperation>& operation);

  // Operations not yet finished, in the order they were added.
  std::vector<std::shared_ptr<HttpOperation>> operations() const;
  std::size_t operationCount() const;

  void cancelAllOperations();
  // Cancels every unfinished operation whose address path equals `path`,
  // and whose method equals `method` unless it is empty.
  void cancelOperationsWithPath(const std::string& path, const std::string& method = {});

  const std::shared_ptr<HttpCookieStore>& cookieStore() const;

 private:
  std::shared_ptr<OperationQueueCore> core_;
};

}  // namespace platform::net
