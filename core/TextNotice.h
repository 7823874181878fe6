#pragma once
// A short text notice over the window that hides itself after a given time and
// then reports that it has hidden (the ProgressHud's text mode, as the
// application delegate's notice box uses it).
//
// Until the shared notice component is built, the default notice only keeps its
// text and hides on a timer of the main loop; the component installs its own
// maker with setTextNoticeMaker.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vorn {

class TextNotice {
 public:
  virtual ~TextNotice();
  // Shows `text`; after `seconds` on the main loop the notice hides and calls `hidden`.
  virtual void show(const std::string& text, double seconds, std::function<void()> hidden);
  // Takes the notice off the screen at once (no hidden report).
  virtual void removeFromSuperview();
  const std::string& text() const { return text_; }
  bool isShowing() const { return showing_; }

 protected:
  std::string text_;
  bool showing_ = false;
  std::uint64_t timer_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

using TextNoticeMaker = std::function<std::shared_ptr<TextNotice>()>;
void setTextNoticeMaker(TextNoticeMaker maker);
std::shared_ptr<TextNotice> makeTextNotice();

// Hears every text notice shown (the automation's notices log); may be empty.
void setTextNoticeListener(std::function<void(const std::string& text)> listener);

}  // namespace vorn
