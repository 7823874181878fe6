#pragma once
// Builds the cloud speech recogniser for voice search (the board directory and
// the car search), with the service's application id and the fixed settings.
#include <memory>
#include <string>

#include "platform/services/SpeechRecognizer.h"

namespace vorn {

inline constexpr char kSpeechInitFormat[] = "appid=%@,timeout=%@";
inline constexpr char kSpeechAppId[] = "c4d2098f";
inline constexpr char kSpeechTimeout[] = "20000";
inline constexpr char kSpeechDomainKey[] = "domain";
// The domain both voice searches ask for.
inline constexpr char kSpeechDomainDictation[] = "iat";

class RecognizerFactory {
 public:
  static std::shared_ptr<platform::services::SpeechRecognizer> CreateRecognizer(
      std::weak_ptr<platform::services::SpeechRecognizerDelegate> delegate, const std::string& domain);
  // The init string filled with the application id and the time-out.
  static std::string initString();
};

}  // namespace vorn
