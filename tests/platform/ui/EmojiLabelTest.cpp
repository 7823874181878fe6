#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/EmojiLabel.h"

namespace platform {
namespace {

struct LinkRecorder : LinkLabelDelegate {
  std::vector<std::string> urls;
  void didSelectLinkWithURL(LinkLabel&, const std::string& url) override { urls.push_back(url); }
};

class EmojiLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EmojiLabel::setForumHost("bbs.example.com");
    EmojiLabel::setEmoticonPictures({{"[强]", "Expression_1"}, {":)", "Expression_2"}});
  }
  void TearDown() override {
    EmojiLabel::setForumHost("");
    EmojiLabel::setEmoticonPictures({});
  }
};

TEST_F(EmojiLabelTest, EmoticonCodesBecomePicturesInOrderAndCaseInsensitive) {
  auto label = EmojiLabel::create(Rect(0, 0, 200, 40));
  label->setText("好[强]:)x:d[img]http://bbs.example.com/bbs/images/smilies/ns_12.gif[/img]完");
  const auto& runs = label->runs();
  ASSERT_EQ(runs.size(), 7u);
  EXPECT_EQ(runs[0].text, "好");
  EXPECT_EQ(runs[1].kind, EmojiRunKind::Emoticon);
  EXPECT_EQ(runs[1].pictureName, "Expression_1");
  EXPECT_EQ(runs[2].text, ":)");
  EXPECT_EQ(runs[2].pictureName, "Expression_2");
  EXPECT_EQ(runs[3].text, "x");
  EXPECT_EQ(runs[4].kind, EmojiRunKind::Emoticon);  // ":d" matches ":D" case-insensitively
  EXPECT_EQ(runs[5].kind, EmojiRunKind::Emoticon);
  EXPECT_EQ(runs[6].text, "完");
}

TEST_F(EmojiLabelTest, SmileyPicturesOfOtherHostsOrNamesStayText) {
  const char* texts[] = {"[img]http://evil.example.com/bbs/images/smilies/ns_1.gif[/img]",
                         "[img]http://bbsxexample.com/bbs/images/smilies/ns_1.gif[/img]",
                         "[img]http://bbs.example.com/bbs/images/smilies/ns_123.gif[/img]"};
  for (const char* text : texts) {
    auto label = EmojiLabel::create();
    label->setText(text);
    for (const auto& run : label->runs()) EXPECT_NE(run.kind, EmojiRunKind::Emoticon) << text;
  }
}

TEST_F(EmojiLabelTest, MentionsAndTopicsAreTappableLinks) {
  auto label = EmojiLabel::create(Rect(0, 0, 300, 40));
  auto recorder = std::make_shared<LinkRecorder>();
  label->setDelegate(recorder);
  label->setText("回复@小王[强]：看#新车上市#吧");
  ASSERT_EQ(label->links().size(), 2u);
  EXPECT_EQ(label->linkText(label->links()[0]), "@小王");
  EXPECT_TRUE(label->tapLinkWithText("#新车上市#"));
  EXPECT_TRUE(label->tapLinkWithText("@小王"));
  EXPECT_FALSE(label->tapLinkWithText("看"));
  EXPECT_EQ(recorder->urls, (std::vector<std::string>{"topic:新车上市", "mention:小王"}));
}

TEST(LinkLabelTest, LinksOutsideTheTextAreRefusedAndTextResetsThem) {
  auto label = LinkLabel::create();
  label->setText("查看原帖");
  EXPECT_FALSE(label->addLinkToURL("http://x", 3, 2));
  EXPECT_FALSE(label->addLinkToURL("http://x", 5, 0));
  EXPECT_TRUE(label->addLinkToURL("http://x", 2, 2));
  EXPECT_EQ(label->linkText(label->links()[0]), "原帖");
  label->setText("别的");
  EXPECT_TRUE(label->links().empty());
}

}  // namespace
}  // namespace platform
