#pragma once
// The signed-in member's unread counts: private messages ("msgNum"), system
// notices ("noticeNum") and replies ("replyNum"). Each fetch posts
// "SysMsgNumHelperGetMsgNumNotification" with the parsed answer as object (no
// object when the answer does not parse); the badge, the home screen, the
// community hub and the message pages follow it. No state: every call sends a
// request and every answer is posted.
namespace vorn {

inline constexpr char kSysMsgNumHelperGetMsgNumNotification[] = "SysMsgNumHelperGetMsgNumNotification";
inline constexpr char kGetMsgNumPath[] = "/app/5/getMsgNum.php";
inline constexpr char kMsgNumKey[] = "msgNum";
inline constexpr char kNoticeNumKey[] = "noticeNum";
inline constexpr char kReplyNumKey[] = "replyNum";

class SysMsgNumHelper {
 public:
  static SysMsgNumHelper& shareHelper();

  // Fetches the counts when a member is signed in; otherwise does nothing.
  void reGetmessageNum();

 private:
  SysMsgNumHelper() = default;
};

}  // namespace vorn
