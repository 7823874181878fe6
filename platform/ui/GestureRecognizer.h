#pragma once
// Gesture recognizers: objects attached to a view that watch the touches of that
// view and of its subviews and turn them into one gesture (a tap, a pan...).
// The window hands each touch to the recognizers of the touched view and its
// ancestors before the view itself.
//
// States follow the platform's machine: Possible → Began → Changed* → Ended or
// Cancelled for continuous gestures; Possible → Ended (Recognized) for discrete
// ones; Possible → Failed. Subclasses override the touch methods and call
// setState; the targets' actions run after each touch method returns, once per
// state set (Changed included) after the gesture has begun. A recognizer moving
// from Possible to Began or Recognized must pass shouldBegin (the delegate's and
// the view's) and waits for every recognizer it requires to fail.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"
#include "platform/ui/Touch.h"

namespace platform {

class View;
class GestureRecognizer;

enum class GestureRecognizerState { Possible = 0, Began = 1, Changed = 2, Ended = 3, Cancelled = 4, Failed = 5 };
inline constexpr GestureRecognizerState kGestureRecognized = GestureRecognizerState::Ended;

class GestureRecognizerDelegate {
 public:
  virtual ~GestureRecognizerDelegate() = default;
  virtual bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) { (void)recognizer; return true; }
  virtual bool shouldReceiveTouch(GestureRecognizer& recognizer, const Touch& touch) {
    (void)recognizer; (void)touch;
    return true;
  }
  virtual bool shouldRecognizeSimultaneouslyWithGestureRecognizer(GestureRecognizer& recognizer,
                                                                  GestureRecognizer& other) {
    (void)recognizer; (void)other;
    return false;
  }
};

class GestureRecognizer : public std::enable_shared_from_this<GestureRecognizer> {
 public:
  using Action = std::function<void(GestureRecognizer&)>;
  GestureRecognizer() = default;
  explicit GestureRecognizer(Action action) { addTarget(std::move(action)); }
  virtual ~GestureRecognizer();
  virtual std::string className() const { return "GestureRecognizer"; }

  // Target-action: the action of a target held weakly (dropped once it is gone).
  void addTarget(Action action);
  template <class T>
  void addTarget(const std::shared_ptr<T>& target, void (T::*method)(GestureRecognizer&)) {
    std::weak_ptr<T> weak = target;
    addTarget([weak, method](GestureRecognizer& r) {
      if (auto t = weak.lock()) ((*t).*method)(r);
    });
  }
  void removeAllTargets() { actions_.clear(); }

  GestureRecognizerState state() const { return state_; }
  // For subclasses and tests: the platform's transition rules apply (see above).
  void setState(GestureRecognizerState state);

  std::shared_ptr<View> view() const { return view_.lock(); }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
  void setCancelsTouchesInView(bool on) { cancelsTouchesInView_ = on; }
  bool delaysTouchesBegan() const { return delaysTouchesBegan_; }
  void setDelaysTouchesBegan(bool on) { delaysTouchesBegan_ = on; }
  void setDelegate(std::weak_ptr<GestureRecognizerDelegate> d) { delegate_ = std::move(d); }
  std::shared_ptr<GestureRecognizerDelegate> delegate() const { return delegate_.lock(); }

  // This recognizer waits until `other` has failed, and fails when it succeeds.
  void requireGestureRecognizerToFail(const std::shared_ptr<GestureRecognizer>& other);

  // The centroid of the touches, in `view`'s coordinates (window coordinates for null).
  virtual Point locationInView(const View* view) const;
  std::size_t numberOfTouches() const { return touches_.size(); }
  Point locationOfTouch(std::size_t index, const View* view) const;

  // The touch methods subclasses override (the base records the touches).
  virtual void touchesBegan(const TouchSet& touches, const Event& event);
  virtual void touchesMoved(const TouchSet& touches, const Event& event);
  virtual void touchesEnded(const TouchSet& touches, const Event& event);
  virtual void touchesCancelled(const TouchSet& touches, const Event& event);
  // Back to Possible once a gesture is over; subclasses clear their own state.
  virtual void reset() {}
  // A discrete recognizer that expects more touches after all fingers lifted
  // (a double tap after its first tap) answers true to stay in Possible.
  virtual bool waitingForMoreTouches() const { return false; }
  virtual bool canPreventGestureRecognizer(const GestureRecognizer& other) const { (void)other; return true; }
  virtual bool canBePreventedByGestureRecognizer(const GestureRecognizer& other) const { (void)other; return true; }

  // Delivery, used by the window.
  void deliver(TouchPhase phase, const TouchSet& touches, const Event& event);
  bool isInPlay() const { return inPlay_; }
  bool hasRecognized() const;  // began, changed or ended
  // Ends a gesture whose view left the window.
  void viewLeftWindow();
  void attachTo(std::weak_ptr<View> view);
  // The recognizers sharing this touch sequence (set by the window).
  void setPeers(std::vector<std::weak_ptr<GestureRecognizer>> peers) { peers_ = std::move(peers); }
  bool allowsSimultaneousWith(GestureRecognizer& other);
  // Called when all touches of the window have ended: a finished gesture resets.
  void touchSequenceEnded();

 protected:
  const TouchSet& trackedTouches() const { return touches_; }

 private:
  void apply(GestureRecognizerState state);
  void resetNow();
  void flushActions();
  bool shouldBegin();
  void requiredChanged();
  bool waitingForRequired() const;

  GestureRecognizerState state_ = GestureRecognizerState::Possible;
  bool begun_ = false;
  bool inPlay_ = false;
  bool enabled_ = true;
  bool cancelsTouchesInView_ = true;
  bool delaysTouchesBegan_ = false;
  bool pendingRecognition_ = false;
  GestureRecognizerState pendingState_ = GestureRecognizerState::Possible;
  int delivering_ = 0;
  std::vector<GestureRecognizerState> pendingActions_;
  Point lastWindowLocation_;
  std::vector<Action> actions_;
  std::weak_ptr<View> view_;
  std::weak_ptr<GestureRecognizerDelegate> delegate_;
  std::vector<std::weak_ptr<GestureRecognizer>> requires_;
  std::vector<std::weak_ptr<GestureRecognizer>> dependents_;
  std::vector<std::weak_ptr<GestureRecognizer>> peers_;
  TouchSet touches_;
};

}  // namespace platform
