#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/services/SpeechRecognizer.h"

using platform::RunLoop;
using platform::Value;
using namespace platform::services;

namespace {

// Writes every callback as a line, the way a screen would see them in order.
class Listener : public SpeechRecognizerDelegate {
 public:
  void onVolumeChanged(int v) override { log.push_back("volume " + std::to_string(v)); }
  void onBeginOfSpeech() override { log.push_back("begin"); }
  void onEndOfSpeech() override { log.push_back("end"); }
  void onError(const SpeechError& e) override { log.push_back("error " + std::to_string(e.code)); }
  void onResults(const Value& results, bool isLast) override {
    std::string text;
    for (const auto& [key, confidence] : results.at(0).items()) text += key;
    log.push_back("results " + text + (isLast ? " last" : ""));
  }
  void onCancel() override { log.push_back("cancel"); }
  std::vector<std::string> log;
};

class SpeechRecognizerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(1'800'000'000.0);
    SpeechRecognizer::resetAll();
    listener_ = std::make_shared<Listener>();
    recognizer_ = SpeechRecognizer::create("appid=c4d2098f,timeout=20000", listener_);
    recognizer_->setParameter("domain", "iat");
    recognizer_->setParameter("vad_bos", "5000");
  }
  void TearDown() override { SpeechRecognizer::resetAll(); }
  std::vector<std::string>& log() { return listener_->log; }

  std::shared_ptr<Listener> listener_;
  std::shared_ptr<SpeechRecognizer> recognizer_;
};

TEST_F(SpeechRecognizerTest, InitStringAndParametersAreKeptInOrder) {
  EXPECT_EQ(recognizer_->initValue("appid"), "c4d2098f");
  EXPECT_EQ(recognizer_->initValue("timeout"), "20000");
  recognizer_->setParameter("sample_rate", "16000");
  recognizer_->setParameter("domain", "iat");  // set again: value replaced, place kept
  recognizer_->setParameter("grammarID", "iat");
  auto params = recognizer_->parameters();
  ASSERT_EQ(params.size(), 4u);
  EXPECT_EQ(params[0].first, "domain");
  EXPECT_EQ(params[1].first, "vad_bos");
  EXPECT_EQ(params[2].first, "sample_rate");
  EXPECT_EQ(params[3].first, "grammarID");
  EXPECT_EQ(recognizer_->calls().count("setParameter"), 5u);
}

TEST_F(SpeechRecognizerTest, APhraseReachesAListeningRecognizerOnTheMainLoop) {
  EXPECT_FALSE(SpeechRecognizer::deliverPhrase("宝马"));  // nobody listens yet
  ASSERT_TRUE(recognizer_->startListening());
  EXPECT_EQ(SpeechRecognizer::active(), recognizer_);
  ASSERT_TRUE(SpeechRecognizer::deliverPhrase("宝马"));
  EXPECT_TRUE(log().empty());
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log(), (std::vector<std::string>{"begin", "volume 18", "end", "results 宝马 last", "error 0"}));
  EXPECT_EQ(recognizer_->state(), SpeechRecognizer::State::Idle);
  EXPECT_FALSE(SpeechRecognizer::deliverPhrase("again"));
}

TEST_F(SpeechRecognizerTest, AfterStopWhatWasHeardStillArrives) {
  ASSERT_TRUE(recognizer_->startListening());
  recognizer_->stopListening();
  EXPECT_EQ(recognizer_->state(), SpeechRecognizer::State::Recognising);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log(), std::vector<std::string>{"end"});
  RunLoop::main().runFor(10.0);  // no speech timeout once the recording has stopped
  ASSERT_TRUE(SpeechRecognizer::deliverPhrase("奥迪A4L"));
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log(), (std::vector<std::string>{"end", "results 奥迪A4L last", "error 0"}));
}

TEST_F(SpeechRecognizerTest, CancelDropsWhatIsStillQueued) {
  ASSERT_TRUE(recognizer_->startListening());
  ASSERT_TRUE(SpeechRecognizer::deliverPhrase("大众"));
  recognizer_->startListening();  // a new session at once: the old reports go
  recognizer_->cancel();
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log(), std::vector<std::string>{"cancel"});
  EXPECT_FALSE(SpeechRecognizer::deliverError(kSpeechErrorNetwork));
}

TEST_F(SpeechRecognizerTest, ErrorsEndTheSession) {
  ASSERT_TRUE(recognizer_->startListening());
  ASSERT_TRUE(SpeechRecognizer::deliverError(kSpeechErrorNetwork));
  EXPECT_FALSE(SpeechRecognizer::deliverPhrase("late"));
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log(), std::vector<std::string>{"error 20001"});
}

TEST_F(SpeechRecognizerTest, SilenceEndsTheSessionAfterTheBeginTimeout) {
  recognizer_->setParameter("vad_bos", "3000");
  ASSERT_TRUE(recognizer_->startListening());
  RunLoop::main().runFor(2.9);
  EXPECT_TRUE(log().empty());
  RunLoop::main().runFor(0.2);
  EXPECT_EQ(log(), std::vector<std::string>{"error 10118"});
  EXPECT_EQ(recognizer_->state(), SpeechRecognizer::State::Idle);
  // A timer of the finished session does not reach the next one.
  ASSERT_TRUE(recognizer_->startListening());
  RunLoop::main().runFor(1.0);
  EXPECT_TRUE(SpeechRecognizer::deliverPhrase("比亚迪"));
}

TEST_F(SpeechRecognizerTest, StartIsRefusedWhenItCannotListen) {
  auto noAppId = SpeechRecognizer::create("timeout=20000", listener_);
  EXPECT_FALSE(noAppId->startListening());

  SpeechRecognizer::setStartRefused(true);
  EXPECT_FALSE(recognizer_->startListening());
  SpeechRecognizer::setStartRefused(false);

  ASSERT_TRUE(recognizer_->startListening());
  EXPECT_FALSE(recognizer_->startListening());  // already listening
  auto other = SpeechRecognizer::create("appid=c4d2098f,timeout=20000", listener_);
  EXPECT_FALSE(other->startListening());  // the microphone is taken
  RunLoop::main().runUntilIdle();
  EXPECT_TRUE(log().empty());  // a refused start reports nothing
}

TEST_F(SpeechRecognizerTest, AGoneDelegateOrRecognizerIsNotCalled) {
  ASSERT_TRUE(recognizer_->startListening());
  ASSERT_TRUE(SpeechRecognizer::deliverPhrase("x"));
  listener_.reset();
  RunLoop::main().runUntilIdle();  // no delegate left: nothing to call, no crash

  auto listener = std::make_shared<Listener>();
  auto r = SpeechRecognizer::create("appid=a", listener);
  ASSERT_TRUE(r->startListening());
  ASSERT_TRUE(SpeechRecognizer::deliverPhrase("y"));
  r.reset();
  RunLoop::main().runUntilIdle();
  EXPECT_TRUE(listener->log.empty());
  EXPECT_EQ(SpeechRecognizer::active(), nullptr);
}

}  // namespace
