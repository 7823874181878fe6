// Comments on the pictures of a news set: what is sent to the comment host,
// the length limit counted in UTF-16 units, empty texts, the login gate, and
// the leave alert with a comment still in the bar.
#include "PhotoBrowserFixture.h"
#include "account/UserLoginViewController.h"
#include "core/UserData.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertDialog.h"
#include "platform/ui/Button.h"
#include "platform/ui/TestDriver.h"

namespace vorn::test {
namespace {

using platform::TestDriver;

constexpr char kAddComment[] = "/interface/6.0/add_comment.php";

class PictureCommentTest : public PhotoBrowserTest {
 protected:
  void SetUp() override {
    PhotoBrowserTest::SetUp();
    std::vector<std::pair<std::string, std::string>> pictures = {{pictureUrl(320, 240, "c-a"), "9001"},
                                                                 {pictureUrl(320, 240, "c-b"), "9002"}};
    for (std::size_t i : {std::size_t(1), std::size_t(0), std::size_t(1), std::size_t(0)}) {
      source_->photos.push_back(PyxoPhoto::photoWithURL(pictures[i].first));
      platform::Value record = platform::Value::object();
      record[kPicsPicURL] = pictures[i].first;
      record[kPicsPicId] = std::stoi(pictures[i].second);  // the portal may send the id as a number
      record[kPicsPicCommentLink] =
          portal().baseUrl() + "/cms/interface/5.0/show_pic_comment.php?picid=" + pictures[i].second;
      newsRecords_.push_back(record);
    }
  }
  void signIn() {
    platform::Value record = platform::Value::object();
    record[kLoginStatus] = "1";
    record[kLoginUid] = "777";
    record[kLoginUname] = "车友甲";
    record[kLoginCookieId] = "abc";
    platform::UserDefaults::standardUserDefaults().setObject(kUserLoginInfo, record);
  }
  // Types into the comment bar and taps send, as a finger would.
  void write(const std::string& text) {
    auto bar = browser_->commentBar();
    bar->setCommentStr(text);
    TestDriver::tap(bar->sendButton());
    runFor(0.3);
  }
  std::size_t commentsSent() { return portal().requestsTo(kAddComment).size(); }
  bool waitForComments(std::size_t n) {
    return runUntil([&] { return commentsSent() >= n && !browser_->isSending(); });
  }
};

TEST_F(PictureCommentTest, CommentGoesToTheCommentHostWithThePictureOnScreen) {
  signIn();
  open(kNewsPictureSet, 1);
  ASSERT_TRUE(browser_->commentBar()->isEnabled());
  write("  好车\n\n\n真的    好车  ");
  ASSERT_TRUE(waitForComments(1));
  auto sent = portal().requestsTo(kAddComment).front();
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.param("newsid"), "31337");
  EXPECT_EQ(sent.param("action"), "imgcomm");
  EXPECT_EQ(sent.param("surl"), portal().baseUrl() + "/news/31337.html");
  EXPECT_EQ(sent.param("imageId"), "9001");
  EXPECT_EQ(sent.param("imageUrl"), pictureUrl(320, 240, "c-a"));
  EXPECT_EQ(sent.param("content"), "好车\n真的 好车");
  EXPECT_EQ(sent.param("type"), "2");
  EXPECT_EQ(sent.param("uid"), "777");
  EXPECT_EQ(sent.param("uname"), "车友甲");
  EXPECT_EQ(sent.param("ver"), AppDelegate::getCurrentVersion());
  // The answer's message shows once the bar's strip has completed; the bar is emptied.
  runFor(1.6);
  ASSERT_TRUE(browser_->commentNotice());
  EXPECT_EQ(browser_->commentNotice()->labelText(), "评论成功");
  EXPECT_EQ(browser_->commentBar()->commentStr(), "");
}

TEST_F(PictureCommentTest, LimitIsTwoThousandUtf16Units) {
  signIn();
  open(kNewsPictureSet, 1);
  struct Case { std::string text; bool sent; } cases[] = {
      {std::string(2000, 'a'), true},
      {std::string(2001, 'a'), false},
      // Chinese characters count one unit each, emoji two: 1,001 characters
      // that are 2,001 units are refused.
      {[] { std::string s; for (int i = 0; i < 2001; ++i) s += "车"; return s; }(), false},
      {[] { std::string s; for (int i = 0; i < 1000; ++i) s += "\xF0\x9F\x98\x80"; return s + "a"; }(), false},
  };
  std::size_t expected = 0;
  for (const auto& c : cases) {
    write(c.text);
    if (c.sent) {
      ++expected;
      ASSERT_TRUE(waitForComments(expected));
      runFor(5.0);  // the strip completes and the notice goes
      EXPECT_EQ(portal().requestsTo(kAddComment).back().param("content"), c.text);
    } else {
      runFor(0.5);
      EXPECT_EQ(commentsSent(), expected);
      ASSERT_TRUE(browser_->commentNotice());
      EXPECT_EQ(browser_->commentNotice()->labelText(), kLongCommentNotice);
      runFor(5.0);
    }
    EXPECT_EQ(platform::utf16Length(c.text) <= kMaxCommentLength, c.sent);
  }
}

// A comment of blanks and line breaks only cleans to nothing: it is refused
// like an empty one instead of going out with an empty text.
TEST_F(PictureCommentTest, BlankCommentIsNeverSent) {
  signIn();
  open(kNewsPictureSet, 1);
  for (const std::string& text : {std::string(" \n \n  "), std::string("\t")}) {
    write(text);
    runFor(0.5);
    EXPECT_EQ(commentsSent(), 0u);
    ASSERT_TRUE(browser_->commentNotice());
    EXPECT_EQ(browser_->commentNotice()->labelText(), kEmptyCommentNotice);
    EXPECT_EQ(browser_->commentBar()->commentStr(), text);  // kept for editing
    runFor(3.0);
  }
}

TEST_F(PictureCommentTest, SignedOutCommentGoesThroughTheLoginGateFirst) {
  open(kNewsPictureSet, 1);
  write("先登录再评论");
  EXPECT_EQ(commentsSent(), 0u);
  auto gate = app_->modalContainers().loginNavController();
  ASSERT_TRUE(gate);
  ASSERT_FALSE(gate->childViewControllers().empty());
  auto login = std::dynamic_pointer_cast<UserLoginViewController>(gate->childViewControllers().front());
  ASSERT_TRUE(login);
  EXPECT_EQ(login->delegate().get(), static_cast<UserLoginViewControllerDelegate*>(browser_.get()));
  runFor(0.5);
  EXPECT_TRUE(gate->presentingViewController());
  EXPECT_TRUE(TestDriver::isVisible(*login->view()));

  // The login screen stores the record and reports success: the comment goes out.
  signIn();
  login->delegate()->loginSucBack();
  ASSERT_TRUE(waitForComments(1));
  EXPECT_EQ(portal().requestsTo(kAddComment).front().param("content"), "先登录再评论");
  EXPECT_EQ(portal().requestsTo(kAddComment).front().param("uid"), "777");
}

TEST_F(PictureCommentTest, PagingToAnotherPictureDropsTheUnsentComment) {
  signIn();
  open(kNewsPictureSet, 1);
  browser_->commentBar()->setCommentStr("写给第一张");
  swipe(true);
  EXPECT_EQ(browser_->commentBar()->commentStr(), "");
  EXPECT_EQ(browser_->commentBar()->holderStr(), kPicCommentHolder);
  auto loaded = browser_->picCommentController()->loadedAddress();
  EXPECT_NE(loaded.find("picid=9002&type=ios&ver="), std::string::npos) << loaded;
  EXPECT_NE(loaded.find("&themeType=white"), std::string::npos) << loaded;
}

TEST_F(PictureCommentTest, LeavingWithACommentAsksFirst) {
  open(kNewsPictureSet, 1);
  browser_->commentBar()->setCommentStr("还没发");
  TestDriver::tap(browser_->backButton());
  runFor(0.3);
  auto cancel = TestDriver::findByText(kLeaveWithDraftCancel);
  ASSERT_TRUE(cancel);
  EXPECT_TRUE(TestDriver::findByText(kLeaveWithDraftMessage));
  TestDriver::tap(cancel);
  runFor(0.5);
  EXPECT_TRUE(browser_->commentBar()->isFirstResponder());
  EXPECT_EQ(browser_->parentViewController(), container_);
}

}  // namespace
}  // namespace vorn::test
