#pragma once
// Animations on the virtual clock, in the platform's model: a change made inside
// an animation takes its final value at once; the animation only records from,
// to and timing, so a renderer can compute the value on screen at any moment
// (the presentation value), and a completion runs on the main loop once the
// duration (plus delay) has passed.
//
// Kinds: property animations recorded by view animation blocks (keys "position",
// "bounds", "transform", "opacity", "backgroundColor"); basic and keyframe layer
// animations (keys such as "position", "opacity", "transform.rotation.z",
// "transform.scale"); transitions (push from a side, fade, flips).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

namespace platform {

using AnimationValue = std::variant<std::monostate, double, Point, Size, Rect, AffineTransform, Color>;

// Linear interpolation between two values of the same kind (colours per
// component, transforms per coefficient); `to` when the kinds differ.
AnimationValue interpolate(const AnimationValue& from, const AnimationValue& to, double fraction);

// View animation options (bit values as the platform numbers them).
namespace AnimationOption {
inline constexpr unsigned LayoutSubviews = 1u << 0;
inline constexpr unsigned AllowUserInteraction = 1u << 1;
inline constexpr unsigned BeginFromCurrentState = 1u << 2;
inline constexpr unsigned Repeat = 1u << 3;
inline constexpr unsigned Autoreverse = 1u << 4;
inline constexpr unsigned OverrideInheritedDuration = 1u << 5;
inline constexpr unsigned OverrideInheritedCurve = 1u << 6;
inline constexpr unsigned AllowAnimatedContent = 1u << 7;
inline constexpr unsigned ShowHideTransitionViews = 1u << 8;
inline constexpr unsigned CurveEaseInOut = 0u << 16;
inline constexpr unsigned CurveEaseIn = 1u << 16;
inline constexpr unsigned CurveEaseOut = 2u << 16;
inline constexpr unsigned CurveLinear = 3u << 16;
inline constexpr unsigned TransitionNone = 0u << 20;
inline constexpr unsigned TransitionFlipFromLeft = 1u << 20;
inline constexpr unsigned TransitionFlipFromRight = 2u << 20;
inline constexpr unsigned TransitionCurlUp = 3u << 20;
inline constexpr unsigned TransitionCurlDown = 4u << 20;
inline constexpr unsigned TransitionCrossDissolve = 5u << 20;
inline constexpr unsigned TransitionFlipFromTop = 6u << 20;
inline constexpr unsigned TransitionFlipFromBottom = 7u << 20;
}  // namespace AnimationOption

// The platform's view animation curves (also the keyboard's curve numbers).
enum class AnimationCurve { EaseInOut = 0, EaseIn = 1, EaseOut = 2, Linear = 3 };

// Timing functions: the named cubic curves.
enum class TimingFunction { Default, Linear, EaseIn, EaseOut, EaseInOut };
double applyTiming(TimingFunction f, double t);
TimingFunction timingForCurve(AnimationCurve curve);

// Transition kinds and sides.
inline constexpr char kTransitionFade[] = "fade";
inline constexpr char kTransitionPush[] = "push";
inline constexpr char kTransitionMoveIn[] = "moveIn";
inline constexpr char kTransitionReveal[] = "reveal";
inline constexpr char kTransitionFlipFromLeft[] = "flipFromLeft";
inline constexpr char kTransitionFlipFromRight[] = "flipFromRight";
inline constexpr char kTransitionFlipFromTop[] = "flipFromTop";
inline constexpr char kTransitionFlipFromBottom[] = "flipFromBottom";
inline constexpr char kTransitionCurlUp[] = "curlUp";
inline constexpr char kTransitionCurlDown[] = "curlDown";
inline constexpr char kTransitionCrossDissolve[] = "crossDissolve";
inline constexpr char kTransitionFromLeft[] = "fromLeft";
inline constexpr char kTransitionFromRight[] = "fromRight";
inline constexpr char kTransitionFromTop[] = "fromTop";
inline constexpr char kTransitionFromBottom[] = "fromBottom";

// A repeat count that never ends.
inline constexpr double kRepeatForever = 1e300;

class Animation;

// Told when a layer animation starts and stops (`finished` is false when it
// was removed or replaced before its end).
class AnimationDelegate {
 public:
  virtual ~AnimationDelegate() = default;
  virtual void animationDidStart(Animation& animation) { (void)animation; }
  virtual void animationDidStop(Animation& animation, bool finished) { (void)animation; (void)finished; }
};

class Animation {
 public:
  enum class Kind { Property, Basic, Keyframe, Transition };

  static std::shared_ptr<Animation> basic(const std::string& keyPath);
  static std::shared_ptr<Animation> keyframe(const std::string& keyPath);
  static std::shared_ptr<Animation> transition(const std::string& type, const std::string& subtype = {});

  Kind kind = Kind::Basic;
  std::string keyPath;
  AnimationValue fromValue;  // empty: the model value
  AnimationValue toValue;    // empty: the model value
  AnimationValue byValue;
  std::vector<AnimationValue> values;  // keyframes
  std::vector<double> keyTimes;        // keyframe times 0..1; evenly spaced when empty
  std::string type;                    // transitions
  std::string subtype;
  double duration = 0.25;
  // Absolute start on the main loop's clock; 0 when added: starts then.
  double beginTime = 0;
  TimingFunction timing = TimingFunction::Default;
  double repeatCount = 0;  // 0 and 1 both mean once
  bool autoreverses = false;
  bool removedOnCompletion = true;
  bool fillsForwards = false;  // keeps the last value after the end (with removedOnCompletion off)
  bool allowsUserInteraction = true;  // property animations of blocks default to off
  std::weak_ptr<AnimationDelegate> delegate;
  // Values an owner attaches to tell its animations apart in the did-stop call.
  std::map<std::string, std::string> tags;
  void setValue(const std::string& key, const std::string& value) { tags[key] = value; }
  std::string valueForKey(const std::string& key) const;

  // Seconds from begin to end; infinite for repeat forever.
  double totalDuration() const;
  double endTime() const { return beginTime + totalDuration(); }
  bool isRunningAt(double time) const { return time >= beginTime && time < endTime(); }
  // The value at `time`, given the model value to use for empty from/to.
  AnimationValue valueAt(double time, const AnimationValue& model) const;
  // Progress 0..1 within the current cycle at `time` (after timing).
  double progressAt(double time) const;

  // Internal bookkeeping of the layer and of animation blocks.
  struct Group;
  std::shared_ptr<Group> group;
  std::uint64_t timer = 0;
  bool started = false;
};

// Animations committed together by one animation block share one of these.
struct Animation::Group {
  bool finished = true;  // cleared when one of them is removed or replaced early
  // Animations of the group still running; once every one of them has been
  // removed or replaced early, the block's completion runs at once (on the
  // next turn of the loop) instead of at the block's planned end.
  int running = 0;
  std::function<void()> interrupted;
};

// Batches of layer changes: a completion once every animation added while the
// transaction was open has ended, and actions (animations) disabled on request.
class Transaction {
 public:
  static void begin();
  static void commit();
  static void setDisableActions(bool disable);
  static bool disableActions();
  static void setAnimationDuration(double duration);
  static double animationDuration();
  static void setCompletionBlock(std::function<void()> completion);
  // Notes an animation ending at `endTime` in the open transactions.
  static void noteAnimationEnd(double endTime);
};

}  // namespace platform
