#pragma once
// The demo portal: a real HTTP server on loopback that answers the client's
// requests from the fixtures under portal/fixtures, generates pictures of a
// requested size, and runs the few stateful flows (login, posting) the client
// needs. Tests start one on a free port; the app starts one when no portal
// address is given.
//
// How a request is answered, first match wins:
//   1. an override set by a test for its path (status, bytes, stall, drop,
//      redirect), else one set for every path;
//   2. a handler registered in C++ for its path (the stateful flows);
//   3. a generated picture: /pic/<W>x<H>/<seed>.jpg or .png;
//   4. the route table, <fixtures>/routes.json followed by every
//      <fixtures>/routes/*.json in name order (one file per topic): arrays of
//        {"path": "/x.php", "match": {"type": "1"}, "file": "x-type1.json",
//         "contentType": "application/json; charset=utf-8", "status": 200}
//      in order, most specific first. "match" (optional) lists parameters
//      (query or form body) that must have exactly these values; the value "*"
//      only asks that the parameter is present. A "path" ending in "*" matches
//      every path starting with the text before it. "body" may stand in for
//      "file" (a literal answer). In text answers (not image/*), "{{portal}}"
//      becomes the portal's own address as the client reached it
//      ("http://127.0.0.1:PORT"), so fixtures can point at the portal's
//      pictures and pages whatever port it listens on;
//   5. 404.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorn::portal {

inline constexpr char kPortalPlaceholder[] = "{{portal}}";

// One part of a multipart/form-data body.
struct MultipartPart {
  std::string name;
  std::string filename;     // "" for a plain field
  std::string contentType;  // "" when the part names none
  std::string data;
};

// One request as the portal received it.
struct ReceivedRequest {
  std::string method;
  std::string path;                               // without the query
  std::string query;                              // raw query text, "" when none
  std::multimap<std::string, std::string> params; // decoded query (and form body) parameters
  std::multimap<std::string, std::string> headers;
  std::string body;                               // the bytes as sent
  std::vector<MultipartPart> parts;               // a multipart body's parts (plain fields are also params)

  std::string param(const std::string& name) const;  // first value, "" when absent
  bool hasParam(const std::string& name) const;
  std::string header(const std::string& name) const; // case-insensitive, "" when absent
};

// How a test bends one route.
struct RouteOverride {
  int status = 200;             // the status to answer with
  std::string body;             // the bytes to answer with
  std::string contentType = "application/json; charset=utf-8";
  double delaySeconds = 0;      // real seconds before answering (a stall)
  bool closeConnection = false; // drop the connection without an answer
  // Only the first `holdAfterBytes` bytes of the body go out at once; the rest
  // waits until releaseHeldBodies() (or stop()). 0: the whole body at once.
  std::size_t holdAfterBytes = 0;
  // Sent with chunked transfer coding, so the answer names no Content-Length.
  bool chunked = false;
  // Sent as the Location header (with a 3xx status: a redirect) when not empty.
  std::string location = "";
};

// What a registered handler answers.
struct PortalAnswer {
  int status = 200;
  std::string body;
  std::string contentType = "application/json; charset=utf-8";
  std::multimap<std::string, std::string> headers;  // extra headers (Set-Cookie, Location)
};

// Runs on one of the server's threads; may be called concurrently.
using PortalHandler = std::function<PortalAnswer(const ReceivedRequest&)>;

class DemoPortal {
 public:
  // `fixturesDir` defaults to the source tree's portal/fixtures.
  explicit DemoPortal(std::string fixturesDir = {});
  ~DemoPortal();
  DemoPortal(const DemoPortal&) = delete;
  DemoPortal& operator=(const DemoPortal&) = delete;

  static std::string defaultFixturesDir();
  const std::string& fixturesDir() const;

  // Listens on 127.0.0.1 (port 0: a free one). Returns false when it cannot bind
  // or the route table cannot be read.
  bool start(int port = 0);
  // Returns promptly, also with stalled requests in flight (they are cut short).
  void stop();
  bool isRunning() const;
  int port() const;
  std::string baseUrl() const;  // "http://127.0.0.1:PORT"

  // The log of every request received, in order.
  std::vector<ReceivedRequest> requests() const;
  std::vector<ReceivedRequest> requestsTo(const std::string& path) const;
  std::size_t requestCount() const;
  void clearLog();
  // Waits (real time) until the log holds at least `count` requests; false on
  // time-out. For tests that must know a request arrived before acting.
  bool waitForRequests(std::size_t count, double timeoutSeconds = 10.0) const;

  // Overrides one path (every method and parameter) until cleared.
  void overrideRoute(const std::string& path, RouteOverride answer);
  // Answers every path without an override of its own (pictures, pages and the
  // stateful flows too) until clearOverrides(): a portal gone bad everywhere.
  void overrideEveryRoute(RouteOverride answer);
  void clearOverride(const std::string& path);
  void clearOverrides();
  // Lets every body held back by holdAfterBytes so far go out in full.
  void releaseHeldBodies();

  // Answers one path (every method) with C++ code; replaces an earlier handler.
  void addHandler(const std::string& path, PortalHandler handler);
  void removeHandler(const std::string& path);

  // The bytes a fixture file holds ("" when it cannot be read); for handlers
  // that answer with a fixture after checking their input.
  std::string fixture(const std::string& relativePath) const;
  // The same with "{{portal}}" filled in for the client of `request`.
  std::string fixture(const std::string& relativePath, const ReceivedRequest& request) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vorn::portal
