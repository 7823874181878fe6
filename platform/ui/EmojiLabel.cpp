#include "platform/ui/EmojiLabel.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/foundation/Text.h"

namespace platform {

namespace {

// The fixed codes, in the order they are tried.
constexpr char kEmoticonCodes[] =
    "\\[强\\]|\\[爱心\\]|\\[大哭\\]|\\[得意\\]|\\[调皮\\]|\\[愤怒\\]|\\[尴尬\\]|\\[坏笑\\]|\\[惊恐\\]|\\[可怜\\]|"
    "\\[玫瑰\\]|\\[衰\\]|\\[偷笑\\]|\\[微笑\\]|\\[委屈\\]|\\[握手\\]|\\[心碎\\]|\\[右哼哼\\]|\\[晕\\]|\\[咒骂\\]|"
    ":\\)|:zan:|:\\(|:lol:|:S|:cool:|:mad:|:o|:P|:D|:@|:\\$:|:cry:|:H:|:B:|:R:|:C:|\\[\\-\\(|:loveliness:|"
    ":funk:|:handshake:|";
constexpr char kMentionPattern[] = "@[^\\s@:：,，。#]+";
constexpr char kTopicPattern[] = "#[^#\\n]+#";

struct Shared {
  std::string host;
  std::optional<Regex> pattern;
  std::map<std::string, std::string> pictures;
};
Shared& shared() {
  static Shared s;
  return s;
}

std::string escapeDots(const std::string& host) {
  std::string out;
  for (char c : host) {
    if (c == '.') out += "\\.";
    else if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':') out += c;
  }
  return out;
}

}  // namespace

std::string EmojiLabel::emoticonPatternText(const std::string& forumHost) {
  std::string text = kEmoticonCodes;
  if (forumHost.empty()) {
    text.pop_back();  // no trailing empty alternative
    return text;
  }
  return text + "\\[img\\]http://" + escapeDots(forumHost) + "/bbs/images/smilies/ns_\\d{1,2}\\.gif\\[/img\\]";
}

void EmojiLabel::setForumHost(const std::string& forumHost) {
  shared().host = forumHost;
  shared().pattern.reset();
}

const Regex& EmojiLabel::emoticonPattern() {
  auto& s = shared();
  if (!s.pattern) s.pattern = Regex::make(emoticonPatternText(s.host), RegexOptions{true, false, false});
  return *s.pattern;
}

void EmojiLabel::setEmoticonPictures(std::map<std::string, std::string> table) { shared().pictures = std::move(table); }

void EmojiLabel::setText(const std::string& text) {
  runs_.clear();
  // Emoticons first; mentions and topics are looked for in the text between them.
  std::size_t at = 0;  // UTF-16 units
  auto addPlain = [&](const std::string& plain) {
    if (plain.empty()) return;
    std::vector<RegexMatch> marks;
    for (const char* p : {kMentionPattern, kTopicPattern}) {
      if (auto re = Regex::make(p)) {
        for (auto& m : re->allMatches(plain)) marks.push_back(std::move(m));
      }
    }
    std::sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) { return a.range.location < b.range.location; });
    std::size_t pos = 0;
    for (const auto& m : marks) {
      if (m.range.location < pos) continue;  // overlaps an earlier mark
      if (m.range.location > pos) runs_.push_back({EmojiRunKind::Text, utf16Substring(plain, pos, m.range.location - pos), {}});
      runs_.push_back({m.text[0] == '@' ? EmojiRunKind::Mention : EmojiRunKind::Topic, m.text, {}});
      pos = m.range.location + m.range.length;
    }
    if (pos < utf16Length(plain)) runs_.push_back({EmojiRunKind::Text, utf16SubstringFrom(plain, pos), {}});
  };
  for (const auto& m : emoticonPattern().allMatches(text)) {
    addPlain(utf16Substring(text, at, m.range.location - at));
    auto picture = shared().pictures.find(m.text);
    runs_.push_back({EmojiRunKind::Emoticon, m.text, picture == shared().pictures.end() ? std::string() : picture->second});
    at = m.range.location + m.range.length;
  }
  addPlain(utf16SubstringFrom(text, at));

  LinkLabel::setText(text);
  std::size_t location = 0;
  for (const auto& run : runs_) {
    std::size_t length = utf16Length(run.text);
    if (run.kind == EmojiRunKind::Mention) addLinkToURL(kMentionLinkScheme + run.text.substr(1), location, length);
    if (run.kind == EmojiRunKind::Topic) {
      addLinkToURL(kTopicLinkScheme + run.text.substr(1, run.text.size() - 2), location, length);
    }
    location += length;
  }
}

std::vector<InlinePicture> EmojiLabel::inlinePictures() const {
  std::vector<InlinePicture> pictures;
  std::size_t location = 0;
  for (const auto& run : runs_) {
    std::size_t length = utf16Length(run.text);
    if (run.kind == EmojiRunKind::Emoticon && !run.pictureName.empty())
      pictures.push_back({location, length, run.pictureName});
    location += length;
  }
  return pictures;
}

}  // namespace platform
