#include "platform/ui/GestureRecognizer.h"

#include <algorithm>

#include "platform/ui/View.h"

namespace platform {

namespace {
bool terminal(GestureRecognizerState s) {
  return s == GestureRecognizerState::Ended || s == GestureRecognizerState::Cancelled ||
         s == GestureRecognizerState::Failed;
}
}  // namespace

GestureRecognizer::~GestureRecognizer() = default;

void GestureRecognizer::addTarget(Action action) {
  if (action) actions_.push_back(std::move(action));
}

void GestureRecognizer::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled) {
    if (state_ == GestureRecognizerState::Began || state_ == GestureRecognizerState::Changed)
      apply(GestureRecognizerState::Cancelled);
    else if (state_ == GestureRecognizerState::Possible && inPlay_)
      apply(GestureRecognizerState::Failed);
    touches_.clear();
    resetNow();
  }
}

void GestureRecognizer::requireGestureRecognizerToFail(const std::shared_ptr<GestureRecognizer>& other) {
  if (!other || other.get() == this) return;
  for (auto& w : requires_)
    if (w.lock() == other) return;  // asked before
  requires_.push_back(other);
  other->dependents_.push_back(weak_from_this());
}

bool GestureRecognizer::hasRecognized() const {
  return begun_ && (state_ == GestureRecognizerState::Began || state_ == GestureRecognizerState::Changed ||
                    state_ == GestureRecognizerState::Ended);
}

bool GestureRecognizer::shouldBegin() {
  if (auto d = delegate_.lock())
    if (!d->gestureRecognizerShouldBegin(*this)) return false;
  if (auto v = view_.lock())
    if (!v->gestureRecognizerShouldBegin(*this)) return false;
  return true;
}

bool GestureRecognizer::allowsSimultaneousWith(GestureRecognizer& other) {
  if (auto d = delegate_.lock())
    if (d->shouldRecognizeSimultaneouslyWithGestureRecognizer(*this, other)) return true;
  if (auto d = other.delegate_.lock())
    if (d->shouldRecognizeSimultaneouslyWithGestureRecognizer(other, *this)) return true;
  return false;
}

bool GestureRecognizer::waitingForRequired() const {
  for (auto& w : requires_)
    if (auto r = w.lock(); r && r->inPlay_ && r->state_ == GestureRecognizerState::Possible) return true;
  return false;
}

void GestureRecognizer::setState(GestureRecognizerState s) {
  using S = GestureRecognizerState;
  if (s == S::Possible) return;
  if (state_ == S::Possible) {
    if (s == S::Failed || s == S::Cancelled) {
      pendingRecognition_ = false;
      apply(S::Failed);
      return;
    }
    if (s == S::Changed) return;  // a gesture begins before it changes
    if (pendingRecognition_) {    // already waiting: remember the newest wish
      pendingState_ = s;
      return;
    }
    if (!shouldBegin()) {
      apply(S::Failed);
      return;
    }
    for (auto& w : peers_) {
      auto p = w.lock();
      if (!p || p.get() == this) continue;
      if (p->hasRecognized() && !allowsSimultaneousWith(*p) && p->canPreventGestureRecognizer(*this) &&
          canBePreventedByGestureRecognizer(*p)) {
        apply(S::Failed);
        return;
      }
    }
    for (auto& w : requires_)
      if (auto r = w.lock(); r && r->hasRecognized()) {
        apply(S::Failed);
        return;
      }
    if (waitingForRequired()) {
      pendingRecognition_ = true;
      pendingState_ = s;
      return;
    }
    apply(s);
    // Recognizing prevents the other recognizers of the same touches.
    for (auto& w : peers_) {
      auto p = w.lock();
      if (!p || p.get() == this || p->state_ != S::Possible) continue;
      if (!allowsSimultaneousWith(*p) && canPreventGestureRecognizer(*p) && p->canBePreventedByGestureRecognizer(*this))
        p->setState(S::Failed);
    }
    return;
  }
  if (terminal(state_)) return;  // over until reset
  // Began or Changed.
  if (s == S::Began) s = S::Changed;
  apply(s);
}

void GestureRecognizer::apply(GestureRecognizerState s) {
  using S = GestureRecognizerState;
  bool wasBegun = begun_;
  if (state_ == S::Possible && (s == S::Began || s == S::Ended)) begun_ = true;
  state_ = s;
  if (s == S::Began || s == S::Changed || s == S::Ended || s == S::Cancelled || (s == S::Failed && wasBegun))
    pendingActions_.push_back(s);
  if (s == S::Failed || s == S::Began || s == S::Ended) {
    auto dependents = dependents_;
    for (auto& w : dependents)
      if (auto d = w.lock()) d->requiredChanged();
  }
  if (delivering_ == 0) {
    flushActions();
    if (terminal(state_) && touches_.empty()) resetNow();
  }
}

void GestureRecognizer::requiredChanged() {
  if (!pendingRecognition_) return;
  for (auto& w : requires_)
    if (auto r = w.lock(); r && r->hasRecognized()) {
      pendingRecognition_ = false;
      apply(GestureRecognizerState::Failed);
      return;
    }
  if (waitingForRequired()) return;
  pendingRecognition_ = false;
  auto wish = pendingState_;
  auto self = shared_from_this();
  setState(wish);
  if (wish == GestureRecognizerState::Began && state_ == GestureRecognizerState::Began && touches_.empty())
    apply(GestureRecognizerState::Ended);
}

void GestureRecognizer::flushActions() {
  if (pendingActions_.empty()) return;
  auto self = shared_from_this();
  auto pending = std::move(pendingActions_);
  pendingActions_.clear();
  auto actual = state_;
  auto actions = actions_;
  for (auto s : pending) {
    state_ = s;  // each action sees the state it was sent for
    for (auto& a : actions) a(*this);
  }
  if (state_ == pending.back()) state_ = actual;
}

void GestureRecognizer::resetNow() {
  bool wasInPlay = inPlay_;
  reset();
  state_ = GestureRecognizerState::Possible;
  begun_ = false;
  inPlay_ = false;
  pendingRecognition_ = false;
  pendingActions_.clear();
  if (wasInPlay) {
    auto dependents = dependents_;
    for (auto& w : dependents)
      if (auto d = w.lock()) d->requiredChanged();
  }
}

Point GestureRecognizer::locationInView(const View* view) const {
  Point sum;
  if (touches_.empty()) {
    sum = lastWindowLocation_;
  } else {
    for (auto& t : touches_) {
      sum.x += t->locationInWindow().x;
      sum.y += t->locationInWindow().y;
    }
    sum.x /= double(touches_.size());
    sum.y /= double(touches_.size());
  }
  if (!view) return sum;
  return view->convertPointFromView(sum, nullptr);
}

Point GestureRecognizer::locationOfTouch(std::size_t index, const View* view) const {
  if (index >= touches_.size()) return {};
  return touches_[index]->locationInView(view);
}

void GestureRecognizer::touchesBegan(const TouchSet&, const Event&) {}
void GestureRecognizer::touchesMoved(const TouchSet&, const Event&) {}
void GestureRecognizer::touchesEnded(const TouchSet&, const Event&) {}
void GestureRecognizer::touchesCancelled(const TouchSet&, const Event&) {}

void GestureRecognizer::deliver(TouchPhase phase, const TouchSet& touches, const Event& event) {
  if (!enabled_ || touches.empty()) return;
  auto self = shared_from_this();
  if (phase == TouchPhase::Began) {
    inPlay_ = true;
    for (auto& t : touches)
      if (std::find(touches_.begin(), touches_.end(), t) == touches_.end()) touches_.push_back(t);
  }
  if (!touches_.empty()) lastWindowLocation_ = locationInView(nullptr);
  ++delivering_;
  if (!terminal(state_) && !pendingRecognition_) {
    switch (phase) {
      case TouchPhase::Began: touchesBegan(touches, event); break;
      case TouchPhase::Moved:
      case TouchPhase::Stationary: touchesMoved(touches, event); break;
      case TouchPhase::Ended: touchesEnded(touches, event); break;
      case TouchPhase::Cancelled: touchesCancelled(touches, event); break;
    }
  }
  --delivering_;
  if (phase == TouchPhase::Ended || phase == TouchPhase::Cancelled) {
    for (auto& t : touches) touches_.erase(std::remove(touches_.begin(), touches_.end(), t), touches_.end());
  }
  flushActions();
}

void GestureRecognizer::touchSequenceEnded() {
  auto self = shared_from_this();
  touches_.clear();
  if (state_ == GestureRecognizerState::Possible && !pendingRecognition_ && inPlay_ && !waitingForMoreTouches())
    apply(GestureRecognizerState::Failed);
  if (terminal(state_)) resetNow();
}

void GestureRecognizer::viewLeftWindow() {
  if (state_ == GestureRecognizerState::Began || state_ == GestureRecognizerState::Changed)
    apply(GestureRecognizerState::Cancelled);
  touches_.clear();
  if (inPlay_ || terminal(state_)) resetNow();
}

void GestureRecognizer::attachTo(std::weak_ptr<View> view) {
  view_ = std::move(view);
  if (view_.expired()) {
    touches_.clear();
    resetNow();
  }
}

}  // namespace platform
