#include "platform/ui/Window.h"

#include <algorithm>
#include <map>

#include "platform/ui/Application.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/ViewController.h"

namespace platform {

Window::Window() { View::setHidden(true); }

Window::Window(const Rect& frame) : View(frame) { View::setHidden(true); }

Window::~Window() { Application::sharedApplication().unregisterWindow(this); }

std::shared_ptr<Window> Window::create(const Rect& frame) { return std::make_shared<Window>(frame); }

void Window::setWindowLevel(double level) {
  level_ = level;
  Application::sharedApplication().registerWindow(std::static_pointer_cast<Window>(shared_from_this()), false);
}

void Window::setRootViewController(const std::shared_ptr<ViewController>& controller) {
  if (controller == root_) return;
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  Application::sharedApplication().registerWindow(self, false);
  if (root_) {
    auto old = root_;
    if (old->isViewLoaded() && old->view()->superview().get() == this) old->view()->removeFromSuperview();
    old->windowRoot_ = false;
  }
  root_ = controller;
  if (!controller) return;
  controller->windowRoot_ = true;
  auto v = controller->view();
  placeFullScreenView(*v);
  addSubview(v);
}

namespace {
// Exact quarter turns, so that frames come out whole.
AffineTransform turnFor(InterfaceOrientation o) {
  switch (o) {
    case InterfaceOrientation::LandscapeLeft: return {0, 1, -1, 0, 0, 0};
    case InterfaceOrientation::LandscapeRight: return {0, -1, 1, 0, 0, 0};
    case InterfaceOrientation::PortraitUpsideDown: return {-1, 0, 0, -1, 0, 0};
    default: return {};
  }
}
}  // namespace

void Window::placeFullScreenView(View& view) const {
  auto o = Application::sharedApplication().interfaceOrientation();
  Rect b = bounds();
  Rect viewBounds = view.bounds();
  viewBounds.size = isLandscape(o) ? Size{b.height(), b.width()} : b.size;
  view.setTransform(turnFor(o));
  view.setBounds(viewBounds);
  view.setCenter(b.center());
}

void Window::layoutForInterfaceOrientation() {
  for (auto vc = root_; vc; vc = vc->presentedViewController())
    if (vc->isViewLoaded() && vc->view()->superview().get() == this) placeFullScreenView(*vc->view());
}

Point Window::interfaceDown(double distance) const {
  return turnFor(Application::sharedApplication().interfaceOrientation()).applyToVector({0, distance});
}

void Window::makeKeyAndVisible() {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  Application::sharedApplication().registerWindow(self, true);
  makeKeyWindow();
  setHidden(false);
}

void Window::makeKeyWindow() {
  Application::sharedApplication().setKeyWindow(std::static_pointer_cast<Window>(shared_from_this()));
}

bool Window::isKeyWindow() const { return Application::sharedApplication().keyWindow().get() == this; }

namespace {
void controllersOf(View* v, std::vector<std::shared_ptr<ViewController>>& out) {
  if (auto vc = v->viewController()) out.push_back(vc);
  for (auto& s : v->subviews()) controllersOf(s.get(), out);
}
}  // namespace

void Window::setHidden(bool hidden) {
  if (hidden == isHidden()) return;
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  if (!hidden) Application::sharedApplication().registerWindow(self, false);
  std::vector<std::shared_ptr<ViewController>> controllers;
  controllersOf(this, controllers);
  for (auto& vc : controllers) vc->automaticAppearance(!hidden, false);
  View::setHidden(hidden);
  for (auto& vc : controllers) vc->automaticAppearance(!hidden, true);
  if (hidden) {
    active_.clear();
    auto session = session_;
    session_.clear();
    for (auto& r : session) r->viewLeftWindow();
  }
}

std::shared_ptr<View> Window::hitTestInWindow(Point point) { return hitTest(point, nullptr); }

Responder* Window::nextResponder() const { return &Application::sharedApplication(); }

void Window::sendEvent(const Event& event) {
  if (Application::sharedApplication().isIgnoringInteractionEvents()) return;
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  for (TouchPhase phase : {TouchPhase::Began, TouchPhase::Moved, TouchPhase::Stationary, TouchPhase::Ended,
                           TouchPhase::Cancelled}) {
    TouchSet touches;
    for (auto& t : event.allTouches())
      if (t->phase() == phase) touches.push_back(t);
    if (!touches.empty()) deliver(phase, touches, event);
  }
}

void Window::deliver(TouchPhase phase, const TouchSet& touches, const Event& event) {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  if (phase == TouchPhase::Began) {
    for (auto& t : touches) {
      t->setWindow(self);
      auto view = hitTest(t->locationInWindow(), &event);
      // An exclusive-touch view takes no touch while another view is touched,
      // and while it is touched no other view takes one.
      for (auto& other : active_) {
        auto ov = other->view();
        if (view && ov && ov != view && (ov->isExclusiveTouch() || view->isExclusiveTouch())) view = nullptr;
      }
      t->setView(view);
      active_.push_back(t);
      auto& list = t->mutableRecognizers();
      list.clear();
      for (auto v = view; v; v = v->superview()) {
        for (auto& r : v->gestureRecognizers()) {
          if (!r->isEnabled()) continue;
          if (auto d = r->delegate(); d && !d->shouldReceiveTouch(*r, *t)) continue;
          list.push_back(r);
          if (std::find(session_.begin(), session_.end(), r) == session_.end()) session_.push_back(r);
        }
      }
    }
    std::vector<std::weak_ptr<GestureRecognizer>> peers(session_.begin(), session_.end());
    for (auto& r : session_) r->setPeers(peers);
  }

  // Recognizers first.
  std::map<GestureRecognizer*, TouchSet> perRecognizer;
  for (auto& t : touches)
    for (auto& r : t->gestureRecognizers()) perRecognizer[r.get()].push_back(t);
  auto session = session_;
  for (auto& r : session) {
    auto it = perRecognizer.find(r.get());
    if (it != perRecognizer.end()) r->deliver(phase, it->second, event);
  }

  // A recognizer that has recognized takes its touches away from the views;
  // a touch still held back for a recognizer that delays touches-began is
  // dropped once that recognizer recognizes, whether or not it cancels touches.
  std::map<View*, std::pair<std::shared_ptr<View>, TouchSet>> toCancel;
  for (auto& t : active_) {
    if (std::find(viewCancelled_.begin(), viewCancelled_.end(), t.get()) != viewCancelled_.end()) continue;
    bool held = std::find(delayed_.begin(), delayed_.end(), t.get()) != delayed_.end();
    bool taken = false;
    for (auto& r : t->gestureRecognizers())
      if ((r->cancelsTouchesInView() || (held && r->delaysTouchesBegan())) && r->hasRecognized()) taken = true;
    if (!taken) continue;
    viewCancelled_.push_back(t.get());
    delayed_.erase(std::remove(delayed_.begin(), delayed_.end(), t.get()), delayed_.end());
    bool deliveredBefore = !held && !(phase == TouchPhase::Began &&
                                      std::find(touches.begin(), touches.end(), t) != touches.end());
    if (auto v = t->view(); v && deliveredBefore) {
      auto& entry = toCancel[v.get()];
      entry.first = v;
      entry.second.push_back(t);
    }
  }
  for (auto& [raw, entry] : toCancel) {
    for (auto& t : entry.second) t->setPhase(TouchPhase::Cancelled);
    entry.first->touchesCancelled(entry.second, event);
    for (auto& t : entry.second) t->setPhase(phase);
  }

  // Then the views. A recognizer that delays touches-began holds a new touch
  // back from its view while it may still recognize; once it fails (or the
  // touch lifts first) the view gets the held began, then the current phase.
  auto delaying = [](const Touch& t) {
    for (auto& r : t.gestureRecognizers())
      if (r->delaysTouchesBegan() && r->state() == GestureRecognizerState::Possible) return true;
    return false;
  };
  std::map<View*, std::pair<std::shared_ptr<View>, TouchSet>> heldBegan;
  for (auto& t : touches) {
    if (std::find(viewCancelled_.begin(), viewCancelled_.end(), t.get()) != viewCancelled_.end()) continue;
    bool held = std::find(delayed_.begin(), delayed_.end(), t.get()) != delayed_.end();
    bool ending = phase == TouchPhase::Ended || phase == TouchPhase::Cancelled;
    if (phase == TouchPhase::Began && delaying(*t)) {
      delayed_.push_back(t.get());
    } else if (held && (ending || !delaying(*t))) {
      delayed_.erase(std::remove(delayed_.begin(), delayed_.end(), t.get()), delayed_.end());
      if (phase == TouchPhase::Cancelled) continue;  // never began for the view: nothing to cancel
      if (auto v = t->view()) {
        auto& entry = heldBegan[v.get()];
        entry.first = v;
        entry.second.push_back(t);
      }
    }
  }
  for (auto& [raw, entry] : heldBegan) {
    for (auto& t : entry.second) t->setPhase(TouchPhase::Began);
    entry.first->touchesBegan(entry.second, event);
    for (auto& t : entry.second) t->setPhase(phase);
  }
  std::map<View*, std::pair<std::shared_ptr<View>, TouchSet>> perView;
  for (auto& t : touches) {
    if (std::find(viewCancelled_.begin(), viewCancelled_.end(), t.get()) != viewCancelled_.end()) continue;
    if (std::find(delayed_.begin(), delayed_.end(), t.get()) != delayed_.end()) continue;
    if (auto v = t->view()) {
      auto& entry = perView[v.get()];
      entry.first = v;
      entry.second.push_back(t);
    }
  }
  for (auto& [raw, entry] : perView) {
    auto& v = entry.first;
    switch (phase) {
      case TouchPhase::Began: v->touchesBegan(entry.second, event); break;
      case TouchPhase::Moved:
      case TouchPhase::Stationary: v->touchesMoved(entry.second, event); break;
      case TouchPhase::Ended: v->touchesEnded(entry.second, event); break;
      case TouchPhase::Cancelled: v->touchesCancelled(entry.second, event); break;
    }
  }

  if (phase == TouchPhase::Ended || phase == TouchPhase::Cancelled) {
    for (auto& t : touches) {
      active_.erase(std::remove(active_.begin(), active_.end(), t), active_.end());
      viewCancelled_.erase(std::remove(viewCancelled_.begin(), viewCancelled_.end(), t.get()), viewCancelled_.end());
      delayed_.erase(std::remove(delayed_.begin(), delayed_.end(), t.get()), delayed_.end());
    }
    if (active_.empty()) {
      auto ended = std::move(session_);
      session_.clear();
      for (auto& r : ended) r->touchSequenceEnded();
    }
  }
}

}  // namespace platform
