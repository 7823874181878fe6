#include "platform/ui/TestDriver.h"

#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/ViewVisibility.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

std::vector<std::shared_ptr<Window>> shownWindows() {
  std::vector<std::shared_ptr<Window>> out;
  for (auto& w : Application::sharedApplication().windows())
    if (!w->isHidden()) out.push_back(w);
  return out;
}

Point toScreen(const Window& w, Point p) {
  Rect f = w.frame();
  return {p.x + f.x(), p.y + f.y()};
}

// One finger's touch sequence on the window under its first point.
class Finger {
 public:
  explicit Finger(Point screenPoint, int tapCount = 1) {
    window_ = Application::sharedApplication().windowAt(screenPoint);
    if (!window_) return;
    touch_ = std::make_shared<Touch>();
    touch_->setTapCount(tapCount);
    touch_->setLocation(local(screenPoint));
    send(TouchPhase::Began);
  }
  bool down() const { return touch_ != nullptr; }
  std::shared_ptr<View> view() const { return touch_ ? touch_->view() : nullptr; }
  void moveTo(Point screenPoint) {
    if (!touch_) return;
    touch_->moveTo(local(screenPoint));
    send(TouchPhase::Moved);
  }
  void lift() {
    if (!touch_) return;
    send(TouchPhase::Ended);
  }

 private:
  Point local(Point s) const {
    Rect f = window_->frame();
    return {s.x - f.x(), s.y - f.y()};
  }
  void send(TouchPhase phase) {
    touch_->setPhase(phase);
    touch_->setTimestamp(RunLoop::main().now());
    Event e;
    e.setTimestamp(touch_->timestamp());
    e.mutableTouches().push_back(touch_);
    window_->sendEvent(e);
  }
  std::shared_ptr<Window> window_;
  std::shared_ptr<Touch> touch_;
};

void settle() { RunLoop::main().runUntilIdle(); }

Value colorValue(const Color& c) {
  return Value::array({c.red255(), c.green255(), c.blue255(), std::round(c.alpha * 1000) / 1000});
}

Value dumpTree(const View& view, const ViewVisibility& seen) {
  Value v = Value::object();
  v["class"] = view.className();
  Rect f = view.window() ? view.frameInWindow() : view.frame();
  v["frame"] = Value::array({f.x(), f.y(), f.width(), f.height()});
  v["hidden"] = view.isHidden();
  v["alpha"] = std::round(view.alpha() * 1000) / 1000;
  v["visible"] = seen.isVisible(view);
  v["tag"] = view.tag();
  v["text"] = view.automationText();
  v["image"] = view.automationImage();
  v["bg"] = colorValue(view.backgroundColor());
  Value children = Value::array();
  for (auto& s : view.subviews()) children.push_back(dumpTree(*s, seen));
  v["children"] = std::move(children);
  return v;
}

}  // namespace

bool TestDriver::isVisible(const View& view) { return ViewVisibility::ofScreen().isVisible(view); }

std::vector<std::shared_ptr<View>> TestDriver::visibleViews() { return ViewVisibility::ofScreen().frontToBack(); }

std::shared_ptr<View> TestDriver::findByTag(std::int64_t tag) {
  for (auto& v : visibleViews())
    if (v->tag() == tag) return v;
  return nullptr;
}

std::shared_ptr<View> TestDriver::findByText(const std::string& text) {
  auto all = visibleViews();
  for (auto& v : all)
    if (v->automationText() == text) return v;
  if (text.empty()) return nullptr;
  for (auto& v : all)
    if (v->automationText().find(text) != std::string::npos) return v;
  return nullptr;
}

std::shared_ptr<View> TestDriver::findByClass(const std::string& className) {
  for (auto& v : visibleViews())
    if (v->className() == className) return v;
  return nullptr;
}

std::shared_ptr<View> TestDriver::viewAt(Point screenPoint) {
  auto w = Application::sharedApplication().windowAt(screenPoint);
  if (!w) return nullptr;
  Rect f = w->frame();
  return w->hitTest({screenPoint.x - f.x(), screenPoint.y - f.y()});
}

std::shared_ptr<View> TestDriver::find(const std::string& target) {
  if (target.empty()) return nullptr;
  if (target.front() == '"' && target.size() >= 2 && target.back() == '"')
    return findByText(target.substr(1, target.size() - 2));
  if (target.front() == '#') {
    try {
      return findByTag(std::stoll(target.substr(1)));
    } catch (...) {
      return nullptr;
    }
  }
  if (target.front() == '.') return findByClass(target.substr(1));
  if (target.front() == '@') {
    auto comma = target.find(',');
    if (comma == std::string::npos) return nullptr;
    try {
      return viewAt({std::stod(target.substr(1, comma - 1)), std::stod(target.substr(comma + 1))});
    } catch (...) {
      return nullptr;
    }
  }
  return findByText(target);
}

Point TestDriver::touchPointOf(const View& view) {
  Rect seen = ViewVisibility::ofScreen().visiblePart(view);
  if (!seen.isEmpty()) return seen.center();
  auto w = view.window();
  Rect r = view.frameInWindow();
  if (w) {
    Rect onScreen = r.intersection(w->bounds());
    if (!onScreen.isEmpty()) r = onScreen;
    return toScreen(*w, r.center());
  }
  return r.center();
}

// Touches.

std::shared_ptr<View> TestDriver::tapAt(Point p) {
  Finger finger(p);
  auto hit = finger.view();
  RunLoop::main().runFor(0.05);
  finger.lift();
  settle();
  return hit;
}

std::shared_ptr<View> TestDriver::tap(const std::shared_ptr<View>& view) {
  if (!view) return nullptr;
  return tapAt(touchPointOf(*view));
}

std::shared_ptr<View> TestDriver::doubleTap(const std::shared_ptr<View>& view) {
  if (!view) return nullptr;
  return doubleTapAt(touchPointOf(*view));
}

std::shared_ptr<View> TestDriver::doubleTapAt(Point p) {
  std::shared_ptr<View> hit;
  for (int n = 1; n <= 2; ++n) {
    Finger finger(p, n);
    if (!hit) hit = finger.view();
    RunLoop::main().runFor(0.05);
    finger.lift();
    if (n == 1) RunLoop::main().runFor(0.1);
  }
  settle();
  return hit;
}

std::shared_ptr<View> TestDriver::longPress(const std::shared_ptr<View>& view, double seconds) {
  if (!view) return nullptr;
  return longPressAt(touchPointOf(*view), seconds);
}

std::shared_ptr<View> TestDriver::longPressAt(Point p, double seconds) {
  Finger finger(p);
  auto hit = finger.view();
  RunLoop::main().runFor(seconds);
  finger.lift();
  settle();
  return hit;
}

std::shared_ptr<View> TestDriver::dragPath(const std::vector<Point>& path, double seconds) {
  if (path.size() < 2) return nullptr;
  Finger finger(path.front());
  auto hit = finger.view();
  int steps = std::max(1, int(std::ceil(seconds / kMoveStep - 1e-9)));
  double dt = seconds / steps;
  // Points along the path, evenly in time over its segments.
  double total = 0;
  std::vector<double> lengths;
  for (std::size_t i = 1; i < path.size(); ++i) {
    lengths.push_back(std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y));
    total += lengths.back();
  }
  for (int s = 1; s <= steps; ++s) {
    RunLoop::main().runFor(dt);
    double along = total * s / steps;
    Point p = path.back();
    for (std::size_t i = 0; i < lengths.size(); ++i) {
      if (along <= lengths[i] || i + 1 == lengths.size()) {
        double f = lengths[i] > 0 ? std::min(1.0, along / lengths[i]) : 1.0;
        p = {path[i].x + (path[i + 1].x - path[i].x) * f, path[i].y + (path[i + 1].y - path[i].y) * f};
        break;
      }
      along -= lengths[i];
    }
    finger.moveTo(p);
  }
  finger.lift();
  settle();
  return hit;
}

std::shared_ptr<View> TestDriver::drag(const std::shared_ptr<View>& view, double dx, double dy, double seconds) {
  if (!view) return nullptr;
  return dragFrom(touchPointOf(*view), dx, dy, seconds);
}

std::shared_ptr<View> TestDriver::dragFrom(Point p, double dx, double dy, double seconds) {
  return dragPath({p, {p.x + dx, p.y + dy}}, seconds);
}

std::shared_ptr<View> TestDriver::edgeSwipe(double fromX, double toX, double seconds) {
  // Along the interface as the person sees it: in landscape the screens are
  // turned in the window, and so is the swipe.
  auto& app = Application::sharedApplication();
  Size screen = Screen::mainScreen().bounds().size;
  bool turned = isLandscape(app.interfaceOrientation());
  Size face = turned ? Size{screen.height, screen.width} : screen;
  auto window = app.keyWindow();
  if (!window && !app.windows().empty()) window = app.windows().back();
  Point down = window ? window->interfaceDown(1) : Point{0, 1};
  Point right{down.y, -down.x};
  auto toWindow = [&](Point p) {
    double dx = p.x - face.width / 2, dy = p.y - face.height / 2;
    return Point{screen.width / 2 + right.x * dx + down.x * dy, screen.height / 2 + right.y * dx + down.y * dy};
  };
  double y = face.height / 2;
  return dragPath({toWindow({fromX, y}), toWindow({toX, y})}, seconds);
}

// Device.

void TestDriver::rotateDevice(DeviceOrientation orientation) {
  Device::currentDevice().setOrientation(orientation);
  RunLoop::main().runFor(2 * ViewController::kRotationDuration);  // a half turn lasts longest
  settle();
}

// Typing.

bool TestDriver::typeText(const std::string& text) {
  auto* r = Responder::currentFirstResponder();
  if (!r || !r->acceptsText()) return false;
  for (char32_t c : TextMetrics::decode(text)) {
    r = Responder::currentFirstResponder();
    if (!r || !r->acceptsText()) return false;
    if (c == U'\n') r->pressReturn();
    else r->insertText(TextMetrics::encode(std::u32string(1, c)));
  }
  settle();
  return true;
}

bool TestDriver::typeText(const std::shared_ptr<View>& view, const std::string& text) {
  if (!view || !view->becomeFirstResponder()) return false;
  return typeText(text);
}

bool TestDriver::pressReturn() {
  auto* r = Responder::currentFirstResponder();
  if (!r || !r->acceptsText()) return false;
  r->pressReturn();
  settle();
  return true;
}

bool TestDriver::backspace(int count) {
  for (int i = 0; i < count; ++i) {
    auto* r = Responder::currentFirstResponder();
    if (!r || !r->acceptsText()) return false;
    r->deleteBackward();
  }
  settle();
  return true;
}

// Dump.

Value TestDriver::dumpValue(const View& view) { return dumpTree(view, ViewVisibility::ofScreen()); }

Value TestDriver::dumpScreen() {
  Value v = Value::object();
  Rect b = Screen::mainScreen().bounds();
  v["class"] = "Screen";
  v["frame"] = Value::array({b.x(), b.y(), b.width(), b.height()});
  v["hidden"] = false;
  v["alpha"] = 1.0;
  v["visible"] = true;
  v["tag"] = 0;
  v["text"] = "";
  v["image"] = "";
  v["bg"] = colorValue(Color::clear());
  Value children = Value::array();
  auto seen = ViewVisibility::ofScreen();
  for (auto& w : shownWindows()) children.push_back(dumpTree(*w, seen));
  v["children"] = std::move(children);
  return v;
}

std::string TestDriver::dump(const View* view) {
  return (view ? dumpValue(*view) : dumpScreen()).dump();
}

}  // namespace platform
