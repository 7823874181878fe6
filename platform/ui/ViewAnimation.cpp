// View animation blocks, begin/commit animations and transitions.
#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/View.h"

namespace platform {
namespace {

struct PendingChange {
  std::weak_ptr<View> view;
  View* raw;
  std::string key;
  AnimationValue from;
  AnimationValue to;
};

struct Context {
  double duration = 0.2;
  double delay = 0;
  unsigned options = 0;
  AnimationCurve curve = AnimationCurve::EaseInOut;
  double repeatCount = 0;
  bool autoreverses = false;
  bool beginFromCurrentState = false;
  bool disabled = false;  // performWithoutAnimation
  std::string animationId;
  std::function<void(const std::string&, bool)> didStop;
  std::function<void(const std::string&)> willStart;
  std::function<void(bool)> completion;
  std::vector<PendingChange> changes;
};

std::vector<Context>& contexts() {
  static std::vector<Context> stack;
  return stack;
}

bool& animationsEnabledFlag() {
  static bool enabled = true;
  return enabled;
}

Context makeContext(double duration, double delay, unsigned options) {
  Context c;
  c.duration = duration;
  c.delay = delay;
  c.options = options;
  c.curve = static_cast<AnimationCurve>((options >> 16) & 0xF);
  c.beginFromCurrentState = options & AnimationOption::BeginFromCurrentState;
  c.autoreverses = options & AnimationOption::Autoreverse;
  c.repeatCount = (options & AnimationOption::Repeat) ? kRepeatForever : 0;
  auto& stack = contexts();
  if (!stack.empty() && !stack.back().disabled) {  // nested blocks inherit duration and curve
    if (!(options & AnimationOption::OverrideInheritedDuration)) c.duration = stack.back().duration;
    if (!(options & AnimationOption::OverrideInheritedCurve)) c.curve = stack.back().curve;
  }
  return c;
}

// Turns the context's recorded changes into animations and schedules the end.
void commitContext(Context c) {
  auto& loop = RunLoop::main();
  double now = loop.now();
  auto group = std::make_shared<Animation::Group>();
  std::vector<std::pair<std::weak_ptr<View>, std::shared_ptr<Animation>>> made;
  double total = 0;
  for (auto& change : c.changes) {
    auto view = change.view.lock();
    if (!view) continue;
    auto a = std::make_shared<Animation>();
    a->kind = Animation::Kind::Property;
    a->keyPath = change.key;
    a->fromValue = change.from;
    a->toValue = change.to;
    a->duration = c.duration;
    a->beginTime = now + c.delay;
    a->timing = timingForCurve(c.curve);
    a->repeatCount = c.repeatCount;
    a->autoreverses = c.autoreverses;
    a->allowsUserInteraction = c.options & AnimationOption::AllowUserInteraction;
    a->group = group;
    total = a->totalDuration();
    view->layer().addAnimation(a, change.key);
    made.emplace_back(view, a);
  }
  if (made.empty()) {
    Animation probe;
    probe.duration = c.duration;
    probe.repeatCount = c.repeatCount;
    probe.autoreverses = c.autoreverses;
    total = probe.totalDuration();
  }
  double end = now + c.delay + total;
  Transaction::noteAnimationEnd(end);
  if (c.willStart) {
    auto willStart = c.willStart;
    auto id = c.animationId;
    loop.schedule(c.delay, [willStart, id] { willStart(id); });
  }
  if (!std::isfinite(end)) return;  // repeats forever: never completes
  // The completion runs once: at the planned end, or as soon as every
  // animation of the block was interrupted.
  struct Ending {
    std::function<void()> run;
    bool done = false;
    std::uint64_t timer = 0;
  };
  auto ending = std::make_shared<Ending>();
  ending->run = [group, made, completion = std::move(c.completion), didStop = std::move(c.didStop),
                 id = c.animationId, raw = ending.get()] {
    if (raw->done) return;
    raw->done = true;
    for (auto& [weakView, animation] : made) {
      auto view = weakView.lock();
      if (!view) continue;
      if (view->layer().animationForKey(animation->keyPath) == animation)
        view->layer().removeAnimationForKey(animation->keyPath);
    }
    if (completion) completion(group->finished);
    if (didStop) didStop(id, group->finished);
  };
  ending->timer = loop.schedule(end - now, [ending] { ending->run(); });
  group->running = static_cast<int>(made.size());
  std::weak_ptr<Ending> weakEnding = ending;
  group->interrupted = [weakEnding] {
    auto e = weakEnding.lock();
    if (!e || e->done) return;
    RunLoop::main().cancel(e->timer);
    RunLoop::main().post([e] { e->run(); });
  };
}

}  // namespace

void View::recordChange(const char* key, const AnimationValue& from, const AnimationValue& to) {
  auto& stack = contexts();
  if (stack.empty() || stack.back().disabled || !animationsEnabledFlag() || Transaction::disableActions()) {
    // A change without animation leaves a running animation of that property
    // running (its completion still reports finished); it now ends at the new value.
    if (auto a = layer_.animationForKey(key); a && a->kind == Animation::Kind::Property) a->toValue = to;
    return;
  }
  auto& c = stack.back();
  for (auto& change : c.changes) {
    if (change.raw == this && change.key == key) {
      change.to = to;
      return;
    }
  }
  AnimationValue start = from;
  if (c.beginFromCurrentState) {
    double now = RunLoop::main().now();
    std::string k = key;
    if (k == "position") start = presentationCenter(now);
    else if (k == "bounds") start = presentationBounds(now);
    else if (k == "transform") start = presentationTransform(now);
    else if (k == "opacity") start = presentationAlpha(now);
    else if (k == "backgroundColor") start = presentationBackgroundColor(now);
  }
  c.changes.push_back({weak_from_this(), this, key, start, to});
}

void View::animate(double duration, const std::function<void()>& animations,
                   const std::function<void(bool)>& completion) {
  animate(duration, 0, 0, animations, completion);
}

void View::animate(double duration, double delay, unsigned options, const std::function<void()>& animations,
                   const std::function<void(bool)>& completion) {
  contexts().push_back(makeContext(duration, delay, options));
  contexts().back().completion = completion;
  if (animations) animations();
  Context c = std::move(contexts().back());
  contexts().pop_back();
  commitContext(std::move(c));
}

void View::performWithoutAnimation(const std::function<void()>& changes) {
  Context c;
  c.disabled = true;
  contexts().push_back(std::move(c));
  if (changes) changes();
  contexts().pop_back();
}

bool View::areAnimationsEnabled() { return animationsEnabledFlag(); }
void View::setAnimationsEnabled(bool enabled) { animationsEnabledFlag() = enabled; }

void View::beginAnimations(const std::string& animationId) {
  contexts().push_back(makeContext(0.2, 0, 0));
  contexts().back().animationId = animationId;
}

namespace {
Context* openBeginContext() { return contexts().empty() ? nullptr : &contexts().back(); }
}  // namespace

void View::setAnimationDuration(double d) { if (auto* c = openBeginContext()) c->duration = d; }
void View::setAnimationDelay(double d) { if (auto* c = openBeginContext()) c->delay = d; }
void View::setAnimationCurve(int curve) {
  if (auto* c = openBeginContext()) c->curve = static_cast<AnimationCurve>(curve);
}
void View::setAnimationRepeatCount(double n) { if (auto* c = openBeginContext()) c->repeatCount = n; }
void View::setAnimationRepeatAutoreverses(bool on) { if (auto* c = openBeginContext()) c->autoreverses = on; }
void View::setAnimationBeginsFromCurrentState(bool on) {
  if (auto* c = openBeginContext()) c->beginFromCurrentState = on;
}
void View::setAnimationDidStop(std::function<void(const std::string&, bool)> handler) {
  if (auto* c = openBeginContext()) c->didStop = std::move(handler);
}
void View::setAnimationWillStart(std::function<void(const std::string&)> handler) {
  if (auto* c = openBeginContext()) c->willStart = std::move(handler);
}

void View::commitAnimations() {
  if (contexts().empty()) return;
  Context c = std::move(contexts().back());
  contexts().pop_back();
  commitContext(std::move(c));
}

namespace {
std::string transitionType(unsigned options) {
  switch ((options >> 20) & 0xF) {
    case 1: return kTransitionFlipFromLeft;
    case 2: return kTransitionFlipFromRight;
    case 3: return kTransitionCurlUp;
    case 4: return kTransitionCurlDown;
    case 5: return kTransitionCrossDissolve;
    case 6: return kTransitionFlipFromTop;
    case 7: return kTransitionFlipFromBottom;
    default: return {};
  }
}

void runTransition(const std::shared_ptr<View>& view, double duration, unsigned options,
                   const std::function<void(bool)>& completion) {
  std::string type = transitionType(options);
  if (!type.empty() && view && animationsEnabledFlag() && !Transaction::disableActions()) {
    auto t = Animation::transition(type);
    t->duration = duration;
    view->layer().addAnimation(t, "transition");
  }
  // The completion runs after the duration, like a block animation's.
  auto c = makeContext(duration, 0, options | AnimationOption::OverrideInheritedDuration);
  c.completion = completion;
  commitContext(std::move(c));
}
}  // namespace

void View::transitionWithView(const std::shared_ptr<View>& view, double duration, unsigned options,
                              const std::function<void()>& animations, const std::function<void(bool)>& completion) {
  // The changes inside a transition are not animated one by one: the whole
  // view's picture changes with the transition.
  performWithoutAnimation(animations);
  runTransition(view, duration, options, completion);
}

void View::transitionFromView(const std::shared_ptr<View>& from, const std::shared_ptr<View>& to, double duration,
                              unsigned options, const std::function<void(bool)>& completion) {
  if (!from || !to) return;
  auto parent = from->superview();
  if (options & AnimationOption::ShowHideTransitionViews) {
    from->setHidden(true);
    to->setHidden(false);
  } else if (parent) {
    auto& subs = parent->subviews();
    std::size_t index = std::find(subs.begin(), subs.end(), from) - subs.begin();
    from->removeFromSuperview();
    parent->insertSubview(to, index);
  }
  runTransition(parent ? parent : to, duration, options, completion);
}

}  // namespace platform
