#include "platform/foundation/RunLoop.h"

#include <cmath>

namespace platform {

RunLoop::RunLoop() : thread_(std::this_thread::get_id()) {}

RunLoop& RunLoop::main() {
  static RunLoop* loop = new RunLoop();  // lives for the process; workers may post late
  return *loop;
}

double RunLoop::realNow() const {
  using namespace std::chrono;
  return duration<double>(system_clock::now().time_since_epoch()).count();
}

void RunLoop::useVirtualClock(double epochSeconds) {
  std::lock_guard lock(mutex_);
  virtual_ = true;
  virtualNow_ = epochSeconds;
  posted_.clear();
  order_.clear();
  timers_.clear();
  stopped_ = false;
  ++epoch_;
}

void RunLoop::useSystemClock() {
  std::lock_guard lock(mutex_);
  virtual_ = false;
  posted_.clear();
  order_.clear();
  timers_.clear();
  stopped_ = false;
  ++epoch_;
}

bool RunLoop::isVirtual() const {
  std::lock_guard lock(mutex_);
  return virtual_;
}

double RunLoop::now() const {
  std::lock_guard lock(mutex_);
  return virtual_ ? virtualNow_ : realNow();
}

void RunLoop::post(Task task) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(task));
  }
  wake_.notify_all();
}

TimerId RunLoop::schedule(double delay, Task task, double interval) {
  TimerId id;
  {
    std::lock_guard lock(mutex_);
    if (!(delay >= 0)) delay = 0;
    double base = virtual_ ? virtualNow_ : realNow();
    id = nextId_++;
    Timer t{id, base + delay, interval > 0 ? interval : 0.0, std::make_shared<Task>(std::move(task))};
    order_.emplace(t.due, id);
    timers_.emplace(id, std::move(t));
  }
  wake_.notify_all();
  return id;
}

void RunLoop::cancel(TimerId id) {
  std::lock_guard lock(mutex_);
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  auto range = order_.equal_range(it->second.due);
  for (auto o = range.first; o != range.second; ++o) {
    if (o->second == id) {
      order_.erase(o);
      break;
    }
  }
  timers_.erase(it);
}

bool RunLoop::isScheduled(TimerId id) const {
  std::lock_guard lock(mutex_);
  return timers_.count(id) != 0;
}

bool RunLoop::fireNextTimer(double upTo) {
  std::shared_ptr<Task> task;
  {
    std::lock_guard lock(mutex_);
    if (order_.empty()) return false;
    auto first = order_.begin();
    if (first->first > upTo) return false;
    TimerId id = first->second;
    order_.erase(first);
    auto it = timers_.find(id);
    if (it == timers_.end()) return true;
    Timer& t = it->second;
    if (virtual_ && t.due > virtualNow_) virtualNow_ = t.due;
    task = t.task;
    if (t.interval > 0) {
      double now = virtual_ ? virtualNow_ : realNow();
      t.due += t.interval;
      if (t.due < now) t.due = now + t.interval;  // a late repeating timer skips, as the platform's did
      order_.emplace(t.due, id);
    } else {
      timers_.erase(it);
    }
  }
  (*task)();
  return true;
}

bool RunLoop::runOneTurn(double upTo) {
  std::deque<Task> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(posted_);
  }
  bool ran = !batch.empty();
  for (auto& task : batch) task();
  // Timers due now; one at a time so that tasks they post run before later timers.
  if (fireNextTimer(upTo)) ran = true;
  return ran;
}

void RunLoop::runUntilIdle() {
  for (int guard = 0; guard < 1000000; ++guard) {
    if (!runOneTurn(now())) return;
  }
}

void RunLoop::waitForExternal(std::unique_lock<std::mutex>& lock) {
  // Waits while recently started I/O is in flight and nothing was posted.
  while (posted_.empty() && !external_.empty()) {
    auto newest = std::chrono::steady_clock::time_point::min();
    for (auto& [id, started] : external_) newest = std::max(newest, started);
    auto deadline = newest + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                 std::chrono::duration<double>(grace_));
    if (std::chrono::steady_clock::now() >= deadline) return;
    wake_.wait_until(lock, deadline);
  }
}

void RunLoop::runFor(double seconds) {
  if (!isVirtual()) {
    double end = realNow() + seconds;
    while (realNow() < end) {
      runOneTurn(realNow());
      std::unique_lock lock(mutex_);
      if (!posted_.empty()) continue;
      double until = end;
      if (!order_.empty()) until = std::min(until, order_.begin()->first);
      double wait = until - realNow();
      if (wait > 0) wake_.wait_for(lock, std::chrono::duration<double>(wait));
    }
    runOneTurn(realNow());
    return;
  }
  double target = now() + std::max(0.0, seconds);
  for (;;) {
    runUntilIdle();
    std::unique_lock lock(mutex_);
    waitForExternal(lock);
    if (!posted_.empty()) continue;
    if (order_.empty() || order_.begin()->first > target) {
      virtualNow_ = std::max(virtualNow_, target);
      lock.unlock();
      runUntilIdle();
      return;
    }
    lock.unlock();
    fireNextTimer(target);
  }
}

bool RunLoop::runUntil(const std::function<bool()>& done, double realTimeoutSeconds) {
  auto deadline = std::chrono::steady_clock::now() +
                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double>(realTimeoutSeconds));
  for (;;) {
    runUntilIdle();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::unique_lock lock(mutex_);
    if (!posted_.empty()) continue;
    if (virtual_) {
      waitForExternal(lock);
      if (!posted_.empty()) continue;
      if (!order_.empty()) {
        lock.unlock();
        fireNextTimer(order_.begin()->first);
        continue;
      }
      // Nothing scheduled: only real I/O can still change things.
      wake_.wait_until(lock, std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(50)));
    } else {
      auto until = std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(50));
      if (!order_.empty()) {
        double wait = order_.begin()->first - realNow();
        if (wait <= 0) continue;
        until = std::min(until, std::chrono::steady_clock::now() +
                                    std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                        std::chrono::duration<double>(wait)));
      }
      wake_.wait_until(lock, until);
    }
  }
}

bool RunLoop::settle(double realTimeoutSeconds) {
  auto deadline = std::chrono::steady_clock::now() +
                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double>(realTimeoutSeconds));
  for (;;) {
    runUntilIdle();
    std::unique_lock lock(mutex_);
    double n = virtual_ ? virtualNow_ : realNow();
    bool due = !posted_.empty() || (!order_.empty() && order_.begin()->first <= n);
    if (!due && external_.empty()) return true;
    if (due) continue;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    wake_.wait_until(lock, std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(50)));
  }
}

void RunLoop::run() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = false;
  }
  for (;;) {
    runUntilIdle();
    std::unique_lock lock(mutex_);
    if (stopped_) return;
    if (!posted_.empty()) continue;
    if (virtual_) {
      if (order_.empty()) {
        wake_.wait_for(lock, std::chrono::milliseconds(50));
        continue;
      }
      double due = order_.begin()->first;
      lock.unlock();
      fireNextTimer(due);
      continue;
    }
    if (order_.empty()) {
      wake_.wait_for(lock, std::chrono::milliseconds(100));
    } else {
      double wait = order_.begin()->first - realNow();
      if (wait > 0) wake_.wait_for(lock, std::chrono::duration<double>(wait));
    }
  }
}

void RunLoop::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  wake_.notify_all();
}

bool RunLoop::hasDueWork() const {
  std::lock_guard lock(mutex_);
  if (!posted_.empty()) return true;
  double n = virtual_ ? virtualNow_ : realNow();
  return !order_.empty() && order_.begin()->first <= n;
}

int RunLoop::externalWorkInFlight() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(external_.size());
}

double RunLoop::nextTimerDelay() const {
  std::lock_guard lock(mutex_);
  if (order_.empty()) return -1;
  double n = virtual_ ? virtualNow_ : realNow();
  return std::max(0.0, order_.begin()->first - n);
}

bool RunLoop::isMainThread() const {
  std::lock_guard lock(mutex_);
  return std::this_thread::get_id() == thread_;
}

void RunLoop::adoptCurrentThread() {
  std::lock_guard lock(mutex_);
  thread_ = std::this_thread::get_id();
}

void RunLoop::setExternalGrace(double seconds) {
  std::lock_guard lock(mutex_);
  grace_ = seconds;
}

RunLoop::ExternalWork::ExternalWork(RunLoop& loop) : loop_(loop) {
  std::lock_guard lock(loop_.mutex_);
  id_ = loop_.nextExternal_++;
  loop_.external_.emplace(id_, std::chrono::steady_clock::now());
}

RunLoop::ExternalWork::~ExternalWork() {
  {
    std::lock_guard lock(loop_.mutex_);
    loop_.external_.erase(id_);
  }
  loop_.wake_.notify_all();
}

void dispatchMain(Task task) { RunLoop::main().post(std::move(task)); }
TimerId dispatchAfter(double delay, Task task) { return RunLoop::main().schedule(delay, std::move(task)); }
void cancelDispatch(TimerId id) { RunLoop::main().cancel(id); }
void dispatchBackground(Task task) { std::thread(std::move(task)).detach(); }
double currentTime() { return RunLoop::main().now(); }

}  // namespace platform
