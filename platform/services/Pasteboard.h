#pragma once
// The general pasteboard: one text, shared by the whole application.
#include <mutex>
#include <optional>
#include <string>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

class Pasteboard {
 public:
  static Pasteboard& general();

  void setString(const std::string& text);
  // The text last put on the pasteboard; nullopt when none was.
  std::optional<std::string> string() const;

  const ServiceCalls& calls() const { return calls_; }
  void reset();

 private:
  Pasteboard() = default;
  mutable std::mutex mutex_;
  std::optional<std::string> text_;
  ServiceCalls calls_;
};

}  // namespace platform::services
