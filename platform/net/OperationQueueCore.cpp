#include "platform/net/OperationQueueCore.h"

#include <curl/curl.h>

#include "platform/net/HttpUrl.h"
#include "platform/net/RequestLog.h"

namespace platform::net {
namespace {

// A transfer also ends in real time, well after its time-out on the main loop's
// clock, so that nothing hangs on a loop that is not running.
constexpr double kRealTimeoutMarginSeconds = 30.0;

HttpError errorForCurl(int code, const std::string& message) {
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      return HttpError::make(HttpErrorKind::TimedOut, kErrorTimedOut, "the request timed out");
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return HttpError::make(HttpErrorKind::NoConnection, kErrorCannotFindHost, message);
    case CURLE_COULDNT_CONNECT:
      return HttpError::make(HttpErrorKind::NoConnection, kErrorCannotConnectToHost, message);
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      return HttpError::make(HttpErrorKind::Other, -1000, message);
    default:
      return HttpError::make(HttpErrorKind::NoConnection, kErrorConnectionLost, message);
  }
}

// The sender's "Cookie" header stays first; stored cookies of other names follow.
void addStoredCookies(HttpRequest& request, const HttpCookieStore& store) {
  auto stored = store.cookiesForUrl(request.url);
  if (stored.empty()) return;
  std::string header = request.headers.get("Cookie");
  auto present = [&](const std::string& name) {
    std::size_t start = 0;
    while (start < header.size()) {
      auto end = header.find(';', start);
      if (end == std::string::npos) end = header.size();
      std::string item = header.substr(start, end - start);
      auto b = item.find_first_not_of(' ');
      if (b != std::string::npos) item.erase(0, b);
      auto eq = item.find('=');
      if (item.substr(0, eq) == name) return true;
      start = end + 1;
    }
    return false;
  };
  bool changed = false;
  for (const auto& c : stored) {
    if (present(c.name)) continue;
    if (!header.empty()) header += "; ";
    header += c.name + "=" + c.value;
    changed = true;
  }
  if (changed) request.headers.set("Cookie", header);
}

}  // namespace

OperationQueueCore::OperationQueueCore(std::shared_ptr<HttpCookieStore> store) : cookies(std::move(store)) {}

void OperationQueueCore::start(const std::shared_ptr<HttpOperation>& op) {
  int expected = HttpOperation::kReady;
  if (!op->state_.compare_exchange_strong(expected, HttpOperation::kExecuting)) return;
  op->queue_ = weak_from_this();
  if (op->cancelled_) {
    finish(op, HttpError::make(HttpErrorKind::Cancelled, kErrorCancelled, "cancelled"), Value(), true);
    return;
  }
  HttpRequest& request = op->request_;
  if (request.shouldHandleCookies && cookies) addStoredCookies(request, *cookies);
  logSentRequest({request.method, request.url, request.headers, request.body.size()});

  std::uint64_t id;
  {
    std::lock_guard lock(mutex);
    id = nextId++;
  }
  op->id_ = id;
  op->inFlight_ = std::make_shared<RunLoop::ExternalWork>(RunLoop::main());
  std::weak_ptr<OperationQueueCore> weak = weak_from_this();
  double timeout = request.timeoutSeconds > 0 ? request.timeoutSeconds : kDefaultTimeoutSeconds;
  op->timeoutTimer_ = RunLoop::main().schedule(timeout, [weak, id] {
    if (auto core = weak.lock()) core->timedOut(id);
  });
  std::lock_guard lock(mutex);
  if (!worker || op->state_ != HttpOperation::kExecuting) return;  // cancelled meanwhile, or shutting down
  live[id] = op;
  worker->start(id, request, timeout + kRealTimeoutMarginSeconds, static_cast<bool>(op->downloadProgress_));
}

void OperationQueueCore::cancel(const std::shared_ptr<HttpOperation>& op) {
  if (op->state_ != HttpOperation::kExecuting) return;
  finish(op, HttpError::make(HttpErrorKind::Cancelled, kErrorCancelled, "cancelled"), Value(), true);
}

void OperationQueueCore::timedOut(std::uint64_t id) {
  std::shared_ptr<HttpOperation> op;
  {
    std::lock_guard lock(mutex);
    auto it = live.find(id);
    if (it == live.end()) return;
    op = it->second;
  }
  op->timeoutTimer_ = 0;  // it has fired
  finish(op, HttpError::make(HttpErrorKind::TimedOut, kErrorTimedOut, "the request timed out"), Value(), false);
}

void OperationQueueCore::transferDone(TransferResult result) {
  std::shared_ptr<HttpOperation> op;
  {
    std::lock_guard lock(mutex);
    auto it = live.find(result.id);
    if (it == live.end()) return;  // cancelled or timed out meanwhile
    op = it->second;
  }
  if (result.curlCode != CURLE_OK) {
    op->response_ = std::move(result.response);
    finish(op, errorForCurl(result.curlCode, result.curlMessage), Value(), false);
    return;
  }
  op->response_ = std::move(result.response);
  const HttpResponse& response = op->response_;
  if (op->request_.shouldHandleCookies && cookies) {
    auto values = response.headers.getAll("Set-Cookie");
    if (!values.empty()) cookies->setCookiesFromHeaders(values, response.url.empty() ? op->request_.url : response.url);
  }
  Value answer;
  HttpError error;
  if (op->processResponse(response, answer, error)) {
    finish(op, std::nullopt, std::move(answer), false);
  } else {
    finish(op, std::move(error), Value(), false);
  }
}

void OperationQueueCore::transferProgress(std::uint64_t id, std::int64_t received, std::int64_t expected) {
  std::shared_ptr<HttpOperation> op;
  {
    std::lock_guard lock(mutex);
    auto it = live.find(id);
    if (it == live.end()) return;  // finished, cancelled or timed out meanwhile
    op = it->second;
    op->progressReceived_ = received;
    op->progressExpected_ = expected;
    if (op->progressPosted_) return;  // the report already waiting carries these counts
    op->progressPosted_ = true;
  }
  std::weak_ptr<OperationQueueCore> weak = weak_from_this();
  RunLoop::main().post([weak, op] {
    if (auto core = weak.lock()) core->deliverProgress(op);
  });
}

void OperationQueueCore::deliverProgress(const std::shared_ptr<HttpOperation>& op) {
  std::int64_t received, expected;
  {
    std::lock_guard lock(mutex);
    op->progressPosted_ = false;
    received = op->progressReceived_;
    expected = op->progressExpected_;
  }
  if (op->state_ != HttpOperation::kExecuting || op->cancelled_ || !op->downloadProgress_) return;
  auto self = shared_from_this();  // the block may destroy the client
  auto block = op->downloadProgress_;
  block(*op, received, expected);
}

void OperationQueueCore::finish(const std::shared_ptr<HttpOperation>& op, std::optional<HttpError> error,
                                Value answer, bool later) {
  int expected = HttpOperation::kExecuting;
  if (!op->state_.compare_exchange_strong(expected, HttpOperation::kFinished)) return;
  bool stopTransfer = error && (error->kind == HttpErrorKind::Cancelled || error->kind == HttpErrorKind::TimedOut);
  {
    std::lock_guard lock(mutex);
    live.erase(op->id_);
    if (stopTransfer && worker) worker->cancel(op->id_);
  }
  if (op->timeoutTimer_) RunLoop::main().cancel(op->timeoutTimer_);
  op->timeoutTimer_ = 0;
  op->inFlight_.reset();
  if (error) {
    if (error->kind == HttpErrorKind::Cancelled) op->cancelled_ = true;
    op->error_ = std::move(error);
  } else {
    op->answer_ = std::move(answer);
  }

  auto deliver = [](const std::shared_ptr<HttpOperation>& op) {
    auto success = std::move(op->success_);
    auto failure = std::move(op->failure_);
    op->success_ = nullptr;
    op->failure_ = nullptr;
    op->downloadProgress_ = nullptr;
    if (op->error_) {
      if (failure) failure(*op, *op->error_);
    } else if (success) {
      success(*op, op->answer_);
    }
  };
  if (!later && RunLoop::main().isMainThread()) {
    auto self = shared_from_this();  // a block may destroy the client
    deliver(op);
    return;
  }
  std::weak_ptr<OperationQueueCore> weak = weak_from_this();
  dispatchMain([weak, op, deliver] {
    auto core = weak.lock();
    if (!core) return;  // the client is gone: its blocks are dropped
    deliver(op);
  });
}

void OperationQueueCore::shutdown() {
  std::unique_ptr<CurlWorker> stopping;
  {
    std::lock_guard lock(mutex);
    stopping = std::move(worker);
  }
  stopping.reset();  // joins the worker thread
  std::map<std::uint64_t, std::shared_ptr<HttpOperation>> dropped;
  {
    std::lock_guard lock(mutex);
    dropped.swap(live);
  }
  for (auto& [id, op] : dropped) {
    op->state_ = HttpOperation::kFinished;
    if (op->timeoutTimer_) RunLoop::main().cancel(op->timeoutTimer_);
    op->timeoutTimer_ = 0;
    op->inFlight_.reset();
    op->success_ = nullptr;
    op->failure_ = nullptr;
  }
}

}  // namespace platform::net
