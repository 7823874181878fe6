#pragma once
// Names the start-up requests and their answers read and write, shared with the
// screens that read what they store (news adverts, the board directory, the
// rating prompt, the series search table).

namespace vorn {

// Portal paths.
inline constexpr char kNewsAdvertPath[] = "/interface/vorn/NewsAdvert_pic.php";
inline constexpr char kCacheStampPath[] = "/auto/index.php?r=service/IphoneApi/APPCacheTime&operation=2";
inline constexpr char kForumListMd5Path[] = "/interface/vorn/GetForumListMd5.php";
inline constexpr char kForumListPath[] = "/interface/vorn/GetForumList.php";
inline constexpr char kLatestVersionPath[] = "/version/ios_vorn.php";
inline constexpr char kRemoveDevicePath[] = "/bbs/iphone5/user_del.php";

// User defaults.
inline constexpr char kCurrentVersionKey[] = "currentVersion";
inline constexpr char kLaunchTimesKey[] = "launchTimes";
inline constexpr char kLaunchTimesDone[] = "done";
inline constexpr char kNewsAdvertKey[] = "KNewsAdvertkey";
inline constexpr char kNewsAdvertHasNewKey[] = "KNewsAdvertHasNewkey";
inline constexpr char kCFVersionKey[] = "CFVersion";
inline constexpr char kDeviceNoKey[] = "deviceNo";

// The forum board list in Documents.
inline constexpr char kForumListDir[] = "ForumListDir";
inline constexpr char kForumListFile[] = "forumList.plist";
inline constexpr char kForumListArrayKey[] = "forumlist";
inline constexpr char kForumNameKey[] = "fname";
inline constexpr char kForumCapKey[] = "fCap";
inline constexpr char kForumPinYinKey[] = "fPinYin";

// The stored series search table in Documents.
inline constexpr char kSeriesDatabaseFile[] = "data.sqlite3";

}  // namespace vorn
