#pragma once
// The analytics vendor's feedback screen: presented modally over a screen,
// opened with the application key; a person types a message into its text
// view and sends it, or closes the screen. On the desktop nothing leaves the
// machine: openings and sent messages are recorded for tests and the
// automation interface.
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/ViewController.h"

namespace platform {

class Button;
class TextView;

class FeedbackScreen : public ViewController {
 public:
  explicit FeedbackScreen(std::string appKey) : appKey_(std::move(appKey)) {}
  std::string className() const override { return "FeedbackScreen"; }
  // Presents the screen over `presenter`, animated; answers it.
  static std::shared_ptr<FeedbackScreen> showFeedback(const std::shared_ptr<ViewController>& presenter,
                                                      const std::string& appKey);
  const std::string& appKey() const { return appKey_; }

  std::shared_ptr<TextView> messageView() const { return message_; }
  std::shared_ptr<Button> sendButton() const { return send_; }
  std::shared_ptr<Button> closeButton() const { return close_; }
  // Records the typed message (an empty one is not sent) and closes.
  void send();
  void close();

  // Every opening and sending, oldest first: {"op": "open"|"send", "appKey", "text"}.
  static std::vector<Value> history();
  static void resetHistory();

  void loadView() override;

 private:
  std::string appKey_;
  std::shared_ptr<TextView> message_;
  std::shared_ptr<Button> send_;
  std::shared_ptr<Button> close_;
};

}  // namespace platform
