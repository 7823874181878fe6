#include "platform/services/Pasteboard.h"

namespace platform::services {

Pasteboard& Pasteboard::general() {
  static Pasteboard instance;
  return instance;
}

void Pasteboard::setString(const std::string& text) {
  {
    std::lock_guard lock(mutex_);
    text_ = text;
  }
  calls_.record("setString", Value{{"string", text}});
}

std::optional<std::string> Pasteboard::string() const {
  std::lock_guard lock(mutex_);
  return text_;
}

void Pasteboard::reset() {
  {
    std::lock_guard lock(mutex_);
    text_.reset();
  }
  calls_.clear();
}

}  // namespace platform::services
