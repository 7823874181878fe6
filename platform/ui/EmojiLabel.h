#pragma once
// A link label for forum texts: the forum's emoticon codes become inline
// pictures (named by a code-to-picture table), mentions ("@name") and topics
// ("#topic#") are marked as links. The emoticon pattern is shared by every
// EmojiLabel, compiled once, case-insensitive, its alternatives tried in order.
#include <map>
#include <string>
#include <vector>

#include "platform/foundation/Regex.h"
#include "platform/ui/LinkLabel.h"

namespace platform {

enum class EmojiRunKind { Text, Emoticon, Mention, Topic };

struct EmojiRun {
  EmojiRunKind kind = EmojiRunKind::Text;
  std::string text;
  std::string pictureName;  // emoticons: the picture of the code ("" when the table has none)
};

inline constexpr char kMentionLinkScheme[] = "mention:";
inline constexpr char kTopicLinkScheme[] = "topic:";

class EmojiLabel : public LinkLabel {
 public:
  using LinkLabel::LinkLabel;
  static std::shared_ptr<EmojiLabel> create(const Rect& frame = {}) { return std::make_shared<EmojiLabel>(frame); }
  std::string className() const override { return "EmojiLabel"; }

  // Splits the text into runs and links its mentions and topics.
  void setText(const std::string& text) override;
  const std::vector<EmojiRun>& runs() const { return runs_; }

  // The shared emoticon pattern: the fixed codes and the forum's smiley
  // pictures on `forumHost` (set once by the app; "" leaves that alternative out).
  static void setForumHost(const std::string& forumHost);
  static const Regex& emoticonPattern();
  static std::string emoticonPatternText(const std::string& forumHost);
  // The code-to-picture table (the app loads it from its resources).
  static void setEmoticonPictures(std::map<std::string, std::string> table);

 protected:
  // The emoticons whose picture is known; a code without one stays text.
  std::vector<InlinePicture> inlinePictures() const override;

 private:
  std::vector<EmojiRun> runs_;
};

}  // namespace platform
