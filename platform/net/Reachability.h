#pragma once
// Whether the host of a client's base address can be reached, and how.
//
// On Linux the status comes from the network interfaces, checked every few
// seconds on a thread of its own:
//   - a loopback host (127.x, ::1, localhost, the demo portal) is always
//     reachable and reported as Wi-Fi, since no network is needed for it;
//   - any other host is reachable when a non-loopback interface is up and
//     running with an address: over the mobile network when every such
//     interface is a modem link (wwan*, ppp*, rmnet*), else over Wi-Fi
//     (wired and wireless alike);
//   - otherwise not reachable.
// Tests and the automation interface set the status (setStatus); from then on
// the interfaces are no longer followed.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace platform::net {

// Posted by the client whose status changed (the object is the client's
// address, an `HttpClientLayer*`), on the main thread; the user info holds the
// new status under kReachabilityStatusKey.
inline constexpr char kReachabilityDidChangeNotification[] = "HttpClientLayerReachabilityDidChangeNotification";
inline constexpr char kReachabilityStatusKey[] = "HttpClientLayerReachabilityStatus";

enum ReachabilityStatus : int {
  kReachabilityUnknown = -1,
  kReachabilityNotReachable = 0,
  kReachabilityViaMobile = 1,
  kReachabilityViaWiFi = 2,
};

class Reachability {
 public:
  // `onChange` runs on the main thread with each new status.
  Reachability(std::string host, std::function<void(int)> onChange);
  ~Reachability();  // stops watching; no change is reported afterwards
  Reachability(const Reachability&) = delete;
  Reachability& operator=(const Reachability&) = delete;

  // Starts following the interfaces (the first status arrives on a later turn).
  void startMonitoring();
  bool isMonitoring() const;

  int status() const;
  // Sets the status (reported when it differs) and stops following the interfaces.
  void setStatus(int status);

  // The status the interfaces give now for `host`.
  static int systemStatus(const std::string& host);

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace platform::net
