#pragma once
// The navigation container: a stack of child screens shown one at a time. A push
// slides the new screen in from the right over 0.4 s while the screen beneath
// moves half a width to the left; a pop reverses that. Index 0 is the root child,
// which the container's creator installs itself:
//
//   auto container = std::make_shared<ParentViewController>();
//   container->addChildViewController(root);
//   container->view()->addSubview(root->view());
//   container->refreshMarginValue(0);          // no swipe-back at the root
//   root->view()->setFrame(container->view()->bounds());
//
// Every later screen comes through pushChildViewController. A screen reaches its
// container through parentViewController().
//
// The container carries one left-edge swipe recognizer: a swipe from the left
// edge drags the top screen to the right and, released far or fast enough,
// takes it away (see handlePan). The swipe's margin is 160 points after every
// push, 0 at the root, 240 in landscape; a screen that must not be left by a
// swipe sets 0 while it is on top and restores its margin in viewWillAppear,
// which the container sends (animated false) to the screen that a pop or a
// swipe brings back to the top.
//
// The container decides the interface orientation of everything it shows:
// portrait, unless the application delegate's shouldAutorate is set.
#include <memory>
#include <string>
#include <vector>

#include "core/PreferStatusBarViewController.h"
#include "platform/ui/GestureRecognizer.h"

namespace platform {
class ImageView;
class View;
}  // namespace platform

namespace vorn {

class EdgeSwipeGestureRecognizer;
class NewsContentViewController;

// Posted by the container with a dictionary object (a platform::Value) of the two
// strings below: "disply"/"YES" when a push ends with the photo browser on top,
// "hidden"/"NO" by every pop and every swipe event, "disply"/"NO" when a swipe
// springs back on the photo browser.
inline constexpr char kHiddenOrDisplyBGView[] = "HiddenOrDisplyBGView";
inline constexpr char kBGViewFlagKey[] = "flag";
inline constexpr char kBGViewFlagDisplay[] = "disply";
inline constexpr char kBGViewFlagHidden[] = "hidden";
inline constexpr char kBGViewAddViewKey[] = "addView";
inline constexpr char kBGViewAddViewYes[] = "YES";
inline constexpr char kBGViewAddViewNo[] = "NO";
// Asks every editing view to give up the keyboard.
inline constexpr char kDisplayKeyboard[] = "displayKeyboard";
// The swipe shadow's picture.
inline constexpr char kSwipeShadowImageName[] = "Shadow";

// Told once that the next push has finished.
class PushingCompleteDelegate {
 public:
  virtual ~PushingCompleteDelegate() = default;
  virtual void pushCompleted() = 0;
};

// The stack operations, as the container offers them to the screens it holds.
class ParentControllerDelegate {
 public:
  virtual ~ParentControllerDelegate() = default;
  virtual void pushChildViewController(const std::shared_ptr<platform::ViewController>& controller) = 0;
  virtual void popChildViewController() = 0;
  virtual void popToChildViewController(const std::shared_ptr<platform::ViewController>& child) = 0;
  virtual void popChildViewControllerWithAnimated(bool animated) = 0;
  virtual void popToChildViewControllerWithOffset(int n) = 0;
  virtual void requireEdgeGesturesToFailForView(const std::shared_ptr<platform::View>& view) = 0;
};

class ParentViewController : public PreferStatusBarViewController,
                             public ParentControllerDelegate,
                             public platform::GestureRecognizerDelegate {
 public:
  static constexpr double kPushDuration = 0.4;
  static constexpr double kPopAnimatedDuration = 0.5;
  static constexpr double kSwipeEndDuration = 0.25;
  static constexpr int kNormalMargin = 160;
  static constexpr int kLandscapeMargin = 240;
  // Half the 320-point layout width: where the pops and swipes centre a screen.
  static constexpr double kLayoutCenterX = 160;

  ParentViewController();
  ~ParentViewController() override;
  std::string className() const override { return "ParentViewController"; }

  void viewDidLoad() override;

  // The container a screen is a child of, or null.
  static std::shared_ptr<ParentViewController> containerOf(const platform::ViewController& screen);

  // ---- The stack -------------------------------------------------------------
  // Animated push; dropped while a push or pop animates.
  void pushChildViewController(const std::shared_ptr<platform::ViewController>& controller) override;
  // Animated pop of the top child; ignored while a push or pop animates. At the
  // root it only posts "HiddenOrDisplyBGView".
  void popChildViewController() override;
  // Removes the children between `child` and the top at once, then pops the top
  // animated. Nothing happens for a child not in the stack, or for the top itself.
  void popToChildViewController(const std::shared_ptr<platform::ViewController>& child) override;
  // Pop of the top child over 0.5 s, or at once; does not wait for a running push.
  void popChildViewControllerWithAnimated(bool animated) override;
  // Goes back n levels: the n - 1 children under the top go at once, then the top
  // pops animated. n at or above the number of children changes nothing.
  void popToChildViewControllerWithOffset(int n) override;
  // Every gesture recognizer of the view's subviews waits for the edge swipe to fail.
  void requireEdgeGesturesToFailForView(const std::shared_ptr<platform::View>& view) override;

  // The screens under the top one stay in the tree but out of sight; the one a
  // swipe is uncovering shows beside the top.
  bool keepsChildOutOfSight(const platform::ViewController& child) const override;

  // Index of the top child (a push raises it when its slide has ended; a pop
  // lowers it before its slide starts).
  int currentChildIndex() const { return currentChildIndex_; }
  void setCurrentChildIndex(int index) { currentChildIndex_ = index; }
  // A push or pop is animating.
  bool isPushing() const { return isPushing_; }

  // ---- Swipe margin ------------------------------------------------------------
  // Sets the margin of every edge recognizer: 160 normally, 0 switches swipe-back off.
  void refreshMarginValue(int margin);
  // Sets the margin of the first recognizer of that side (0: the left edge).
  void refreshMarginWithSide(int side, int margin);
  // The first recognizer's margin, truncated; 0 when there is none.
  int getCurrentMarginValue() const;
  const std::vector<std::shared_ptr<EdgeSwipeGestureRecognizer>>& edgeGestureRecognizers() const {
    return edgeGestureRecognizers_;
  }

  // ---- Push delegate -----------------------------------------------------------
  // Kept (weakly) only while none is set; told and cleared when the next push ends.
  void setPushDelegate(const std::shared_ptr<PushingCompleteDelegate>& delegate);
  std::shared_ptr<PushingCompleteDelegate> pushDelegate() const { return pushDelegate_.lock(); }

  // ---- Orientation -------------------------------------------------------------
  // Turns the interface back to portrait (used when a screen that allowed
  // landscape goes away).
  void changeOrientation();
  unsigned supportedInterfaceOrientations() const override;
  bool shouldAutorotateToInterfaceOrientation(platform::InterfaceOrientation o) const override;
  // Landscape widens a margin that is on to 240, portrait sets it back to 160;
  // a margin of 0 stays off.
  void willRotateToInterfaceOrientation(platform::InterfaceOrientation o, double duration) override;

  // ---- Swipe-back --------------------------------------------------------------
  // No swipe begins on the comparison page, nor while a push, pop or swipe slides.
  bool gestureRecognizerShouldBegin(platform::GestureRecognizer& recognizer) override;
  // The edge recognizer's action: the top screen follows the finger; released
  // with translation + half the velocity beyond half the width it goes away, else
  // it springs back. Refused while the keyboard is up (posts "displayKeyboard")
  // and on a screen holding unsent text (that screen gets onlyDoBack, once per
  // gesture).
  void handlePan(platform::GestureRecognizer& recognizer);
  // Takes the swipe shadow away when it shows.
  void removeShadow(const std::shared_ptr<platform::View>& ignored = nullptr);
  const std::shared_ptr<platform::ImageView>& shadowImgView() const { return shadowImgView_; }
  bool keyboardIsVisible() const { return keyboardIsVisible_; }
  void keyboardWillShow() { keyboardIsVisible_ = true; }
  void keyboardDidHide() { keyboardIsVisible_ = false; }

  // ---- Values the article page keeps in its container --------------------------
  const std::string& contentStr() const { return contentStr_; }
  void setContentStr(const std::string& s) { contentStr_ = s; }
  const std::string& newsUrl() const { return newsUrl_; }
  void setNewsUrl(const std::string& s) { newsUrl_ = s; }
  const std::string& newsId() const { return newsId_; }
  void setNewsId(const std::string& s) { newsId_ = s; }
  const std::string& cmsid() const { return cmsid_; }
  void setCmsid(const std::string& s) { cmsid_ = s; }
  std::shared_ptr<NewsContentViewController> superViewController() const { return superViewController_.lock(); }
  void setSuperViewController(const std::shared_ptr<NewsContentViewController>& vc) { superViewController_ = vc; }
  bool couldLeftGes() const { return couldLeftGes_; }
  void setCouldLeftGes(bool on) { couldLeftGes_ = on; }

 private:
  std::shared_ptr<platform::ViewController> childAt(int index) const;
  // willMove(null), view out of the tree, removed from the stack.
  static void removeChildSilently(const std::shared_ptr<platform::ViewController>& child);
  void postBackgroundFlag(const char* flag, const char* addView);
  void handlePanEvent(EdgeSwipeGestureRecognizer& recognizer);
  void completeSwipe(double tx, double cy);
  void springBack();

  int currentChildIndex_ = 0;
  bool isPushing_ = false;
  bool keyboardIsVisible_ = false;
  bool hasNotifiedDraft_ = false;
  std::vector<std::shared_ptr<EdgeSwipeGestureRecognizer>> edgeGestureRecognizers_;
  std::shared_ptr<platform::ImageView> shadowImgView_;
  std::weak_ptr<PushingCompleteDelegate> pushDelegate_;
  // Slides that are not pushes or pops of the animated kind (the 0.5 s pop, the
  // swipe's own endings): no swipe begins while one runs.
  int slidesRunning_ = 0;

  // The swipe record, written when a swipe begins with the keyboard down.
  std::weak_ptr<platform::View> swipeTopView_;
  std::weak_ptr<platform::View> swipeBelowView_;
  int swipeStartIndex_ = 0;
  bool swipeRecorded_ = false;  // this gesture began with a record of its own

  std::string contentStr_;
  std::string newsUrl_;
  std::string newsId_;
  std::string cmsid_;
  std::weak_ptr<NewsContentViewController> superViewController_;
  bool couldLeftGes_ = false;
};

}  // namespace vorn
