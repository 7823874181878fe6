#pragma once
// A plain line of text inside notices, status-bar messages and map callouts.
#include <string>

#include "platform/ui/View.h"

namespace platform {

class NoticeTextView : public View {
 public:
  explicit NoticeTextView(std::string text = {}, const Rect& frame = {}) : View(frame), text_(std::move(text)) {
    setBackgroundColor(Color::clear());
    setUserInteractionEnabled(false);
  }
  std::string className() const override { return "NoticeText"; }
  const std::string& text() const { return text_; }
  void setText(std::string text) { text_ = std::move(text); }
  std::string automationText() const override { return text_; }

 private:
  std::string text_;
};

}  // namespace platform
