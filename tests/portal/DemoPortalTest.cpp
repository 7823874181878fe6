// The demo portal as the client's tests meet it: fixture routing by path and
// parameters, the request log, overrides (status, bytes, stall, dropped
// connection), C++ handlers, and many clients at once.
#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "portal/DemoPortal.h"

namespace vorn::portal {
namespace {

namespace fs = std::filesystem;

constexpr char kTable[] = R"([
  {"path": "/news/list.php", "match": {"type": "1", "page": "2"}, "file": "news-type1-page2.json"},
  {"path": "/news/list.php", "match": {"type": "1"}, "file": "news-type1.json"},
  {"path": "/news/list.php", "match": {"cityid": "*"}, "file": "news-city.json"},
  {"path": "/news/list.php", "file": "news.json"},
  {"path": "/page/*", "file": "page.html"},
  {"path": "/literal.php", "body": {"status": "1"}},
  {"path": "/gone.php", "status": 410, "body": "gone", "contentType": "text/plain"},
  {"path": "/links.json", "file": "links.json"},
  {"path": "/raw.bin", "file": "links.json", "contentType": "application/octet-stream"}
])";

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

class DemoPortalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vorn-portal-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    writeFile(dir_ / "routes.json", kTable);
    writeFile(dir_ / "news-type1-page2.json", R"({"list":"type1 page2"})");
    writeFile(dir_ / "news-type1.json", R"({"list":"type1"})");
    writeFile(dir_ / "news-city.json", R"({"list":"city"})");
    writeFile(dir_ / "news.json", R"({"list":"all"})");
    writeFile(dir_ / "page.html", "<html>页面</html>");
    writeFile(dir_ / "links.json", R"({"a":"{{portal}}/pic/1x1/a.jpg","b":"{{portal}}{{portal}}"})");
    portal_ = std::make_unique<DemoPortal>(dir_.string());
    ASSERT_TRUE(portal_->start());
  }

  void TearDown() override {
    portal_.reset();
    fs::remove_all(dir_);
  }

  httplib::Client client() const {
    httplib::Client c("127.0.0.1", portal_->port());
    c.set_connection_timeout(5);
    c.set_read_timeout(30);
    c.set_url_encode(false);  // targets are sent exactly as written
    return c;
  }

  fs::path dir_;
  std::unique_ptr<DemoPortal> portal_;
};

TEST_F(DemoPortalTest, ListensOnAFreeLoopbackPort) {
  EXPECT_GT(portal_->port(), 0);
  EXPECT_EQ(portal_->baseUrl(), "http://127.0.0.1:" + std::to_string(portal_->port()));
  DemoPortal second(dir_.string());
  ASSERT_TRUE(second.start());
  EXPECT_NE(second.port(), portal_->port());
}

TEST_F(DemoPortalTest, ParametersChooseTheAnswerMostSpecificFirst) {
  struct Case {
    const char* target;
    const char* body;
  };
  const Case cases[] = {
      {"/news/list.php?type=1&page=2", R"({"list":"type1 page2"})"},
      {"/news/list.php?page=2&type=1", R"({"list":"type1 page2"})"},
      {"/news/list.php?type=1&page=3", R"({"list":"type1"})"},
      {"/news/list.php?type=1", R"({"list":"type1"})"},
      {"/news/list.php?type=2&cityid=", R"({"list":"city"})"},
      {"/news/list.php?type=2", R"({"list":"all"})"},
      {"/news/list.php", R"({"list":"all"})"},
  };
  auto c = client();
  for (const auto& tc : cases) {
    auto res = c.Get(tc.target);
    ASSERT_TRUE(res) << tc.target;
    EXPECT_EQ(res->status, 200) << tc.target;
    EXPECT_EQ(res->body, tc.body) << tc.target;
    EXPECT_EQ(res->get_header_value("Content-Type"), "application/json; charset=utf-8");
  }
}

TEST_F(DemoPortalTest, FormBodyParametersChooseTheAnswerToo) {
  auto res = client().Post("/news/list.php", "type=1&page=2", "application/x-www-form-urlencoded");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->body, R"({"list":"type1 page2"})");
}

TEST_F(DemoPortalTest, PrefixRoutesLiteralBodiesAndStatusesFromTheTable) {
  auto c = client();
  auto page = c.Get("/page/any/thing.html");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_EQ(page->body, "<html>页面</html>");
  EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");

  auto literal = c.Get("/literal.php");
  ASSERT_TRUE(literal);
  EXPECT_EQ(literal->body, R"({"status":"1"})");

  auto gone = c.Get("/gone.php");
  ASSERT_TRUE(gone);
  EXPECT_EQ(gone->status, 410);
  EXPECT_EQ(gone->body, "gone");
}

TEST_F(DemoPortalTest, TopicTablesFollowTheMainTableInNameOrder) {
  writeFile(dir_ / "topics" / "routes.json", R"([{"path": "/a.php", "body": "main"}])");
  writeFile(dir_ / "topics" / "routes" / "b-later.json",
            R"([{"path": "/b.php", "body": "later"}, {"path": "/c.php", "body": "later"}])");
  writeFile(dir_ / "topics" / "routes" / "a-first.json",
            R"([{"path": "/a.php", "body": "shadowed"}, {"path": "/b.php", "body": "first"}])");
  writeFile(dir_ / "topics" / "routes" / "notes.txt", "not a table");
  DemoPortal topics((dir_ / "topics").string());
  ASSERT_TRUE(topics.start());
  httplib::Client c("127.0.0.1", topics.port());
  for (auto [path, body] : {std::pair{"/a.php", "main"}, {"/b.php", "first"}, {"/c.php", "later"}}) {
    auto res = c.Get(path);
    ASSERT_TRUE(res) << path;
    EXPECT_EQ(res->body, body) << path;
  }

  writeFile(dir_ / "broken-topic" / "routes" / "x.json", "{");
  DemoPortal broken((dir_ / "broken-topic").string());
  EXPECT_FALSE(broken.start());
}

TEST_F(DemoPortalTest, TextAnswersPointAtThePortalItself) {
  auto c = client();
  const std::string base = portal_->baseUrl();
  auto links = c.Get("/links.json");
  ASSERT_TRUE(links);
  EXPECT_EQ(links->body, R"({"a":")" + base + R"(/pic/1x1/a.jpg","b":")" + base + base + R"("})");

  // The address follows the Host the client used.
  auto viaName = c.Get("/links.json", {{"Host", "localhost:" + std::to_string(portal_->port())}});
  ASSERT_TRUE(viaName);
  EXPECT_NE(viaName->body.find("http://localhost:" + std::to_string(portal_->port()) + "/pic/"), std::string::npos);
  auto badHost = c.Get("/links.json", {{"Host", "evil\"/><x"}});
  ASSERT_TRUE(badHost);
  EXPECT_NE(badHost->body.find(base + "/pic/"), std::string::npos);

  // Bytes that are not text are served as they are.
  auto raw = c.Get("/raw.bin");
  ASSERT_TRUE(raw);
  EXPECT_NE(raw->body.find("{{portal}}/pic/"), std::string::npos);
}

TEST_F(DemoPortalTest, UnknownPathsAnswer404) {
  auto c = client();
  for (const char* target : {"/nothing.php", "/news/list.php/extra", "/page", "/"}) {
    auto res = c.Get(target);
    ASSERT_TRUE(res) << target;
    EXPECT_EQ(res->status, 404) << target;
  }
  auto post = c.Post("/nothing.php", "a=1", "application/x-www-form-urlencoded");
  ASSERT_TRUE(post);
  EXPECT_EQ(post->status, 404);
}

TEST_F(DemoPortalTest, ABrokenTableOrAMissingFolderRefusesToStart) {
  DemoPortal missing((dir_ / "missing").string());
  EXPECT_FALSE(missing.start());
  EXPECT_FALSE(missing.isRunning());

  fs::create_directories(dir_ / "no-table");
  DemoPortal picturesOnly((dir_ / "no-table").string());
  EXPECT_TRUE(picturesOnly.start());

  writeFile(dir_ / "bad" / "routes.json", "[{\"path\": ");
  DemoPortal bad((dir_ / "bad").string());
  EXPECT_FALSE(bad.start());

  writeFile(dir_ / "escape" / "routes.json", R"([{"path": "/x", "file": "../../etc/passwd"}])");
  DemoPortal escaping((dir_ / "escape").string());
  EXPECT_FALSE(escaping.start());
}

TEST_F(DemoPortalTest, LogKeepsMethodPathQueryParamsHeadersAndBody) {
  auto c = client();
  httplib::Headers headers = {{"User-Agent", "VornTest/1.0"}, {"Cookie", "uid=7"}};
  ASSERT_TRUE(c.Get("/news/list.php?type=1&title=%E6%96%B0%E9%97%BB&q=a+b", headers));
  ASSERT_TRUE(c.Post("/post.php?fid=3", headers, "content=%E4%BD%A0%E5%A5%BD&tid=9",
                     "application/x-www-form-urlencoded"));

  auto log = portal_->requests();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].method, "GET");
  EXPECT_EQ(log[0].path, "/news/list.php");
  EXPECT_EQ(log[0].query, "type=1&title=%E6%96%B0%E9%97%BB&q=a+b");
  EXPECT_EQ(log[0].param("type"), "1");
  EXPECT_EQ(log[0].param("title"), "新闻");
  EXPECT_EQ(log[0].param("q"), "a b");
  EXPECT_EQ(log[0].header("user-agent"), "VornTest/1.0");
  EXPECT_EQ(log[0].header("COOKIE"), "uid=7");
  EXPECT_EQ(log[0].header("REMOTE_ADDR"), "");
  EXPECT_TRUE(log[0].body.empty());

  EXPECT_EQ(log[1].method, "POST");
  EXPECT_EQ(log[1].path, "/post.php");
  EXPECT_EQ(log[1].query, "fid=3");
  EXPECT_EQ(log[1].param("fid"), "3");
  EXPECT_EQ(log[1].param("content"), "你好");
  EXPECT_EQ(log[1].param("tid"), "9");
  EXPECT_EQ(log[1].body, "content=%E4%BD%A0%E5%A5%BD&tid=9");
  EXPECT_EQ(log[1].header("Content-Type"), "application/x-www-form-urlencoded");

  EXPECT_EQ(portal_->requestsTo("/post.php").size(), 1u);
  EXPECT_TRUE(portal_->requestsTo("/other.php").empty());
  portal_->clearLog();
  EXPECT_TRUE(portal_->requests().empty());
  EXPECT_EQ(portal_->requestCount(), 0u);
}

TEST_F(DemoPortalTest, MultipartBodiesAreLoggedByteForByteAndTakenApart) {
  const std::string boundary = "----VornBoundary7MA4YWxk";
  const std::string picture("\xFF\xD8\xFF\xE0\r\n--x\0tail", 14);
  std::string body = "--" + boundary + "\r\n"
                     "Content-Disposition: form-data; name=\"subject\"\r\n\r\n"
                     "标题\r\n"
                     "--" + boundary + "\r\n"
                     "Content-Disposition: form-data; name=\"attach\"; filename=\"a.jpg\"\r\n"
                     "Content-Type: image/jpeg\r\n\r\n" +
                     picture + "\r\n"
                     "--" + boundary + "--\r\n";
  auto res = client().Post("/upload.php", body, ("multipart/form-data; boundary=" + boundary).c_str());
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 404);

  auto log = portal_->requests();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].body, body);
  EXPECT_EQ(log[0].header("Content-Type"), "multipart/form-data; boundary=" + boundary);
  EXPECT_EQ(log[0].param("subject"), "标题");
  EXPECT_FALSE(log[0].hasParam("attach"));
  ASSERT_EQ(log[0].parts.size(), 2u);
  EXPECT_EQ(log[0].parts[1].name, "attach");
  EXPECT_EQ(log[0].parts[1].filename, "a.jpg");
  EXPECT_EQ(log[0].parts[1].contentType, "image/jpeg");
  EXPECT_EQ(log[0].parts[1].data, picture);
}

TEST_F(DemoPortalTest, OverrideAnswersGivenStatusAndBytesUntilCleared) {
  struct Case {
    int status;
    std::string body;
    std::string contentType;
  };
  const Case cases[] = {
      {500, "", "text/plain"},
      {200, "<html>not json</html>", "text/html"},
      {200, std::string("{\"a\":\0\xFF", 7), "application/json"},
      {302, "", "text/plain"},
  };
  auto c = client();
  for (const auto& tc : cases) {
    RouteOverride o;
    o.status = tc.status;
    o.body = tc.body;
    o.contentType = tc.contentType;
    portal_->overrideRoute("/news/list.php", o);
    auto res = c.Get("/news/list.php?type=1");
    ASSERT_TRUE(res) << tc.status;
    EXPECT_EQ(res->status, tc.status);
    EXPECT_EQ(res->body, tc.body);
    EXPECT_EQ(res->get_header_value("Content-Type"), tc.contentType);
  }
  // Other paths are untouched; clearing brings the fixture back.
  auto other = c.Get("/literal.php");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->status, 200);
  portal_->clearOverrides();
  auto back = c.Get("/news/list.php?type=1");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->body, R"({"list":"type1"})");
  // Overridden requests are logged like any other.
  EXPECT_EQ(portal_->requestsTo("/news/list.php").size(), 5u);
}

TEST_F(DemoPortalTest, OverrideCanAnswerAPathWithoutAFixture) {
  RouteOverride o;
  o.body = R"({"status":"1"})";
  portal_->overrideRoute("/new.php", o);
  auto res = client().Post("/new.php", "", "application/x-www-form-urlencoded");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->body, o.body);
  portal_->clearOverride("/new.php");
  auto after = client().Get("/new.php");
  ASSERT_TRUE(after);
  EXPECT_EQ(after->status, 404);
}

TEST_F(DemoPortalTest, ClosedConnectionGivesTheClientNoAnswer) {
  RouteOverride o;
  o.closeConnection = true;
  portal_->overrideRoute("/news/list.php", o);
  auto c = client();
  auto res = c.Get("/news/list.php");
  EXPECT_FALSE(res);
  EXPECT_EQ(portal_->requestsTo("/news/list.php").size(), 1u);
  // The server goes on serving.
  auto next = c.Get("/literal.php");
  ASSERT_TRUE(next);
  EXPECT_EQ(next->status, 200);
}

TEST_F(DemoPortalTest, ShortDelayStillAnswers) {
  RouteOverride o;
  o.delaySeconds = 0.05;
  o.body = "late";
  portal_->overrideRoute("/slow.php", o);
  auto res = client().Get("/slow.php");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->body, "late");
}

TEST_F(DemoPortalTest, StalledRouteBlocksNeitherOtherRoutesNorStop) {
  RouteOverride o;
  o.delaySeconds = 3600;  // far beyond the test's time limit: only stop() can end it
  portal_->overrideRoute("/slow.php", o);
  auto stalled = std::async(std::launch::async, [port = portal_->port()] {
    httplib::Client c("127.0.0.1", port);
    c.set_read_timeout(3600);
    return static_cast<bool>(c.Get("/slow.php"));
  });
  ASSERT_TRUE(portal_->waitForRequests(1));

  auto other = client().Get("/news/list.php?type=1");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->body, R"({"list":"type1"})");

  portal_->stop();
  EXPECT_FALSE(portal_->isRunning());
  EXPECT_FALSE(stalled.get());  // cut short without an answer
}

TEST_F(DemoPortalTest, StopReturnsWithAnIdleKeepAliveConnectionOpen) {
  httplib::Client c("127.0.0.1", portal_->port());
  c.set_keep_alive(true);
  ASSERT_TRUE(c.Get("/literal.php"));
  ASSERT_TRUE(c.Get("/literal.php"));
  portal_->stop();
  EXPECT_FALSE(portal_->isRunning());
  EXPECT_FALSE(c.Get("/literal.php"));
}

TEST_F(DemoPortalTest, RestartsAfterStop) {
  portal_->stop();
  ASSERT_TRUE(portal_->start());
  auto res = client().Get("/literal.php");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
}

TEST_F(DemoPortalTest, HandlerAnswersItsPathWithStateOfItsOwn) {
  int calls = 0;
  portal_->addHandler("/login.php", [&calls](const ReceivedRequest& r) {
    ++calls;
    PortalAnswer a;
    if (r.param("password") == "secret") {
      a.body = R"({"status":"1","uid":"7"})";
      a.headers.emplace("Set-Cookie", "auth=abc; path=/");
    } else {
      a.body = R"({"status":"0","msg":"密码错误"})";
    }
    return a;
  });
  auto c = client();
  auto ok = c.Post("/login.php", "user=a&password=secret", "application/x-www-form-urlencoded");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->body, R"({"status":"1","uid":"7"})");
  EXPECT_EQ(ok->get_header_value("Set-Cookie"), "auth=abc; path=/");
  auto refused = c.Post("/login.php", "user=a&password=no", "application/x-www-form-urlencoded");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->body, R"({"status":"0","msg":"密码错误"})");
  EXPECT_EQ(calls, 2);

  // An override still wins over the handler; removing the handler gives 404.
  RouteOverride o;
  o.status = 503;
  portal_->overrideRoute("/login.php", o);
  auto overridden = c.Post("/login.php", "", "application/x-www-form-urlencoded");
  ASSERT_TRUE(overridden);
  EXPECT_EQ(overridden->status, 503);
  portal_->clearOverrides();
  portal_->removeHandler("/login.php");
  auto gone = c.Get("/login.php");
  ASSERT_TRUE(gone);
  EXPECT_EQ(gone->status, 404);
  EXPECT_EQ(calls, 2);
}

TEST_F(DemoPortalTest, ManyClientsAtOnceEachGetTheirOwnAnswer) {
  constexpr int kClients = 24;
  std::vector<std::future<std::string>> answers;
  for (int i = 0; i < kClients; ++i) {
    answers.push_back(std::async(std::launch::async, [port = portal_->port(), i] {
      httplib::Client c("127.0.0.1", port);
      c.set_keep_alive(true);  // idle connections must not hold up the others
      std::string target = i % 2 ? "/news/list.php?type=1" : "/pic/40x30/" + std::to_string(i) + ".png";
      auto first = c.Get(target.c_str());
      auto second = c.Get(target.c_str());
      if (!first || !second || first->body != second->body) return std::string("failed");
      return i % 2 ? first->body : std::to_string(first->body.size() > 0);
    }));
  }
  for (int i = 0; i < kClients; ++i) {
    EXPECT_EQ(answers[i].get(), i % 2 ? R"({"list":"type1"})" : "1") << i;
  }
  EXPECT_EQ(portal_->requestCount(), 2u * kClients);
}

}  // namespace
}  // namespace vorn::portal
