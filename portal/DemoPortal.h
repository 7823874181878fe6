#pragma once
// The demo portal: a real HTTP server on loopback that answers the client's
// requests from the fixtures under portal/fixtures, generates pictures of a
// requested size, and runs the few stateful flows (login, posting) the client
// needs. Tests start one on a free port; the app starts one when no portal
// address is given.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorn::portal {

// One request as the portal received it.
struct ReceivedRequest {
  std::string method;
  std::string path;                               // without the query
  std::string query;                              // raw query text, "" when none
  std::multimap<std::string, std::string> params; // decoded query (and form body) parameters
  std::multimap<std::string, std::string> headers;
  std::string body;

  std::string param(const std::string& name) const;  // first value, "" when absent
  std::string header(const std::string& name) const; // case-insensitive, "" when absent
};

// How a test bends one route.
struct RouteOverride {
  int status = 200;             // the status to answer with
  std::string body;             // the bytes to answer with
  std::string contentType = "application/json; charset=utf-8";
  double delaySeconds = 0;      // real seconds before answering (a stall)
  bool closeConnection = false; // drop the connection without an answer
};

class DemoPortal {
 public:
  // `fixturesDir` defaults to the source tree's portal/fixtures.
  explicit DemoPortal(std::string fixturesDir = {});
  ~DemoPortal();
  DemoPortal(const DemoPortal&) = delete;
  DemoPortal& operator=(const DemoPortal&) = delete;

  // Listens on 127.0.0.1 (port 0: a free one). Returns false when it cannot bind.
  bool start(int port = 0);
  void stop();
  int port() const;
  std::string baseUrl() const;  // "http://127.0.0.1:PORT"

  // The log of every request received, in order.
  std::vector<ReceivedRequest> requests() const;
  std::vector<ReceivedRequest> requestsTo(const std::string& path) const;
  void clearLog();

  // Overrides one path (every method and parameter) until cleared.
  void overrideRoute(const std::string& path, RouteOverride answer);
  void clearOverrides();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vorn::portal
