#include <gtest/gtest.h>

#include <string>

#include "core/UserData.h"
#include "net/PortalTest.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/net/HttpCookieStore.h"

namespace vorn {
namespace {

using test::PortalTest;
using vorn::portal::RouteOverride;

platform::Value params(std::initializer_list<std::pair<const char*, platform::Value>> pairs) {
  platform::Value dict = platform::dictionary();
  for (const auto& [name, value] : pairs) dict[name] = value;
  return dict;
}

class ZorbHTTPClientTest : public PortalTest {
 protected:
  // Sends one GET through the shared client and waits for its outcome.
  bool get(const std::string& address, const platform::Value& parameters) {
    bool done = false, ok = false;
    api().postUrl(
        address, parameters, [&](auto&, const platform::Value&) { done = ok = true; },
        [&](auto&, const platform::net::HttpError&) { done = true; });
    EXPECT_TRUE(runUntil([&] { return done; }));
    return ok;
  }
};

TEST(ZorbHTTPClientRequests, QueryStringFollowsTheAddress) {
  ZorbHTTPClient client("http://127.0.0.1:9", false);
  struct Case {
    const char* url;
    platform::Value parameters;
    const char* expected;
  } cases[] = {
      {"http://h/a.php", params({{"ver", "5.1.0"}, {"type", "1"}, {"cityName", "北京"}}),
       "http://h/a.php?cityName=%E5%8C%97%E4%BA%AC&type=1&ver=5.1.0"},
      {"http://h/a.php?r=x", params({{"id", "7"}}), "http://h/a.php?r=x&id=7"},
      {"http://h/a.php", platform::Value(), "http://h/a.php"},
      {"http://h/a.php", platform::dictionary(), "http://h/a.php?"},
      {"http://h/a.php?r=1", platform::dictionary(), "http://h/a.php?r=1&"},
      {"http://h/a.php", params({{"ver", "1"}, {"Type", "2"}}), "http://h/a.php?Type=2&ver=1"},
      {"http://h/a.php", params({{"q", "a b&c=d+e"}}), "http://h/a.php?q=a%20b%26c%3Dd%2Be"},
      {"http://h/a.php", params({{"q", ":/?;!@#$()~'"}}), "http://h/a.php?q=%3A%2F%3F%3B%21%40%23%24%28%29%7E%27"},
      {"http://h/a.php", params({{"list[0]", "5.1"}}), "http://h/a.php?list[0]=5.1"},
      {"http://h/a.php", params({{"n", 20}}), "http://h/a.php?n=20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    const auto request = client.requestWithMethod("GET", c.url, c.parameters);
    EXPECT_EQ(request.url, c.expected);
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.timeoutSeconds, 15.0);
  }
}

TEST(ZorbHTTPClientRequests, DefaultHeadersDescribeTheApplicationAndDevice) {
  ZorbHTTPClient client("http://127.0.0.1:9", false);
  const auto request = client.requestWithMethod("GET", "http://h/a.php", platform::Value());
  EXPECT_EQ(request.headers.get("User-Agent"), "vorn/5.1.0 (iPhone; iOS 8.4; Scale/2.00)");
  EXPECT_EQ(request.headers.get("Accept-Language"), "zh-Hans, en, en-us;q=0.8");
}

TEST_F(ZorbHTTPClientTest, SignedOutRequestCarriesTheExactQueryAndNullCookie) {
  portal().overrideRoute("/cms/interface/5.0/list.php", RouteOverride{200, "{}"});
  ASSERT_TRUE(get(url("/cms/interface/5.0/list.php"),
                  params({{"ver", "5.1.0"}, {"type", "1"}, {"cityName", "北京"}})));
  const auto sent = portal().requestsTo("/cms/interface/5.0/list.php");
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].method, "GET");
  EXPECT_EQ(sent[0].query, "cityName=%E5%8C%97%E4%BA%AC&type=1&ver=5.1.0");
  EXPECT_EQ(sent[0].param("cityName"), "北京");
  EXPECT_EQ(sent[0].header("Cookie"), "iphonecookie=(null)");
  EXPECT_EQ(sent[0].header("User-Agent"), "vorn/5.1.0 (iPhone; iOS 8.4; Scale/2.00)");
}

TEST_F(ZorbHTTPClientTest, SignedInRequestCarriesTheMembersCookieOnlyToPortalHosts) {
  platform::Value record = params({{"status", "1"}, {"uid", "42"}, {"CookieId", "c0ffee"}});
  platform::UserDefaults::standardUserDefaults().setObject(kUserLoginInfo, record);
  portal().overrideRoute("/app/5/x.php", RouteOverride{200, "{}"});
  ASSERT_TRUE(get(url("/app/5/x.php"), platform::Value()));
  EXPECT_EQ(portal().requestsTo("/app/5/x.php").at(0).header("Cookie"), "iphonecookie=c0ffee");

  // The same server under another host name is not a portal host.
  const std::string elsewhere = "http://localhost:" + std::to_string(portal().port()) + "/app/5/x.php";
  ASSERT_TRUE(get(elsewhere, platform::Value()));
  EXPECT_EQ(portal().requestsTo("/app/5/x.php").at(1).header("Cookie"), "");
}

TEST_F(ZorbHTTPClientTest, CookiesThePortalSetTravelBesideTheMembersCookie) {
  platform::net::HttpCookie cookie;
  cookie.name = "sid";
  cookie.value = "s1";
  cookie.host = "127.0.0.1";
  platform::net::HttpCookieStore::shared()->setCookie(cookie);
  portal().overrideRoute("/app/5/y.php", RouteOverride{200, "{}"});
  ASSERT_TRUE(get(url("/app/5/y.php"), platform::Value()));
  const std::string header = portal().requestsTo("/app/5/y.php").at(0).header("Cookie");
  EXPECT_EQ(header.rfind("iphonecookie=(null)", 0), 0u) << header;
  EXPECT_NE(header.find("sid=s1"), std::string::npos) << header;
  platform::net::HttpCookieStore::shared()->removeAll();
}

TEST_F(ZorbHTTPClientTest, StatusOutsideTwoHundredsFails) {
  portal().overrideRoute("/bad.php", RouteOverride{302, ""});
  EXPECT_FALSE(get(url("/bad.php"), platform::Value()));
  portal().overrideRoute("/bad.php", RouteOverride{200, "", "text/plain", 0, true});
  EXPECT_FALSE(get(url("/bad.php"), platform::Value()));
}

}  // namespace
}  // namespace vorn
