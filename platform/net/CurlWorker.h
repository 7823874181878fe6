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
  // `done` runs on the worker thread once per transfer that was neither
  // cancelled nor cut short by the worker's end.
  explicit CurlWorker(std::function<void(TransferResult)> done);
  // Stops the thread and frees every transfer still in flight without a report.
  ~CurlWorker();
  CurlWorker(const CurlWorker&) = delete;
  CurlWorker& operator=(const CurlWorker&) = delete;

  // Thread-safe. `realTimeoutSeconds` bounds the transfer in real time (0: none).
  void start(std::uint64_t id, const HttpRequest& request, double realTimeoutSeconds);
  // Thread-safe; a transfer that already finished is not affected.
  void cancel(std::uint64_t id);

 private:
  struct Transfer;
  struct Command {
    std::uint64_t id;
    std::shared_ptr<HttpRequest> request;  // null: cancel
    double realTimeout;
  };
  void run();
  void wake();

  std::function<void(TransferResult)> done_;
  std::mutex mutex_;
  std::vector<Command> commands_;
  bool stopping_ = false;
  void* multi_ = nullptr;  // CURLM*, owned by the thread's lifetime
  std::thread thread_;
};

}  // namespace platform::net
