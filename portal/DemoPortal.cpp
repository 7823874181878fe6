#include "portal/DemoPortal.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <list>
#include <mutex>
#include <optional>
#include <sstream>
#include <strings.h>
#include <thread>

#include "platform/foundation/Files.h"
#include "platform/foundation/Value.h"
#include "portal/MultipartBody.h"
#include "portal/PictureGenerator.h"

namespace vorn::portal {

namespace {

constexpr char kRouteTableFile[] = "routes.json";
constexpr char kRouteTopicFolder[] = "routes";
constexpr char kJsonContentType[] = "application/json; charset=utf-8";
constexpr char kLoopbackHost[] = "127.0.0.1";
// Set in the pre-routing step when a multipart body is read raw (see below).
thread_local std::string tMultipartContentType;

struct Route {
  std::string path;
  bool prefix = false;  // "path*": every path starting with `path`
  std::vector<std::pair<std::string, std::string>> match;
  std::string file;
  std::string body;
  bool hasBody = false;
  std::string contentType;
  int status = 200;
};

bool iequals(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

std::string contentTypeForFile(const std::string& file) {
  auto endsWith = [&](const char* ext) {
    std::string e(ext);
    return file.size() >= e.size() && file.compare(file.size() - e.size(), e.size(), e) == 0;
  };
  if (endsWith(".json")) return kJsonContentType;
  if (endsWith(".html") || endsWith(".htm")) return "text/html; charset=utf-8";
  if (endsWith(".plist") || endsWith(".xml")) return "text/xml; charset=utf-8";
  if (endsWith(".png")) return "image/png";
  if (endsWith(".jpg") || endsWith(".jpeg")) return "image/jpeg";
  if (endsWith(".gif")) return "image/gif";
  return "text/plain; charset=utf-8";
}

// A fixture name stays inside the fixtures folder.
bool isSafeRelativePath(const std::string& path) {
  if (path.empty() || path.front() == '/' || path.find('\0') != std::string::npos) return false;
  std::stringstream parts(path);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part == "..") return false;
  }
  return true;
}

std::optional<std::string> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream out;
  out << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return out.str();
}

// Appends the routes of one table file to `routes`; false (with `error`) when
// the file is not a valid table.
bool appendRouteTable(const std::string& tablePath, std::vector<Route>& routes, std::string* error) {
  auto text = readWholeFile(tablePath);
  if (!text) {
    if (error) *error = "cannot read the route table " + tablePath;
    return false;
  }
  auto table = platform::parseJson(*text, error);
  if (!table || !platform::isArray(*table)) {
    if (error) *error = tablePath + ": " + (error && !error->empty() ? *error : "the route table is not a JSON array");
    return false;
  }
  for (const auto& entry : *table) {
    Route route;
    route.path = platform::plainTextOf(entry, "path");
    if (route.path.empty()) continue;
    if (route.path.back() == '*') {
      route.prefix = true;
      route.path.pop_back();
    }
    const auto& match = platform::valueFor(entry, "match");
    if (platform::isDictionary(match)) {
      for (const auto& [name, value] : match.items()) {
        route.match.emplace_back(name, platform::plainTextOf(value));
      }
    }
    route.file = platform::plainTextOf(entry, "file");
    if (platform::hasKey(entry, "body")) {
      const auto& body = platform::valueFor(entry, "body");
      route.body = platform::isText(body) ? platform::plainTextOf(body) : platform::toJson(body);
      route.hasBody = true;
    } else if (!isSafeRelativePath(route.file)) {
      if (error) *error = "route " + route.path + ": bad fixture file \"" + route.file + "\"";
      return false;
    }
    route.contentType = platform::plainTextOf(entry, "contentType");
    if (route.contentType.empty()) {
      route.contentType = route.hasBody ? std::string(kJsonContentType) : contentTypeForFile(route.file);
    }
    if (platform::hasKey(entry, "status")) {
      route.status = static_cast<int>(platform::intValueOf(entry, "status"));
    }
    routes.push_back(std::move(route));
  }
  return true;
}

// The route table: <fixtures>/routes.json first, then every routes/*.json in
// name order (one file per topic), earlier entries winning.
std::optional<std::vector<Route>> loadRoutes(const std::string& fixturesDir, std::string* error) {
  std::vector<Route> routes;
  struct stat folder {};
  if (stat(fixturesDir.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
    if (error) *error = "no fixtures folder at " + fixturesDir;
    return std::nullopt;
  }
  std::vector<std::string> tables;
  std::string mainTable = fixturesDir + "/" + kRouteTableFile;
  struct stat file {};
  if (stat(mainTable.c_str(), &file) == 0) tables.push_back(mainTable);
  const std::string topicFolder = fixturesDir + "/" + kRouteTopicFolder;
  for (const auto& name : platform::listDirectory(topicFolder)) {
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".json") == 0) tables.push_back(topicFolder + "/" + name);
  }
  // A folder without tables serves only pictures and handlers.
  for (const auto& table : tables) {
    if (!appendRouteTable(table, routes, error)) return std::nullopt;
  }
  return routes;
}

bool isTextContentType(const std::string& contentType) {
  return !startsWithNoCase(contentType, "image/") && !startsWithNoCase(contentType, "application/octet-stream");
}

// The address the client reached us by: its Host header when that is a plain
// host[:port], else our loopback address.
std::string portalAddressFor(const ReceivedRequest& request, const std::string& fallback) {
  std::string host = request.header("Host");
  bool plain = !host.empty() && host.size() < 256;
  for (char c : host) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']')) {
      plain = false;
    }
  }
  return plain ? "http://" + host : fallback;
}

std::string expandPlaceholders(std::string bytes, const std::string& portalAddress) {
  const std::string token = kPortalPlaceholder;
  for (auto pos = bytes.find(token); pos != std::string::npos; pos = bytes.find(token, pos)) {
    bytes.replace(pos, token.size(), portalAddress);
    pos += portalAddress.size();
  }
  return bytes;
}

bool routeMatches(const Route& route, const ReceivedRequest& request) {
  if (route.prefix ? request.path.rfind(route.path, 0) != 0 : request.path != route.path) {
    return false;
  }
  for (const auto& [name, value] : route.match) {
    if (!request.hasParam(name)) return false;
    if (value != "*" && request.param(name) != value) return false;
  }
  return true;
}

// One thread per connection, so idle keep-alive connections never hold up
// other clients; every thread is joined when the server shuts down.
class ThreadPerConnection : public httplib::TaskQueue {
 public:
  void enqueue(std::function<void()> fn) override {
    std::lock_guard<std::mutex> lock(mutex_);
    reapFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back({std::thread([fn = std::move(fn), done] {
                          fn();
                          done->store(true);
                        }),
                        done});
  }

  void shutdown() override {
    std::list<Worker> workers;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      workers.swap(workers_);
    }
    for (auto& w : workers) w.thread.join();
  }

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  void reapFinished() {
    for (auto it = workers_.begin(); it != workers_.end();) {
      if (it->done->load()) {
        it->thread.join();
        it = workers_.erase(it);
      } else {
        ++it;
      }
    }
  }
  std::mutex mutex_;
  std::list<Worker> workers_;
};

int portOf(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) {
    return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
  }
  if (address.ss_family == AF_INET6) {
    return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
  }
  return -1;
}

// Shuts down connected sockets whose local end is `localPort` (and whose peer
// end is `remotePort`, unless it is -1). The server library keeps its sockets
// to itself, so they are found by their ends.
int dropConnections(int localPort, int remotePort) {
  DIR* fds = opendir("/proc/self/fd");
  if (!fds) return false;
  int dropped = 0;
  while (dirent* entry = readdir(fds)) {
    char* end = nullptr;
    long fd = std::strtol(entry->d_name, &end, 10);
    if (end == entry->d_name || *end != '\0') continue;
    sockaddr_storage local{}, peer{};
    socklen_t localLength = sizeof local, peerLength = sizeof peer;
    if (getsockname(static_cast<int>(fd), reinterpret_cast<sockaddr*>(&local), &localLength) != 0) continue;
    if (portOf(local) != localPort) continue;
    if (getpeername(static_cast<int>(fd), reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0) continue;
    if (remotePort != -1 && portOf(peer) != remotePort) continue;
    ::shutdown(static_cast<int>(fd), SHUT_RDWR);
    ++dropped;
    if (remotePort != -1) break;
  }
  closedir(fds);
  return dropped;
}

// Closes the connection a request came on, without an answer.
void dropConnection(int localPort, int remotePort) { dropConnections(localPort, remotePort); }

// Decodes "a=1&b=%E4%BD%A0+x" as a PHP portal does ("+" is a space).
void addDecodedParams(const std::string& text, std::multimap<std::string, std::string>& params) {
  std::size_t pos = 0;
  while (pos <= text.size()) {
    auto amp = text.find('&', pos);
    std::string item = text.substr(pos, amp == std::string::npos ? std::string::npos : amp - pos);
    if (!item.empty()) {
      auto eq = item.find('=');
      std::string key = item.substr(0, eq);
      std::string value = eq == std::string::npos ? std::string() : item.substr(eq + 1);
      params.emplace(httplib::detail::decode_url(key, true), httplib::detail::decode_url(value, true));
    }
    if (amp == std::string::npos) break;
    pos = amp + 1;
  }
}

}  // namespace

std::string ReceivedRequest::param(const std::string& name) const {
  auto it = params.find(name);
  return it == params.end() ? std::string() : it->second;
}

bool ReceivedRequest::hasParam(const std::string& name) const {
  return params.find(name) != params.end();
}

std::string ReceivedRequest::header(const std::string& name) const {
  for (const auto& [key, value] : headers) {
    if (iequals(key, name)) return value;
  }
  return {};
}

struct DemoPortal::Impl {
  std::string fixturesDir;
  std::vector<Route> routes;

  mutable std::mutex mutex;
  std::vector<ReceivedRequest> log;
  std::map<std::string, RouteOverride> overrides;
  std::optional<RouteOverride> everyRoute;
  std::map<std::string, std::shared_ptr<PortalHandler>> handlers;
  std::condition_variable stallWake;
  mutable std::condition_variable logged;
  bool stopping = false;
  std::uint64_t releases = 0;  // how many times held bodies were let go

  std::unique_ptr<httplib::Server> server;
  std::thread listener;
  int port = 0;

  ReceivedRequest record(const httplib::Request& req, std::string body) const;
  void answer(const httplib::Request& req, httplib::Response& res, std::string body);
  void answerOverride(const httplib::Request& req, httplib::Response& res, const RouteOverride& o);
  void answerInParts(httplib::Response& res, const RouteOverride& o);
  bool answerFromTable(const ReceivedRequest& request, httplib::Response& res) const;
  std::string baseUrl() const { return std::string("http://") + kLoopbackHost + ":" + std::to_string(port); }
};

ReceivedRequest DemoPortal::Impl::record(const httplib::Request& req, std::string body) const {
  ReceivedRequest r;
  r.method = req.method;
  r.path = req.path;
  auto question = req.target.find('?');
  if (question != std::string::npos) {
    r.query = req.target.substr(question + 1);
    auto hash = r.query.find('#');
    if (hash != std::string::npos) r.query.resize(hash);
  }
  for (const auto& [key, value] : req.headers) {
    // The library adds the socket's ends as pseudo headers; they were not sent.
    if (key == "REMOTE_ADDR" || key == "REMOTE_PORT" || key == "LOCAL_ADDR" || key == "LOCAL_PORT") continue;
    if (!tMultipartContentType.empty() && iequals(key, "Content-Type")) {
      r.headers.emplace(key, tMultipartContentType);
    } else {
      r.headers.emplace(key, value);
    }
  }
  addDecodedParams(r.query, r.params);
  std::string contentType = r.header("Content-Type");
  if (startsWithNoCase(contentType, "application/x-www-form-urlencoded")) {
    addDecodedParams(body, r.params);
  } else if (startsWithNoCase(contentType, "multipart/form-data")) {
    for (auto& part : MultipartBody::parse(contentType, body)) {
      if (part.filename.empty()) r.params.emplace(part.name, part.data);
      r.parts.push_back(std::move(part));
    }
  }
  r.body = std::move(body);
  return r;
}

void DemoPortal::Impl::answer(const httplib::Request& req, httplib::Response& res, std::string body) {
  ReceivedRequest request = record(req, std::move(body));
  tMultipartContentType.clear();
  std::optional<RouteOverride> override;
  std::shared_ptr<PortalHandler> handler;
  {
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back(request);
    logged.notify_all();
    if (auto it = overrides.find(request.path); it != overrides.end()) override = it->second;
    else override = everyRoute;
    if (auto it = handlers.find(request.path); it != handlers.end()) handler = it->second;
  }
  if (override) {
    answerOverride(req, res, *override);
    return;
  }
  if (handler) {
    PortalAnswer a = (*handler)(request);
    res.status = a.status;
    for (const auto& [key, value] : a.headers) res.headers.emplace(key, value);
    res.set_content(a.body, a.contentType.c_str());
    return;
  }
  if (PictureGenerator::isPicturePath(request.path)) {
    auto picture = PictureGenerator::parse(request.path);
    if (!picture) {
      res.status = 400;
      res.set_content("bad picture size or name", "text/plain; charset=utf-8");
      return;
    }
    res.status = 200;
    res.set_content(PictureGenerator::make(*picture), PictureGenerator::contentType(*picture));
    return;
  }
  if (answerFromTable(request, res)) return;
  res.status = 404;
  res.set_content("not found", "text/plain; charset=utf-8");
}

void DemoPortal::Impl::answerOverride(const httplib::Request& req, httplib::Response& res,
                                      const RouteOverride& o) {
  if (o.delaySeconds > 0) {
    std::unique_lock<std::mutex> lock(mutex);
    auto until = std::chrono::steady_clock::now() +
                 std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                     std::chrono::duration<double>(o.delaySeconds));
    stallWake.wait_until(lock, until, [&] { return stopping; });
    if (stopping) {
      // Shutting down: cut the stalled request short.
      lock.unlock();
      dropConnection(req.local_port, req.remote_port);
      res.status = 503;
      return;
    }
  }
  if (o.closeConnection) {
    dropConnection(req.local_port, req.remote_port);
    res.status = 500;  // never reaches the client
    return;
  }
  res.status = o.status;
  if (!o.location.empty()) res.set_header("Location", o.location);
  if (o.chunked || o.holdAfterBytes > 0) {
    answerInParts(res, o);
    return;
  }
  res.set_content(o.body, o.contentType.c_str());
}

void DemoPortal::Impl::answerInParts(httplib::Response& res, const RouteOverride& o) {
  auto body = std::make_shared<const std::string>(o.body);
  std::size_t hold = std::min(o.holdAfterBytes, body->size());
  std::uint64_t releasedBefore;
  {
    std::lock_guard<std::mutex> lock(mutex);
    releasedBefore = releases;
  }
  // Writes the body from `offset` on: up to the hold, then (once let go) the rest.
  auto writeFrom = [this, body, hold, releasedBefore](std::size_t offset, httplib::DataSink& sink) {
    if (offset < hold) return sink.write(body->data() + offset, hold - offset);
    if (hold > 0) {
      std::unique_lock<std::mutex> lock(mutex);
      stallWake.wait(lock, [&] { return stopping || releases > releasedBefore; });
      if (stopping) return false;
    }
    if (offset < body->size()) return sink.write(body->data() + offset, body->size() - offset);
    return true;
  };
  if (o.chunked) {
    res.set_chunked_content_provider(o.contentType, [writeFrom, hold](std::size_t offset, httplib::DataSink& sink) {
      if (!writeFrom(offset, sink)) return false;
      if (offset >= hold) sink.done();  // the rest went out in this call
      return true;
    });
    return;
  }
  res.set_content_provider(body->size(), o.contentType,
                           [writeFrom](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                             return writeFrom(offset, sink);
                           });
}

bool DemoPortal::Impl::answerFromTable(const ReceivedRequest& request, httplib::Response& res) const {
  for (const auto& route : routes) {
    if (!routeMatches(route, request)) continue;
    std::string bytes;
    if (route.hasBody) {
      bytes = route.body;
    } else {
      auto file = readWholeFile(fixturesDir + "/" + route.file);
      if (!file) {
        res.status = 500;
        res.set_content("fixture missing: " + route.file, "text/plain; charset=utf-8");
        return true;
      }
      bytes = std::move(*file);
    }
    if (isTextContentType(route.contentType)) {
      bytes = expandPlaceholders(std::move(bytes), portalAddressFor(request, baseUrl()));
    }
    res.status = route.status;
    res.set_content(bytes, route.contentType.c_str());
    return true;
  }
  return false;
}

DemoPortal::DemoPortal(std::string fixturesDir) : impl_(std::make_unique<Impl>()) {
  impl_->fixturesDir = fixturesDir.empty() ? defaultFixturesDir() : std::move(fixturesDir);
}

DemoPortal::~DemoPortal() { stop(); }

std::string DemoPortal::defaultFixturesDir() {
  return platform::sourceDirectory() + "/portal/fixtures";
}

const std::string& DemoPortal::fixturesDir() const { return impl_->fixturesDir; }

bool DemoPortal::start(int port) {
  if (impl_->server) return true;
  // A client that goes away while we write must not end the process.
  signal(SIGPIPE, SIG_IGN);

  std::string error;
  auto routes = loadRoutes(impl_->fixturesDir, &error);
  if (!routes) {
    std::fprintf(stderr, "demo portal: %s\n", error.c_str());
    return false;
  }
  impl_->routes = std::move(*routes);
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopping = false;
  }

  auto server = std::make_unique<httplib::Server>();
  server->new_task_queue = [] { return new ThreadPerConnection(); };
  // Answers go out at once: without it a kept-alive connection waits for the
  // client's delayed acknowledgement (tens of milliseconds) on every answer.
  server->set_tcp_nodelay(true);
  Impl* impl = impl_.get();
  // Multipart bodies are logged byte for byte: the library would take them
  // apart before a handler sees them, so they are read as plain bytes and
  // parsed here.
  server->set_pre_routing_handler([](const httplib::Request& req, httplib::Response&) {
    tMultipartContentType.clear();
    if (req.is_multipart_form_data()) {
      auto& headers = const_cast<httplib::Request&>(req).headers;
      for (auto& [key, value] : headers) {
        if (iequals(key, "Content-Type")) {
          tMultipartContentType = value;
          value = "application/octet-stream";
        }
      }
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  auto plain = [impl](const httplib::Request& req, httplib::Response& res) {
    impl->answer(req, res, req.body);
  };
  auto withBody = [impl](const httplib::Request& req, httplib::Response& res,
                         const httplib::ContentReader& reader) {
    std::string body;
    reader([&](const char* data, size_t length) {
      body.append(data, length);
      return true;
    });
    impl->answer(req, res, std::move(body));
  };
  server->Get(".*", plain);
  server->Post(".*", plain);
  server->Post(".*", withBody);
  server->Put(".*", withBody);
  server->Delete(".*", plain);

  int bound = port == 0 ? server->bind_to_any_port(kLoopbackHost)
                        : (server->bind_to_port(kLoopbackHost, port) ? port : -1);
  if (bound <= 0) return false;
  impl_->port = bound;
  httplib::Server* raw = server.get();
  impl_->server = std::move(server);
  impl_->listener = std::thread([raw] { raw->listen_after_bind(); });
  // stop() only works once the accept loop runs.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!raw->is_running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void DemoPortal::stop() {
  if (!impl_->server) return;
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopping = true;
  }
  impl_->stallWake.notify_all();
  impl_->server->stop();
  // Idle keep-alive connections would otherwise hold their threads until
  // their time-out runs out.
  dropConnections(impl_->port, -1);
  if (impl_->listener.joinable()) impl_->listener.join();
  impl_->server.reset();
  impl_->port = 0;
}

bool DemoPortal::isRunning() const { return impl_->server != nullptr; }

int DemoPortal::port() const { return impl_->port; }

std::string DemoPortal::baseUrl() const { return impl_->baseUrl(); }

std::vector<ReceivedRequest> DemoPortal::requests() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->log;
}

std::vector<ReceivedRequest> DemoPortal::requestsTo(const std::string& path) const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  std::vector<ReceivedRequest> out;
  for (const auto& r : impl_->log) {
    if (r.path == path) out.push_back(r);
  }
  return out;
}

std::size_t DemoPortal::requestCount() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->log.size();
}

bool DemoPortal::waitForRequests(std::size_t count, double timeoutSeconds) const {
  std::unique_lock<std::mutex> lock(impl_->mutex);
  return impl_->logged.wait_for(lock, std::chrono::duration<double>(timeoutSeconds),
                                [&] { return impl_->log.size() >= count; });
}

void DemoPortal::clearLog() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->log.clear();
}

void DemoPortal::overrideRoute(const std::string& path, RouteOverride answer) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->overrides[path] = std::move(answer);
}

void DemoPortal::overrideEveryRoute(RouteOverride answer) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->everyRoute = std::move(answer);
}

void DemoPortal::clearOverride(const std::string& path) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->overrides.erase(path);
}

void DemoPortal::clearOverrides() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->overrides.clear();
  impl_->everyRoute.reset();
}

void DemoPortal::releaseHeldBodies() {
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    ++impl_->releases;
  }
  impl_->stallWake.notify_all();
}

void DemoPortal::addHandler(const std::string& path, PortalHandler handler) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->handlers[path] = std::make_shared<PortalHandler>(std::move(handler));
}

void DemoPortal::removeHandler(const std::string& path) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->handlers.erase(path);
}

std::string DemoPortal::fixture(const std::string& relativePath) const {
  if (!isSafeRelativePath(relativePath)) return {};
  return readWholeFile(impl_->fixturesDir + "/" + relativePath).value_or(std::string());
}

std::string DemoPortal::fixture(const std::string& relativePath, const ReceivedRequest& request) const {
  return expandPlaceholders(fixture(relativePath), portalAddressFor(request, baseUrl()));
}

}  // namespace vorn::portal
