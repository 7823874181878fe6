#include "platform/ui/NoticeParts.h"

namespace platform {

NoticeButtonView::NoticeButtonView(std::string title, std::function<void()> onTap, const Rect& frame)
    : View(frame), title_(std::move(title)), onTap_(std::move(onTap)) {
  setBackgroundColor(Color::white(0.97));
}

bool NoticeButtonView::inside(const TouchSet& touches) const {
  if (touches.empty()) return false;
  return bounds().contains(touches.front()->locationInView(this));
}

void NoticeButtonView::touchesBegan(const TouchSet&, const Event&) { highlighted_ = true; }

void NoticeButtonView::touchesMoved(const TouchSet& touches, const Event&) { highlighted_ = inside(touches); }

void NoticeButtonView::touchesEnded(const TouchSet& touches, const Event&) {
  bool tapped = highlighted_ && inside(touches);
  highlighted_ = false;
  if (tapped && onTap_) {
    auto keep = shared_from_this();  // the tap may take the button off screen
    onTap_();
  }
}

void NoticeButtonView::touchesCancelled(const TouchSet&, const Event&) { highlighted_ = false; }

}  // namespace platform
