#include "platform/ui/Keyboard.h"

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

// The keyboard's window: touches go through it except on its subviews.
class KeyboardWindow : public Window {
 public:
  using Window::Window;
  std::string className() const override { return "KeyboardWindow"; }
  std::shared_ptr<View> hitTest(Point point, const Event* event) override {
    auto hit = Window::hitTest(point, event);
    return hit.get() == this ? nullptr : hit;
  }
};

class KeyboardKeysView : public View {
 public:
  using View::View;
  std::string className() const override { return "Keyboard"; }
};

Value rectValue(const Rect& r) { return Value::array({r.x(), r.y(), r.width(), r.height()}); }

Rect rectOf(const Value& v) {
  if (!v.is_array() || v.size() != 4) return {};
  for (auto& e : v)
    if (!e.is_number()) return {};
  return {v[0].get<double>(), v[1].get<double>(), v[2].get<double>(), v[3].get<double>()};
}

}  // namespace

Keyboard& Keyboard::shared() {
  static Keyboard* keyboard = new Keyboard();
  return *keyboard;
}

double Keyboard::heightFor(KeyboardType type) const {
  auto it = heights_.find(type);
  return it == heights_.end() ? 216 : it->second;
}

Rect Keyboard::frameFor(bool shown, KeyboardType type) const {
  Rect screen = Screen::mainScreen().bounds();
  double h = heightFor(type);
  return {0, shown ? screen.height() - h : screen.height(), screen.width(), h};
}

Rect Keyboard::frame() const { return frameFor(visible_, type_); }

void Keyboard::ensureWindow() {
  if (!window_) {
    window_ = std::make_shared<KeyboardWindow>(Screen::mainScreen().bounds());
    window_->setWindowLevel(1);
    keys_ = std::make_shared<KeyboardKeysView>();
    window_->addSubview(keys_);
  }
}

void Keyboard::post(const char* name, const Rect& begin, const Rect& end) {
  Value info = Value::object();
  info[kKeyboardFrameBeginUserInfoKey] = rectValue(begin);
  info[kKeyboardFrameEndUserInfoKey] = rectValue(end);
  info[kKeyboardAnimationDurationUserInfoKey] = kAnimationDuration;
  info[kKeyboardAnimationCurveUserInfoKey] = kAnimationCurve;
  NotificationCenter::defaultCenter().post(name, {}, info);
}

void Keyboard::show(KeyboardType type) {
  Rect begin = frame();
  if (visible_ && type == type_) return;
  bool wasVisible = visible_;
  visible_ = true;
  type_ = type;
  Rect end = frame();
  ensureWindow();
  window_->setFrame(Screen::mainScreen().bounds());
  keys_->setFrame(end);
  window_->setHidden(false);
  post(kKeyboardWillChangeFrameNotification, begin, end);
  post(kKeyboardWillShowNotification, begin, end);
  (void)wasVisible;
  RunLoop::main().schedule(kAnimationDuration, [this, begin, end] {
    if (!visible_ || frame() != end) return;
    post(kKeyboardDidShowNotification, begin, end);
    post(kKeyboardDidChangeFrameNotification, begin, end);
  });
}

void Keyboard::hide() {
  if (!visible_) return;
  Rect begin = frame();
  visible_ = false;
  Rect end = frame();
  post(kKeyboardWillChangeFrameNotification, begin, end);
  post(kKeyboardWillHideNotification, begin, end);
  if (window_) window_->setHidden(true);
  RunLoop::main().schedule(kAnimationDuration, [this, begin, end] {
    if (visible_) return;
    post(kKeyboardDidHideNotification, begin, end);
    post(kKeyboardDidChangeFrameNotification, begin, end);
  });
}

void Keyboard::reset() {
  visible_ = false;
  type_ = KeyboardType::Default;
  heights_.clear();
  window_.reset();
  keys_.reset();
}

Rect Keyboard::beginFrame(const Notification& n) { return rectOf(valueFor(n.userInfo, kKeyboardFrameBeginUserInfoKey)); }
Rect Keyboard::endFrame(const Notification& n) { return rectOf(valueFor(n.userInfo, kKeyboardFrameEndUserInfoKey)); }
double Keyboard::animationDuration(const Notification& n) {
  auto v = valueFor(n.userInfo, kKeyboardAnimationDurationUserInfoKey);
  return v.is_number() ? v.get<double>() : 0;
}
int Keyboard::animationCurve(const Notification& n) {
  return static_cast<int>(intValueOf(n.userInfo, kKeyboardAnimationCurveUserInfoKey));
}

}  // namespace platform
