#include "platform/services/SpeechRecognizer.h"

#include <cstdlib>

namespace platform::services {

namespace {

std::weak_ptr<SpeechRecognizer>& activeRecognizer() {
  static std::weak_ptr<SpeechRecognizer> active;
  return active;
}

bool& startRefused() {
  static bool refused = false;
  return refused;
}

std::string trim(const std::string& s) {
  auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  auto e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

}  // namespace

std::shared_ptr<SpeechRecognizer> SpeechRecognizer::create(const std::string& initString,
                                                           std::weak_ptr<SpeechRecognizerDelegate> delegate) {
  std::shared_ptr<SpeechRecognizer> r(new SpeechRecognizer());
  r->initString_ = initString;
  r->delegate_ = std::move(delegate);
  std::size_t start = 0;
  while (start <= initString.size()) {
    auto comma = initString.find(',', start);
    std::string pair = initString.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    auto eq = pair.find('=');
    if (eq != std::string::npos) r->init_[trim(pair.substr(0, eq))] = trim(pair.substr(eq + 1));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  r->calls_.record("create", Value{{"initString", initString}});
  return r;
}

SpeechRecognizer::~SpeechRecognizer() {
  if (beginTimer_) cancelDispatch(beginTimer_);
}

void SpeechRecognizer::setDelegate(std::weak_ptr<SpeechRecognizerDelegate> delegate) {
  delegate_ = std::move(delegate);
  calls_.record("setDelegate");
}

bool SpeechRecognizer::setParameter(const std::string& key, const std::string& value) {
  calls_.record("setParameter", Value{{"key", key}, {"value", value}});
  if (key.empty()) return false;
  for (auto& [k, v] : parameters_) {
    if (k == key) {
      v = value;
      return true;
    }
  }
  parameters_.emplace_back(key, value);
  return true;
}

std::string SpeechRecognizer::initValue(const std::string& key) const {
  auto it = init_.find(key);
  return it == init_.end() ? "" : it->second;
}

std::string SpeechRecognizer::parameter(const std::string& key) const {
  for (const auto& [k, v] : parameters_) {
    if (k == key) return v;
  }
  return "";
}

double SpeechRecognizer::beginTimeoutSeconds() const {
  std::string ms = parameter("vad_bos");
  if (ms.empty()) return kSpeechDefaultBeginTimeoutSeconds;
  char* end = nullptr;
  long value = std::strtol(ms.c_str(), &end, 10);
  if (end == ms.c_str() || value <= 0) return kSpeechDefaultBeginTimeoutSeconds;
  return static_cast<double>(value) / 1000.0;
}

bool SpeechRecognizer::startListening() {
  auto other = activeRecognizer().lock();
  bool refused = initValue("appid").empty() || startRefused() ||
                 (other && other.get() != this && other->state_ == State::Listening) ||
                 state_ == State::Listening;
  calls_.record("startListening", Value{{"started", !refused}});
  if (refused) return false;
  if (other && other.get() != this) other->endSession();
  endSession();
  state_ = State::Listening;
  ++session_;  // reports still queued for an earlier session are dropped
  activeRecognizer() = weak_from_this();
  std::weak_ptr<SpeechRecognizer> weak = weak_from_this();
  std::uint64_t session = session_;
  beginTimer_ = dispatchAfter(beginTimeoutSeconds(), [weak, session] {
    auto self = weak.lock();
    if (!self || self->session_ != session) return;
    self->beginTimer_ = 0;
    if (self->state_ == State::Listening && !self->speechBegun_) self->answerError(kSpeechErrorNoSpeech);
  });
  return true;
}

void SpeechRecognizer::stopListening() {
  calls_.record("stopListening");
  if (state_ != State::Listening) return;
  state_ = State::Recognising;
  if (beginTimer_) cancelDispatch(beginTimer_);
  beginTimer_ = 0;
  report([](SpeechRecognizerDelegate& d) { d.onEndOfSpeech(); });
}

void SpeechRecognizer::cancel() {
  calls_.record("cancel");
  if (state_ == State::Idle) return;
  endSession();
  ++session_;  // what was heard is dropped with the session
  report([](SpeechRecognizerDelegate& d) { d.onCancel(); });
}

void SpeechRecognizer::endSession() {
  if (beginTimer_) cancelDispatch(beginTimer_);
  beginTimer_ = 0;
  state_ = State::Idle;
  speechBegun_ = false;
  if (activeRecognizer().lock().get() == this) activeRecognizer().reset();
}

void SpeechRecognizer::report(std::function<void(SpeechRecognizerDelegate&)> report) {
  std::weak_ptr<SpeechRecognizer> weak = weak_from_this();
  std::uint64_t session = session_;
  dispatchMain([weak, session, report = std::move(report)] {
    auto self = weak.lock();
    if (!self || self->session_ != session) return;
    if (auto delegate = self->delegate_.lock()) report(*delegate);
  });
}

bool SpeechRecognizer::answerPhrase(const std::string& text) {
  calls_.record("answerPhrase", Value{{"text", text}});
  if (state_ == State::Idle) return false;
  if (state_ == State::Listening) {
    if (beginTimer_) cancelDispatch(beginTimer_);
    beginTimer_ = 0;
    if (!speechBegun_) report([](SpeechRecognizerDelegate& d) { d.onBeginOfSpeech(); });
    speechBegun_ = true;
    report([](SpeechRecognizerDelegate& d) { d.onVolumeChanged(kSpeechVolumeWhileSpeaking); });
    report([](SpeechRecognizerDelegate& d) { d.onEndOfSpeech(); });
  }
  Value results = Value::array();
  results.push_back(Value{{text, 100}});
  report([results](SpeechRecognizerDelegate& d) { d.onResults(results, true); });
  report([](SpeechRecognizerDelegate& d) { d.onError(SpeechError{kSpeechErrorNone, ""}); });
  endSession();
  return true;
}

bool SpeechRecognizer::answerError(int code, const std::string& text) {
  calls_.record("answerError", Value{{"code", code}});
  if (state_ == State::Idle) return false;
  SpeechError error{code, text.empty() ? errorText(code) : text};
  report([error](SpeechRecognizerDelegate& d) { d.onError(error); });
  endSession();
  return true;
}

std::shared_ptr<SpeechRecognizer> SpeechRecognizer::active() {
  auto r = activeRecognizer().lock();
  if (r && r->state_ == State::Idle) return nullptr;
  return r;
}

bool SpeechRecognizer::deliverPhrase(const std::string& text) {
  auto r = active();
  return r && r->answerPhrase(text);
}

bool SpeechRecognizer::deliverError(int code) {
  auto r = active();
  return r && r->answerError(code);
}

std::string SpeechRecognizer::errorText(int code) {
  switch (code) {
    case kSpeechErrorNone: return "";
    case kSpeechErrorNoSpeech: return "您好像没有说话哦";
    case kSpeechErrorNetwork: return "网络连接发生异常";
    default: return "识别出错(" + std::to_string(code) + ")";
  }
}

void SpeechRecognizer::setStartRefused(bool refused) { startRefused() = refused; }

void SpeechRecognizer::resetAll() {
  if (auto r = activeRecognizer().lock()) r->endSession();
  activeRecognizer().reset();
  startRefused() = false;
}

}  // namespace platform::services
