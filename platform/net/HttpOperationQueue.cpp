#include "platform/net/HttpOperationQueue.h"

#include "platform/net/HttpUrl.h"
#include "platform/net/OperationQueueCore.h"

namespace platform::net {

HttpOperationQueue::HttpOperationQueue(std::shared_ptr<HttpCookieStore> cookies)
    : core_(std::make_shared<OperationQueueCore>(std::move(cookies))) {
  std::weak_ptr<OperationQueueCore> weak = core_;
  // Runs on the worker thread: only hand the outcome to the main loop there.
  core_->worker = std::make_unique<CurlWorker>(
      [weak](TransferResult result) {
        auto shared = std::make_shared<TransferResult>(std::move(result));
        RunLoop::main().post([weak, shared] {
          if (auto core = weak.lock()) core->transferDone(std::move(*shared));
        });
      },
      [weak](std::uint64_t id, std::int64_t received, std::int64_t expected) {
        if (auto core = weak.lock()) core->transferProgress(id, received, expected);
      });
}

HttpOperationQueue::~HttpOperationQueue() { core_->shutdown(); }

void HttpOperationQueue::addOperation(const std::shared_ptr<HttpOperation>& operation) {
  if (operation) core_->start(operation);
}

std::vector<std::shared_ptr<HttpOperation>> HttpOperationQueue::operations() const {
  std::lock_guard lock(core_->mutex);
  std::vector<std::shared_ptr<HttpOperation>> out;
  for (const auto& [id, op] : core_->live) out.push_back(op);
  return out;
}

std::size_t HttpOperationQueue::operationCount() const {
  std::lock_guard lock(core_->mutex);
  return core_->live.size();
}

void HttpOperationQueue::cancelAllOperations() {
  for (const auto& op : operations()) op->cancel();
}

void HttpOperationQueue::cancelOperationsWithPath(const std::string& path, const std::string& method) {
  for (const auto& op : operations()) {
    if (!method.empty() && op->request().method != method) continue;
    auto url = HttpUrl::parse(op->request().url);
    if (url && url->path == path) op->cancel();
  }
}

const std::shared_ptr<HttpCookieStore>& HttpOperationQueue::cookieStore() const { return core_->cookies; }

}  // namespace platform::net
