#include "platform/ui/Keyboard.h"

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
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
  double h = inputView_ ? inputView_->frame().height() : heightFor(type);
  if (accessory_) h += accessory_->frame().height();
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

void Keyboard::show(KeyboardType type, std::shared_ptr<View> inputView, std::shared_ptr<View> accessoryView) {
  Rect begin = frame();
  if (visible_ && type == type_ && inputView == inputView_ && accessoryView == accessory_) return;
  for (auto* old : {&inputView_, &accessory_})
    if (*old && *old != inputView && *old != accessoryView && window_ && (*old)->superview() == window_)
      (*old)->removeFromSuperview();
  visible_ = true;
  type_ = type;
  inputView_ = std::move(inputView);
  accessory_ = std::move(accessoryView);
  Rect end = frame();
  ensureWindow();
  window_->setFrame(Screen::mainScreen().bounds());
  double top = end.y();
  if (accessory_) {
    double h = accessory_->frame().height();
    window_->addSubview(accessory_);
    accessory_->setFrame({0, top, end.width(), h});
    top += h;
  }
  Rect keysArea{0, top, end.width(), end.maxY() - top};
  keys_->setFrame(keysArea);
  keys_->setHidden(inputView_ != nullptr);
  if (inputView_) {
    window_->addSubview(inputView_);
    inputView_->setFrame(keysArea);
  }
  window_->setHidden(false);
  post(kKeyboardWillChangeFrameNotification, begin, end);
  post(kKeyboardWillShowNotification, begin, end);
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
  inputView_.reset();
  accessory_.reset();
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
