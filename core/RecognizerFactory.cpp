#include "core/RecognizerFactory.h"

#include <utility>

namespace vorn {
namespace {

// The settings after the domain, in the order the service is given them.
constexpr std::pair<const char*, const char*> kFixedParameters[] = {
    {"sample_rate", "16000"}, {"plain_result", "0"}, {"asr_audio_path", "asr.pcm"},
    {"asr_ptt", "0"},         {"vad_bos", "5000"},   {"vad_eos", "1000"},
};

std::string fillFormat(std::string format, std::initializer_list<std::string> values) {
  std::size_t from = 0;
  for (const auto& value : values) {
    const auto at = format.find("%@", from);
    if (at == std::string::npos) break;
    format.replace(at, 2, value);
    from = at + value.size();
  }
  return format;
}

}  // namespace

std::string RecognizerFactory::initString() { return fillFormat(kSpeechInitFormat, {kSpeechAppId, kSpeechTimeout}); }

std::shared_ptr<platform::services::SpeechRecognizer> RecognizerFactory::CreateRecognizer(
    std::weak_ptr<platform::services::SpeechRecognizerDelegate> delegate, const std::string& domain) {
  auto recognizer = platform::services::SpeechRecognizer::create(initString(), delegate);
  recognizer->setDelegate(delegate);
  recognizer->setParameter(kSpeechDomainKey, domain);
  for (const auto& [key, value] : kFixedParameters) recognizer->setParameter(key, value);
  return recognizer;
}

}  // namespace vorn
