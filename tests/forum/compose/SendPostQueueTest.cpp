#include <gtest/gtest.h>

#include <string>

#include "forum/compose/SendPostQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "support/VornTest.h"

namespace vorn {
namespace {

class SendPostQueueTest : public test::VornTest {
 protected:
  static SendPostQueue& queue() { return SendPostQueue::shareQueue(); }
  static platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }
  static platform::Value draft(const std::string& content) {
    return platform::Value{{"kTypeKey", "1"}, {"postContent", content}, {"kFailReasonKey", ""}};
  }
};

TEST_F(SendPostQueueTest, SavedDraftsAreNewestFirstAndAtMostThirty) {
  int changes = 0;
  platform::NotificationCenter::defaultCenter().addObserver(
      this, kDraftListDidChangedNotification, [&](const platform::Notification&) { ++changes; });
  for (int i = 0; i < 31; ++i) {
    queue().saveDraft(draft("第" + std::to_string(i) + "篇"));
    runFor(1.0);  // each save gets its own "temp_id"
  }
  const platform::Value box = queue().loadDraft();
  ASSERT_EQ(box.size(), kDraftBoxLimit);
  EXPECT_EQ(platform::textOf(box.front(), "postContent"), "第30篇");
  EXPECT_EQ(platform::textOf(box.back(), "postContent"), "第1篇");
  EXPECT_EQ(changes, 31);
  EXPECT_TRUE(queue().hasNewSave());
}

TEST_F(SendPostQueueTest, SavingAStoredDraftAgainMovesItToTheFront) {
  queue().saveDraft(draft("一"));
  runFor(60);
  queue().saveDraft(draft("二"));
  platform::Value first = queue().loadDraft()[1];
  first["postContent"] = "一（改）";
  runFor(60);
  queue().saveDraft(first);
  const platform::Value box = queue().loadDraft();
  ASSERT_EQ(box.size(), 2u);
  EXPECT_EQ(platform::textOf(box[0], "postContent"), "一（改）");
  EXPECT_EQ(platform::textOf(box[0], "temp_id"), platform::textOf(first, "temp_id"));
  EXPECT_EQ(platform::textOf(box[0], "kTimeKey"), "2026-12-10 12:02");
}

TEST_F(SendPostQueueTest, SendingDraftBecomesANormalDraftWithItsReason) {
  platform::Value sending = draft("发送中");
  sending["kFailReasonKey"] = "网络错误";
  defaults().setObject(kSendingDraftKey, sending);
  ASSERT_TRUE(queue().hasSendingTempDraft());
  queue().setSendingTempDraftToNormalDraft();
  EXPECT_FALSE(queue().hasSendingTempDraft());
  ASSERT_EQ(queue().loadDraft().size(), 1u);
  EXPECT_EQ(platform::textOf(queue().loadDraft()[0], "kFailReasonKey"), "网络错误");
}

TEST_F(SendPostQueueTest, ValuesOfTheWrongKindReadAsNothing) {
  defaults().setString(kDraftListKey, "not a list");
  defaults().setString(kSendingDraftKey, "not a record");
  EXPECT_TRUE(queue().loadDraft().empty());
  EXPECT_FALSE(queue().hasSendingTempDraft());
  queue().setSendingTempDraftToNormalDraft();
  EXPECT_TRUE(queue().loadDraft().empty());
}

}  // namespace
}  // namespace vorn
