#pragma once
// The base of everything that takes touches and typing: views, view controllers,
// the application. Unhandled touches go up the responder chain.
#include <memory>
#include <string>

#include "platform/ui/Touch.h"

// Declares a class's name for tree dumps and ".CLASS" lookups, in its class body:
//   class NewsViewController : public ... { public: PLATFORM_CLASS_NAME(NewsViewController) ... };
#define PLATFORM_CLASS_NAME(Name) \
  std::string className() const override { return #Name; }

namespace platform {

class View;

enum class KeyboardType {
  Default = 0, AsciiCapable = 1, NumbersAndPunctuation = 2, URL = 3, NumberPad = 4,
  PhonePad = 5, NamePhonePad = 6, EmailAddress = 7, DecimalPad = 8
};
enum class ReturnKeyType { Default = 0, Go = 1, Google = 2, Join = 3, Next = 4, Route = 5,
                           Search = 6, Send = 7, Yahoo = 8, Done = 9, EmergencyCall = 10 };

class Responder {
 public:
  virtual ~Responder();

  // The next link of the chain: a view's view controller or superview, a view
  // controller's parent view, a window's application. Null at the end.
  virtual Responder* nextResponder() const { return nullptr; }

  virtual void touchesBegan(const TouchSet& touches, const Event& event);
  virtual void touchesMoved(const TouchSet& touches, const Event& event);
  virtual void touchesEnded(const TouchSet& touches, const Event& event);
  virtual void touchesCancelled(const TouchSet& touches, const Event& event);

  // First responder: the one object that receives typing.
  virtual bool canBecomeFirstResponder() const { return false; }
  virtual bool canResignFirstResponder() const { return true; }
  virtual bool becomeFirstResponder();
  virtual bool resignFirstResponder();
  bool isFirstResponder() const;
  // Stops being the first responder without asking (endEditing with force).
  void forceResignFirstResponder();
  static Responder* currentFirstResponder();

  // Typing, for responders that take text (text fields, text views): the
  // keyboard sends these to the first responder.
  virtual bool acceptsText() const { return false; }
  virtual KeyboardType keyboardType() const { return KeyboardType::Default; }
  virtual ReturnKeyType returnKeyType() const { return ReturnKeyType::Default; }
  virtual void insertText(const std::string& text) { (void)text; }
  virtual void deleteBackward() {}
  // A view shown instead of the keyboard's keys, and a bar above them, while
  // this responder takes text (none: the keys of keyboardType()).
  virtual std::shared_ptr<View> inputView() const { return nullptr; }
  virtual std::shared_ptr<View> inputAccessoryView() const { return nullptr; }
  // The return key (a text field's should-return, a text view's new line).
  virtual void pressReturn() { insertText("\n"); }

  // A short name of the class for tree dumps and ".CLASS" lookups; a subclass
  // declares its own with PLATFORM_CLASS_NAME(Name).
  virtual std::string className() const { return "Responder"; }

 protected:
  // Called when this responder has become, or stopped being, the first responder.
  virtual void didBecomeFirstResponder() {}
  virtual void didResignFirstResponder() {}
};

}  // namespace platform
