#include "core/ParentViewController.h"

#include <algorithm>

#include "core/AppDelegate.h"
#include "core/ContainedScreen.h"
#include "core/EdgeSwipeGestureRecognizer.h"
#include "core/ForcePortraitViewController.h"
#include "core/UnsentDraftScreen.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Value.h"
#include "platform/ui/Animation.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

namespace vorn {
namespace {

using platform::GestureRecognizerState;

const ContainedScreen* hooksOf(const std::shared_ptr<platform::ViewController>& vc) {
  return dynamic_cast<const ContainedScreen*>(vc.get());
}
ContainedScreen* mutableHooksOf(const std::shared_ptr<platform::ViewController>& vc) {
  return dynamic_cast<ContainedScreen*>(vc.get());
}

bool isPhotoBrowser(const std::shared_ptr<platform::ViewController>& vc) {
  const auto* hooks = hooksOf(vc);
  return hooks && hooks->showsPhotosFullScreen();
}

bool gestureIsOver(GestureRecognizerState s) {
  return s == GestureRecognizerState::Ended || s == GestureRecognizerState::Cancelled ||
         s == GestureRecognizerState::Failed;
}

}  // namespace

ParentViewController::ParentViewController() {
  auto edge = std::make_shared<EdgeSwipeGestureRecognizer>();
  edge->setSide(EdgeSwipeGestureRecognizer::kSideLeft);
  edge->setMargin(kNormalMargin);
  edgeGestureRecognizers_.push_back(edge);

  shadowImgView_ = std::make_shared<platform::ImageView>(platform::Rect{-10, -10, 10, platform::Screen::mainScreen().hasTallMode() ? 548.0 : 460.0});
  shadowImgView_->setImage(platform::Image::imageNamed(kSwipeShadowImageName));
  shadowImgView_->setContentMode(platform::ContentMode::Center);
  shadowImgView_->setHidden(true);

  // Both are the did-notifications: the flag changes once the keyboard is fully up or down.
  auto& center = platform::NotificationCenter::defaultCenter();
  center.addObserver(this, platform::kKeyboardDidShowNotification,
                     [this](const platform::Notification&) { keyboardWillShow(); });
  center.addObserver(this, platform::kKeyboardDidHideNotification,
                     [this](const platform::Notification&) { keyboardDidHide(); });
}

ParentViewController::~ParentViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(this));
}

void ParentViewController::viewDidLoad() {
  PreferStatusBarViewController::viewDidLoad();
  auto self = std::static_pointer_cast<ParentViewController>(shared_from_this());
  for (auto& edge : edgeGestureRecognizers_) {
    edge->addTarget(self, &ParentViewController::handlePan);
    edge->setDelegate(std::static_pointer_cast<platform::GestureRecognizerDelegate>(self));
    view()->addGestureRecognizer(edge);
  }
}

std::shared_ptr<ParentViewController> ParentViewController::containerOf(const platform::ViewController& screen) {
  return std::dynamic_pointer_cast<ParentViewController>(screen.parentViewController());
}

std::shared_ptr<platform::ViewController> ParentViewController::childAt(int index) const {
  const auto& children = childViewControllers();
  if (index < 0 || static_cast<std::size_t>(index) >= children.size()) return nullptr;
  return children[static_cast<std::size_t>(index)];
}

bool ParentViewController::keepsChildOutOfSight(const platform::ViewController& child) const {
  const auto& children = childViewControllers();
  auto it = std::find_if(children.begin(), children.end(), [&](const auto& c) { return c.get() == &child; });
  if (it == children.end()) return false;
  const int index = static_cast<int>(it - children.begin());
  if (swipeRecorded_ && index == currentChildIndex_ - 1) return false;
  return index < currentChildIndex_;
}

void ParentViewController::removeChildSilently(const std::shared_ptr<platform::ViewController>& child) {
  if (!child) return;
  child->willMoveToParentViewController(nullptr);
  if (child->isViewLoaded()) child->view()->removeFromSuperview();
  child->removeFromParentViewController();
}

void ParentViewController::postBackgroundFlag(const char* flag, const char* addView) {
  platform::Value info = platform::dictionary();
  info[kBGViewFlagKey] = flag;
  info[kBGViewAddViewKey] = addView;
  platform::NotificationCenter::defaultCenter().post(kHiddenOrDisplyBGView, info);
}

// ---- The stack ---------------------------------------------------------------

void ParentViewController::pushChildViewController(const std::shared_ptr<platform::ViewController>& controller) {
  if (isPushing_ || !controller) return;
  isPushing_ = true;
  refreshMarginValue(kNormalMargin);

  auto beneath = childAt(currentChildIndex_);
  auto container = view();
  const platform::Rect bounds = container->bounds();
  auto coming = controller->view();
  coming->setFrame(bounds.offsetBy(bounds.width(), 0));
  addChildViewController(controller);
  container->addSubview(coming);
  controller->didMoveToParentViewController(this);

  std::weak_ptr<ParentViewController> weak = std::static_pointer_cast<ParentViewController>(shared_from_this());
  platform::View::animate(
      kPushDuration, 0, 0,
      [&] {
        coming->setFrame(bounds);
        if (beneath) beneath->view()->setFrame(bounds.offsetBy(-bounds.width() / 2, 0));
      },
      [weak](bool) {
        auto self = weak.lock();
        if (!self) return;
        self->removeShadow();
        if (auto delegate = self->pushDelegate_.lock()) {
          delegate->pushCompleted();
          self->pushDelegate_.reset();
        }
        self->isPushing_ = false;
        ++self->currentChildIndex_;
        if (isPhotoBrowser(self->childAt(self->currentChildIndex_)))
          self->postBackgroundFlag(kBGViewFlagDisplay, kBGViewAddViewYes);
      });
}


// The end state of a pop's slide: the top screen off to the right, the one
// under it back in place and upright.
static void slideOffForPop(const std::shared_ptr<platform::ViewController>& top,
                           const std::shared_ptr<platform::ViewController>& below, const platform::Rect& bounds) {
  if (top) top->view()->setFrame(bounds.offsetBy(bounds.width(), 0));
  if (!below) return;
  auto v = below->view();
  v->setFrame(bounds);
  v->setTransform(platform::AffineTransform::identity());
  v->setCenter({ParentViewController::kLayoutCenterX, bounds.height() / 2});
}

void ParentViewController::popChildViewController() {
  if (isPushing_) return;
  isPushing_ = true;
  postBackgroundFlag(kBGViewFlagHidden, kBGViewAddViewNo);
  if (currentChildIndex_ == 0) {
    isPushing_ = false;
    return;
  }
  if (!AppDelegate::sharedAppDelegate()->shouldAutorate()) {
    platform::Application::sharedApplication().setStatusBarOrientation(platform::InterfaceOrientation::Portrait);
    platform::ViewController::attemptRotationToDeviceOrientation();
  }

  auto top = childAt(currentChildIndex_);
  --currentChildIndex_;
  if (currentChildIndex_ == 0) refreshMarginValue(0);
  auto below = childAt(currentChildIndex_);
  const platform::Rect bounds = view()->bounds();

  std::weak_ptr<ParentViewController> weak = std::static_pointer_cast<ParentViewController>(shared_from_this());
  platform::View::animate(
      kPushDuration, 0, 0,
      [&] { slideOffForPop(top, below, bounds); },
      [weak, top, below](bool) {
        auto self = weak.lock();
        if (!self) return;
        self->removeShadow();
        removeChildSilently(top);
        if (below) below->viewWillAppear(false);
        self->isPushing_ = false;
      });
}

void ParentViewController::popChildViewControllerWithAnimated(bool animated) {
  if (currentChildIndex_ == 0) return;
  auto top = childAt(currentChildIndex_);
  --currentChildIndex_;
  if (currentChildIndex_ == 0) refreshMarginValue(0);
  auto below = childAt(currentChildIndex_);
  if (!animated) {
    removeChildSilently(top);
    if (below) below->viewWillAppear(false);
    return;
  }
  const platform::Rect bounds = view()->bounds();
  std::weak_ptr<ParentViewController> weak = std::static_pointer_cast<ParentViewController>(shared_from_this());
  ++slidesRunning_;
  platform::View::animate(
      kPopAnimatedDuration, 0, 0,
      [&] { slideOffForPop(top, below, bounds); },
      [weak, top, below](bool) {
        auto self = weak.lock();
        if (!self) return;
        --self->slidesRunning_;
        self->removeShadow();
        removeChildSilently(top);
        if (below) below->viewWillAppear(false);
      });
}

void ParentViewController::popToChildViewController(const std::shared_ptr<platform::ViewController>& child) {
  const auto& children = childViewControllers();
  if (children.size() < 2 || std::find(children.begin(), children.end(), child) == children.end()) return;
  // Going back to the screen already on top leaves the stack as it is (walking
  // down from below the top would otherwise remove every screen under it).
  if (children.back() == child) return;
  for (int index = static_cast<int>(children.size()) - 2; index >= 0; --index) {
    auto candidate = childAt(index);
    if (candidate == child) {
      popChildViewController();
      return;
    }
    if (currentChildIndex_ == 0) return;
    --currentChildIndex_;
    if (currentChildIndex_ == 0) refreshMarginValue(0);
    removeChildSilently(candidate);
  }
}

void ParentViewController::popToChildViewControllerWithOffset(int n) {
  if (static_cast<unsigned>(n) >= childViewControllers().size()) return;
  for (int i = 1; i < n; ++i) {
    removeChildSilently(childAt(static_cast<int>(childViewControllers().size()) - 2));
    if (currentChildIndex_ > 0) --currentChildIndex_;
  }
  popChildViewController();
}

void ParentViewController::requireEdgeGesturesToFailForView(const std::shared_ptr<platform::View>& target) {
  if (!target) return;
  for (const auto& subview : target->subviews())
    for (const auto& recognizer : subview->gestureRecognizers())
      for (const auto& edge : edgeGestureRecognizers_) recognizer->requireGestureRecognizerToFail(edge);
}

// ---- Swipe margin ----------------------------------------------------------------

void ParentViewController::refreshMarginValue(int margin) {
  for (auto& edge : edgeGestureRecognizers_) edge->setMargin(static_cast<float>(margin));
}

void ParentViewController::refreshMarginWithSide(int side, int margin) {
  for (auto& edge : edgeGestureRecognizers_)
    if (edge->side() == side) {
      edge->setMargin(static_cast<float>(margin));
      return;
    }
}

int ParentViewController::getCurrentMarginValue() const {
  if (edgeGestureRecognizers_.empty()) return 0;
  return static_cast<int>(edgeGestureRecognizers_.front()->margin());
}

// ---- Push delegate -----------------------------------------------------------------

void ParentViewController::setPushDelegate(const std::shared_ptr<PushingCompleteDelegate>& delegate) {
  if (pushDelegate_.lock()) return;
  pushDelegate_ = delegate;
}

// ---- Orientation ---------------------------------------------------------------------

void ParentViewController::changeOrientation() {
  auto portrait = std::make_shared<ForcePortraitViewController>();
  std::weak_ptr<ParentViewController> weak = std::static_pointer_cast<ParentViewController>(shared_from_this());
  presentViewController(portrait, false, [weak, portrait] {
    const auto& version = platform::Device::currentDevice().systemVersion();
    if (!version.empty() && version.front() == '8') {
      // On 8 the top screen is laid out again for portrait before the dismissal.
      platform::RunLoop::main().post([weak, portrait] {
        if (auto self = weak.lock())
          if (auto top = self->childAt(self->currentChildIndex_))
            top->view()->setFrame(platform::Screen::mainScreen().bounds());
        portrait->dismissViewController(false);
      });
    } else {
      portrait->dismissViewController(false);
    }
  });
}

unsigned ParentViewController::supportedInterfaceOrientations() const {
  return AppDelegate::sharedAppDelegate()->shouldAutorate() ? platform::OrientationMask::AllButUpsideDown
                                                            : platform::OrientationMask::Portrait;
}

bool ParentViewController::shouldAutorotateToInterfaceOrientation(platform::InterfaceOrientation o) const {
  return o == platform::InterfaceOrientation::Portrait;
}

void ParentViewController::willRotateToInterfaceOrientation(platform::InterfaceOrientation o, double) {
  int margin = 0;
  if (o == platform::InterfaceOrientation::Portrait)
    margin = kNormalMargin;
  else if (platform::isLandscape(o))
    margin = kLandscapeMargin;
  else
    return;
  for (auto& edge : edgeGestureRecognizers_)
    if (edge->margin() != 0) edge->setMargin(static_cast<float>(margin));
}

// ---- Swipe-back ------------------------------------------------------------------------

bool ParentViewController::gestureRecognizerShouldBegin(platform::GestureRecognizer&) {
  if (const auto* top = hooksOf(childAt(currentChildIndex_)); top && !top->allowsSwipeBack()) return false;
  // A swipe that began during a slide would take hold of the screen being covered.
  return !isPushing_ && slidesRunning_ == 0;
}

void ParentViewController::removeShadow(const std::shared_ptr<platform::View>&) {
  if (shadowImgView_->isHidden()) return;
  shadowImgView_->removeFromSuperview();
  shadowImgView_->setHidden(true);
}

void ParentViewController::handlePan(platform::GestureRecognizer& recognizer) {
  auto* edge = dynamic_cast<EdgeSwipeGestureRecognizer*>(&recognizer);
  if (!edge) return;
  auto keepAlive = shared_from_this();
  handlePanEvent(*edge);
  // Whatever this gesture did, the next one may ask a draft screen again.
  if (gestureIsOver(edge->state())) {
    hasNotifiedDraft_ = false;
    swipeRecorded_ = false;
  }
}

void ParentViewController::handlePanEvent(EdgeSwipeGestureRecognizer& recognizer) {
  postBackgroundFlag(kBGViewFlagHidden, kBGViewAddViewNo);
  if (keyboardIsVisible_) {
    platform::NotificationCenter::defaultCenter().post(kDisplayKeyboard, static_cast<const void*>(this));
    return;
  }
  const GestureRecognizerState state = recognizer.state();
  if (state == GestureRecognizerState::Began) {
    auto top = childAt(currentChildIndex_);
    auto below = childAt(currentChildIndex_ - 1);
    swipeTopView_ = top ? top->view() : nullptr;
    swipeBelowView_ = below ? below->view() : nullptr;
    swipeStartIndex_ = currentChildIndex_;
    swipeRecorded_ = true;
  }

  if (auto* draft = dynamic_cast<UnsentDraftScreen*>(childAt(currentChildIndex_).get());
      draft && draft->checkTheDraft()) {
    if (!hasNotifiedDraft_) {
      hasNotifiedDraft_ = true;
      draft->onlyDoBack();
    }
    return;  // nothing moves during the whole gesture
  }

  // Events of a gesture that began with the keyboard up have no record of their own.
  if (!swipeRecorded_) return;
  if (currentChildIndex_ != swipeStartIndex_) {
    // A push or pop finished meanwhile; only a root left alone is put back in place.
    if (currentChildIndex_ == 0)
      if (auto root = childAt(0)) {
        auto v = root->view();
        v->setTransform(platform::AffineTransform::identity());
        v->setCenter({kLayoutCenterX, v->center().y});
      }
    return;
  }

  auto top = swipeTopView_.lock();
  auto below = swipeBelowView_.lock();
  if (!top) return;
  const double tx = recognizer.translationInView(recognizer.view().get()).x;
  if (below) {
    below->setTransform(platform::AffineTransform::translation(tx / 2, 0));
    if (shadowImgView_->isHidden()) {
      top->addSubview(shadowImgView_);
      shadowImgView_->setHidden(false);
    }
    if (tx > 0) {
      top->setTransform(platform::AffineTransform::translation(tx, 0));
    } else {
      top->setTransform(platform::AffineTransform::identity());
      return;
    }
  }

  if (!gestureIsOver(state)) return;
  const double cy = top->center().y;
  const double width = view()->frame().width();
  auto recognizerView = recognizer.view();
  auto velocityView = recognizerView ? recognizerView->superview() : nullptr;
  const double vx = recognizer.velocityInView(velocityView.get()).x;
  const double reach = tx + 0.5 * vx;
  if (reach > width / 2 && below)
    completeSwipe(tx, cy);
  else
    springBack();
}

void ParentViewController::completeSwipe(double tx, double cy) {
  auto top = swipeTopView_.lock();
  auto below = swipeBelowView_.lock();
  top->setTransform(platform::AffineTransform::identity());
  top->setCenter({tx + kLayoutCenterX, cy});

  std::weak_ptr<ParentViewController> weak = std::static_pointer_cast<ParentViewController>(shared_from_this());
  ++slidesRunning_;
  platform::View::animate(
      kSwipeEndDuration, 0, platform::AnimationOption::CurveEaseOut,
      [&] {
        below->setTransform(platform::AffineTransform::identity());
        below->setCenter({kLayoutCenterX, below->center().y});
        top->setCenter({top->frame().width() + kLayoutCenterX, cy});
      },
      [weak, cy](bool) {
        auto self = weak.lock();
        if (!self) return;
        --self->slidesRunning_;
        self->removeShadow();
        auto app = AppDelegate::sharedAppDelegate();
        if (self->currentChildIndex_ >= 1)
          if (auto* below = mutableHooksOf(self->childAt(self->currentChildIndex_ - 1))) below->revealedBySwipeBack();
        if (self->currentChildIndex_ == 0) {
          // A pop ran during the slide: the root is put back in place.
          if (auto root = self->childAt(0)) {
            auto v = root->view();
            v->setTransform(platform::AffineTransform::identity());
            v->setCenter({kLayoutCenterX, cy});
          }
          return;
        }
        auto leaving = self->childAt(self->currentChildIndex_);
        if (auto* hooks = mutableHooksOf(leaving)) hooks->leftBySwipeBack();
        if (isPhotoBrowser(leaving) && app->shouldAutorate()) {
          app->setShouldAutorate(false);
          self->changeOrientation();
        }
        --self->currentChildIndex_;
        if (self->currentChildIndex_ == 0) self->refreshMarginValue(0);
        removeChildSilently(leaving);
        if (auto revealed = self->childAt(self->currentChildIndex_)) revealed->viewWillAppear(false);
      });
}

void ParentViewController::springBack() {
  auto top = swipeTopView_.lock();
  auto below = swipeBelowView_.lock();
  std::weak_ptr<ParentViewController> weak = std::static_pointer_cast<ParentViewController>(shared_from_this());
  ++slidesRunning_;
  platform::View::animate(
      kSwipeEndDuration, 0, 0,
      [&] {
        if (below) below->setTransform(platform::AffineTransform::identity());
        if (top) top->setTransform(platform::AffineTransform::identity());
      },
      [weak](bool) {
        auto self = weak.lock();
        if (!self) return;
        --self->slidesRunning_;
        self->removeShadow();
        if (isPhotoBrowser(self->childAt(self->currentChildIndex_)))
          self->postBackgroundFlag(kBGViewFlagDisplay, kBGViewAddViewNo);
      });
}

}  // namespace vorn
