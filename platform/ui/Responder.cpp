#include "platform/ui/Responder.h"

#include "platform/ui/Keyboard.h"

namespace platform {
namespace {
Responder*& firstResponder() {
  static Responder* current = nullptr;
  return current;
}
}  // namespace

Responder::~Responder() {
  if (firstResponder() == this) {
    firstResponder() = nullptr;
    Keyboard::shared().hide();
  }
}

void Responder::touchesBegan(const TouchSet& touches, const Event& event) {
  if (auto* next = nextResponder()) next->touchesBegan(touches, event);
}
void Responder::touchesMoved(const TouchSet& touches, const Event& event) {
  if (auto* next = nextResponder()) next->touchesMoved(touches, event);
}
void Responder::touchesEnded(const TouchSet& touches, const Event& event) {
  if (auto* next = nextResponder()) next->touchesEnded(touches, event);
}
void Responder::touchesCancelled(const TouchSet& touches, const Event& event) {
  if (auto* next = nextResponder()) next->touchesCancelled(touches, event);
}

Responder* Responder::currentFirstResponder() { return firstResponder(); }

bool Responder::isFirstResponder() const { return firstResponder() == this; }

bool Responder::becomeFirstResponder() {
  if (firstResponder() == this) return true;
  if (!canBecomeFirstResponder()) return false;
  if (Responder* old = firstResponder()) {
    if (!old->canResignFirstResponder()) return false;
    firstResponder() = nullptr;
    old->didResignFirstResponder();
  }
  firstResponder() = this;
  didBecomeFirstResponder();
  if (firstResponder() != this) return false;  // handed on while becoming
  if (acceptsText()) Keyboard::shared().show(keyboardType(), inputView(), inputAccessoryView());
  else Keyboard::shared().hide();
  return true;
}

void Responder::forceResignFirstResponder() {
  if (firstResponder() != this) return;
  firstResponder() = nullptr;
  didResignFirstResponder();
  if (!firstResponder()) Keyboard::shared().hide();
}

bool Responder::resignFirstResponder() {
  if (firstResponder() != this) return true;
  if (!canResignFirstResponder()) return false;
  firstResponder() = nullptr;
  didResignFirstResponder();
  if (!firstResponder()) Keyboard::shared().hide();
  return true;
}

}  // namespace platform
