#include <gtest/gtest.h>

#include "app/AutomationLog.h"
#include "platform/net/RequestLog.h"
#include "support/VornTest.h"

namespace vorn::shell {
namespace {

class AutomationLogTest : public vorn::test::VornTest {};

TEST_F(AutomationLogTest, RedirectHopsHaveALineOfTheirOwnWithTheCookieMasked) {
  AutomationLog log("");
  platform::net::SentRequest first{"GET", "http://127.0.0.1:1/a.php?password=x&id=1", {}, 0};
  first.headers.set("Cookie", "sid=s3cret");
  platform::net::SentRequest hop = first;
  hop.url = "http://127.0.0.1:1/b.php";
  hop.redirectHop = 1;
  platform::net::logSentRequest(first);
  platform::net::logSentRequest(hop);

  const auto& lines = log.requests().lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FALSE(lines[0].contains("redirect"));
  EXPECT_EQ(lines[0]["url"], "http://127.0.0.1:1/a.php?password=***&id=1");
  EXPECT_EQ(lines[0]["headers"]["Cookie"], "***");
  EXPECT_EQ(lines[1]["redirect"], 1);
  EXPECT_EQ(lines[1]["url"], "http://127.0.0.1:1/b.php");
  EXPECT_EQ(lines[1]["headers"]["Cookie"], "***");
}

}  // namespace
}  // namespace vorn::shell
