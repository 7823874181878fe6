#pragma once
// The base of views that turn touches into actions: buttons, switches, page
// controls, text fields. A control tracks one touch from touch-down to lift,
// keeps its state (enabled, selected, highlighted) and sends its actions for
// control events to targets.
//
// Target-action: an action is registered for a set of events, either with a
// target (held weakly; the action is dropped once the target is gone) or
// without one. An action without a target is a named action: it goes to the
// first responder and up its responder chain (from the control itself when no
// responder is first), to the first responder there that handles the name
// (see ActionHandler).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/View.h"

namespace platform {

namespace ControlEvent {
inline constexpr unsigned TouchDown = 1u << 0;
inline constexpr unsigned TouchDownRepeat = 1u << 1;
inline constexpr unsigned TouchDragInside = 1u << 2;
inline constexpr unsigned TouchDragOutside = 1u << 3;
inline constexpr unsigned TouchDragEnter = 1u << 4;
inline constexpr unsigned TouchDragExit = 1u << 5;
inline constexpr unsigned TouchUpInside = 1u << 6;
inline constexpr unsigned TouchUpOutside = 1u << 7;
inline constexpr unsigned TouchCancel = 1u << 8;
inline constexpr unsigned ValueChanged = 1u << 12;
inline constexpr unsigned EditingDidBegin = 1u << 16;
inline constexpr unsigned EditingChanged = 1u << 17;
inline constexpr unsigned EditingDidEnd = 1u << 18;
inline constexpr unsigned EditingDidEndOnExit = 1u << 19;
inline constexpr unsigned AllTouchEvents = 0x00000FFFu;
inline constexpr unsigned AllEditingEvents = 0x000F0000u;
inline constexpr unsigned AllEvents = 0xFFFFFFFFu;
}  // namespace ControlEvent

namespace ControlState {
inline constexpr unsigned Normal = 0;
inline constexpr unsigned Highlighted = 1u << 0;
inline constexpr unsigned Disabled = 1u << 1;
inline constexpr unsigned Selected = 1u << 2;
}  // namespace ControlState

enum class ControlContentHorizontalAlignment { Center = 0, Left = 1, Right = 2, Fill = 3 };
enum class ControlContentVerticalAlignment { Center = 0, Top = 1, Bottom = 2, Fill = 3 };

class Control;

// A responder that answers named actions sent without a target. Screens that
// take such actions (a "done" sent up from a button deep in the tree) derive
// from it beside their view or view controller class.
class ActionHandler {
 public:
  virtual ~ActionHandler() = default;
  // True when this responder took the action.
  virtual bool handleAction(const std::string& action, Control& sender) = 0;
};

class Control : public View {
 public:
  using Action = std::function<void(Control&)>;
  using View::View;
  static std::shared_ptr<Control> create(const Rect& frame = {}) { return std::make_shared<Control>(frame); }
  std::string className() const override { return "Control"; }

  // State.
  bool isEnabled() const { return enabled_; }
  virtual void setEnabled(bool enabled);
  bool isSelected() const { return selected_; }
  virtual void setSelected(bool selected);
  bool isHighlighted() const { return highlighted_; }
  virtual void setHighlighted(bool highlighted);
  // ControlState bits of the three flags.
  unsigned state() const;
  ControlContentHorizontalAlignment contentHorizontalAlignment() const { return hAlign_; }
  void setContentHorizontalAlignment(ControlContentHorizontalAlignment a) { hAlign_ = a; setNeedsLayout(); }
  ControlContentVerticalAlignment contentVerticalAlignment() const { return vAlign_; }
  void setContentVerticalAlignment(ControlContentVerticalAlignment a) { vAlign_ = a; setNeedsLayout(); }

  // Target-action. A target's action is a member function taking the sender.
  template <class T>
  void addTarget(const std::shared_ptr<T>& target, void (T::*method)(Control&), unsigned events) {
    std::weak_ptr<T> weak = target;
    addEntry(target.get(), weak, [weak, method](Control& c) {
      if (auto t = weak.lock()) ((*t).*method)(c);
    }, {}, events);
  }
  // A target's action that takes no sender.
  template <class T>
  void addTarget(const std::shared_ptr<T>& target, void (T::*method)(), unsigned events) {
    std::weak_ptr<T> weak = target;
    addEntry(target.get(), weak, [weak, method](Control&) {
      if (auto t = weak.lock()) ((*t).*method)();
    }, {}, events);
  }
  // A block; `owner` (optional) lets removeTarget(owner, ...) find it again.
  void addAction(Action action, unsigned events, const void* owner = nullptr);
  // A named action without a target: sent up the responder chain.
  void addTarget(std::nullptr_t, const std::string& action, unsigned events);
  // Removes the target's actions for these events (every target when null).
  void removeTarget(const void* target, unsigned events = ControlEvent::AllEvents);
  // The events that have at least one action.
  unsigned allControlEvents() const;
  std::size_t numberOfActions() const { return entries_.size(); }

  // Sends the actions of these events now, in the order they were added.
  void sendActionsForControlEvents(unsigned events);
  // Sends one named action up the responder chain (as a targetless action does);
  // answers whether some responder took it.
  bool sendNamedAction(const std::string& action);

  // Touch tracking, for subclasses: continue answers whether to keep tracking.
  virtual bool beginTrackingWithTouch(const Touch& touch, const Event& event);
  virtual bool continueTrackingWithTouch(const Touch& touch, const Event& event);
  virtual void endTrackingWithTouch(const Touch* touch, const Event* event);
  virtual void cancelTrackingWithEvent(const Event* event);
  bool isTracking() const { return tracking_; }
  bool isTouchInside() const { return touchInside_; }

  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;

  // How far outside its bounds a finger may stray and still count as inside,
  // as on the phone.
  static constexpr double kTouchSlop = 70;

 protected:
  // Called after enabled, selected or highlighted changed (restyling).
  virtual void stateDidChange() {}

 private:
  struct Entry {
    const void* target = nullptr;
    std::weak_ptr<void> weakTarget;
    bool hasTarget = false;
    Action action;
    std::string name;  // targetless named action
    unsigned events = 0;
  };
  void addEntry(const void* target, std::weak_ptr<void> weak, Action action, std::string name, unsigned events);
  bool insideWithSlop(Point p) const;

  bool enabled_ = true;
  bool selected_ = false;
  bool highlighted_ = false;
  bool tracking_ = false;
  bool touchInside_ = false;
  ControlContentHorizontalAlignment hAlign_ = ControlContentHorizontalAlignment::Center;
  ControlContentVerticalAlignment vAlign_ = ControlContentVerticalAlignment::Center;
  std::vector<Entry> entries_;
};

}  // namespace platform
