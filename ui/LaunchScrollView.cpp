#include "ui/LaunchScrollView.h"

namespace vorn {

// The platform's scroll view does its own work through its drag recognizer and
// hands unhandled touches up the chain itself; a plain pass to the next
// responder therefore gives it exactly one copy of each phase.

void LaunchScrollView::touchesBegan(const platform::TouchSet& touches, const platform::Event& event) {
  if (auto* next = nextResponder()) next->touchesBegan(touches, event);
}

void LaunchScrollView::touchesMoved(const platform::TouchSet& touches, const platform::Event& event) {
  if (auto* next = nextResponder()) next->touchesMoved(touches, event);
}

void LaunchScrollView::touchesEnded(const platform::TouchSet& touches, const platform::Event& event) {
  if (auto* next = nextResponder()) next->touchesEnded(touches, event);
}

void LaunchScrollView::touchesCancelled(const platform::TouchSet& touches, const platform::Event& event) {
  if (auto* next = nextResponder()) next->touchesCancelled(touches, event);
}

}  // namespace vorn
