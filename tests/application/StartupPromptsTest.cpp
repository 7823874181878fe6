#include <gtest/gtest.h>

#include <string>

#include "core/ParentViewController.h"
#include "core/ServicesFixture.h"
#include "core/StartupKeys.h"
#include "core/StartupPrompts.h"
#include "forum/compose/DraftBoxController.h"
#include "forum/compose/SendPostQueue.h"
#include "platform/foundation/RunLoop.h"
#include "support/VornTest.h"

namespace vorn {
namespace {

class StartupPromptsTest : public test::ServicesFixture {
 protected:
  // Moves the virtual clock to a local time of the test's day (Asia/Shanghai).
  static void setLocalTime(int hour, int minute) {
    platform::RunLoop::main().useVirtualClock(test::kTestStartEpochSeconds + (hour - 12) * 3600.0 + minute * 60.0);
  }
  static void closeAlert(const std::string& button) {
    ASSERT_TRUE(platform::tapSystemNoticeButton(button)) << button;
    platform::RunLoop::main().runFor(0.5);
  }
  static void closeAllAlerts() {
    while (!panels().empty()) closeAlert(panels().back().buttons.at(0));
  }
};

TEST_F(StartupPromptsTest, LeftOverDraftWinsOverADueRatingAndStopsTheThemePrompt) {
  setLocalTime(23, 30);
  const platform::Value editing = {{"kTypeKey", "1"}, {"postTitle", "提车作业"}, {"postContent", "终于提车了"}};
  defaults().setObject(kEditingDraftKey, editing);
  defaults().setObject(kSendingDraftKey, platform::Value{{"kTypeKey", "2"}, {"postContent", "回复"}, {"temp_id", "1.5"}});
  delegate().setShouldPopUpComment(true);
  auto& changes = record(kDraftListDidChangedNotification);

  delegate().showStartupPrompt();
  EXPECT_EQ(panelTags(), (std::vector<std::int64_t>{kDraftAlertTag}));
  EXPECT_EQ(panels()[0].message, "您有内容未发布，现已存入草稿箱中。");
  EXPECT_EQ(panels()[0].buttons, (std::vector<std::string>{"关闭", "查看"}));

  // Both records are safe in the draft box, newest first, and gone from their keys.
  const platform::Value box = SendPostQueue::shareQueue().loadDraft();
  ASSERT_EQ(box.size(), 2u);
  EXPECT_EQ(platform::textOf(box[0], "postContent"), "回复");
  EXPECT_EQ(platform::textOf(box[1], "postTitle"), "提车作业");
  EXPECT_EQ(platform::textOf(box[1], "kTimeKey"), "2026-12-10 23:30");
  EXPECT_TRUE(platform::hasKey(box[1], "temp_id"));
  EXPECT_FALSE(defaults().hasObjectForKey(kEditingDraftKey));
  EXPECT_FALSE(defaults().hasObjectForKey(kSendingDraftKey));
  EXPECT_TRUE(SendPostQueue::shareQueue().hasNewSave());
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(StartupPromptsTest, ViewingTheDraftNoticeOpensTheDraftBox) {
  auto home = std::make_shared<ParentViewController>();
  auto root = std::make_shared<platform::ViewController>();
  home->addChildViewController(root);
  home->view()->addSubview(root->view());
  delegate().setHomePageNavigationController(home);
  for (const char* button : {"关闭", "查看"}) {
    defaults().setObject(kEditingDraftKey, platform::Value{{"kTypeKey", "1"}, {"postContent", button}});
    delegate().showStartupPrompt();
    closeAlert(button);
    runFor(ParentViewController::kPushDuration + 0.1);
  }
  ASSERT_EQ(home->childViewControllers().size(), 2u);
  auto box = std::dynamic_pointer_cast<DraftBoxController>(home->childViewControllers().back());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->drafts().size(), 2u);
}

TEST_F(StartupPromptsTest, RatingThenUpdateWhenNoDraftIsLeft) {
  struct Case {
    bool rating, update;
    std::vector<std::int64_t> tags;
  } cases[] = {{true, true, {kRatingAlertTag}}, {false, true, {kUpdateAlertTag}}, {false, false, {}}};
  for (const auto& c : cases) {
    delegate().setShouldPopUpComment(c.rating);
    delegate().setShouldPopUpUpdate(c.update);
    delegate().showStartupPrompt();
    EXPECT_EQ(panelTags(), c.tags);
    closeAllAlerts();
  }
}

TEST_F(StartupPromptsTest, NightOfferAt2330InDayModeOncePerVersion) {
  setLocalTime(23, 30);
  delegate().showStartupPrompt();
  EXPECT_EQ(panelTags(), (std::vector<std::int64_t>{kNightModeAlertTag}));
  EXPECT_EQ(panels()[0].message, "天黑了呦，保护眼睛去换个黑夜主题吧！");
  EXPECT_TRUE(defaults().boolForKey(kThemeBlackHasAlertKey));
  closeAlert("取消");
  EXPECT_EQ(AppDelegate::getCurrentMode(), kThemeModeNormal);

  // The next launch the same evening: no offer.
  AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
  delegate().showStartupPrompt();
  EXPECT_TRUE(panels().empty());

  // A new version offers again.
  defaults().setString(kThemeVersionKey, "0.9");
  delegate().showStartupPrompt();
  EXPECT_EQ(panelTags(), (std::vector<std::int64_t>{kNightModeAlertTag}));
  EXPECT_EQ(defaults().stringForKey(kThemeVersionKey), AppDelegate::getCurrentVersion());
}

TEST_F(StartupPromptsTest, ThemeOfferDependsOnTheHourAndTheMode) {
  struct Case {
    int hour, minute;
    const char* mode;
    std::vector<std::int64_t> tags;
  } cases[] = {
      {21, 0, kThemeModeNormal, {kNightModeAlertTag}}, {21, 0, kThemeModeBlack, {}},
      {8, 0, kThemeModeBlack, {kDayModeAlertTag}},     {11, 59, kThemeModeBlack, {kDayModeAlertTag}},
      {12, 0, kThemeModeBlack, {}},                     {20, 59, kThemeModeNormal, {}},
      {0, 30, kThemeModeNormal, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute) + " " + c.mode);
    setLocalTime(c.hour, c.minute);
    defaults().removeObject(kThemeVersionKey);
    defaults().setString(kThemeMode, c.mode);
    delegate().checkChangeThemeNofity();
    EXPECT_EQ(panelTags(), c.tags);
    closeAllAlerts();
  }
}

TEST_F(StartupPromptsTest, PendingRatingOrOpenSettingsKeepTheThemeOfferBack) {
  setLocalTime(22, 0);
  delegate().setShouldPopUpUpdate(true);
  delegate().getPushData();
  EXPECT_TRUE(panels().empty());
  delegate().setShouldPopUpUpdate(false);
  delegate().setFeaturesShown(true);
  delegate().getPushData();
  EXPECT_TRUE(panels().empty());
  delegate().setFeaturesShown(false);
  delegate().getPushData();
  EXPECT_EQ(panelTags(), (std::vector<std::int64_t>{kNightModeAlertTag}));
}

TEST_F(StartupPromptsTest, ThemeAnswersSwitchTheModeAndTellTheScreens) {
  auto& changes = record(kThemeChangeNotify);
  setLocalTime(23, 0);
  delegate().checkChangeThemeNofity();
  closeAlert("确定");
  EXPECT_EQ(AppDelegate::getCurrentMode(), kThemeModeBlack);
  EXPECT_EQ(changes.size(), 1u);

  setLocalTime(9, 0);
  delegate().checkChangeThemeNofity();
  EXPECT_EQ(panels().at(0).message, "天亮啦，关闭黑夜主题吧！");
  closeAlert("确定");
  EXPECT_EQ(AppDelegate::getCurrentMode(), kThemeModeNormal);
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(StartupPromptsTest, RatingAndUpdateAnswers) {
  struct Case {
    bool rating;
    const char* button;
    std::optional<std::string> launchTimes;
    std::vector<std::string> opened;
  } cases[] = {
      {true, "赐个5星", "done", {kAppStoreWebPage}},
      {true, "残忍拒绝", std::nullopt, {}},
      {false, "确定", std::nullopt, {kAppStorePage}},
      {false, "取消", "3", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    app().reset();
    AppDelegate::setSharedAppDelegate(std::make_shared<VornAppDelegate>());
    defaults().setString(kLaunchTimesKey, "3");
    delegate().setShouldPopUpComment(c.rating);
    delegate().setShouldPopUpUpdate(!c.rating);
    delegate().showStartupPrompt();
    closeAlert(c.button);
    EXPECT_EQ(defaults().stringForKey(kLaunchTimesKey), c.launchTimes);
    std::vector<std::string> opened;
    for (const auto& url : app().openedURLs()) opened.push_back(url.url);
    EXPECT_EQ(opened, c.opened);
  }
}

TEST_F(StartupPromptsTest, SendQueueNoticesInTheStatusBar) {
  auto& center = platform::NotificationCenter::defaultCenter();
  auto& bar = platform::StatusBarNotice::shared();
  center.post(kSendPostBeginNotification, platform::Value{{"PicData", platform::Value::array()}});
  EXPECT_EQ(bar.message(), "↑ 帖子发布中");

  bar.reset();
  center.post(kSendPostBeginNotification, platform::Value{{"PicData", platform::Value::array({platform::Value{{"Pic", "assets-library://1"}}})}});
  EXPECT_FALSE(bar.isShowing());  // the picture notices follow

  center.post(kSendPostImageSuccessNotification,
              platform::Value{{"totalCount", "3"}, {"currentIndex", "2"}, {"imageUrl", "http://x/1.jpg"}});
  EXPECT_EQ(bar.message(), "↑ 帖子发布中（2/3）");
  center.post(kSendPostImageSuccessNotification, platform::Value{{"totalCount", "0"}, {"currentIndex", "0"}});
  EXPECT_EQ(bar.message(), "↑ 帖子发布中");

  center.post(kSendPostSuccessNotification);
  EXPECT_EQ(bar.message(), "√ 帖子发布成功");
  runFor(1.9);
  EXPECT_TRUE(bar.isShowing());
  runFor(0.5);
  EXPECT_FALSE(bar.isShowing());

  center.post(kSendPostFaildNotification);
  EXPECT_EQ(bar.message(), "× 帖子发布失败，已保存为草稿");
}

}  // namespace
}  // namespace vorn
