// Failures that need no server: a refused connection, cancelling by path, and
// a client destroyed with requests in flight.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpClientLayer.h"

using namespace platform;
using namespace platform::net;

namespace {

// A loopback port that nothing listens on: bound once, then closed.
int closedPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  close(fd);
  return ntohs(addr.sin_port);
}

struct Outcome {
  bool done = false;
  bool succeeded = false;
  std::optional<HttpError> error;
  bool onMainThread = false;
};

std::pair<HttpOperation::SuccessBlock, HttpOperation::FailureBlock> recordInto(Outcome& out) {
  return {[&out](HttpOperation&, const Value&) {
            out.done = true;
            out.succeeded = true;
            out.onMainThread = RunLoop::main().isMainThread();
          },
          [&out](HttpOperation&, const HttpError& e) {
            out.done = true;
            out.error = e;
            out.onMainThread = RunLoop::main().isMainThread();
          }};
}

class HttpFailuresWithoutServer : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::main().useVirtualClock(1'800'000'000); }
  std::string base = "http://127.0.0.1:" + std::to_string(closedPort());
};

TEST_F(HttpFailuresWithoutServer, ARefusedConnectionFailsAsNoConnection) {
  HttpClientLayer client(base);
  Outcome out;
  auto [ok, fail] = recordInto(out);
  client.get(base + "/interface/vorn/list.php?id=1", ok, fail);
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return out.done; }));
  ASSERT_TRUE(out.error);
  EXPECT_EQ(out.error->kind, HttpErrorKind::NoConnection);
  EXPECT_EQ(out.error->code, kErrorCannotConnectToHost);
  EXPECT_TRUE(out.onMainThread);
  EXPECT_LT(currentTime() - 1'800'000'000, 15.0) << "failed at once, not by the time-out";
}

TEST_F(HttpFailuresWithoutServer, CancelByPathEndsOnlyThatPathsRequestsWithMinus999) {
  HttpClientLayer client(base);
  Outcome listA, listB, other, postToList;
  auto [okA, failA] = recordInto(listA);
  auto [okB, failB] = recordInto(listB);
  auto [okO, failO] = recordInto(other);
  auto [okP, failP] = recordInto(postToList);
  client.get(base + "/app/5/notice.php?page=1", okA, failA);
  client.get(base + "/app/5/notice.php?page=2", okB, failB);
  client.get(base + "/app/5/notice.php.bak", okO, failO);
  client.post(base + "/app/5/notice.php", "x", {}, okP, failP);

  // Only GETs of that path: the POST stays.
  client.cancelAllHTTPOperations("GET", base + "/app/5/notice.php?whatever=1");
  EXPECT_FALSE(listA.done) << "blocks run on a later turn, never inside the call";
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return listA.done && listB.done && other.done && postToList.done; }));
  for (Outcome* o : {&listA, &listB}) {
    ASSERT_TRUE(o->error);
    EXPECT_EQ(o->error->kind, HttpErrorKind::Cancelled);
    EXPECT_EQ(o->error->code, kErrorCancelled);
  }
  EXPECT_EQ(other.error->kind, HttpErrorKind::NoConnection);
  EXPECT_EQ(postToList.error->kind, HttpErrorKind::NoConnection);
  EXPECT_EQ(client.operationQueue().operationCount(), 0u);
}

TEST_F(HttpFailuresWithoutServer, CancelWithoutAMethodTakesEveryMethodAndRelativePaths) {
  HttpClientLayer client(base + "/app/5/");
  Outcome get, post;
  auto [okG, failG] = recordInto(get);
  auto [okP, failP] = recordInto(post);
  auto g = client.get(base + "/app/5/notice.php", okG, failG);
  auto p = client.post(base + "/app/5/notice.php", "x", {}, okP, failP);
  client.cancelAllHTTPOperations("", "notice.php");
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return get.done && post.done; }));
  EXPECT_EQ(get.error->kind, HttpErrorKind::Cancelled);
  EXPECT_EQ(post.error->kind, HttpErrorKind::Cancelled);
  EXPECT_TRUE(g->isCancelled() && g->isFinished());
}

TEST_F(HttpFailuresWithoutServer, ADestroyedClientDeliversNothing) {
  Outcome out;
  {
    HttpClientLayer client(base);
    auto [ok, fail] = recordInto(out);
    client.get(base + "/a.php", ok, fail);
    auto op = client.get(base + "/b.php", ok, fail);
    op->cancel();  // its block is already posted to the loop
  }
  RunLoop::main().runFor(20);
  EXPECT_FALSE(out.done);
  EXPECT_EQ(RunLoop::main().externalWorkInFlight(), 0);
}

}  // namespace
