#pragma once
// A rectangle on screen and a node of the view tree: geometry (frame, bounds,
// centre, transform), look (alpha, hidden, background, layer properties),
// subviews in back-to-front order, hit testing and coordinate conversion, layout.
//
// Animatable properties (frame, bounds, centre, transform, alpha, background
// colour) take their new values at once; inside an animation block the change is
// also recorded as an animation (see Animation.h) from which a renderer computes
// what to draw at a moment (presentation values).
//
// Ownership rule for every view and component: a view is given subviews and
// gesture recognizers only once a shared pointer owns it. A constructor sets
// plain state only; a view with insides builds them in its factory (`create`,
// `initWith...`), right after std::make_shared, and keeps its constructor out of
// other hands with a construction key where a bare make_shared would leave it
// half built. addSubview, insertSubview... and addGestureRecognizer on a view no
// shared pointer owns yet abort with a message in debug and test builds (and are
// reported on stderr in release builds): the child would keep an empty superview,
// so touches on it would never travel up and its frame would convert wrongly.
#include <cstdint>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Layer.h"
#include "platform/ui/Responder.h"

namespace platform {

class Window;
class ViewController;
class GestureRecognizer;
class Image;

enum class ContentMode {
  ScaleToFill = 0, ScaleAspectFit = 1, ScaleAspectFill = 2, Redraw = 3, Center = 4, Top = 5,
  Bottom = 6, Left = 7, Right = 8, TopLeft = 9, TopRight = 10, BottomLeft = 11, BottomRight = 12
};

// Autoresizing mask bits.
namespace Autoresizing {
inline constexpr unsigned None = 0;
inline constexpr unsigned FlexibleLeftMargin = 1 << 0;
inline constexpr unsigned FlexibleWidth = 1 << 1;
inline constexpr unsigned FlexibleRightMargin = 1 << 2;
inline constexpr unsigned FlexibleTopMargin = 1 << 3;
inline constexpr unsigned FlexibleHeight = 1 << 4;
inline constexpr unsigned FlexibleBottomMargin = 1 << 5;
}  // namespace Autoresizing

class View : public Responder, public std::enable_shared_from_this<View> {
 public:
  View();
  explicit View(const Rect& frame);
  ~View() override;
  static std::shared_ptr<View> create(const Rect& frame = {}) { return std::make_shared<View>(frame); }

  std::string className() const override { return "View"; }

  // Geometry. The frame is derived from centre, bounds size and transform.
  Rect frame() const;
  virtual void setFrame(const Rect& frame);
  Rect bounds() const { return bounds_; }
  virtual void setBounds(const Rect& bounds);
  Point center() const { return center_; }
  virtual void setCenter(Point center);
  AffineTransform transform() const { return transform_; }
  virtual void setTransform(const AffineTransform& transform);

  // Look.
  double alpha() const { return alpha_; }
  virtual void setAlpha(double alpha);
  bool isHidden() const { return hidden_; }
  virtual void setHidden(bool hidden);
  const Color& backgroundColor() const { return backgroundColor_; }
  virtual void setBackgroundColor(const Color& color);
  bool clipsToBounds() const { return layer_.masksToBounds; }
  void setClipsToBounds(bool clips) { layer_.masksToBounds = clips; }
  bool isOpaque() const { return opaque_; }
  void setOpaque(bool opaque) { opaque_ = opaque; }
  ContentMode contentMode() const { return contentMode_; }
  void setContentMode(ContentMode mode) { contentMode_ = mode; }
  Layer& layer() { return layer_; }
  const Layer& layer() const { return layer_; }

  // Touch handling.
  bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
  void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
  bool isExclusiveTouch() const { return exclusiveTouch_; }
  void setExclusiveTouch(bool exclusive) { exclusiveTouch_ = exclusive; }
  bool isMultipleTouchEnabled() const { return multipleTouchEnabled_; }
  void setMultipleTouchEnabled(bool enabled) { multipleTouchEnabled_ = enabled; }

  // Tags.
  std::int64_t tag() const { return tag_; }
  void setTag(std::int64_t tag) { tag_ = tag; }
  // This view or the first descendant (depth first, back to front) with the tag.
  std::shared_ptr<View> viewWithTag(std::int64_t tag);

  // Hierarchy. Subviews are in back-to-front order.
  std::shared_ptr<View> superview() const { return superview_.lock(); }
  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
  // The window this view is in, or null.
  std::shared_ptr<Window> window() const;
  void addSubview(const std::shared_ptr<View>& view);
  void insertSubview(const std::shared_ptr<View>& view, std::size_t index);
  void insertSubviewAbove(const std::shared_ptr<View>& view, const std::shared_ptr<View>& sibling);
  void insertSubviewBelow(const std::shared_ptr<View>& view, const std::shared_ptr<View>& sibling);
  void bringSubviewToFront(const std::shared_ptr<View>& view);
  void sendSubviewToBack(const std::shared_ptr<View>& view);
  void exchangeSubviewAt(std::size_t a, std::size_t b);
  void removeFromSuperview();
  bool isDescendantOfView(const View* view) const;

  // Hierarchy callbacks for subclasses.
  virtual void willMoveToSuperview(View* newSuperview) { (void)newSuperview; }
  virtual void didMoveToSuperview() {}
  virtual void willMoveToWindow(Window* newWindow) { (void)newWindow; }
  virtual void didMoveToWindow() {}
  virtual void didAddSubview(View* subview) { (void)subview; }
  virtual void willRemoveSubview(View* subview) { (void)subview; }

  // Hit testing (point in this view's coordinates). Hidden views, views with
  // alpha below 0.01 and views with interaction off are skipped.
  virtual std::shared_ptr<View> hitTest(Point point, const Event* event = nullptr);
  virtual bool pointInside(Point point, const Event* event = nullptr) const;

  // Conversion; a null view means the window's coordinates.
  Point convertPointToView(Point point, const View* view) const;
  Point convertPointFromView(Point point, const View* view) const;
  Rect convertRectToView(const Rect& rect, const View* view) const;
  Rect convertRectFromView(const Rect& rect, const View* view) const;
  // This view's frame in window coordinates.
  Rect frameInWindow() const { return convertRectToView(bounds_, nullptr); }

  // Layout. setNeedsLayout asks for layoutSubviews on a later turn of the main
  // loop; layoutIfNeeded runs it now for this view and its descendants.
  virtual void layoutSubviews();
  void setNeedsLayout();
  void layoutIfNeeded();
  bool needsLayout() const { return needsLayout_; }
  virtual Size sizeThatFits(Size size) const { (void)size; return bounds_.size; }
  void sizeToFit();
  unsigned autoresizingMask() const { return autoresizingMask_; }
  void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }
  bool autoresizesSubviews() const { return autoresizesSubviews_; }
  void setAutoresizesSubviews(bool on) { autoresizesSubviews_ = on; }

  // Drawing: the renderer draws the tree; setNeedsDisplay counts requests.
  void setNeedsDisplay() { ++displayRequests_; }
  void setNeedsDisplayInRect(const Rect&) { ++displayRequests_; }
  int displayRequests() const { return displayRequests_; }

  // Gestures.
  void addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
  void removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
  const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const { return recognizers_; }
  virtual bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) { (void)recognizer; return true; }

  // Editing: resigns the first responder in this view's subtree.
  bool endEditing(bool force);

  // The responder chain: the owning view controller, else the superview (a
  // window answers the application).
  Responder* nextResponder() const override;
  // The view controller whose root view this is, if any.
  std::shared_ptr<ViewController> viewController() const { return viewController_.lock(); }

  // What the automation dump shows of this view: its text and image name.
  // Views that show text or pictures (labels, buttons, image views) answer them.
  virtual std::string automationText() const { return {}; }
  // The default is the name of the layer's contents picture.
  virtual std::string automationImage() const;

  // Presentation values: what is on screen at `time` (main-loop seconds), with
  // the running animations applied. Without animations they equal the model.
  Point presentationCenter(double time) const;
  Rect presentationBounds(double time) const;
  AffineTransform presentationTransform(double time) const;
  double presentationAlpha(double time) const;
  Color presentationBackgroundColor(double time) const;
  Rect presentationFrame(double time) const;

  // Block animations (see Animation.h for the options and the other kinds).
  static void animate(double duration, const std::function<void()>& animations,
                      const std::function<void(bool)>& completion = {});
  static void animate(double duration, double delay, unsigned options, const std::function<void()>& animations,
                      const std::function<void(bool)>& completion = {});
  static void performWithoutAnimation(const std::function<void()>& changes);
  static bool areAnimationsEnabled();
  static void setAnimationsEnabled(bool enabled);
  // Begin/commit animations.
  static void beginAnimations(const std::string& animationId = {});
  static void setAnimationDuration(double duration);
  static void setAnimationDelay(double delay);
  static void setAnimationCurve(int curve);
  static void setAnimationRepeatCount(double count);
  static void setAnimationRepeatAutoreverses(bool on);
  static void setAnimationBeginsFromCurrentState(bool on);
  // The did-stop selector: called with the animation id and `finished`.
  static void setAnimationDidStop(std::function<void(const std::string& animationId, bool finished)> handler);
  static void setAnimationWillStart(std::function<void(const std::string& animationId)> handler);
  static void commitAnimations();
  // Transitions on one view (options pick flip, curl, cross dissolve), or
  // replacing `from` by `to` in from's superview.
  static void transitionWithView(const std::shared_ptr<View>& view, double duration, unsigned options,
                                 const std::function<void()>& animations,
                                 const std::function<void(bool)>& completion = {});
  static void transitionFromView(const std::shared_ptr<View>& from, const std::shared_ptr<View>& to,
                                 double duration, unsigned options, const std::function<void(bool)>& completion = {});

 protected:
  // Records a change of an animatable property inside an animation block.
  void recordChange(const char* key, const AnimationValue& from, const AnimationValue& to);

 private:
  friend class ViewController;
  friend class Window;
  void attach(const std::shared_ptr<View>& view, std::size_t index);
  // Enforces the ownership rule above.
  void requireOwnership(const char* operation) const;
  void detachFromSuperview();
  void moveSubviewTo(const std::shared_ptr<View>& view, std::size_t index);
  void resizeSubviews(Size oldSize);
  Point toSuperview(Point p) const;
  Point fromSuperview(Point p) const;
  void scheduleLayoutPass();

  Point center_;
  Rect bounds_;
  AffineTransform transform_;
  double alpha_ = 1.0;
  bool hidden_ = false;
  bool opaque_ = true;
  Color backgroundColor_;
  ContentMode contentMode_ = ContentMode::ScaleToFill;
  Layer layer_;
  bool userInteractionEnabled_ = true;
  bool exclusiveTouch_ = false;
  bool multipleTouchEnabled_ = false;
  std::int64_t tag_ = 0;
  std::weak_ptr<View> superview_;
  std::vector<std::shared_ptr<View>> subviews_;
  std::vector<std::shared_ptr<GestureRecognizer>> recognizers_;
  std::weak_ptr<ViewController> viewController_;
  bool needsLayout_ = true;
  unsigned autoresizingMask_ = Autoresizing::None;
  bool autoresizesSubviews_ = true;
  int displayRequests_ = 0;
};

// What a view with insides asks of whoever constructs it, so that only its own
// factory (which builds the insides once the view is owned) can.
template <class T>
class ConstructionKey {
  friend T;
  ConstructionKey() = default;
};

// A weak pointer to `self` typed as its own class (for callbacks).
template <class T>
std::weak_ptr<T> weakSelf(T* self) {
  return std::static_pointer_cast<T>(self->shared_from_this());
}

// A callback that runs body(self, arguments...) only while `self` lives, so a
// closed screen never hears a late answer:
//   Vorn5APIClient::fetch(url, parameters, {}, platform::weakCallback(this,
//       [](NewsViewController& self, const Value& answer, const auto& error) { ... }));
template <class T, class Body>
auto weakCallback(T* self, Body body) {
  return [weak = weakSelf(self), body = std::move(body)](auto&&... arguments) {
    if (auto strong = weak.lock()) body(*strong, std::forward<decltype(arguments)>(arguments)...);
  };
}

}  // namespace platform
