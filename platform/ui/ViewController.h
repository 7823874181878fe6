#pragma once
// A screen: owns a lazily built view, receives appearance callbacks, holds child
// view controllers, presents and dismisses other view controllers modally, and
// answers orientation questions.
//
// Appearance callbacks come in two ways, as on the platform: automatically when
// the view of a contained controller (a child, a window's root, a presented
// controller) enters or leaves a visible window (animated flag false), and from
// presentation and dismissal with their animated flag. Code may also call them
// directly (a container re-announcing a screen).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"
#include "platform/ui/Responder.h"

namespace platform {

class View;
class Window;

// Interface orientations and their mask bits (mask bit = 1 << orientation).
enum class InterfaceOrientation { Unknown = 0, Portrait = 1, PortraitUpsideDown = 2, LandscapeLeft = 3,
                                  LandscapeRight = 4 };
namespace OrientationMask {
inline constexpr unsigned Portrait = 1u << 1;
inline constexpr unsigned PortraitUpsideDown = 1u << 2;
inline constexpr unsigned LandscapeLeft = 1u << 3;
inline constexpr unsigned LandscapeRight = 1u << 4;
inline constexpr unsigned Landscape = LandscapeLeft | LandscapeRight;
inline constexpr unsigned AllButUpsideDown = Portrait | Landscape;
inline constexpr unsigned All = AllButUpsideDown | PortraitUpsideDown;
}  // namespace OrientationMask
inline unsigned maskFor(InterfaceOrientation o) { return 1u << static_cast<unsigned>(o); }
inline bool isLandscape(InterfaceOrientation o) {
  return o == InterfaceOrientation::LandscapeLeft || o == InterfaceOrientation::LandscapeRight;
}

enum class StatusBarStyle { Default = 0, LightContent = 1 };

class ViewController : public Responder, public std::enable_shared_from_this<ViewController> {
 public:
  ViewController();
  ~ViewController() override;
  std::string className() const override { return "ViewController"; }

  // The view, built on first use by loadView then viewDidLoad.
  std::shared_ptr<View> view();
  bool isViewLoaded() const { return view_ != nullptr; }
  void setView(const std::shared_ptr<View>& view);
  // Builds the view; the default makes a plain view the size of the screen.
  virtual void loadView();
  virtual void viewDidLoad() {}

  // Appearance.
  virtual void viewWillAppear(bool animated) { (void)animated; }
  virtual void viewDidAppear(bool animated) { (void)animated; }
  virtual void viewWillDisappear(bool animated) { (void)animated; }
  virtual void viewDidDisappear(bool animated) { (void)animated; }
  virtual void viewWillLayoutSubviews() {}
  virtual void viewDidLayoutSubviews() {}
  bool isViewVisible() const { return appearance_ == Appearance::Appeared; }

  std::string title() const { return title_; }
  void setTitle(const std::string& title) { title_ = title; }

  // Children.
  const std::vector<std::shared_ptr<ViewController>>& childViewControllers() const { return children_; }
  std::shared_ptr<ViewController> parentViewController() const { return parent_.lock(); }
  // Adds the child and sends it willMoveToParentViewController(this); the
  // caller places the child's view and sends didMoveToParentViewController.
  void addChildViewController(const std::shared_ptr<ViewController>& child);
  // Removes from the parent and sends didMoveToParentViewController(null); the
  // caller sends willMoveToParentViewController(null) first.
  void removeFromParentViewController();
  virtual void willMoveToParentViewController(ViewController* parent) { (void)parent; }
  virtual void didMoveToParentViewController(ViewController* parent) { (void)parent; }
  // Whether this container keeps the child's view out of sight while it stays
  // in the tree (a navigation container's screens under its top one). Nothing
  // kept out of sight counts as visible (see ViewVisibility).
  virtual bool keepsChildOutOfSight(const ViewController& child) const { (void)child; return false; }

  // Modal presentation. The presented view covers the window; the presenting
  // view leaves it once the presentation is done. Animated: slides up from the
  // bottom over kPresentationDuration seconds. Completions run on the main loop:
  // after the slide, or on the next turn without animation.
  void presentViewController(const std::shared_ptr<ViewController>& controller, bool animated,
                             std::function<void()> completion = {});
  // Dismisses what this controller presented, or, when it presented nothing,
  // this controller itself (asking its presenter).
  void dismissViewController(bool animated, std::function<void()> completion = {});
  std::shared_ptr<ViewController> presentedViewController() const { return presented_; }
  std::shared_ptr<ViewController> presentingViewController() const;
  bool isBeingPresented() const { return beingPresented_; }
  bool isBeingDismissed() const { return beingDismissed_; }
  static constexpr double kPresentationDuration = 0.4;

  // Orientation.
  virtual bool shouldAutorotate() const { return true; }
  virtual unsigned supportedInterfaceOrientations() const { return OrientationMask::AllButUpsideDown; }
  virtual InterfaceOrientation preferredInterfaceOrientationForPresentation() const {
    return InterfaceOrientation::Portrait;
  }
  virtual bool shouldAutorotateToInterfaceOrientation(InterfaceOrientation o) const {
    return o == InterfaceOrientation::Portrait;
  }
  virtual void willRotateToInterfaceOrientation(InterfaceOrientation o, double duration) { (void)o; (void)duration; }
  virtual void willAnimateRotationToInterfaceOrientation(InterfaceOrientation o, double duration) {
    (void)o; (void)duration;
  }
  virtual void didRotateFromInterfaceOrientation(InterfaceOrientation from) { (void)from; }
  // The orientation the interface is laid out for.
  InterfaceOrientation interfaceOrientation() const;
  // Asks the front-most full-screen controller (and the application delegate's
  // orientations for the window) whether the interface may turn to the
  // device's orientation, and turns it when it may; a controller that does not
  // allow the current orientation turns it to one it allows, portrait first.
  //
  // A rotation: willRotateToInterfaceOrientation to every controller; the
  // status bar turns; then, inside one animation of kRotationDuration a quarter
  // turn (twice that for half a turn), the windows lay their full-screen views
  // out for the new orientation (Window::placeFullScreenView) and every
  // controller gets willAnimateRotationToInterfaceOrientation; when that
  // animation ends, didRotateFromInterfaceOrientation.
  static void attemptRotationToDeviceOrientation();
  static constexpr double kRotationDuration = 0.4;

  // Status bar answers.
  virtual StatusBarStyle preferredStatusBarStyle() const { return StatusBarStyle::Default; }
  virtual bool prefersStatusBarHidden() const { return false; }

  virtual void didReceiveMemoryWarning() {}

  // The view's controller, then the view's superview.
  Responder* nextResponder() const override;

  // Every live controller reachable from the windows (roots, children,
  // presented), parents first: memory warnings and rotations go to them.
  static std::vector<std::shared_ptr<ViewController>> reachableControllers();

 private:
  friend class View;
  friend class Window;
  friend class Application;
  enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };
  // From view-tree changes: appearing or disappearing, will (false) or did (true).
  void automaticAppearance(bool appearing, bool did);
  void beginAppearance(bool appearing, bool animated);
  void endAppearance(bool animated);
  bool isContained() const;
  void finishDismissal(bool animated, std::function<void()> completion);
  static void rotateInterface(InterfaceOrientation to);

  std::shared_ptr<View> view_;
  std::string title_;
  std::vector<std::shared_ptr<ViewController>> children_;
  std::weak_ptr<ViewController> parent_;
  std::shared_ptr<ViewController> presented_;
  std::weak_ptr<ViewController> presenting_;
  bool beingPresented_ = false;
  bool beingDismissed_ = false;
  bool windowRoot_ = false;
  std::weak_ptr<View> host_;  // where the presenter's view goes back on dismissal
  std::size_t hostIndex_ = 0;
  Appearance appearance_ = Appearance::Disappeared;
  // While presentation moves views itself, the automatic callbacks stay quiet.
  static int& manualAppearance();
};

}  // namespace platform
