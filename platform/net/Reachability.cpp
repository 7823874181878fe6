#include "platform/net/Reachability.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpUrl.h"

namespace platform::net {
namespace {

constexpr auto kPollInterval = std::chrono::seconds(2);

bool isModemLink(const char* name) {
  return std::strncmp(name, "wwan", 4) == 0 || std::strncmp(name, "ppp", 3) == 0 ||
         std::strncmp(name, "rmnet", 5) == 0;
}

}  // namespace

struct Reachability::State {
  std::string host;
  std::function<void(int)> onChange;
  std::atomic<int> status{kReachabilityUnknown};
  std::atomic<bool> overridden{false};
  std::mutex mutex;
  std::condition_variable wake;
  bool stopping = false;
  std::thread watcher;

  // Main thread.
  void apply(int next, bool fromSystem) {
    if (fromSystem && overridden) return;
    if (status.exchange(next) == next) return;
    if (onChange) onChange(next);
  }
};

Reachability::Reachability(std::string host, std::function<void(int)> onChange)
    : state_(std::make_shared<State>()) {
  state_->host = std::move(host);
  state_->onChange = std::move(onChange);
}

Reachability::~Reachability() {
  {
    std::lock_guard lock(state_->mutex);
    state_->stopping = true;
  }
  state_->wake.notify_all();
  if (state_->watcher.joinable()) state_->watcher.join();
  state_->onChange = nullptr;
}

void Reachability::startMonitoring() {
  if (state_->watcher.joinable()) return;
  std::weak_ptr<State> weak = state_;
  State* s = state_.get();
  state_->watcher = std::thread([s, weak] {
    int last = kReachabilityUnknown - 1;
    std::unique_lock lock(s->mutex);
    while (!s->stopping) {
      lock.unlock();
      int now = s->overridden ? last : systemStatus(s->host);
      if (now != last) {
        last = now;
        dispatchMain([weak, now] {
          if (auto state = weak.lock()) state->apply(now, true);
        });
      }
      lock.lock();
      s->wake.wait_for(lock, kPollInterval, [s] { return s->stopping; });
    }
  });
}

bool Reachability::isMonitoring() const { return state_->watcher.joinable(); }

int Reachability::status() const { return state_->status; }

void Reachability::setStatus(int status) {
  state_->overridden = true;
  if (RunLoop::main().isMainThread()) {
    state_->apply(status, false);
    return;
  }
  std::weak_ptr<State> weak = state_;
  dispatchMain([weak, status] {
    if (auto state = weak.lock()) state->apply(status, false);
  });
}

int Reachability::systemStatus(const std::string& host) {
  if (isLoopbackHost(host)) return kReachabilityViaWiFi;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return kReachabilityUnknown;
  bool any = false;
  bool anyNonModem = false;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || !i->ifa_name) continue;
    int family = i->ifa_addr->sa_family;
    if (family != AF_INET && family != AF_INET6) continue;
    unsigned flags = i->ifa_flags;
    if (!(flags & IFF_UP) || !(flags & IFF_RUNNING) || (flags & IFF_LOOPBACK)) continue;
    if (family == AF_INET6) {
      const auto* a6 = reinterpret_cast<const sockaddr_in6*>(i->ifa_addr);
      if (IN6_IS_ADDR_LINKLOCAL(&a6->sin6_addr)) continue;  // reaches no outside host
    }
    any = true;
    if (!isModemLink(i->ifa_name)) anyNonModem = true;
  }
  freeifaddrs(list);
  if (!any) return kReachabilityNotReachable;
  return anyNonModem ? kReachabilityViaWiFi : kReachabilityViaMobile;
}

}  // namespace platform::net
