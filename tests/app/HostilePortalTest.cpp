// The client against a portal gone bad everywhere: every route (answers, pages,
// pictures) answers with one bad kind from the table below. The launch runs to
// the home screen and the screens an address opens still open, each taking its
// failure path; nothing crashes and the sanitizers stay quiet.
#include <gtest/gtest.h>

#include <string>

#include "VornRunFixture.h"
#include "portal/DemoPortal.h"

namespace vorn::test {
namespace {

using vorn::portal::RouteOverride;

struct BadKind {
  const char* name;
  RouteOverride answer;
};

RouteOverride json(std::string body, int status = 200) {
  RouteOverride o;
  o.status = status;
  o.body = std::move(body);
  return o;
}

std::string nested(std::size_t depth) { return std::string(depth, '[') + "1" + std::string(depth, ']'); }

std::vector<BadKind> badKinds() {
  RouteOverride html = json("<html><body><h1>502 Bad Gateway</h1></body></html>");
  html.contentType = "text/html; charset=utf-8";
  RouteOverride stall;
  stall.delaySeconds = 120;  // cut short when the portal stops
  RouteOverride reset;
  reset.closeConnection = true;
  RouteOverride loop = json("{}", 302);
  loop.location = "/loop.php";
  return {
      {"WrongTypes", json(R"({"status":[1],"msg":{"a":1},"data":"x","list":"y","total":"many","id":{},)"
                          R"("title":7,"pic":[],"url":false,"time":"soon","count":-1e308,"item":[[[]]]})")},
      {"Nulls", json(R"({"status":null,"msg":null,"data":null,"list":[null,null],"total":null,"md5":null})")},
      {"Truncated", json(R"({"status":"1","data":{"list":[{"id":"1","title":"沃)")},
      {"Huge", json(R"({"status":"1","msg":")" + std::string(3 * 1024 * 1024, '&') + R"("})")},
      {"Deep", json(nested(100000))},
      {"Html", html},
      {"ServerError", json(R"({"status":"1","msg":"ok"})", 500)},
      {"Stall", stall},
      {"Reset", reset},
      {"RedirectLoop", loop},
  };
}

void PrintTo(const BadKind& kind, std::ostream* out) { *out << kind.name; }

class HostilePortalTest : public VornRunFixture, public ::testing::WithParamInterface<BadKind> {};

TEST_P(HostilePortalTest, LaunchAndScreensOpenedByAddressSurviveEveryBadAnswer) {
  vorn::portal::DemoPortal portal;
  ASSERT_TRUE(portal.start());
  portal.overrideEveryRoute(GetParam().answer);

  // Stalled answers time out after 15 s of the client's clock: each step waits longer.
  const std::string script = returningVisitor() +
      "launch\nwait 25\nexpect-screen RootViewController\n"
      "open-url \"vorn5://open?action=newsdetail&newsId=1001\"\nwait 20\nexpect-screen NewsContentViewController\n"
      "swipe-back\nwait 1\n"
      "open-url \"vorn5://open?action=postdetail&postId=2001\"\nwait 20\nexpect-screen PostContentViewController\n"
      "swipe-back\nwait 1\n"
      "open-url \"vorn5://open?action=carseries&seriesId=3001&seriesName=x\"\nwait 20\n"
      "expect-screen CarSeriesViewController\n"
      "swipe-back\nwait 1\nexpect-screen RootViewController\n";
  std::ofstream(dir() / "run.vs") << script;
  const auto run = runVorn({"--portal", portal.baseUrl(), "--out", outDir().string(), "--script",
                            (dir() / "run.vs").string()});
  portal.stop();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << run.err;
  EXPECT_GT(portal.requestCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BadKinds, HostilePortalTest, ::testing::ValuesIn(badKinds()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorn::test
