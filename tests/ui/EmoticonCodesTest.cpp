#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "ViewTestFixture.h"
#include "platform/foundation/Regex.h"
#include "platform/ui/EmojiLabel.h"
#include "platform/ui/Image.h"
#include "ui/EmoticonCodes.h"
#include "ui/ExpressionTable.h"

namespace vorn::test {
namespace {

// The forum's codes, in the order the pattern tries them.
const std::vector<std::string> kCodes = {
    "[强]", "[爱心]", "[大哭]", "[得意]", "[调皮]", "[愤怒]", "[尴尬]", "[坏笑]", "[惊恐]", "[可怜]", "[玫瑰]",
    "[衰]", "[偷笑]", "[微笑]", "[委屈]", "[握手]", "[心碎]", "[右哼哼]", "[晕]", "[咒骂]", ":)", ":zan:", ":(",
    ":lol:", ":S", ":cool:", ":mad:", ":o", ":P", ":D", ":@", ":$:", ":cry:", ":H:", ":B:", ":R:", ":C:", "[-(",
    ":loveliness:", ":funk:", ":handshake:"};

std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}
std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

class EmoticonCodesTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    installEmoticonPattern();
  }
  void TearDown() override {
    platform::EmojiLabel::setForumHost("");
    platform::EmojiLabel::setEmoticonPictures({});
    ViewTest::TearDown();
  }
  std::string smiley(const std::string& number) {
    return "[img]http://" + forumHostName() + "/bbs/images/smilies/ns_" + number + ".gif[/img]";
  }
};

TEST_F(EmoticonCodesTest, EveryCodeMatchesWholeInAnyLetterCase) {
  for (const std::string& code : kCodes)
    for (const std::string& written : {code, upper(code), lower(code)}) {
      SCOPED_TRACE(written);
      auto match = emoticonPattern().firstMatch("看" + written + "吧");
      ASSERT_TRUE(match);
      EXPECT_EQ(match->text, written);
    }
}

TEST_F(EmoticonCodesTest, SmileyTagsOfTheForumHostWithOneOrTwoDigits) {
  ASSERT_FALSE(forumHostName().empty());
  struct Case {
    std::string text;
    bool matches;
  } cases[] = {
      {smiley("1"), true},
      {smiley("27"), true},
      {upper(smiley("5")), true},
      {smiley("123"), false},
      {smiley(""), false},
      {"[img]http://elsewhere.example/bbs/images/smilies/ns_1.gif[/img]", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto match = emoticonPattern().firstMatch(c.text);
    EXPECT_EQ(match && match->text == c.text, c.matches);
  }
}

TEST_F(EmoticonCodesTest, ACodeAtTheStartOfALongerWordIsStillACode) {
  auto matches = emoticonPattern().allMatches(":Pretty :smile");
  ASSERT_GE(matches.size(), 1u);
  EXPECT_EQ(matches[0].text, ":P");
  EXPECT_EQ(matches[0].range.location, 0u);
}

TEST_F(EmoticonCodesTest, EveryCodeHasAPictureThatExists) {
  const auto pictures = loadEmoticonPictures();
  for (const std::string& code : kCodes) {
    SCOPED_TRACE(code);
    ASSERT_EQ(pictures.count(code), 1u);
    EXPECT_TRUE(platform::Image::imageNamed(pictures.at(code)));
  }
  // The label shows them: a received text with codes gets pictures.
  auto label = platform::EmojiLabel::create({0, 0, 300, 40});
  label->setText("好:D[强]");
  int pictured = 0;
  for (const auto& run : label->runs())
    if (run.kind == platform::EmojiRunKind::Emoticon && !run.pictureName.empty()) ++pictured;
  EXPECT_EQ(pictured, 2);
}

TEST_F(EmoticonCodesTest, TheFaceTableSendsTheForumsCodes) {
  const auto faces = ExpressionTable::load();
  ASSERT_GE(faces.size(), 33u);
  std::set<std::string> shows;
  std::vector<std::string> ids;
  for (const auto& face : faces) {
    SCOPED_TRACE(face.show);
    EXPECT_EQ(face.show.front(), '[');
    EXPECT_EQ(face.show.back(), ']');
    EXPECT_TRUE(shows.insert(face.show).second);  // each show text once
    EXPECT_TRUE(platform::Image::imageNamed(face.name));
    ids.push_back(face.id);
  }
  EXPECT_EQ(ids, kCodes);
}

}  // namespace
}  // namespace vorn::test
