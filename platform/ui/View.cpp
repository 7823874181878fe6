#include "platform/ui/View.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/Image.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

// Every view of the subtree, parents before children.
void collect(View* root, std::vector<View*>& out) {
  out.push_back(root);
  for (auto& s : root->subviews()) collect(s.get(), out);
}

bool visible(const Window* w) { return w && !w->isHidden(); }

// The view controllers whose views are in the subtree, parents first.
std::vector<std::shared_ptr<ViewController>> controllersIn(View* root) {
  std::vector<View*> views;
  collect(root, views);
  std::vector<std::shared_ptr<ViewController>> out;
  for (View* v : views)
    if (auto vc = v->viewController()) out.push_back(vc);
  return out;
}

}  // namespace

void View::requireOwnership(const char* operation) const {
  if (!weak_from_this().expired()) return;
  // A child given to a view that no shared pointer owns yet would keep an empty
  // superview: touches on it never travel up and its frame converts wrongly.
  std::fprintf(stderr,
               "View::%s on a %s that no shared pointer owns yet: build a view's insides in its factory, "
               "after std::make_shared\n",
               operation, className().c_str());
#ifndef NDEBUG
  std::abort();
#endif
}

View::View() : layer_(this) {}

View::View(const Rect& frame) : layer_(this) {
  center_ = frame.center();
  bounds_ = Rect(0, 0, frame.width(), frame.height());
}

View::~View() {
  if (Responder::currentFirstResponder() == this) resignFirstResponder();
}

// Geometry.

Rect View::frame() const {
  Rect local(-bounds_.width() / 2, -bounds_.height() / 2, bounds_.width(), bounds_.height());
  if (transform_.isIdentity()) return local.offsetBy(center_.x, center_.y);
  return transform_.apply(local).offsetBy(center_.x, center_.y);
}

void View::setFrame(const Rect& f) {
  // A view turned by a quarter (as the interface turns a screen's view in
  // landscape) takes the frame's sides swapped as its bounds.
  const auto& t = transform_;
  bool quarterTurn = t.a == 0 && t.d == 0 && std::fabs(t.b) == 1 && std::fabs(t.c) == 1;
  if (transform_.isIdentity() || quarterTurn) {
    Rect b = bounds_;
    b.size = quarterTurn ? Size{f.height(), f.width()} : Size{f.width(), f.height()};
    setBounds(b);
  }
  setCenter(f.center());
}

void View::setBounds(const Rect& b) {
  if (b == bounds_) return;
  recordChange("bounds", bounds_, b);
  Size old = bounds_.size;
  bounds_ = b;
  if (old != b.size) {
    resizeSubviews(old);
    setNeedsLayout();
  } else {
    setNeedsLayout();
  }
}

void View::setCenter(Point c) {
  if (c == center_) return;
  recordChange("position", center_, c);
  center_ = c;
}

void View::setTransform(const AffineTransform& t) {
  if (t == transform_) return;
  recordChange("transform", transform_, t);
  transform_ = t;
}

void View::setAlpha(double a) {
  a = std::clamp(a, 0.0, 1.0);
  if (a == alpha_) return;
  recordChange("opacity", alpha_, a);
  alpha_ = a;
}

void View::setHidden(bool hidden) { hidden_ = hidden; }

void View::setBackgroundColor(const Color& color) {
  if (color == backgroundColor_) return;
  recordChange("backgroundColor", backgroundColor_, color);
  backgroundColor_ = color;
}

void View::resizeSubviews(Size old) {
  if (!autoresizesSubviews_) return;
  double dw = bounds_.width() - old.width, dh = bounds_.height() - old.height;
  if (dw == 0 && dh == 0) return;
  for (auto& s : subviews_) {
    unsigned m = s->autoresizingMask_;
    if (m == Autoresizing::None) continue;
    Rect f = s->frame();
    auto share = [](double delta, bool a, bool b, bool c, double va, double vb, double vc, double& outA,
                    double& outB) {
      // Splits `delta` among the flexible parts in proportion to their size.
      double total = (a ? va : 0) + (b ? vb : 0) + (c ? vc : 0);
      int flexible = int(a) + int(b) + int(c);
      if (flexible == 0) { outA = 0; outB = 0; return; }
      auto part = [&](bool on, double v) {
        if (!on) return 0.0;
        return total > 0 ? delta * v / total : delta / flexible;
      };
      outA = part(a, va);
      outB = part(b, vb);
    };
    double dx = 0, dwidth = 0, dy = 0, dheight = 0;
    double right = old.width - f.maxX(), bottom = old.height - f.maxY();
    share(dw, m & Autoresizing::FlexibleLeftMargin, m & Autoresizing::FlexibleWidth,
          m & Autoresizing::FlexibleRightMargin, f.x(), f.width(), right, dx, dwidth);
    share(dh, m & Autoresizing::FlexibleTopMargin, m & Autoresizing::FlexibleHeight,
          m & Autoresizing::FlexibleBottomMargin, f.y(), f.height(), bottom, dy, dheight);
    s->setFrame(Rect(f.x() + dx, f.y() + dy, f.width() + dwidth, f.height() + dheight));
  }
}

// Tags and hierarchy.

std::shared_ptr<View> View::viewWithTag(std::int64_t tag) {
  if (tag_ == tag) return shared_from_this();
  for (auto& s : subviews_)
    if (auto found = s->viewWithTag(tag)) return found;
  return nullptr;
}

std::shared_ptr<Window> View::window() const {
  const View* v = this;
  while (auto parent = v->superview_.lock()) v = parent.get();
  auto* w = dynamic_cast<const Window*>(v);
  if (!w) return nullptr;
  return std::static_pointer_cast<Window>(const_cast<View*>(v)->shared_from_this());
}

bool View::isDescendantOfView(const View* view) const {
  for (const View* v = this; v; v = v->superview_.lock().get())
    if (v == view) return true;
  return false;
}

void View::addSubview(const std::shared_ptr<View>& view) {
  if (!view) return;
  std::size_t n = subviews_.size();
  if (view->superview().get() == this) n -= 1;
  attach(view, n);
}

void View::insertSubview(const std::shared_ptr<View>& view, std::size_t index) {
  if (!view) return;
  attach(view, index);
}

void View::insertSubviewAbove(const std::shared_ptr<View>& view, const std::shared_ptr<View>& sibling) {
  auto it = std::find(subviews_.begin(), subviews_.end(), sibling);
  if (it == subviews_.end()) return addSubview(view);
  std::size_t i = it - subviews_.begin();
  if (view->superview().get() == this) {
    auto mine = std::find(subviews_.begin(), subviews_.end(), view) - subviews_.begin();
    if (std::size_t(mine) < i) --i;
  }
  attach(view, i + 1);
}

void View::insertSubviewBelow(const std::shared_ptr<View>& view, const std::shared_ptr<View>& sibling) {
  auto it = std::find(subviews_.begin(), subviews_.end(), sibling);
  if (it == subviews_.end()) return addSubview(view);
  std::size_t i = it - subviews_.begin();
  if (view->superview().get() == this) {
    auto mine = std::find(subviews_.begin(), subviews_.end(), view) - subviews_.begin();
    if (std::size_t(mine) < i) --i;
  }
  attach(view, i);
}

void View::bringSubviewToFront(const std::shared_ptr<View>& view) {
  if (view && view->superview().get() == this) moveSubviewTo(view, subviews_.size() - 1);
}

void View::sendSubviewToBack(const std::shared_ptr<View>& view) {
  if (view && view->superview().get() == this) moveSubviewTo(view, 0);
}

void View::exchangeSubviewAt(std::size_t a, std::size_t b) {
  if (a < subviews_.size() && b < subviews_.size()) std::swap(subviews_[a], subviews_[b]);
}

void View::moveSubviewTo(const std::shared_ptr<View>& view, std::size_t index) {
  auto it = std::find(subviews_.begin(), subviews_.end(), view);
  if (it == subviews_.end()) return;
  subviews_.erase(it);
  subviews_.insert(subviews_.begin() + std::min(index, subviews_.size()), view);
}

void View::attach(const std::shared_ptr<View>& view, std::size_t index) {
  requireOwnership("addSubview");
  if (view.get() == this || isDescendantOfView(view.get())) return;  // no cycles
  if (view->superview().get() == this) {
    moveSubviewTo(view, index);
    return;
  }
  auto newWindow = window();
  auto oldWindow = view->window();
  bool windowChanges = newWindow != oldWindow;
  std::vector<std::shared_ptr<ViewController>> controllers;
  std::vector<View*> tree;
  if (windowChanges) {
    controllers = controllersIn(view.get());
    if (visible(oldWindow.get()))
      for (auto& vc : controllers) vc->automaticAppearance(false, false);
    if (visible(newWindow.get()))
      for (auto& vc : controllers) vc->automaticAppearance(true, false);
    collect(view.get(), tree);
    for (View* v : tree) v->willMoveToWindow(newWindow.get());
  }
  view->willMoveToSuperview(this);
  if (auto old = view->superview()) {
    old->willRemoveSubview(view.get());
    auto& subs = old->subviews_;
    subs.erase(std::remove(subs.begin(), subs.end(), view), subs.end());
  }
  if (windowChanges) {
    if (auto* first = Responder::currentFirstResponder()) {
      auto* fv = dynamic_cast<View*>(first);
      if (fv && fv->isDescendantOfView(view.get()) && !newWindow) fv->resignFirstResponder();
    }
  }
  subviews_.insert(subviews_.begin() + std::min(index, subviews_.size()), view);
  view->superview_ = weak_from_this();
  if (windowChanges)
    for (View* v : tree) v->didMoveToWindow();
  view->didMoveToSuperview();
  didAddSubview(view.get());
  if (windowChanges) {
    if (visible(oldWindow.get()))
      for (auto& vc : controllers) vc->automaticAppearance(false, true);
    if (visible(newWindow.get()))
      for (auto& vc : controllers) vc->automaticAppearance(true, true);
  }
  view->setNeedsLayout();
  setNeedsLayout();
}

void View::removeFromSuperview() {
  auto parent = superview();
  if (!parent) return;
  auto self = shared_from_this();  // keeps this alive until the end
  auto oldWindow = window();
  std::vector<std::shared_ptr<ViewController>> controllers;
  std::vector<View*> tree;
  if (oldWindow) {
    controllers = controllersIn(this);
    if (visible(oldWindow.get()))
      for (auto& vc : controllers) vc->automaticAppearance(false, false);
    collect(this, tree);
    for (View* v : tree) v->willMoveToWindow(nullptr);
    if (auto* first = Responder::currentFirstResponder()) {
      auto* fv = dynamic_cast<View*>(first);
      if (fv && fv->isDescendantOfView(this)) fv->resignFirstResponder();
    }
    for (View* v : tree)
      for (auto& r : v->recognizers_) r->viewLeftWindow();
  }
  willMoveToSuperview(nullptr);
  parent->willRemoveSubview(this);
  auto& subs = parent->subviews_;
  subs.erase(std::remove(subs.begin(), subs.end(), self), subs.end());
  superview_.reset();
  if (oldWindow)
    for (View* v : tree) v->didMoveToWindow();
  didMoveToSuperview();
  if (visible(oldWindow.get()))
    for (auto& vc : controllers) vc->automaticAppearance(false, true);
  parent->setNeedsLayout();
}

// Hit testing and conversion.

bool View::pointInside(Point p, const Event*) const {
  return Rect(bounds_.origin, bounds_.size).contains(p);
}

std::shared_ptr<View> View::hitTest(Point p, const Event* event) {
  if (hidden_ || alpha_ < 0.01 || !userInteractionEnabled_) return nullptr;
  // A view in the middle of a block animation takes no touches unless the
  // animation allowed them.
  double now = RunLoop::main().now();
  for (auto& [key, a] : layer_.animations())
    if (a->kind == Animation::Kind::Property && !a->allowsUserInteraction && a->isRunningAt(now)) return nullptr;
  if (!pointInside(p, event)) return nullptr;
  for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
    auto sub = *it;  // a copy: hit testing may not change the tree, but be safe
    if (auto hit = sub->hitTest(sub->fromSuperview(p), event)) return hit;
  }
  return shared_from_this();
}

Point View::toSuperview(Point p) const {
  Point local{p.x - (bounds_.x() + bounds_.width() / 2), p.y - (bounds_.y() + bounds_.height() / 2)};
  Point moved = transform_.isIdentity() ? local : transform_.apply(local);
  return {center_.x + moved.x, center_.y + moved.y};
}

Point View::fromSuperview(Point p) const {
  Point local{p.x - center_.x, p.y - center_.y};
  if (!transform_.isIdentity()) local = transform_.inverted().apply(local);
  return {local.x + bounds_.x() + bounds_.width() / 2, local.y + bounds_.y() + bounds_.height() / 2};
}

namespace {
// Up to the root of the tree; with `throughRoot` also through the root's own
// placement (into screen coordinates for a window).
Point upToRoot(const View* v, Point p, const View*& root, bool throughRoot, Point (*step)(const View*, Point)) {
  root = v;
  for (;;) {
    auto parent = root->superview();
    if (!parent) break;
    p = step(root, p);
    root = parent.get();
  }
  if (throughRoot) p = step(root, p);
  return p;
}
}  // namespace

Point View::convertPointToView(Point p, const View* target) const {
  auto up = [](const View* v, Point q) { return v->toSuperview(q); };
  const View* root = nullptr;
  if (!target) return upToRoot(this, p, root, false, up);
  const View* targetRoot = target;
  while (auto parent = targetRoot->superview()) targetRoot = parent.get();
  bool sameTree = false;
  {
    const View* r = this;
    while (auto parent = r->superview()) r = parent.get();
    sameTree = r == targetRoot;
  }
  Point q = upToRoot(this, p, root, !sameTree, up);
  // Down from the root to the target.
  std::vector<const View*> chain;
  for (const View* v = target; v; v = v->superview().get()) chain.push_back(v);
  bool skipRoot = sameTree;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (skipRoot) { skipRoot = false; continue; }
    q = (*it)->fromSuperview(q);
  }
  return q;
}

Point View::convertPointFromView(Point p, const View* source) const {
  if (source) return source->convertPointToView(p, this);
  // From the coordinates of this view's root (the window).
  std::vector<const View*> chain;
  for (const View* v = this; v; v = v->superview().get()) chain.push_back(v);
  Point q = p;
  for (auto it = chain.rbegin() + 1; it != chain.rend(); ++it) q = (*it)->fromSuperview(q);
  return q;
}

namespace {
// The smallest rectangle holding the four corners of `r` once each is mapped.
template <typename Map>
Rect boundsOfMappedCorners(const Rect& r, Map map) {
  Point c[4] = {map({r.minX(), r.minY()}), map({r.maxX(), r.minY()}), map({r.minX(), r.maxY()}),
                map({r.maxX(), r.maxY()})};
  double x0 = c[0].x, x1 = c[0].x, y0 = c[0].y, y1 = c[0].y;
  for (auto& q : c) {
    x0 = std::min(x0, q.x); x1 = std::max(x1, q.x);
    y0 = std::min(y0, q.y); y1 = std::max(y1, q.y);
  }
  return {x0, y0, x1 - x0, y1 - y0};
}
}  // namespace

Rect View::convertRectToView(const Rect& r, const View* view) const {
  return boundsOfMappedCorners(r, [&](Point p) { return convertPointToView(p, view); });
}

Rect View::convertRectFromView(const Rect& r, const View* view) const {
  return boundsOfMappedCorners(r, [&](Point p) { return convertPointFromView(p, view); });
}

// Layout.

void View::layoutSubviews() {}

void View::setNeedsLayout() {
  needsLayout_ = true;
  scheduleLayoutPass();
}

void View::scheduleLayoutPass() {
  // One pass over every window on a later turn; re-armed when the loop was reset.
  static TimerId pass = 0;
  auto& loop = RunLoop::main();
  if (pass && loop.isScheduled(pass)) return;
  pass = loop.schedule(0, [] {
    for (auto& w : Application::sharedApplication().windows()) w->layoutIfNeeded();
  });
}

void View::layoutIfNeeded() {
  auto self = weak_from_this();
  if (needsLayout_) {
    needsLayout_ = false;
    auto vc = viewController();
    if (vc) vc->viewWillLayoutSubviews();
    layoutSubviews();
    if (vc) vc->viewDidLayoutSubviews();
  }
  auto subs = subviews_;
  for (auto& s : subs) s->layoutIfNeeded();
}

void View::sizeToFit() {
  Size s = sizeThatFits(bounds_.size);
  Rect f = frame();
  setFrame(Rect(f.x(), f.y(), s.width, s.height));
}

// Gestures and editing.

void View::addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
  if (!recognizer) return;
  requireOwnership("addGestureRecognizer");
  if (auto old = recognizer->view(); old && old.get() != this) old->removeGestureRecognizer(recognizer);
  if (std::find(recognizers_.begin(), recognizers_.end(), recognizer) != recognizers_.end()) return;
  recognizers_.push_back(recognizer);
  recognizer->attachTo(weak_from_this());
}

void View::removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
  auto it = std::find(recognizers_.begin(), recognizers_.end(), recognizer);
  if (it == recognizers_.end()) return;
  recognizers_.erase(it);
  recognizer->attachTo({});
}

bool View::endEditing(bool force) {
  auto* first = Responder::currentFirstResponder();
  auto* fv = dynamic_cast<View*>(first);
  if (!fv || !fv->isDescendantOfView(this)) return true;
  if (force) {
    if (!fv->resignFirstResponder()) fv->forceResignFirstResponder();
    return true;
  }
  return fv->resignFirstResponder();
}

Responder* View::nextResponder() const {
  if (auto vc = viewController_.lock()) return vc.get();
  return superview_.lock().get();
}

std::string View::automationImage() const { return layer_.contents ? layer_.contents->name() : std::string(); }

// Presentation values.

namespace {
template <class T>
T evaluate(const Layer& layer, const char* keyPath, const T& model, double time) {
  AnimationValue value = model;
  for (auto& [key, a] : layer.animations()) {
    if (a->keyPath != keyPath || a->kind == Animation::Kind::Transition) continue;
    if (a->kind == Animation::Kind::Property) {
      if (time < a->beginTime) value = a->fromValue;
      else if (time < a->endTime()) value = a->valueAt(time, model);
      else value = a->valueAt(a->endTime(), model);
    } else {
      if (time < a->beginTime) continue;
      if (time >= a->endTime()) {
        if (a->fillsForwards && !a->removedOnCompletion) value = a->valueAt(a->endTime(), model);
        continue;
      }
      value = a->valueAt(time, model);
    }
  }
  if (auto* v = std::get_if<T>(&value)) return *v;
  return model;
}
}  // namespace

Point View::presentationCenter(double t) const { return evaluate(layer_, "position", center_, t); }
Rect View::presentationBounds(double t) const { return evaluate(layer_, "bounds", bounds_, t); }
double View::presentationAlpha(double t) const { return evaluate(layer_, "opacity", alpha_, t); }
Color View::presentationBackgroundColor(double t) const {
  return evaluate(layer_, "backgroundColor", backgroundColor_, t);
}

AffineTransform View::presentationTransform(double t) const {
  AffineTransform m = evaluate(layer_, "transform", transform_, t);
  double rotation = evaluate(layer_, "transform.rotation.z", 0.0, t) + evaluate(layer_, "transform.rotation", 0.0, t);
  if (rotation != 0) m = m.rotated(rotation);
  double scale = evaluate(layer_, "transform.scale", 1.0, t);
  if (scale != 1) m = m.scaled(scale, scale);
  double tx = evaluate(layer_, "transform.translation.x", 0.0, t);
  double ty = evaluate(layer_, "transform.translation.y", 0.0, t);
  if (tx != 0 || ty != 0) m = m.translated(tx, ty);
  return m;
}

Rect View::presentationFrame(double t) const {
  Rect b = presentationBounds(t);
  Point c = presentationCenter(t);
  AffineTransform tr = presentationTransform(t);
  Rect local(-b.width() / 2, -b.height() / 2, b.width(), b.height());
  return (tr.isIdentity() ? local : tr.apply(local)).offsetBy(c.x, c.y);
}

}  // namespace platform
