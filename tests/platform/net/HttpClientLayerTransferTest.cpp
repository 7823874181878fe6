// The client against the real demo portal over loopback: answers, statuses,
// time-outs on the virtual clock, dropped connections, cancelling in flight,
// the JSON rules, cookie scoping by host, exact POST bytes and the request log.
#include <gtest/gtest.h>

#include <optional>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpClientLayer.h"
#include "platform/net/JsonRequestOperation.h"
#include "platform/net/RequestLog.h"
#include "support/VornTest.h"

using namespace platform;
using namespace platform::net;
using vorn::portal::PortalAnswer;
using vorn::portal::ReceivedRequest;
using vorn::portal::RouteOverride;

namespace {

PortalAnswer answerEmptyJson(const ReceivedRequest&) {
  PortalAnswer a;
  a.body = "{}";
  return a;
}

struct Outcome {
  bool done = false;
  int calls = 0;
  Value answer;
  std::optional<HttpError> error;
  HttpResponse response;
  bool onMainThread = false;
  double at = 0;  // when it arrived, on the loop's clock
};

class HttpClientLayerTransfer : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    cookies = std::make_shared<HttpCookieStore>();
    client = std::make_unique<HttpClientLayer>(portal().baseUrl(), false, cookies);
    client->registerOperationKind(JsonRequestOperation::kind());
  }
  void TearDown() override {
    client.reset();
    setRequestLogger(nullptr);
    RunLoop::main().setExternalGrace(2.0);
    VornTest::TearDown();
  }

  std::string url(const std::string& path) { return portal().baseUrl() + path; }

  HttpOperation::SuccessBlock succeed(Outcome& out) {
    return [&out](HttpOperation& op, const Value& answer) {
      out.done = true;
      ++out.calls;
      out.answer = answer;
      out.response = op.response();
      out.onMainThread = RunLoop::main().isMainThread();
      out.at = currentTime();
    };
  }
  HttpOperation::FailureBlock fail(Outcome& out) {
    return [&out](HttpOperation& op, const HttpError& error) {
      out.done = true;
      ++out.calls;
      out.error = error;
      out.response = op.response();
      out.onMainThread = RunLoop::main().isMainThread();
      out.at = currentTime();
    };
  }
  std::shared_ptr<HttpOperation> send(HttpRequest request, Outcome& out) {
    return client->send(std::move(request), succeed(out), fail(out));
  }
  std::shared_ptr<HttpOperation> get(const std::string& address, Outcome& out) {
    return client->get(address, succeed(out), fail(out));
  }

  std::shared_ptr<HttpCookieStore> cookies;
  std::unique_ptr<HttpClientLayer> client;
};

TEST_F(HttpClientLayerTransfer, AnAnswerArrivesOnTheMainThreadWithStatusHeadersAndBytes) {
  std::string bytes = std::string("\x89PNG\r\n\0\x01 汽车", 14);
  portal().addHandler("/interface/vorn/data.php", [bytes](const ReceivedRequest&) {
    PortalAnswer a;
    a.body = bytes;
    a.contentType = "application/octet-stream";
    a.headers.emplace("X-Portal", "yes");
    return a;
  });
  Outcome out;
  get(url("/interface/vorn/data.php?id=7&name=%E5%8C%97"), out);
  double sent = now();
  // Virtual time runs past the time-out: the loopback answer still comes first.
  runFor(20);
  ASSERT_TRUE(out.done);
  ASSERT_FALSE(out.error) << out.error->description;
  EXPECT_EQ(out.calls, 1);
  EXPECT_TRUE(out.onMainThread);
  EXPECT_EQ(out.at, sent);
  EXPECT_EQ(out.response.status, 200);
  EXPECT_EQ(out.response.headers.get("x-portal"), "yes");
  EXPECT_EQ(out.response.mimeType(), "application/octet-stream");
  EXPECT_EQ(bytesAsString(out.answer), bytes);
  EXPECT_TRUE(isData(out.answer));

  auto received = portal().requestsTo("/interface/vorn/data.php");
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].method, "GET");
  EXPECT_EQ(received[0].param("name"), "北");
  EXPECT_EQ(client->operationQueue().operationCount(), 0u);
  EXPECT_EQ(RunLoop::main().externalWorkInFlight(), 0);
}

TEST_F(HttpClientLayerTransfer, StatusesOutside200To299FailWithTheStatus) {
  struct Case {
    int status;
    bool ok;
  } cases[] = {{200, true}, {204, true}, {299, true}, {304, false}, {404, false}, {500, false}};
  for (const auto& c : cases) {
    RouteOverride answer;
    answer.status = c.status;
    answer.body = c.status == 204 || c.status == 304 ? "" : "body";
    answer.contentType = "text/plain";
    portal().overrideRoute("/status.php", answer);
    Outcome out;
    get(url("/status.php"), out);
    ASSERT_TRUE(runUntil([&] { return out.done; }));
    EXPECT_EQ(!out.error, c.ok) << c.status;
    EXPECT_EQ(out.response.status, c.status);
    if (!c.ok) {
      EXPECT_EQ(out.error->kind, HttpErrorKind::BadStatus) << c.status;
      EXPECT_EQ(out.error->status, c.status);
    }
  }
  // A path the portal does not know.
  Outcome missing;
  get(url("/no/such/path.php"), missing);
  ASSERT_TRUE(runUntil([&] { return missing.done; }));
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(missing.error->kind, HttpErrorKind::BadStatus);
  EXPECT_EQ(missing.error->status, 404);
}

TEST_F(HttpClientLayerTransfer, AStalledAnswerTimesOutAfterItsTimeOutInVirtualTime) {
  RunLoop::main().setExternalGrace(0.1);
  RouteOverride stall;
  stall.delaySeconds = 30;
  stall.body = "{}";
  portal().overrideRoute("/stall.php", stall);

  Outcome byDefault, shortOne;
  double sent = now();
  get(url("/stall.php?a=1"), byDefault);
  HttpRequest quick = client->requestForUrl("GET", url("/stall.php?a=2"));
  quick.timeoutSeconds = 5;
  send(quick, shortOne);
  ASSERT_TRUE(portal().waitForRequests(2));

  runFor(4.9);
  EXPECT_FALSE(shortOne.done);
  runFor(10);
  ASSERT_TRUE(shortOne.done);
  EXPECT_FALSE(byDefault.done);
  runFor(0.2);
  ASSERT_TRUE(byDefault.done);
  for (Outcome* o : {&shortOne, &byDefault}) {
    ASSERT_TRUE(o->error);
    EXPECT_EQ(o->error->kind, HttpErrorKind::TimedOut);
    EXPECT_EQ(o->error->code, kErrorTimedOut);
    EXPECT_EQ(o->calls, 1);
  }
  EXPECT_DOUBLE_EQ(shortOne.at - sent, 5.0);
  EXPECT_DOUBLE_EQ(byDefault.at - sent, 15.0);
  EXPECT_EQ(RunLoop::main().externalWorkInFlight(), 0);
}

TEST_F(HttpClientLayerTransfer, ADroppedConnectionFailsAsNoConnection) {
  RouteOverride drop;
  drop.closeConnection = true;
  portal().overrideRoute("/drop.php", drop);
  Outcome out;
  get(url("/drop.php"), out);
  ASSERT_TRUE(runUntil([&] { return out.done; }));
  ASSERT_TRUE(out.error);
  EXPECT_EQ(out.error->kind, HttpErrorKind::NoConnection);
  EXPECT_LT(now() - vorn::test::kTestStartEpochSeconds, 15.0);
}

TEST_F(HttpClientLayerTransfer, CancellingByPathEndsRequestsInFlightAndSparesOthers) {
  RunLoop::main().setExternalGrace(0.1);
  RouteOverride stall;
  stall.delaySeconds = 30;
  portal().overrideRoute("/app/5/notice.php", stall);
  portal().addHandler("/app/5/other.php", answerEmptyJson);

  Outcome first, second, other;
  get(url("/app/5/notice.php?page=1"), first);
  get(url("/app/5/notice.php?page=2"), second);
  ASSERT_TRUE(portal().waitForRequests(2));
  runFor(1);
  EXPECT_FALSE(first.done);

  client->cancelAllHTTPOperations("", url("/app/5/notice.php"));
  // The answer that must come back gets the usual wait for real I/O: a short
  // grace lets a loaded machine's slow answer look stalled and time out.
  RunLoop::main().setExternalGrace(2.0);
  get(url("/app/5/other.php"), other);
  ASSERT_TRUE(runUntil([&] { return first.done && second.done && other.done; }));
  EXPECT_EQ(first.error->kind, HttpErrorKind::Cancelled);
  EXPECT_EQ(first.error->code, kErrorCancelled);
  EXPECT_EQ(second.error->kind, HttpErrorKind::Cancelled);
  EXPECT_FALSE(other.error);
  runFor(20);  // no time-out follows a cancel
  EXPECT_EQ(first.calls, 1);
  EXPECT_EQ(second.calls, 1);
}

TEST_F(HttpClientLayerTransfer, JsonOperationsNeedAJsonContentTypeAndABodyThatParses) {
  struct Case {
    const char* path;
    const char* accept;  // null: none
    int status;
    const char* contentType;
    const char* body;
    std::optional<HttpErrorKind> failure;
  } cases[] = {
      {"/list.json", nullptr, 200, "application/json; charset=utf-8", R"({"a":1})", std::nullopt},
      {"/list.json", nullptr, 200, "text/json", R"({"a":1})", std::nullopt},
      {"/list.json", nullptr, 200, "Text/JavaScript; charset=gbk", R"({"a":1})", std::nullopt},
      {"/list.json", nullptr, 200, "text/html", R"({"a":1})", HttpErrorKind::NotJson},
      {"/list.json", nullptr, 200, "application/json", "<html>oops</html>", HttpErrorKind::NotJson},
      {"/list.json", nullptr, 200, "application/json", "", HttpErrorKind::NotJson},
      {"/list.json", nullptr, 500, "application/json", R"({"a":1})", HttpErrorKind::BadStatus},
      {"/list.php", "application/json", 200, "application/json", R"({"a":1})", std::nullopt},
      {"/list.php", "application/json", 200, "text/plain", R"({"a":1})", HttpErrorKind::NotJson},
      {"/list.php", nullptr, 200, "text/html", "<html>plain</html>", std::nullopt},
  };
  for (const auto& c : cases) {
    RouteOverride answer;
    answer.status = c.status;
    answer.contentType = c.contentType;
    answer.body = c.body;
    portal().overrideRoute(c.path, answer);
    HttpRequest request = client->requestForUrl("GET", url(c.path));
    if (c.accept) request.headers.set("Accept", c.accept);
    Outcome out;
    send(request, out);
    ASSERT_TRUE(runUntil([&] { return out.done; }));
    std::string label = std::string(c.path) + " " + c.contentType + " " + c.body;
    if (c.failure) {
      ASSERT_TRUE(out.error) << label;
      EXPECT_EQ(out.error->kind, *c.failure) << label;
    } else {
      ASSERT_FALSE(out.error) << label << ": " << out.error->description;
      bool json = std::string(c.path).ends_with(".json") || c.accept;
      if (json) {
        EXPECT_EQ(intValueOf(out.answer, "a"), 1) << label;
      } else {
        EXPECT_EQ(bytesAsString(out.answer), c.body) << label;
      }
    }
  }
}

TEST_F(HttpClientLayerTransfer, ACookieSetByOneHostIsSentOnlyBackToThatHost) {
  portal().addHandler("/app/5/login.php", [](const ReceivedRequest&) {
    PortalAnswer a;
    a.body = R"({"status":"1"})";
    a.headers.emplace("Set-Cookie", "sid=abc123; Path=/");
    return a;
  });
  portal().addHandler("/app/5/me.php", answerEmptyJson);
  std::string localhost = "http://localhost:" + std::to_string(portal().port());

  Outcome login;
  get(url("/app/5/login.php"), login);
  ASSERT_TRUE(runUntil([&] { return login.done; }));
  ASSERT_FALSE(login.error);
  ASSERT_EQ(cookies->cookies().size(), 1u);
  EXPECT_EQ(cookies->cookies()[0].host, "127.0.0.1");

  // Same host: the sender's own "Cookie" header first, the stored cookie after it.
  HttpRequest same = client->requestForUrl("GET", url("/app/5/me.php?h=same"));
  same.headers.set("Cookie", "iphonecookie=(null)");
  Outcome o1, o2, o3, o4;
  send(same, o1);
  // Another host (the same server by another name): nothing stored goes there.
  get(localhost + "/app/5/me.php?h=other", o2);
  // A request that does not handle cookies, and a picture request.
  HttpRequest plain = client->requestForUrl("GET", url("/app/5/me.php?h=plain"));
  plain.shouldHandleCookies = false;
  send(plain, o3);
  send(client->pictureRequest(url("/app/5/me.php?h=picture")), o4);
  ASSERT_TRUE(runUntil([&] { return o1.done && o2.done && o3.done && o4.done; }));

  std::map<std::string, ReceivedRequest> byName;
  for (const auto& r : portal().requestsTo("/app/5/me.php")) byName[r.param("h")] = r;
  ASSERT_EQ(byName.size(), 4u);
  EXPECT_EQ(byName["same"].header("Cookie"), "iphonecookie=(null); sid=abc123");
  EXPECT_EQ(byName["other"].header("Cookie"), "");
  EXPECT_EQ(byName["plain"].header("Cookie"), "");
  EXPECT_EQ(byName["picture"].header("Cookie"), "");
  EXPECT_EQ(byName["picture"].header("Accept"), "image/*");

  cookies->deleteCookiesForHost("127.0.0.1");
  Outcome after;
  get(url("/app/5/me.php?h=after"), after);
  ASSERT_TRUE(runUntil([&] { return after.done; }));
  EXPECT_EQ(portal().requestsTo("/app/5/me.php").back().header("Cookie"), "");
}

TEST_F(HttpClientLayerTransfer, ARequestThatDoesNotHandleCookiesKeepsNone) {
  portal().addHandler("/set.php", [](const ReceivedRequest&) {
    PortalAnswer a;
    a.headers.emplace("Set-Cookie", "sid=abc");
    return a;
  });
  HttpRequest request = client->requestForUrl("GET", url("/set.php"));
  request.shouldHandleCookies = false;
  Outcome out;
  send(request, out);
  Outcome picture;
  send(client->pictureRequest(url("/set.php")), picture);
  ASSERT_TRUE(runUntil([&] { return out.done && picture.done; }));
  EXPECT_TRUE(cookies->cookies().empty());
}

TEST_F(HttpClientLayerTransfer, APostCarriesExactlyTheGivenBytesAndHeaders) {
  portal().addHandler("/bbs/iphone5/uploadify_api.php", answerEmptyJson);
  std::string body = "--B0\r\nContent-Disposition: form-data; name=\"Filedata\"; filename=\"a.jpg\"\r\n"
                     "Content-Type: image/jpeg\r\n\r\n";
  body += std::string("\xFF\xD8\xFF\x00\x00\r\n\x7F", 8);
  body += std::string(3000, '\x5A');  // large enough that curl would otherwise wait for "100 Continue"
  body += "\r\n--B0--\r\n";
  HttpHeaders headers;
  headers.set("Content-Type", "multipart/form-data; boundary=B0");
  Outcome out;
  client->post(url("/bbs/iphone5/uploadify_api.php?uid=5"), body, headers, succeed(out), fail(out));
  Outcome bare;
  client->post(url("/bbs/iphone5/uploadify_api.php?uid=6"), "raw=1&b", {}, succeed(bare), fail(bare));
  ASSERT_TRUE(runUntil([&] { return out.done && bare.done; }));
  ASSERT_FALSE(out.error);

  auto received = portal().requestsTo("/bbs/iphone5/uploadify_api.php");
  ASSERT_EQ(received.size(), 2u);
  const ReceivedRequest& upload = received[0].param("uid") == "5" ? received[0] : received[1];
  const ReceivedRequest& plain = received[0].param("uid") == "5" ? received[1] : received[0];
  EXPECT_EQ(upload.method, "POST");
  EXPECT_EQ(upload.body, body);
  EXPECT_EQ(upload.header("Content-Type"), "multipart/form-data; boundary=B0");
  EXPECT_EQ(upload.header("Expect"), "");
  EXPECT_EQ(plain.body, "raw=1&b");
  EXPECT_EQ(plain.header("Content-Type"), "") << "no form type the sender did not choose";
}

TEST_F(HttpClientLayerTransfer, EveryRequestSentIsReportedToTheLoggerOnTheMainThread) {
  portal().addHandler("/log.php", answerEmptyJson);
  std::vector<SentRequest> logged;
  bool allOnMain = true;
  setRequestLogger([&](const SentRequest& r) {
    logged.push_back(r);
    allOnMain = allOnMain && RunLoop::main().isMainThread();
  });
  cookies->setCookiesFromHeaders({"sid=s3cret"}, url("/"));
  client->setDefaultHeader("User-Agent", "vorn-test");
  Outcome a, b;
  get(url("/log.php?x=1&y=%E5%8C%97"), a);
  client->post(url("/log.php"), "12345", {}, succeed(b), fail(b));
  ASSERT_TRUE(runUntil([&] { return a.done && b.done; }));
  ASSERT_EQ(logged.size(), 2u);
  EXPECT_TRUE(allOnMain);
  EXPECT_EQ(logged[0].method, "GET");
  EXPECT_EQ(logged[0].url, url("/log.php?x=1&y=%E5%8C%97"));
  EXPECT_EQ(logged[0].headers.get("User-Agent"), "vorn-test");
  EXPECT_EQ(logged[0].headers.get("Cookie"), "sid=s3cret") << "the listener sees the headers as sent";
  EXPECT_EQ(logged[0].bodyBytes, 0u);
  EXPECT_EQ(logged[1].method, "POST");
  EXPECT_EQ(logged[1].bodyBytes, 5u);
}

TEST_F(HttpClientLayerTransfer, EachRedirectHopIsReportedWithTheHeadersItWentOutWith) {
  const std::string otherHost = "http://localhost:" + std::to_string(portal().port());
  RouteOverride moved;
  moved.status = 302;
  moved.location = url("/there.php?step=2");
  portal().overrideRoute("/moved.php", moved);
  RouteOverride elsewhere;
  elsewhere.status = 301;
  elsewhere.location = otherHost + "/final.php";
  portal().overrideRoute("/there.php", elsewhere);
  portal().addHandler("/final.php", answerEmptyJson);
  std::vector<SentRequest> logged;
  setRequestLogger([&](const SentRequest& r) { logged.push_back(r); });
  cookies->setCookiesFromHeaders({"sid=s3cret"}, url("/"));

  Outcome out;
  get(url("/moved.php?step=1"), out);
  ASSERT_TRUE(runUntil([&] { return out.done; }));
  ASSERT_FALSE(out.error) << out.error->description;
  ASSERT_TRUE(runUntil([&] { return logged.size() >= 3; }));
  ASSERT_EQ(logged.size(), 3u);
  EXPECT_EQ(logged[0].redirectHop, 0);
  EXPECT_EQ(logged[0].url, url("/moved.php?step=1"));
  EXPECT_EQ(logged[1].redirectHop, 1);
  EXPECT_EQ(logged[1].method, "GET");
  EXPECT_EQ(logged[1].url, url("/there.php?step=2"));
  EXPECT_EQ(logged[1].headers.get("Cookie"), "sid=s3cret");
  EXPECT_EQ(logged[2].redirectHop, 2);
  EXPECT_EQ(logged[2].url, otherHost + "/final.php");
  EXPECT_FALSE(logged[2].headers.has("Cookie")) << "the cookie stays with its host";
  EXPECT_EQ(logged[2].headers.get("Host"), "localhost:" + std::to_string(portal().port()));
  EXPECT_EQ(portal().requestsTo("/final.php").at(0).header("Cookie"), "");
}

TEST_F(HttpClientLayerTransfer, DestroyingTheClientWithTransfersInFlightDropsTheirBlocks) {
  RouteOverride stall;
  stall.delaySeconds = 30;
  portal().overrideRoute("/stall.php", stall);
  portal().addHandler("/fast.php", answerEmptyJson);
  Outcome stalled, fast;
  get(url("/stall.php"), stalled);
  get(url("/fast.php"), fast);
  ASSERT_TRUE(portal().waitForRequests(2));
  client.reset();  // joins the worker; the fast answer may already wait on the loop
  runFor(30);
  EXPECT_FALSE(stalled.done);
  EXPECT_FALSE(fast.done);
  EXPECT_EQ(RunLoop::main().externalWorkInFlight(), 0);
}

}  // namespace
