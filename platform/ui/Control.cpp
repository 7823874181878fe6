#include "platform/ui/Control.h"

#include <algorithm>

namespace platform {

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled && tracking_) cancelTrackingWithEvent(nullptr);
  stateDidChange();
  setNeedsDisplay();
}

void Control::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  stateDidChange();
  setNeedsDisplay();
}

void Control::setHighlighted(bool highlighted) {
  if (highlighted_ == highlighted) return;
  highlighted_ = highlighted;
  stateDidChange();
  setNeedsDisplay();
}

unsigned Control::state() const {
  unsigned s = ControlState::Normal;
  if (highlighted_) s |= ControlState::Highlighted;
  if (!enabled_) s |= ControlState::Disabled;
  if (selected_) s |= ControlState::Selected;
  return s;
}

void Control::addEntry(const void* target, std::weak_ptr<void> weak, Action action, std::string name,
                       unsigned events) {
  if (events == 0) return;
  Entry e;
  e.target = target;
  e.weakTarget = std::move(weak);
  e.hasTarget = target != nullptr;
  e.action = std::move(action);
  e.name = std::move(name);
  e.events = events;
  entries_.push_back(std::move(e));
}

void Control::addAction(Action action, unsigned events, const void* owner) {
  if (!action) return;
  Entry e;
  e.target = owner;
  e.action = std::move(action);
  e.events = events;
  if (events) entries_.push_back(std::move(e));
}

void Control::addTarget(std::nullptr_t, const std::string& action, unsigned events) {
  if (action.empty()) return;
  // The same named action for the same events is kept once, as the platform does.
  for (auto& e : entries_)
    if (!e.target && !e.action && e.name == action) {
      e.events |= events;
      return;
    }
  addEntry(nullptr, {}, {}, action, events);
}

void Control::removeTarget(const void* target, unsigned events) {
  for (auto& e : entries_)
    if (!target || e.target == target) e.events &= ~events;
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.events == 0; }),
                 entries_.end());
}

unsigned Control::allControlEvents() const {
  unsigned all = 0;
  for (auto& e : entries_) all |= e.events;
  return all;
}

void Control::sendActionsForControlEvents(unsigned events) {
  // Actions may add or remove actions, or drop the last reference to this control.
  auto keep = shared_from_this();
  auto snapshot = entries_;
  for (auto& e : snapshot) {
    if (!(e.events & events)) continue;
    if (e.hasTarget && e.weakTarget.expired()) continue;
    if (e.action) e.action(*this);
    else if (!e.name.empty()) sendNamedAction(e.name);
  }
  // Forget actions whose targets are gone.
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [](const Entry& e) { return e.hasTarget && e.weakTarget.expired(); }),
                 entries_.end());
}

bool Control::sendNamedAction(const std::string& action) {
  Responder* start = Responder::currentFirstResponder();
  if (!start) start = this;
  for (Responder* r = start; r; r = r->nextResponder()) {
    if (auto* handler = dynamic_cast<ActionHandler*>(r))
      if (handler->handleAction(action, *this)) return true;
  }
  return false;
}

bool Control::beginTrackingWithTouch(const Touch&, const Event&) { return true; }
bool Control::continueTrackingWithTouch(const Touch&, const Event&) { return true; }
void Control::endTrackingWithTouch(const Touch*, const Event*) {}
void Control::cancelTrackingWithEvent(const Event*) {}

bool Control::insideWithSlop(Point p) const {
  return bounds().insetBy(-kTouchSlop, -kTouchSlop).contains(p);
}

void Control::touchesBegan(const TouchSet& touches, const Event& event) {
  if (!enabled_ || touches.empty()) return;
  auto keep = shared_from_this();
  const Touch& touch = *touches.front();
  touchInside_ = true;
  setHighlighted(true);
  tracking_ = beginTrackingWithTouch(touch, event);
  unsigned events = ControlEvent::TouchDown;
  if (touch.tapCount() > 1) events |= ControlEvent::TouchDownRepeat;
  sendActionsForControlEvents(events);
}

void Control::touchesMoved(const TouchSet& touches, const Event& event) {
  if (!enabled_ || touches.empty()) return;
  auto keep = shared_from_this();
  const Touch& touch = *touches.front();
  bool wasInside = touchInside_;
  touchInside_ = insideWithSlop(touch.locationInView(this));
  setHighlighted(touchInside_);
  if (tracking_) tracking_ = continueTrackingWithTouch(touch, event);
  unsigned events;
  if (touchInside_) events = wasInside ? ControlEvent::TouchDragInside : ControlEvent::TouchDragEnter;
  else events = wasInside ? ControlEvent::TouchDragExit : ControlEvent::TouchDragOutside;
  sendActionsForControlEvents(events);
}

void Control::touchesEnded(const TouchSet& touches, const Event& event) {
  if (!enabled_ || touches.empty()) return;
  auto keep = shared_from_this();
  const Touch& touch = *touches.front();
  touchInside_ = insideWithSlop(touch.locationInView(this));
  setHighlighted(false);
  if (tracking_) endTrackingWithTouch(&touch, &event);
  tracking_ = false;
  sendActionsForControlEvents(touchInside_ ? ControlEvent::TouchUpInside : ControlEvent::TouchUpOutside);
  touchInside_ = false;
}

void Control::touchesCancelled(const TouchSet&, const Event& event) {
  auto keep = shared_from_this();
  setHighlighted(false);
  if (tracking_) cancelTrackingWithEvent(&event);
  tracking_ = false;
  touchInside_ = false;
  sendActionsForControlEvents(ControlEvent::TouchCancel);
}

}  // namespace platform
