#include "platform/ui/Layer.h"

#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/View.h"

namespace platform {

Layer::~Layer() {
  for (auto& [key, animation] : animations_)
    if (animation->timer) RunLoop::main().cancel(animation->timer);
}

void Layer::addAnimation(const std::shared_ptr<Animation>& animation, const std::string& givenKey) {
  if (!animation) return;
  std::string key = givenKey.empty() ? "animation-" + std::to_string(nextSerial_) : givenKey;
  removeAnimationForKey(key);
  auto& loop = RunLoop::main();
  double now = loop.now();
  if (animation->beginTime <= 0) animation->beginTime = now;
  std::uint64_t serial = nextSerial_++;
  animations_[key] = animation;
  serials_[key] = serial;
  if (animation->kind == Animation::Kind::Property) return;  // the block's group ends it
  double end = animation->endTime();
  Transaction::noteAnimationEnd(end);
  std::weak_ptr<View> owner;
  if (owner_) owner = owner_->weak_from_this();
  bool owned = !owner.expired();
  if (!owned) return;  // a view outside any shared_ptr is never drawn; nothing to report
  auto start = [owner, animation] {
    if (owner.expired()) return;
    animation->started = true;
    if (auto d = animation->delegate.lock()) d->animationDidStart(*animation);
  };
  loop.schedule(std::max(0.0, animation->beginTime - now), start);
  if (std::isfinite(end)) {
    animation->timer = loop.schedule(std::max(0.0, end - now), [owner, key, serial] {
      if (auto view = owner.lock()) view->layer().finish(key, serial);
    });
  }
}

void Layer::finish(const std::string& key, std::uint64_t serial) {
  auto it = animations_.find(key);
  if (it == animations_.end() || serials_[key] != serial) return;
  auto animation = it->second;
  animation->timer = 0;
  if (animation->removedOnCompletion) {
    animations_.erase(it);
    serials_.erase(key);
  }
  if (auto d = animation->delegate.lock()) d->animationDidStop(*animation, true);
}

void Layer::stopped(const std::shared_ptr<Animation>& animation, bool finished) {
  if (animation->timer) RunLoop::main().cancel(animation->timer);
  animation->timer = 0;
  if (auto group = animation->group; group && !finished) {
    group->finished = false;
    if (--group->running <= 0 && group->interrupted) {
      auto interrupted = std::move(group->interrupted);
      group->interrupted = nullptr;
      interrupted();
    }
  }
  if (animation->kind == Animation::Kind::Property) return;
  if (auto d = animation->delegate.lock()) {
    // The platform reports a removal on a later turn.
    RunLoop::main().post([animation, finished] {
      if (auto d = animation->delegate.lock()) d->animationDidStop(*animation, finished);
    });
  }
}

void Layer::removeAnimationForKey(const std::string& key) {
  auto it = animations_.find(key);
  if (it == animations_.end()) return;
  auto animation = it->second;
  animations_.erase(it);
  serials_.erase(key);
  bool done = animation->kind == Animation::Kind::Property
                  ? RunLoop::main().now() >= animation->endTime()
                  : false;
  stopped(animation, done);
}

void Layer::removeAllAnimations() {
  while (!animations_.empty()) removeAnimationForKey(animations_.begin()->first);
}

std::shared_ptr<Animation> Layer::animationForKey(const std::string& key) const {
  auto it = animations_.find(key);
  return it == animations_.end() ? nullptr : it->second;
}

std::vector<std::string> Layer::animationKeys() const {
  std::vector<std::string> keys;
  for (auto& [key, a] : animations_) keys.push_back(key);
  return keys;
}

}  // namespace platform
