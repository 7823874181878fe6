#pragma once
// Named notifications with an optional sender and user info. Observers of one
// name run in the order they registered; an observer may remove itself or any
// other observer during a post (a removed observer is not called afterwards).
#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

namespace platform {

struct Notification {
  std::string name;
  std::any object;  // the sender, when the poster names one
  Value userInfo;   // null when the poster gives none
};

using ObserverToken = std::uint64_t;

class NotificationCenter {
 public:
  static NotificationCenter& defaultCenter();

  // `owner` groups observers for removeObserver(owner); any stable address will do
  // (usually `this` of the observing object). Returns a token for one removal.
  ObserverToken addObserver(const void* owner, const std::string& name,
                            std::function<void(const Notification&)> handler);
  void removeObserver(ObserverToken token);
  // Removes every observer registered with this owner, of every name.
  void removeObserver(const void* owner);
  // Removes this owner's observers of one name.
  void removeObserver(const void* owner, const std::string& name);

  // Delivers synchronously on the calling thread.
  void post(const std::string& name, std::any object = {}, Value userInfo = Value());
  void post(const Notification& n);

  std::size_t observerCount(const std::string& name) const;
  // Forgets every observer (tests start from a clean centre).
  void reset();

  // Every post is also reported here (the automation log); may be empty.
  void setPostListener(std::function<void(const Notification&)> listener);

 private:
  struct Observer {
    ObserverToken token;
    const void* owner;
    std::string name;
    std::shared_ptr<std::function<void(const Notification&)>> handler;
    std::shared_ptr<bool> alive;
  };
  mutable std::recursive_mutex mutex_;
  std::vector<Observer> observers_;
  ObserverToken next_ = 1;
  std::function<void(const Notification&)> listener_;
};

}  // namespace platform
