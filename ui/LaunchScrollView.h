#pragma once
// A scroll view that passes every touch on: after handling a phase itself it
// sends the same phase with the same touches to its next responder, so that the
// view or screen behind it sees the touches too. Dragging still scrolls it.
#include <memory>

#include "platform/ui/ScrollView.h"

namespace vorn {

class LaunchScrollView : public platform::ScrollView {
 public:
  using ScrollView::ScrollView;
  static std::shared_ptr<LaunchScrollView> create(const platform::Rect& frame = {}) {
    return std::make_shared<LaunchScrollView>(frame);
  }
  std::string className() const override { return "LaunchScrollView"; }

  void touchesBegan(const platform::TouchSet& touches, const platform::Event& event) override;
  void touchesMoved(const platform::TouchSet& touches, const platform::Event& event) override;
  void touchesEnded(const platform::TouchSet& touches, const platform::Event& event) override;
  void touchesCancelled(const platform::TouchSet& touches, const platform::Event& event) override;
};

}  // namespace vorn
