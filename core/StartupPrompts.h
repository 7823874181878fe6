#pragma once
// The application delegate's alerts (tags, texts and buttons), the theme
// prompt's user defaults, the send queue's status-bar notices and the
// notifications the push handling posts.
namespace vorn {

// Alert tags.
inline constexpr int kRatingAlertTag = 100;
inline constexpr int kUpdateAlertTag = 101;
inline constexpr int kDraftAlertTag = 212;
inline constexpr int kPushAlertTag = 401;
inline constexpr int kDayModeAlertTag = 501;
inline constexpr int kNightModeAlertTag = 502;

// Alert texts and buttons (the cancel button first, index 0).
inline constexpr char kDraftAlertMessage[] = "您有内容未发布，现已存入草稿箱中。";
inline constexpr char kDraftAlertCancel[] = "关闭";
inline constexpr char kDraftAlertView[] = "查看";
inline constexpr char kRatingAlertMessage[] = "请赐一个5星评价吧，大人。";
inline constexpr char kRatingAlertCancel[] = "残忍拒绝";
inline constexpr char kRatingAlertRate[] = "赐个5星";
inline constexpr char kUpdateAlertMessage[] = "检测到新版本，是否更新？";
inline constexpr char kUpdateAlertCancel[] = "取消";
inline constexpr char kUpdateAlertUpdate[] = "确定";
inline constexpr char kNightModeAlertMessage[] = "天黑了呦，保护眼睛去换个黑夜主题吧！";
inline constexpr char kDayModeAlertMessage[] = "天亮啦，关闭黑夜主题吧！";
inline constexpr char kThemeAlertCancel[] = "取消";
inline constexpr char kThemeAlertSwitch[] = "确定";
inline constexpr char kPushAlertCancel[] = "忽略";
inline constexpr char kPushAlertView[] = "点击查看";

// The theme prompt's user defaults: the version the two flags hold for, and
// whether the night and the day offer were made in it.
inline constexpr char kThemeVersionKey[] = "ThemeVersion";
inline constexpr char kThemeBlackHasAlertKey[] = "kThemeBlackHasAlert";
inline constexpr char kThemeNormalHasAlertKey[] = "kThemeNormalHasAlert";

// The product in the App Store.
inline constexpr char kAppStoreId[] = "1062735184";
inline constexpr char kAppStoreWebPage[] = "https://itunes.apple.com/cn/app/id1062735184";
inline constexpr char kAppStoreReviewPage[] =
    "itms-apps://itunes.apple.com/WebObjects/MZStore.woa/wa/viewContentsUserReviews?type=Purple+Software&id=1062735184";
inline constexpr char kAppStorePage[] = "itms-apps://itunes.apple.com/cn/app/id1062735184";

// The send queue's status-bar notices.
inline constexpr char kSendingNotice[] = "↑ 帖子发布中";
inline constexpr char kSendingPicturesNoticeFormat[] = "↑ 帖子发布中（%@/%@）";
inline constexpr char kSentNotice[] = "√ 帖子发布成功";
inline constexpr char kSendFailedNotice[] = "× 帖子发布失败，已保存为草稿";
inline constexpr double kSendResultNoticeSeconds = 2.0;

// Posted for a push without a type and on returning to the foreground: an open
// conversation fetches new messages.
inline constexpr char kGetMsgContentByNotification[] = "getMsgContentByNotification";

}  // namespace vorn
