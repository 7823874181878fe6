// The web view's loading as its delegate and the portal see it: the decision
// before any request, start/finish/fail with the platform's codes, scripts
// answered from the page, links followed as a finger would, history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpClientLayer.h"
#include "platform/net/Reachability.h"
#include "platform/ui/Application.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "support/VornTest.h"

namespace {

using platform::UrlRequest;
using platform::WebView;
using platform::WebViewError;
using platform::WebViewNavigationType;

struct Recorder : platform::WebViewDelegate {
  bool allow = true;
  std::vector<std::string> calls;
  std::vector<std::string> askedUrls;
  std::vector<WebViewNavigationType> askedTypes;
  std::vector<int> failures;

  bool shouldStartLoadWithRequest(WebView&, const UrlRequest& request, WebViewNavigationType type) override {
    calls.push_back("should");
    askedUrls.push_back(request.url);
    askedTypes.push_back(type);
    return allow;
  }
  void webViewDidStartLoad(WebView&) override { calls.push_back("start"); }
  void webViewDidFinishLoad(WebView&) override { calls.push_back("finish"); }
  void didFailLoadWithError(WebView&, const WebViewError& error) override {
    calls.push_back("fail");
    failures.push_back(error.code);
  }
  bool settled() const { return !calls.empty() && (calls.back() == "finish" || calls.back() == "fail"); }
};

constexpr char kArticle[] =
    "<html><head><title>Winter &amp; fair</title></head>"
    "<BODY class=\"x\"><p>Hello</p><a href=\"/next.html\">Next <b>page</b></a>"
    "<a href='http://localhost:PORT/other.html'>Elsewhere</a></BODY></html>";

// How long the loop waits (real seconds) for an answer in flight before it lets
// virtual time move on: its usual wait, and a short one for tests whose page
// never answers, so that they do not sit out the usual wait for nothing.
constexpr double kUsualGrace = 2.0;
constexpr double kShortGrace = 0.1;

class WebViewLoadingTest : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    platform::Application::sharedApplication().reset();
    web = WebView::create({0, 51, 320, 446});
    recorder = std::make_shared<Recorder>();
    web->setDelegate(recorder);
    std::string article = kArticle;
    article.replace(article.find("PORT"), 4, std::to_string(portal().port()));
    serveHtml("/article.html", article);
    serveHtml("/next.html", "<html><head><title>Second</title></head><body>two</body></html>");
  }
  void TearDown() override {
    WebView::client().setReachabilityStatus(platform::net::kReachabilityUnknown);
    web.reset();
    platform::Application::sharedApplication().reset();
    platform::RunLoop::main().setExternalGrace(kUsualGrace);
    VornTest::TearDown();
  }
  void serveHtml(const std::string& path, const std::string& html, int status = 200) {
    portal().addHandler(path, [html, status](const vorn::portal::ReceivedRequest&) {
      vorn::portal::PortalAnswer answer;
      answer.status = status;
      answer.body = html;
      answer.contentType = "text/html; charset=utf-8";
      return answer;
    });
  }
  std::string url(const std::string& path) { return portal().baseUrl() + path; }
  void load(const std::string& path, double timeout = 15) {
    web->loadRequest(UrlRequest::requestWithURL(url(path), platform::UrlRequestCachePolicy::ReloadIgnoringLocalCacheData,
                                                timeout));
  }
  bool settle() {
    bool ok = runUntil([&] { return recorder->settled() && !web->isLoading(); });
    runUntilIdle();
    return ok;
  }

  std::shared_ptr<WebView> web;
  std::shared_ptr<Recorder> recorder;
};

TEST_F(WebViewLoadingTest, RefusedLoadSendsNothingAndReportsNothingMore) {
  recorder->allow = false;
  load("/article.html");
  runFor(1);
  EXPECT_EQ(recorder->calls, std::vector<std::string>{"should"});
  EXPECT_EQ(recorder->askedTypes.front(), WebViewNavigationType::Other);
  EXPECT_FALSE(web->isLoading());
  EXPECT_EQ(portal().requestCount(), 0u);
  EXPECT_FALSE(web->hasLoadedPage());
}

TEST_F(WebViewLoadingTest, AllowedLoadStartsThenFinishesWithThePage) {
  load("/article.html");
  EXPECT_TRUE(web->isLoading());
  EXPECT_TRUE(recorder->calls == std::vector<std::string>{"should"}) << "start comes on a later turn";
  ASSERT_TRUE(settle());
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"should", "start", "finish"}));
  EXPECT_EQ(portal().requestsTo("/article.html").size(), 1u);
  EXPECT_EQ(web->request().url, url("/article.html"));
  EXPECT_NE(web->loadedHTML().find("<p>Hello</p>"), std::string::npos);
  EXPECT_FALSE(web->canGoBack());
}

TEST_F(WebViewLoadingTest, ScriptsAreRecordedAndAnsweredFromTheLoadedPageOnly) {
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "");
  load("/article.html");
  ASSERT_TRUE(settle());
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "Winter & fair");
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.body.innerHTML;"),
            "<p>Hello</p><a href=\"/next.html\">Next <b>page</b></a>"
            "<a href='http://localhost:" + std::to_string(portal().port()) + "/other.html'>Elsewhere</a>");
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString(
                "document.documentElement.style.webkitTouchCallout='none';"), "");
  EXPECT_EQ(web->evaluatedScripts().size(), 4u);
}

TEST_F(WebViewLoadingTest, ServerErrorPageIsShownAsAPage) {
  serveHtml("/missing.html", "<html><body>not here</body></html>", 404);
  load("/missing.html");
  ASSERT_TRUE(settle());
  EXPECT_EQ(recorder->calls.back(), "finish");
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.body.innerHTML"), "not here");
}

TEST_F(WebViewLoadingTest, PageThatCannotBeFetchedFailsWithAConnectionCode) {
  vorn::portal::RouteOverride dropped;
  dropped.closeConnection = true;
  portal().overrideRoute("/article.html", dropped);
  load("/article.html");
  ASSERT_TRUE(settle());
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"should", "start", "fail"}));
  ASSERT_EQ(recorder->failures.size(), 1u);
  EXPECT_LT(recorder->failures[0], -1001);
  EXPECT_FALSE(web->hasLoadedPage());
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.body.innerHTML"), "");
}

TEST_F(WebViewLoadingTest, StalledPageTimesOutOnTheVirtualClock) {
  platform::RunLoop::main().setExternalGrace(kShortGrace);
  vorn::portal::RouteOverride stall;
  stall.delaySeconds = 30;
  stall.body = "<html></html>";
  portal().overrideRoute("/article.html", stall);
  load("/article.html", 15);
  ASSERT_TRUE(portal().waitForRequests(1));
  runFor(14);
  EXPECT_TRUE(web->isLoading());
  runFor(2);
  EXPECT_FALSE(web->isLoading());
  EXPECT_EQ(recorder->failures, std::vector<int>{platform::kWebErrorTimedOut});
}

TEST_F(WebViewLoadingTest, OfflineAndForeignSchemesFailWithoutARequest) {
  struct Case {
    const char* name;
    bool offline;
    std::string address;
    int code;
  };
  const Case cases[] = {
      {"offline", true, url("/article.html"), platform::kWebErrorNotConnected},
      {"ftp scheme", false, "ftp://127.0.0.1/file", platform::kWebErrorUnsupportedURL},
      {"not an address", false, "http://bad host/", platform::kWebErrorUnsupportedURL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    recorder->calls.clear();
    recorder->failures.clear();
    WebView::client().setReachabilityStatus(c.offline ? platform::net::kReachabilityNotReachable
                                                      : platform::net::kReachabilityViaWiFi);
    web->loadRequest(UrlRequest::requestWithURL(c.address));
    runFor(0.5);
    EXPECT_EQ(recorder->calls, (std::vector<std::string>{"should", "start", "fail"}));
    EXPECT_EQ(recorder->failures, std::vector<int>{c.code});
  }
  EXPECT_EQ(portal().requestCount(), 0u);
}

TEST_F(WebViewLoadingTest, ANewLoadCancelsTheOneInFlight) {
  vorn::portal::RouteOverride stall;
  stall.delaySeconds = 30;
  portal().overrideRoute("/article.html", stall);
  platform::RunLoop::main().setExternalGrace(kShortGrace);
  load("/article.html");
  runFor(0.1);
  // The page that must arrive gets the usual wait: a short one would let a
  // loaded machine's slow answer look stalled.
  platform::RunLoop::main().setExternalGrace(kUsualGrace);
  load("/next.html");
  ASSERT_TRUE(settle());
  EXPECT_EQ(recorder->failures, std::vector<int>{platform::kWebErrorCancelled});
  EXPECT_EQ(recorder->calls.back(), "finish");
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "Second");

  platform::RunLoop::main().setExternalGrace(kShortGrace);
  load("/article.html");
  runFor(0.1);
  web->stopLoading();
  runFor(0.5);
  EXPECT_FALSE(web->isLoading());
  EXPECT_EQ(recorder->failures.back(), platform::kWebErrorCancelled);
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "Second") << "the shown page stays";
}

TEST_F(WebViewLoadingTest, FollowingALinkAsksFirstThenLoadsAndKeepsHistory) {
  load("/article.html");
  ASSERT_TRUE(settle());
  portal().clearLog();

  recorder->allow = false;
  EXPECT_TRUE(web->followLink("Next page"));
  runFor(0.5);
  EXPECT_EQ(recorder->askedUrls.back(), url("/next.html"));
  EXPECT_EQ(recorder->askedTypes.back(), WebViewNavigationType::LinkClicked);
  EXPECT_EQ(portal().requestCount(), 0u) << "a vetoed link sends nothing";

  recorder->allow = true;
  EXPECT_TRUE(web->followLink("Next"));  // contained in the link text
  ASSERT_TRUE(settle());
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "Second");
  EXPECT_TRUE(web->canGoBack());
  EXPECT_FALSE(web->canGoForward());
  EXPECT_FALSE(web->followLink("no such link"));

  web->goBack();
  ASSERT_TRUE(settle());
  EXPECT_EQ(recorder->askedTypes.back(), WebViewNavigationType::BackForward);
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "Winter & fair");
  EXPECT_TRUE(web->canGoForward());
  web->reload();
  ASSERT_TRUE(settle());
  EXPECT_EQ(recorder->askedTypes.back(), WebViewNavigationType::Reload);
  EXPECT_TRUE(web->canGoForward()) << "a reload keeps the history";
}

TEST_F(WebViewLoadingTest, CookieOfThePortalHostStaysWithThatHost) {
  portal().addHandler("/login.html", [](const vorn::portal::ReceivedRequest&) {
    vorn::portal::PortalAnswer answer;
    answer.body = "<html><body><a href=\"/next.html\">same host</a></body></html>";
    answer.contentType = "text/html";
    answer.headers.emplace("Set-Cookie", "sid=secret; Path=/");
    return answer;
  });
  load("/login.html");
  ASSERT_TRUE(settle());
  ASSERT_TRUE(web->followLink("same host"));
  ASSERT_TRUE(settle());
  EXPECT_EQ(portal().requestsTo("/next.html").back().header("Cookie"), "sid=secret");

  // The same server under another host name is another host.
  load("/article.html");
  ASSERT_TRUE(settle());
  ASSERT_TRUE(web->followLink("Elsewhere"));
  ASSERT_TRUE(settle());
  ASSERT_EQ(portal().requestsTo("/other.html").size(), 1u);
  EXPECT_EQ(portal().requestsTo("/other.html").back().header("Cookie"), "");
  WebView::client().cookieStore()->removeAll();
}

TEST_F(WebViewLoadingTest, HtmlStringLoadsWithoutNetworkAndLinksResolveAgainstItsBase) {
  web->loadHTMLString("<title>Local</title><a href=\"next.html\">go</a>", url("/dir/"));
  ASSERT_TRUE(settle());
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"should", "start", "finish"}));
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "Local");
  EXPECT_EQ(portal().requestCount(), 0u);
  recorder->allow = false;
  ASSERT_TRUE(web->followLink("go"));
  EXPECT_EQ(recorder->askedUrls.back(), url("/dir/next.html"));
}

TEST_F(WebViewLoadingTest, FrontMostVisibleWebViewIsTheLinkTarget) {
  auto window = platform::Window::create({0, 0, 320, 568});
  window->makeKeyAndVisible();
  auto back = WebView::create({0, 0, 320, 200});
  window->addSubview(back);
  window->addSubview(web);
  EXPECT_EQ(WebView::frontMostWebView(), web);
  web->setHidden(true);
  EXPECT_EQ(WebView::frontMostWebView(), back);
  back->removeFromSuperview();
  EXPECT_EQ(WebView::frontMostWebView(), nullptr);
}

}  // namespace
