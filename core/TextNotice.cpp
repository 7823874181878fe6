#include "core/TextNotice.h"

#include "platform/foundation/RunLoop.h"

namespace vorn {
namespace {

TextNoticeMaker& maker() {
  static TextNoticeMaker m;
  return m;
}

std::function<void(const std::string&)>& listener() {
  static std::function<void(const std::string&)> l;
  return l;
}

}  // namespace

TextNotice::~TextNotice() {
  if (timer_) platform::cancelDispatch(timer_);
}

void TextNotice::show(const std::string& text, double seconds, std::function<void()> hidden) {
  text_ = text;
  showing_ = true;
  if (listener()) listener()(text);
  std::weak_ptr<bool> alive = alive_;
  timer_ = platform::dispatchAfter(seconds, [this, alive, hidden = std::move(hidden)] {
    if (alive.expired()) return;
    timer_ = 0;
    showing_ = false;
    if (hidden) hidden();
  });
}

void TextNotice::removeFromSuperview() {
  showing_ = false;
  if (timer_) platform::cancelDispatch(timer_);
  timer_ = 0;
}

void setTextNoticeMaker(TextNoticeMaker m) { maker() = std::move(m); }

std::shared_ptr<TextNotice> makeTextNotice() {
  if (maker()) return maker()();
  return std::make_shared<TextNotice>();
}

void setTextNoticeListener(std::function<void(const std::string&)> l) { listener() = std::move(l); }

}  // namespace vorn
