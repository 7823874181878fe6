#pragma once
// The on-screen keyboard as a platform object. It rises when a responder that
// takes text becomes first responder and falls when none does, posting the
// will/did show, hide and change-frame notifications with the begin and end
// frames (screen coordinates), the duration and the curve. Its keys live in a
// window of their own (the application's second window, level 1), full screen
// and letting touches through outside the keys, so a screen may lay a key of
// its own over the keyboard.
#include <map>
#include <memory>

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Responder.h"

namespace platform {

class Window;
class View;

inline constexpr char kKeyboardWillShowNotification[] = "UIKeyboardWillShowNotification";
inline constexpr char kKeyboardDidShowNotification[] = "UIKeyboardDidShowNotification";
inline constexpr char kKeyboardWillHideNotification[] = "UIKeyboardWillHideNotification";
inline constexpr char kKeyboardDidHideNotification[] = "UIKeyboardDidHideNotification";
inline constexpr char kKeyboardWillChangeFrameNotification[] = "UIKeyboardWillChangeFrameNotification";
inline constexpr char kKeyboardDidChangeFrameNotification[] = "UIKeyboardDidChangeFrameNotification";
inline constexpr char kKeyboardFrameBeginUserInfoKey[] = "UIKeyboardFrameBeginUserInfoKey";
inline constexpr char kKeyboardFrameEndUserInfoKey[] = "UIKeyboardFrameEndUserInfoKey";
inline constexpr char kKeyboardAnimationDurationUserInfoKey[] = "UIKeyboardAnimationDurationUserInfoKey";
inline constexpr char kKeyboardAnimationCurveUserInfoKey[] = "UIKeyboardAnimationCurveUserInfoKey";

class Keyboard {
 public:
  static Keyboard& shared();
  static constexpr double kAnimationDuration = 0.25;
  static constexpr int kAnimationCurve = 7;  // the keyboard's own curve number

  bool isVisible() const { return visible_; }
  KeyboardType type() const { return type_; }
  // Where the keyboard is (screen coordinates); below the screen when down.
  Rect frame() const;
  double heightFor(KeyboardType type) const;
  void setHeight(KeyboardType type, double height) { heights_[type] = height; }

  // The keyboard's window and the view of its keys (present once shown).
  std::shared_ptr<Window> window() const { return window_; }
  std::shared_ptr<View> keysView() const { return keys_; }

  // Driven by the first responder. An input view stands in for the keys (its
  // height is the keyboard's); an accessory view sits on top of either.
  void show(KeyboardType type, std::shared_ptr<View> inputView = nullptr,
            std::shared_ptr<View> accessoryView = nullptr);
  std::shared_ptr<View> inputView() const { return inputView_; }
  std::shared_ptr<View> accessoryView() const { return accessory_; }
  void hide();
  void reset();

  // Reading a keyboard notification's user information.
  static Rect beginFrame(const Notification& n);
  static Rect endFrame(const Notification& n);
  static double animationDuration(const Notification& n);
  static int animationCurve(const Notification& n);

 private:
  Keyboard() = default;
  Rect frameFor(bool shown, KeyboardType type) const;
  void post(const char* name, const Rect& begin, const Rect& end);
  void ensureWindow();

  bool visible_ = false;
  KeyboardType type_ = KeyboardType::Default;
  std::map<KeyboardType, double> heights_;
  std::shared_ptr<Window> window_;
  std::shared_ptr<View> keys_;
  std::shared_ptr<View> inputView_;
  std::shared_ptr<View> accessory_;
};

}  // namespace platform
