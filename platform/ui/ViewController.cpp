#include "platform/ui/ViewController.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

namespace platform {

int& ViewController::manualAppearance() {
  static int depth = 0;
  return depth;
}

ViewController::ViewController() = default;

ViewController::~ViewController() {
  for (auto& child : children_) child->parent_.reset();
  if (view_ && view_->viewController_.lock().get() == nullptr) view_->viewController_.reset();
}

std::shared_ptr<View> ViewController::view() {
  if (!view_) {
    loadView();
    if (!view_) view_ = std::make_shared<View>(Screen::mainScreen().bounds());
    view_->viewController_ = weak_from_this();
    viewDidLoad();
  }
  return view_;
}

void ViewController::setView(const std::shared_ptr<View>& view) {
  if (view_ && view_->viewController_.lock().get() == this) view_->viewController_.reset();
  view_ = view;
  if (view_) view_->viewController_ = weak_from_this();
}

void ViewController::loadView() {
  auto v = std::make_shared<View>(Screen::mainScreen().bounds());
  v->setAutoresizingMask(Autoresizing::FlexibleWidth | Autoresizing::FlexibleHeight);
  setView(v);
}

// Appearance.

bool ViewController::isContained() const {
  return !parent_.expired() || windowRoot_ || !presenting_.expired();
}

void ViewController::automaticAppearance(bool appearing, bool did) {
  if (manualAppearance() > 0 || !isContained()) return;
  if (!did) {
    beginAppearance(appearing, false);
  } else if ((appearing && appearance_ == Appearance::Appearing) ||
             (!appearing && appearance_ == Appearance::Disappearing)) {
    endAppearance(false);
  }
}

void ViewController::beginAppearance(bool appearing, bool animated) {
  if (appearing) {
    if (appearance_ == Appearance::Appeared || appearance_ == Appearance::Appearing) return;
    appearance_ = Appearance::Appearing;
    viewWillAppear(animated);
  } else {
    if (appearance_ == Appearance::Disappeared || appearance_ == Appearance::Disappearing) return;
    appearance_ = Appearance::Disappearing;
    viewWillDisappear(animated);
  }
}

void ViewController::endAppearance(bool animated) {
  if (appearance_ == Appearance::Appearing) {
    appearance_ = Appearance::Appeared;
    viewDidAppear(animated);
  } else if (appearance_ == Appearance::Disappearing) {
    appearance_ = Appearance::Disappeared;
    viewDidDisappear(animated);
  }
}

namespace {
// The controller and its children whose views are inside its view, parents first.
void appearanceTree(const std::shared_ptr<ViewController>& vc, std::vector<std::shared_ptr<ViewController>>& out) {
  out.push_back(vc);
  if (!vc->isViewLoaded()) return;
  auto root = vc->view();
  for (auto& child : vc->childViewControllers())
    if (child->isViewLoaded() && child->view()->isDescendantOfView(root.get())) appearanceTree(child, out);
}
}  // namespace

// Children.

void ViewController::addChildViewController(const std::shared_ptr<ViewController>& child) {
  if (!child || child.get() == this) return;
  if (auto old = child->parentViewController(); old.get() == this) return;
  else if (old) child->removeFromParentViewController();
  child->willMoveToParentViewController(this);
  children_.push_back(child);
  child->parent_ = weak_from_this();
}

void ViewController::removeFromParentViewController() {
  auto parent = parent_.lock();
  if (!parent) return;
  auto self = shared_from_this();
  auto& list = parent->children_;
  list.erase(std::remove(list.begin(), list.end(), self), list.end());
  parent_.reset();
  didMoveToParentViewController(nullptr);
}

// Presentation.

std::shared_ptr<ViewController> ViewController::presentingViewController() const {
  for (auto vc = std::const_pointer_cast<ViewController>(shared_from_this()); vc; vc = vc->parentViewController())
    if (auto p = vc->presenting_.lock()) return p;
  return nullptr;
}

namespace {
std::shared_ptr<ViewController> topAncestor(std::shared_ptr<ViewController> vc) {
  while (auto p = vc->parentViewController()) vc = p;
  return vc;
}
}  // namespace

void ViewController::presentViewController(const std::shared_ptr<ViewController>& controller, bool animated,
                                           std::function<void()> completion) {
  if (!controller) return;
  auto presenter = topAncestor(shared_from_this());
  // As on the platform: nothing happens while something is already presented,
  // or when the presenter is not on screen.
  if (presenter->presented_ || controller->presenting_.lock() || !presenter->isViewLoaded()) return;
  auto window = presenter->view()->window();
  if (!window) return;

  presenter->presented_ = controller;
  controller->presenting_ = presenter;
  controller->beingPresented_ = true;
  auto& app = Application::sharedApplication();
  if (!(controller->supportedInterfaceOrientations() & maskFor(app.interfaceOrientation())))
    rotateInterface(controller->preferredInterfaceOrientationForPresentation());

  std::vector<std::shared_ptr<ViewController>> leaving, coming;
  appearanceTree(presenter, leaving);
  auto presentedView = controller->view();
  appearanceTree(controller, coming);
  for (auto& vc : leaving) vc->beginAppearance(false, animated);
  for (auto& vc : coming) vc->beginAppearance(true, animated);
  ++manualAppearance();
  window->placeFullScreenView(*presentedView);
  const Point rest = presentedView->center();
  if (animated) {  // from below the interface's bottom edge
    Point down = window->interfaceDown(presentedView->bounds().height());
    presentedView->setCenter({rest.x + down.x, rest.y + down.y});
  }
  window->addSubview(presentedView);
  --manualAppearance();

  auto finish = [presenter, controller, leaving, coming, animated, completion](bool) {
    for (auto& vc : coming) vc->endAppearance(animated);
    auto presenterView = presenter->view();
    if (auto host = presenterView->superview()) {
      auto& subs = host->subviews();
      controller->hostIndex_ = std::find(subs.begin(), subs.end(), presenterView) - subs.begin();
      controller->host_ = host;
      ++manualAppearance();
      presenterView->removeFromSuperview();
      --manualAppearance();
    }
    for (auto& vc : leaving) vc->endAppearance(animated);
    controller->beingPresented_ = false;
    if (!completion) return;
    if (animated) completion();
    else RunLoop::main().post(completion);  // after the call returns, as the platform does
  };
  if (animated) {
    View::animate(kPresentationDuration, 0, AnimationOption::OverrideInheritedDuration,
                  [&] { presentedView->setCenter(rest); }, finish);
  } else {
    finish(true);
  }
}

void ViewController::dismissViewController(bool animated, std::function<void()> completion) {
  std::shared_ptr<ViewController> presenter, target;
  if (presented_) {
    presenter = shared_from_this();
    target = presented_;
  } else if (auto p = presenting_.lock()) {
    presenter = p;
    target = shared_from_this();
  } else if (auto parent = parentViewController()) {
    parent->dismissViewController(animated, std::move(completion));
    return;
  } else {
    return;
  }
  if (target->beingDismissed_) return;
  // Anything the target presented goes first, at once.
  if (target->presented_) target->dismissViewController(false);
  target->finishDismissal(animated, std::move(completion));
  (void)presenter;
}

void ViewController::finishDismissal(bool animated, std::function<void()> completion) {
  auto target = shared_from_this();
  auto presenter = presenting_.lock();
  if (!presenter) return;
  beingDismissed_ = true;
  std::vector<std::shared_ptr<ViewController>> leaving, coming;
  appearanceTree(target, leaving);
  appearanceTree(presenter, coming);
  for (auto& vc : leaving) vc->beginAppearance(false, animated);
  auto presenterView = presenter->view();
  if (auto host = host_.lock(); host && !presenterView->superview()) {
    ++manualAppearance();
    host->insertSubview(presenterView, std::min(hostIndex_, host->subviews().size()));
    // Laid out again for an interface that turned while it was covered.
    if (auto window = std::dynamic_pointer_cast<Window>(host))
      View::performWithoutAnimation([&] { window->placeFullScreenView(*presenterView); });
    --manualAppearance();
  }
  for (auto& vc : coming) vc->beginAppearance(true, animated);
  auto finish = [target, presenter, leaving, coming, animated, completion](bool) {
    ++manualAppearance();
    if (target->isViewLoaded()) target->view()->removeFromSuperview();
    --manualAppearance();
    for (auto& vc : coming) vc->endAppearance(animated);
    for (auto& vc : leaving) vc->endAppearance(animated);
    presenter->presented_.reset();
    target->presenting_.reset();
    target->beingDismissed_ = false;
    attemptRotationToDeviceOrientation();
    if (!completion) return;
    if (animated) completion();
    else RunLoop::main().post(completion);
  };
  if (animated && isViewLoaded()) {
    auto v = view();
    Point c = v->center();
    Point down{0, v->frame().height()};
    if (auto window = v->window(); window && v->superview() == window)
      down = window->interfaceDown(v->bounds().height());
    View::animate(kPresentationDuration, 0, AnimationOption::OverrideInheritedDuration,
                  [&] { v->setCenter({c.x + down.x, c.y + down.y}); }, finish);
  } else {
    finish(true);
  }
}

// Orientation.

InterfaceOrientation ViewController::interfaceOrientation() const {
  return Application::sharedApplication().interfaceOrientation();
}

std::vector<std::shared_ptr<ViewController>> ViewController::reachableControllers() {
  std::vector<std::shared_ptr<ViewController>> out;
  std::function<void(const std::shared_ptr<ViewController>&)> walk = [&](const std::shared_ptr<ViewController>& vc) {
    if (!vc || std::find(out.begin(), out.end(), vc) != out.end()) return;
    out.push_back(vc);
    for (auto& c : vc->children_) walk(c);
    walk(vc->presented_);
  };
  for (auto& w : Application::sharedApplication().windows()) walk(w->rootViewController());
  return out;
}

namespace {
// Quarter turns of the screen, counted clockwise from portrait.
int quarterTurns(InterfaceOrientation o) {
  switch (o) {
    case InterfaceOrientation::LandscapeLeft: return 1;
    case InterfaceOrientation::PortraitUpsideDown: return 2;
    case InterfaceOrientation::LandscapeRight: return 3;
    default: return 0;
  }
}
}  // namespace

void ViewController::rotateInterface(InterfaceOrientation to) {
  auto& app = Application::sharedApplication();
  InterfaceOrientation from = app.interfaceOrientation();
  if (from == to || to == InterfaceOrientation::Unknown) return;
  auto all = reachableControllers();
  int turns = (quarterTurns(to) - quarterTurns(from) + 4) % 4;
  const double duration = turns == 2 ? 2 * kRotationDuration : kRotationDuration;
  for (auto& vc : all) vc->willRotateToInterfaceOrientation(to, duration);
  app.interfaceOrientation_ = to;
  app.setStatusBarOrientation(to);
  std::vector<std::weak_ptr<ViewController>> told(all.begin(), all.end());
  View::animate(
      duration, 0, AnimationOption::OverrideInheritedDuration,
      [&] {
        for (auto& w : app.windows()) w->layoutForInterfaceOrientation();
        for (auto& vc : all) vc->willAnimateRotationToInterfaceOrientation(to, duration);
      },
      [told, from](bool) {
        for (auto& weak : told)
          if (auto vc = weak.lock()) vc->didRotateFromInterfaceOrientation(from);
      });
}

void ViewController::attemptRotationToDeviceOrientation() {
  auto& app = Application::sharedApplication();
  std::shared_ptr<ViewController> top;
  for (auto& w : app.windows())
    if (w->windowLevel() == WindowLevel::Normal && w->rootViewController() && !w->isHidden())
      top = w->rootViewController();
  if (!top) return;
  while (top->presented_ && !top->presented_->beingDismissed_) top = top->presented_;
  unsigned supported = top->supportedInterfaceOrientations();
  // The application delegate narrows what the window allows (a controller
  // allowing nothing the window allows keeps its own answer).
  if (auto delegate = app.delegate())
    if (unsigned both = supported & delegate->supportedInterfaceOrientationsForWindow(app)) supported = both;
  auto device = static_cast<InterfaceOrientation>(static_cast<int>(Device::currentDevice().orientation()));
  int d = static_cast<int>(device);
  if (d >= 1 && d <= 4 && top->shouldAutorotate() && (supported & maskFor(device))) {
    rotateInterface(device);
  } else if (!(supported & maskFor(app.interfaceOrientation()))) {
    for (auto o : {InterfaceOrientation::Portrait, InterfaceOrientation::LandscapeLeft,
                   InterfaceOrientation::LandscapeRight, InterfaceOrientation::PortraitUpsideDown})
      if (supported & maskFor(o)) { rotateInterface(o); break; }
  }
}

Responder* ViewController::nextResponder() const {
  if (view_)
    if (auto s = view_->superview()) return s.get();
  if (auto p = presenting_.lock()) return p.get();
  return nullptr;
}

}  // namespace platform
