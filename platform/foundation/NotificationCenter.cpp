#include "platform/foundation/NotificationCenter.h"

#include <algorithm>

namespace platform {

NotificationCenter& NotificationCenter::defaultCenter() {
  static NotificationCenter center;
  return center;
}

ObserverToken NotificationCenter::addObserver(const void* owner, const std::string& name,
                                              std::function<void(const Notification&)> handler) {
  std::lock_guard lock(mutex_);
  ObserverToken token = next_++;
  observers_.push_back(Observer{token, owner, name,
                                std::make_shared<std::function<void(const Notification&)>>(std::move(handler)),
                                std::make_shared<bool>(true)});
  return token;
}

void NotificationCenter::removeObserver(ObserverToken token) {
  std::lock_guard lock(mutex_);
  auto it = std::remove_if(observers_.begin(), observers_.end(), [&](Observer& o) {
    if (o.token != token) return false;
    *o.alive = false;
    return true;
  });
  observers_.erase(it, observers_.end());
}

void NotificationCenter::removeObserver(const void* owner) {
  std::lock_guard lock(mutex_);
  auto it = std::remove_if(observers_.begin(), observers_.end(), [&](Observer& o) {
    if (o.owner != owner) return false;
    *o.alive = false;
    return true;
  });
  observers_.erase(it, observers_.end());
}

void NotificationCenter::removeObserver(const void* owner, const std::string& name) {
  std::lock_guard lock(mutex_);
  auto it = std::remove_if(observers_.begin(), observers_.end(), [&](Observer& o) {
    if (o.owner != owner || o.name != name) return false;
    *o.alive = false;
    return true;
  });
  observers_.erase(it, observers_.end());
}

void NotificationCenter::post(const std::string& name, std::any object, Value userInfo) {
  post(Notification{name, std::move(object), std::move(userInfo)});
}

void NotificationCenter::post(const Notification& n) {
  std::vector<Observer> snapshot;
  std::function<void(const Notification&)> listener;
  {
    std::lock_guard lock(mutex_);
    for (const auto& o : observers_)
      if (o.name == n.name) snapshot.push_back(o);
    listener = listener_;
  }
  if (listener) listener(n);
  for (auto& o : snapshot) {
    if (!*o.alive) continue;  // removed by an earlier observer of this post
    (*o.handler)(n);
  }
}

std::size_t NotificationCenter::observerCount(const std::string& name) const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(observers_.begin(), observers_.end(), [&](const Observer& o) { return o.name == name; }));
}

void NotificationCenter::reset() {
  std::lock_guard lock(mutex_);
  for (auto& o : observers_) *o.alive = false;
  observers_.clear();
}

void NotificationCenter::setPostListener(std::function<void(const Notification&)> listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

}  // namespace platform
