#pragma once
// The thread that runs every transfer of one operation queue through one
// libcurl multi handle. Easy handles are made, driven and freed on this thread
// only; other threads talk to it through start() and cancel().
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/HttpRequest.h"

namespace platform::net {

struct TransferResult {
  std::uint64_t id = 0;
  int curlCode = 0;  // CURLcode; 0 when an answer arrived
  std::string curlMessage;
  HttpResponse response;
};

class CurlWorker {
 public:
  // Bytes of an answer's body received so far and expected (-1 when the answer
  // names no length); runs on the worker thread.
  using ProgressReport = std::function<void(std::uint64_t id, std::int64_t received, std::int64_t expected)>;
  // Received bytes are reported once at least this many more have arrived since
  // the last report, or once the whole expected body is in.
  static constexpr std::int64_t kProgressStepBytes = 8 * 1024;

  // `done` runs on the worker thread once per transfer that was neither
  // cancelled nor cut short by the worker's end; `progress` (optional) as the
  // body of a transfer started with reportProgress arrives.
  explicit CurlWorker(std::function<void(TransferResult)> done, ProgressReport progress = {});
  // Stops the thread and frees every transfer still in flight without a report.
  ~CurlWorker();
  CurlWorker(const CurlWorker&) = delete;
  CurlWorker& operator=(const CurlWorker&) = delete;

  // Thread-safe. `realTimeoutSeconds` bounds the transfer in real time (0: none).
  void start(std::uint64_t id, const HttpRequest& request, double realTimeoutSeconds, bool reportProgress = false);
  // Thread-safe; a transfer that already finished is not affected.
  void cancel(std::uint64_t id);

 private:
  struct Transfer;
  struct Command {
    std::uint64_t id;
    std::shared_ptr<HttpRequest> request;  // null: cancel
    double realTimeout;
    bool reportProgress = false;
  };
  void run();
  void wake();

  std::function<void(TransferResult)> done_;
  ProgressReport progress_;
  std::mutex mutex_;
  std::vector<Command> commands_;
  bool stopping_ = false;
  void* multi_ = nullptr;  // CURLM*, owned by the thread's lifetime
  std::thread thread_;
};

}  // namespace platform::net
