// Cookies stay with the host that set them, honour their path and expiry,
// and are removed by host.
#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpCookieStore.h"

using namespace platform;
using namespace platform::net;

namespace {

class HttpCookieStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::main().useVirtualClock(1'800'000'000); }
  HttpCookieStore store;
};

TEST_F(HttpCookieStoreTest, ACookieGoesOnlyToTheHostThatSetIt) {
  store.setCookiesFromHeaders({"sid=abc; Path=/", "lang=zh"}, "http://127.0.0.1:8080/app/5/login.php");
  // "Domain" never widens a cookie to another host.
  store.setCookiesFromHeaders({"wide=1; Domain=example.com; Path=/"}, "http://a.example.com/");

  EXPECT_EQ(store.cookieHeaderForUrl("http://127.0.0.1:9999/other.php"), "sid=abc");
  EXPECT_EQ(store.cookieHeaderForUrl("http://127.0.0.1/app/5/x.php"), "lang=zh; sid=abc");
  EXPECT_EQ(store.cookieHeaderForUrl("http://localhost:8080/app/5/login.php"), "");
  EXPECT_EQ(store.cookieHeaderForUrl("http://b.example.com/"), "");
  EXPECT_EQ(store.cookieHeaderForUrl("http://A.EXAMPLE.COM/"), "wide=1");
}

TEST_F(HttpCookieStoreTest, PathExpiryAndSecureDecideWhatIsSent) {
  struct Case {
    const char* setCookie;
    const char* requestUrl;
    bool sent;
  } cases[] = {
      {"a=1; Path=/bbs", "http://h/bbs/list.php", true},
      {"a=1; Path=/bbs", "http://h/bbs", true},
      {"a=1; Path=/bbs", "http://h/bbsx/list.php", false},
      {"a=1; Path=/bbs/", "http://h/bbs/list.php", true},
      {"a=1; Max-Age=60", "http://h/", true},
      {"a=1; Max-Age=0", "http://h/", false},
      {"a=1; Expires=Wed, 21 Oct 2015 07:28:00 GMT", "http://h/", false},
      {"a=1; Expires=Wed, 21 Oct 2099 07:28:00 GMT", "http://h/", true},
      {"a=1; Secure", "http://h/", false},
      {"a=1; Secure", "https://h/", true},
      {"novalue", "http://h/", false},
  };
  for (const auto& c : cases) {
    HttpCookieStore fresh;
    fresh.setCookiesFromHeaders({c.setCookie}, "http://h/");
    fresh.setCookiesFromHeaders({c.setCookie}, "https://h/");
    EXPECT_EQ(!fresh.cookiesForUrl(c.requestUrl).empty(), c.sent) << c.setCookie << " -> " << c.requestUrl;
  }
}

TEST_F(HttpCookieStoreTest, ACookieExpiresOnTheLoopsClock) {
  store.setCookiesFromHeaders({"t=1; Max-Age=10"}, "http://h/");
  RunLoop::main().runFor(9);
  EXPECT_EQ(store.cookieHeaderForUrl("http://h/"), "t=1");
  RunLoop::main().runFor(2);
  EXPECT_EQ(store.cookieHeaderForUrl("http://h/"), "");
  EXPECT_TRUE(store.cookies().empty());
}

TEST_F(HttpCookieStoreTest, ALaterCookieReplacesOrDeletesTheEarlierOne) {
  store.setCookiesFromHeaders({"sid=old"}, "http://h/");
  store.setCookiesFromHeaders({"sid=new"}, "http://h/");
  EXPECT_EQ(store.cookieHeaderForUrl("http://h/"), "sid=new");
  store.setCookiesFromHeaders({"sid=; Max-Age=0"}, "http://h/");
  EXPECT_EQ(store.cookieHeaderForUrl("http://h/"), "");
}

TEST_F(HttpCookieStoreTest, DeletingByHostLeavesOtherHostsCookies) {
  store.setCookiesFromHeaders({"a=1"}, "http://127.0.0.1/");
  store.setCookiesFromHeaders({"b=2"}, "http://localhost/");
  store.deleteCookiesForHost("LOCALHOST");
  auto left = store.cookies();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].name, "a");
  EXPECT_EQ(left[0].host, "127.0.0.1");
}

}  // namespace
