#include "platform/ui/FeedbackScreen.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextView.h"

namespace platform {
namespace {

constexpr char kFeedbackTitle[] = "意见反馈";
constexpr char kSendTitle[] = "发送";
constexpr char kCloseTitle[] = "关闭";

std::vector<Value>& historyList() {
  static std::vector<Value> list;
  return list;
}

void note(const char* op, const std::string& appKey, const std::string& text) {
  Value v = Value::object();
  v["op"] = op;
  v["appKey"] = appKey;
  v["text"] = text;
  historyList().push_back(std::move(v));
}

}  // namespace

std::vector<Value> FeedbackScreen::history() { return historyList(); }
void FeedbackScreen::resetHistory() { historyList().clear(); }

std::shared_ptr<FeedbackScreen> FeedbackScreen::showFeedback(const std::shared_ptr<ViewController>& presenter,
                                                             const std::string& appKey) {
  auto screen = std::make_shared<FeedbackScreen>(appKey);
  note("open", appKey, "");
  if (presenter) presenter->presentViewController(screen, true);
  return screen;
}

void FeedbackScreen::loadView() {
  Rect bounds = Screen::mainScreen().bounds();
  auto page = View::create(bounds);
  page->setBackgroundColor(Color::white(0.97));
  auto title = Label::create({70, 20, bounds.width() - 140, 44});
  title->setText(kFeedbackTitle);
  title->setTextAlignment(TextAlignment::Center);
  title->setFont(Font::boldSystemFont(17));
  page->addSubview(title);
  std::weak_ptr<FeedbackScreen> weak = std::static_pointer_cast<FeedbackScreen>(shared_from_this());
  close_ = std::make_shared<Button>(Rect(0, 20, 70, 44), ButtonType::System);
  close_->setTitle(kCloseTitle, ControlState::Normal);
  close_->addAction([weak](Control&) {
    if (auto self = weak.lock()) self->close();
  }, ControlEvent::TouchUpInside);
  page->addSubview(close_);
  send_ = std::make_shared<Button>(Rect(bounds.width() - 70, 20, 70, 44), ButtonType::System);
  send_->setTitle(kSendTitle, ControlState::Normal);
  send_->addAction([weak](Control&) {
    if (auto self = weak.lock()) self->send();
  }, ControlEvent::TouchUpInside);
  page->addSubview(send_);
  message_ = TextView::create({10, 74, bounds.width() - 20, 160});
  message_->setFont(Font::systemFont(15));
  message_->layer().borderWidth = 0.5;
  message_->layer().borderColor = Color::lightGray();
  page->addSubview(message_);
  setView(page);
}

void FeedbackScreen::send() {
  if (!message_ || trimWhitespaceAndNewlines(message_->text()).empty()) return;
  note("send", appKey_, message_->text());
  close();
}

void FeedbackScreen::close() {
  if (message_) message_->resignFirstResponder();
  dismissViewController(true);
}

}  // namespace platform
