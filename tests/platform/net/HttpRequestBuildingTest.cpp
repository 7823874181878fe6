// How a client builds its requests: base address, default headers, the form
// encoding of parameters, picture requests and the choice of operation kind.
#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpClientLayer.h"
#include "platform/net/JsonRequestOperation.h"

using namespace platform;
using namespace platform::net;

namespace {

TEST(HttpRequestBuilding, ParametersEnterTheQueryInTheFormEncoding) {
  HttpClientLayer client("http://h");
  Value params = dictionary();
  params["ver"] = "5.1.0";
  params["type"] = 1;
  params["cityName"] = "北京";
  EXPECT_EQ(client.requestForPath("GET", "/a.php?x=1", params).url,
            "http://h/a.php?x=1&cityName=%E5%8C%97%E4%BA%AC&type=1&ver=5.1.0");
}

TEST(HttpRequestBuilding, PathsResolveAgainstTheBaseAddressAndCarryDefaults) {
  HttpClientLayer client("http://127.0.0.1:1/bbs/iphone5");
  EXPECT_EQ(client.baseURL(), "http://127.0.0.1:1/bbs/iphone5/");
  HttpClientLayer root("http://127.0.0.1:1");
  EXPECT_EQ(root.baseURL(), "http://127.0.0.1:1");

  client.setDefaultHeader("User-Agent", "vorn/1");
  Value params = dictionary();
  params["page"] = 2;
  auto get = client.requestForPath("GET", "list.php?fid=3", params);
  EXPECT_EQ(get.url, "http://127.0.0.1:1/bbs/iphone5/list.php?fid=3&page=2");
  EXPECT_EQ(get.headers.get("user-agent"), "vorn/1");
  EXPECT_DOUBLE_EQ(get.timeoutSeconds, 15.0);

  EXPECT_EQ(client.requestForPath("GET", "/top.php", dictionary()).url, "http://127.0.0.1:1/top.php?");
  EXPECT_EQ(client.requestForPath("GET", "/top.php").url, "http://127.0.0.1:1/top.php");

  auto post = client.requestForPath("POST", "send.php", params);
  EXPECT_EQ(post.url, "http://127.0.0.1:1/bbs/iphone5/send.php");
  EXPECT_EQ(post.body, "page=2");
  EXPECT_EQ(post.headers.get("Content-Type"), kFormContentType);
}

TEST(HttpRequestBuilding, PictureRequestsAcceptImagesAndCarryNoCookie) {
  HttpClientLayer client("http://127.0.0.1:1");
  client.setDefaultHeader("Cookie", "iphonecookie=secret");
  client.setDefaultHeader("Accept", "application/json");
  auto request = client.pictureRequest("http://127.0.0.1:1/pic/10x10/a.jpg");
  EXPECT_EQ(request.headers.get("Accept"), "image/*");
  EXPECT_FALSE(request.headers.has("Cookie"));
  EXPECT_FALSE(request.shouldHandleCookies);
}

TEST(HttpRequestBuilding, TheJsonKindTakesJsonPathsAndJsonAcceptHeaders) {
  struct Case {
    const char* url;
    const char* accept;  // null: none
    bool json;
  } cases[] = {
      {"http://h/a/list.json", nullptr, true},
      {"http://h/a/list.json?x=1.php", nullptr, true},
      {"http://h/a/list.php?f=x.json", nullptr, false},
      {"http://h/a/list.JSON", nullptr, false},
      {"http://h/a/jsonlist", nullptr, false},
      {"http://h/a/list.php", "application/json", true},
      {"http://h/a/list.php", "text/html, Text/JavaScript;q=0.5", true},
      {"http://h/a/list.php", "text/json", true},
      {"http://h/a/list.php", "text/html", false},
      {"http://h/a/list.php", "image/*", false},
  };
  HttpClientLayer client("http://h");
  client.registerOperationKind(JsonRequestOperation::kind());
  for (const auto& c : cases) {
    HttpRequest request = client.requestForUrl("GET", c.url);
    if (c.accept) request.headers.set("Accept", c.accept);
    EXPECT_EQ(JsonRequestOperation::canProcessRequest(request), c.json) << c.url << " " << (c.accept ? c.accept : "");
    auto op = client.operationWithRequest(request, nullptr, nullptr);
    EXPECT_EQ(dynamic_cast<JsonRequestOperation*>(op.get()) != nullptr, c.json) << c.url;
  }
  HttpClientLayer plain("http://h");
  auto op = plain.operationWithRequest(plain.requestForUrl("GET", "http://h/a.json"), nullptr, nullptr);
  EXPECT_EQ(dynamic_cast<JsonRequestOperation*>(op.get()), nullptr) << "no kind registered: plain";
}

TEST(HttpRequestBuilding, TheFirstRegisteredKindThatAcceptsWins) {
  HttpClientLayer client("http://h");
  std::vector<std::string> asked;
  auto kindNamed = [&](std::string name, bool accepts) {
    return HttpOperationKind{name,
                             [&asked, name, accepts](const HttpRequest&) {
                               asked.push_back(name);
                               return accepts;
                             },
                             [](HttpRequest r) { return std::make_shared<JsonRequestOperation>(std::move(r)); }};
  };
  client.registerOperationKind(kindNamed("first", false));
  client.registerOperationKind(kindNamed("second", true));
  client.registerOperationKind(kindNamed("third", true));
  client.operationWithRequest(client.requestForUrl("GET", "http://h/x"), nullptr, nullptr);
  EXPECT_EQ(asked, (std::vector<std::string>{"first", "second"}));
}

}  // namespace
