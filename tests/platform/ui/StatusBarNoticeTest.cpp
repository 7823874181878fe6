#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/StatusBarNotice.h"
#include "platform/ui/SystemNotice.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform {
namespace {

class StatusBarNoticeTest : public testing::NoticeUiTest {
 protected:
  void SetUp() override {
    NoticeUiTest::SetUp();
    StatusBarNotice::shared().reset();
  }
  void TearDown() override {
    StatusBarNotice::shared().reset();
    NoticeUiTest::TearDown();
  }
};

TEST_F(StatusBarNoticeTest, MessageStaysUntilReplacedAndItsWindowIsRecognisable) {
  auto& notice = StatusBarNotice::shared();
  notice.showWithStatus("↑ 帖子发布中");
  auto w = notice.noticeWindow();
  EXPECT_FALSE(w->isHidden());
  EXPECT_GT(w->windowLevel(), WindowLevel::StatusBar);
  EXPECT_TRUE(StatusBarNotice::isNoticeWindow(w.get()));
  EXPECT_FALSE(StatusBarNotice::isNoticeWindow(window.get()));
  runFor(60);
  EXPECT_TRUE(notice.isShowing());
  notice.showWithStatus("↑ 帖子发布中（2/3）");
  EXPECT_EQ(notice.message(), "↑ 帖子发布中（2/3）");
  EXPECT_EQ(notice.noticeWindow(), w);  // one shared window
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[1].kind, "statusbar");
  EXPECT_EQ(notices[1].message, "↑ 帖子发布中（2/3）");
}

TEST_F(StatusBarNoticeTest, TimedMessageGoesAwayAfterItsDurationUnlessReplaced) {
  auto& notice = StatusBarNotice::shared();
  notice.showWithStatus("√ 帖子发布成功", 2.0);
  runFor(1.9);
  EXPECT_TRUE(notice.isShowing());
  runFor(0.2 + StatusBarNotice::kSlideDuration);
  EXPECT_FALSE(notice.isShowing());
  EXPECT_TRUE(notice.noticeWindow()->isHidden());

  notice.showWithStatus("× 帖子发布失败，已保存为草稿", 2.0);
  runFor(1.0);
  notice.showWithStatus("↑ 帖子发布中");  // the earlier timer must not take this one away
  runFor(5);
  EXPECT_TRUE(notice.isShowing());
  EXPECT_EQ(notice.message(), "↑ 帖子发布中");
}

}  // namespace
}  // namespace platform
