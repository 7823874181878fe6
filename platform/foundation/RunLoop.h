#pragma once
// The main run loop and its clock. One main thread runs the loop: posted tasks,
// timers and delayed performs. Any thread may post; only the main thread runs.
//
// Time comes from the loop's clock. In the app it is the system clock; in tests
// and scripts it is virtual: runFor(seconds) fires what falls due, in time order,
// without sleeping. Real I/O (HTTP answers) reaches a virtual loop through post();
// while such work is in flight (see ExternalWork) the loop waits a bounded real
// time for it before it lets virtual time move on, so loopback answers arrive
// before time-outs and runs stay deterministic.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <deque>
#include <thread>

namespace platform {

using Task = std::function<void()>;
using TimerId = std::uint64_t;

class RunLoop {
 public:
  // The process's main loop; created on first use, on the system clock.
  static RunLoop& main();

  // Switches the main loop to a virtual clock starting at `epochSeconds`
  // (drops every pending task and timer). Tests and scripts call it first.
  void useVirtualClock(double epochSeconds);
  // Back to the system clock (drops pending work).
  void useSystemClock();
  bool isVirtual() const;

  // Seconds since 1970 on the loop's clock.
  double now() const;

  // Thread-safe: runs `task` on the loop's thread on a later turn.
  void post(Task task);
  // Thread-safe: runs `task` after `delay` seconds; repeating when `interval` > 0.
  TimerId schedule(double delay, Task task, double interval = 0.0);
  // Thread-safe: a cancelled timer never fires again (also from inside its own task).
  void cancel(TimerId id);
  bool isScheduled(TimerId id) const;

  // Drivers.
  // Runs everything due now, including work that the run itself posts.
  void runUntilIdle();
  // Virtual: advances the clock by `seconds`, firing due work in time order.
  // System clock: runs the loop for that long in real time.
  void runFor(double seconds);
  // Runs until `done()` holds or `realTimeoutSeconds` of real time pass; on a
  // virtual clock time only moves when nothing else can happen (the next timer
  // is fired then). Returns whether `done()` held.
  bool runUntil(const std::function<bool()>& done, double realTimeoutSeconds = 10.0);
  // Runs what is due now and waits (real time, at most `realTimeoutSeconds`)
  // for in-flight I/O to answer, without moving virtual time: true once nothing
  // is in flight and nothing is due.
  bool settle(double realTimeoutSeconds = 30.0);
  // Runs until stop() (the app's loop).
  void run();
  void stop();

  // Whether anything is due now, or in flight.
  bool hasDueWork() const;
  int externalWorkInFlight() const;
  // Seconds until the next timer, or a negative number when none is scheduled.
  double nextTimerDelay() const;

  bool isMainThread() const;
  // Makes the calling thread the loop's thread (the test or app thread).
  void adoptCurrentThread();

  // Marks real I/O in flight whose answer will be posted to this loop.
  class ExternalWork {
   public:
    explicit ExternalWork(RunLoop& loop);
    ~ExternalWork();
    ExternalWork(const ExternalWork&) = delete;
    ExternalWork& operator=(const ExternalWork&) = delete;
   private:
    RunLoop& loop_;
    std::uint64_t id_;
  };

  // How long (real seconds) a virtual loop waits for in-flight I/O started
  // recently before it moves time on. Default 2 s.
  void setExternalGrace(double seconds);

 private:
  RunLoop();
  struct Timer {
    TimerId id;
    double due;
    double interval;
    std::shared_ptr<Task> task;
  };
  bool runOneTurn(double upTo);  // runs posted tasks and timers due at or before upTo
  bool fireNextTimer(double upTo);
  void waitForExternal(std::unique_lock<std::mutex>& lock);
  double realNow() const;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Task> posted_;
  std::multimap<double, TimerId> order_;
  std::map<TimerId, Timer> timers_;
  TimerId nextId_ = 1;
  bool virtual_ = false;
  double virtualNow_ = 0;
  bool stopped_ = false;
  std::thread::id thread_;
  std::map<std::uint64_t, std::chrono::steady_clock::time_point> external_;
  std::uint64_t nextExternal_ = 1;
  double grace_ = 2.0;
  std::uint64_t epoch_ = 0;  // bumped when the loop is reset; stale timers are dropped
};

// Conveniences on the main loop.
void dispatchMain(Task task);
TimerId dispatchAfter(double delay, Task task);
void cancelDispatch(TimerId id);
// Runs `task` on a background worker thread.
void dispatchBackground(Task task);
// Seconds since 1970 on the main loop's clock.
double currentTime();

}  // namespace platform
