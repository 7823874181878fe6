// Download progress of the HTTP layer against the demo portal: received counts
// grow as the body arrives, the expected size is the answer's Content-Length
// (unknown without one), and nothing is reported once the operation has
// finished or was cancelled.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/net/CurlWorker.h"
#include "platform/net/HttpClientLayer.h"
#include "support/VornTest.h"

using namespace platform;
using namespace platform::net;
using vorn::portal::RouteOverride;

namespace {

constexpr char kBodyPath[] = "/download/body.bin";
constexpr std::size_t kBodySize = 200'000;
constexpr std::size_t kHeldAfter = 60'000;

struct Watch {
  std::vector<std::pair<std::int64_t, std::int64_t>> reports;
  bool succeeded = false;
  bool failed = false;
  bool cancelled = false;
  bool reportAfterEnd = false;
  std::size_t bodySize = 0;
  bool ended() const { return succeeded || failed; }
};

class HttpDownloadProgressTest : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    client = std::make_unique<HttpClientLayer>(portal().baseUrl());
    body.resize(kBodySize);
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
  }
  void TearDown() override {
    portal().releaseHeldBodies();
    client.reset();
    VornTest::TearDown();
  }

  void serve(bool chunked, std::size_t holdAfter) {
    RouteOverride o;
    o.body = body;
    o.contentType = "application/octet-stream";
    o.chunked = chunked;
    o.holdAfterBytes = holdAfter;
    portal().overrideRoute(kBodyPath, o);
  }

  std::shared_ptr<HttpOperation> download(Watch& watch) {
    auto op = client->operationWithRequest(
        client->requestForUrl("GET", portal().baseUrl() + kBodyPath),
        [&watch](HttpOperation& operation, const Value&) {
          watch.succeeded = true;
          watch.bodySize = operation.response().body.size();
        },
        [&watch](HttpOperation&, const HttpError& error) {
          watch.failed = true;
          watch.cancelled = error.kind == HttpErrorKind::Cancelled;
        });
    op->setDownloadProgressBlock([&watch](HttpOperation&, std::int64_t received, std::int64_t expected) {
      if (watch.ended()) watch.reportAfterEnd = true;
      watch.reports.emplace_back(received, expected);
    });
    client->enqueueOperation(op);
    return op;
  }

  std::unique_ptr<HttpClientLayer> client;
  std::string body;
};

TEST_F(HttpDownloadProgressTest, ReportsGrowWhileTheBodyArrivesAndStopAtItsEnd) {
  struct Case {
    const char* name;
    bool chunked;
    std::int64_t expected;
  };
  for (const Case& c : {Case{"with a length", false, static_cast<std::int64_t>(kBodySize)},
                        Case{"chunked, no length", true, -1}}) {
    SCOPED_TRACE(c.name);
    serve(c.chunked, kHeldAfter);
    Watch watch;
    download(watch);
    ASSERT_TRUE(runUntil([&] { return !watch.reports.empty(); }));
    // Only the first part is out: what has arrived is part of the body.
    EXPECT_GE(watch.reports.back().first, static_cast<std::int64_t>(CurlWorker::kProgressStepBytes));
    EXPECT_LE(watch.reports.back().first, static_cast<std::int64_t>(kHeldAfter));
    EXPECT_FALSE(watch.ended());

    portal().releaseHeldBodies();
    ASSERT_TRUE(runUntil([&] { return watch.ended(); }));
    ASSERT_TRUE(watch.succeeded);
    EXPECT_EQ(watch.bodySize, kBodySize);
    for (std::size_t i = 0; i < watch.reports.size(); ++i) {
      EXPECT_EQ(watch.reports[i].second, c.expected) << "report " << i;
      EXPECT_LE(watch.reports[i].first, static_cast<std::int64_t>(kBodySize)) << "report " << i;
      if (i > 0) {
        EXPECT_GT(watch.reports[i].first, watch.reports[i - 1].first) << "report " << i;
      }
    }
    if (c.expected > 0) {
      EXPECT_EQ(watch.reports.back().first, c.expected) << "the whole body is the last report";
    }

    runFor(1);
    EXPECT_FALSE(watch.reportAfterEnd);
  }
}

TEST_F(HttpDownloadProgressTest, CancelledDownloadReportsNothingMore) {
  serve(false, kHeldAfter);
  Watch watch;
  auto op = download(watch);
  ASSERT_TRUE(runUntil([&] { return !watch.reports.empty(); }));
  op->cancel();
  std::size_t before = watch.reports.size();
  portal().releaseHeldBodies();
  ASSERT_TRUE(runUntil([&] { return watch.ended(); }));
  EXPECT_TRUE(watch.cancelled);
  runFor(1);
  EXPECT_EQ(watch.reports.size(), before);
}

TEST_F(HttpDownloadProgressTest, SmallBodyReportsItsWholeSizeOnceBeforeTheAnswer) {
  const std::string small = body.substr(0, 3'000);
  RouteOverride o;
  o.body = small;
  o.contentType = "application/octet-stream";
  portal().overrideRoute(kBodyPath, o);
  Watch watch;
  download(watch);
  ASSERT_TRUE(runUntil([&] { return watch.ended(); }));
  ASSERT_TRUE(watch.succeeded);
  ASSERT_EQ(watch.reports.size(), 1u);
  EXPECT_EQ(watch.reports[0], (std::pair<std::int64_t, std::int64_t>(3'000, 3'000)));
}

}  // namespace
