#pragma once
// The small views alerts, sheets and pickers are built of: a text line and a
// titled button that reports a tap (a touch that began and ended inside it).
#include <functional>
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

class NoticeButtonView : public View {
 public:
  NoticeButtonView(std::string title, std::function<void()> onTap, const Rect& frame = {});
  std::string className() const override { return "NoticeButton"; }
  const std::string& title() const { return title_; }
  std::string automationText() const override { return title_; }
  bool isHighlighted() const { return highlighted_; }

  void touchesBegan(const TouchSet& touches, const Event& event) override;
  void touchesMoved(const TouchSet& touches, const Event& event) override;
  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void touchesCancelled(const TouchSet& touches, const Event& event) override;

 private:
  bool inside(const TouchSet& touches) const;
  std::string title_;
  std::function<void()> onTap_;
  bool highlighted_ = false;
};

}  // namespace platform
