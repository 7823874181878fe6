#pragma once
// The cloud speech recogniser. It is created from an init string
// ("appid=…,timeout=…"), given parameters one by one, and started; while it
// listens, what the user says comes from tests or the driver:
// deliverPhrase() / deliverError() reach the recogniser that is listening (or
// that was stopped and is still recognising) and no other.
//
// Every callback comes on the main loop. A phrase is reported as the speaking
// volume, the begin of speech, the end of speech, the result (an array whose first
// element is a dictionary keyed by the recognised text) and the end of the session
// (an error with code 0). When nothing is said for the "vad_bos" parameter's
// milliseconds after the start (5000 when not set), the session ends with
// kSpeechErrorNoSpeech. stop() ends the recording (end of speech) and keeps the
// session open for what was heard; cancel() drops it and reports onCancel.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Value.h"
#include "platform/services/ServiceCalls.h"

namespace platform::services {

inline constexpr int kSpeechErrorNone = 0;          // the session ended normally
inline constexpr int kSpeechErrorNoSpeech = 10118;  // nothing was said
inline constexpr int kSpeechErrorNetwork = 20001;   // no usable network
inline constexpr int kSpeechVolumeWhileSpeaking = 18;
inline constexpr double kSpeechDefaultBeginTimeoutSeconds = 5.0;

struct SpeechError {
  int code = kSpeechErrorNone;
  std::string text;
};

class SpeechRecognizerDelegate {
 public:
  virtual ~SpeechRecognizerDelegate() = default;
  virtual void onVolumeChanged(int /*volume*/) {}
  virtual void onBeginOfSpeech() {}
  virtual void onEndOfSpeech() {}
  virtual void onError(const SpeechError& /*error*/) {}
  virtual void onResults(const Value& /*results*/, bool /*isLast*/) {}
  virtual void onCancel() {}
};

class SpeechRecognizer : public std::enable_shared_from_this<SpeechRecognizer> {
 public:
  enum class State { Idle, Listening, Recognising };

  static std::shared_ptr<SpeechRecognizer> create(const std::string& initString,
                                                  std::weak_ptr<SpeechRecognizerDelegate> delegate = {});
  ~SpeechRecognizer();

  void setDelegate(std::weak_ptr<SpeechRecognizerDelegate> delegate);
  // Parameters are kept in the order they were set; setting one again replaces its value.
  bool setParameter(const std::string& key, const std::string& value);
  // Starts listening; false (and nothing reported) when the init string names no
  // application id, when starting is refused (setStartRefused) or when another
  // recogniser is listening. Starting while still recognising drops that session.
  bool startListening();
  void stopListening();
  void cancel();

  State state() const { return state_; }
  bool isListening() const { return state_ == State::Listening; }
  std::string initString() const { return initString_; }
  std::string initValue(const std::string& key) const;  // "" when absent
  std::string parameter(const std::string& key) const;  // "" when absent
  std::vector<std::pair<std::string, std::string>> parameters() const { return parameters_; }
  const ServiceCalls& calls() const { return calls_; }

  // Answers for this recogniser (tests); false when it has no open session.
  bool answerPhrase(const std::string& text);
  bool answerError(int code, const std::string& text = "");

  // The recogniser with an open session (listening or recognising), if any.
  static std::shared_ptr<SpeechRecognizer> active();
  // Answers for whichever recogniser has an open session (the driver).
  static bool deliverPhrase(const std::string& text);
  static bool deliverError(int code);
  static std::string errorText(int code);
  // While set, every start is refused (the service cannot be reached).
  static void setStartRefused(bool refused);
  static void resetAll();

 private:
  SpeechRecognizer() = default;
  void endSession();
  // Runs `report` with the delegate on the main loop, unless the session was
  // cancelled or another one started by then.
  void report(std::function<void(SpeechRecognizerDelegate&)> report);
  double beginTimeoutSeconds() const;

  std::string initString_;
  std::map<std::string, std::string> init_;
  std::vector<std::pair<std::string, std::string>> parameters_;
  std::weak_ptr<SpeechRecognizerDelegate> delegate_;
  State state_ = State::Idle;
  bool speechBegun_ = false;
  std::uint64_t session_ = 0;  // bumped by a start and a cancel
  TimerId beginTimer_ = 0;
  ServiceCalls calls_;
};

}  // namespace platform::services
