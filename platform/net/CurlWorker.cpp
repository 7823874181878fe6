#include "platform/net/CurlWorker.h"

#include <curl/curl.h>

#include <map>

#include "platform/foundation/Text.h"
#include "platform/net/HttpUrl.h"
#include "platform/net/RequestLog.h"

namespace platform::net {
namespace {

void initCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool startsWithNoCase(const std::string& s, const char* prefix) {
  std::size_t n = std::char_traits<char>::length(prefix);
  return s.size() >= n && HttpHeaders::sameName(std::string_view(s).substr(0, n), prefix);
}

}  // namespace

struct CurlWorker::Transfer {
  std::uint64_t id = 0;
  CURL* easy = nullptr;
  curl_slist* headerList = nullptr;
  std::shared_ptr<HttpRequest> request;  // owns the body curl reads from
  HttpResponse response;
  char errorText[CURL_ERROR_SIZE] = {};
  const CurlWorker::ProgressReport* progress = nullptr;  // set when the transfer reports progress
  std::int64_t reported = 0;                               // received bytes of the last report
  int headerBlocksSent = 0;                                // one per request line sent (redirects add more)

  ~Transfer() {
    if (easy) curl_easy_cleanup(easy);
    if (headerList) curl_slist_free_all(headerList);
  }

  static size_t onBody(char* data, size_t size, size_t count, void* self) {
    static_cast<Transfer*>(self)->response.body.append(data, size * count);
    return size * count;
  }

  static int onProgress(void* self, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(self);
    if (received <= t->reported) return 0;  // nothing new (curl also calls while waiting)
    bool whole = expected > 0 && received >= expected;
    if (!whole && received - t->reported < kProgressStepBytes) return 0;
    t->reported = received;
    (*t->progress)(t->id, received, expected > 0 ? expected : -1);
    return 0;
  }

  // Every request curl sends passes here with its header block. The first is the
  // request the client made (logged when it was queued); each later one follows
  // a redirect and is logged as its own hop, with the headers that went out.
  static int onDebug(CURL* easy, curl_infotype type, char* data, size_t size, void* self) {
    if (type != CURLINFO_HEADER_OUT) return 0;
    auto* t = static_cast<Transfer*>(self);
    if (++t->headerBlocksSent == 1) return 0;
    auto lines = split(std::string_view(data, size), "\r\n");
    if (lines.empty()) return 0;
    SentRequest hop;
    hop.redirectHop = t->headerBlocksSent - 1;
    hop.method = lines.front().substr(0, lines.front().find(' '));
    char* effective = nullptr;
    curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective);
    hop.url = effective ? effective : "";
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const auto colon = lines[i].find(':');
      if (colon == std::string::npos || colon == 0) continue;
      const auto start = lines[i].find_first_not_of(" \t", colon + 1);
      hop.headers.add(lines[i].substr(0, colon), start == std::string::npos ? "" : lines[i].substr(start));
    }
    if (hop.method != "GET" && hop.method != "HEAD") hop.bodyBytes = t->request->body.size();
    logSentRequest(std::move(hop));
    return 0;
  }

  static size_t onHeader(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<Transfer*>(self);
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (startsWithNoCase(line, "HTTP/")) {
      // A new answer begins (after a redirect or "100 Continue"): keep only the last one's fields.
      t->response.headers = HttpHeaders();
      return size * count;
    }
    auto colon = line.find(':');
    if (colon == std::string::npos || colon == 0) return size * count;
    std::string name = line.substr(0, colon);
    auto start = line.find_first_not_of(" \t", colon + 1);
    std::string value = start == std::string::npos ? std::string() : line.substr(start);
    t->response.headers.add(name, value);
    return size * count;
  }
};

CurlWorker::CurlWorker(std::function<void(TransferResult)> done, ProgressReport progress)
    : done_(std::move(done)), progress_(std::move(progress)) {
  initCurlOnce();
  multi_ = curl_multi_init();
  thread_ = std::thread([this] { run(); });
}

CurlWorker::~CurlWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake();
  if (thread_.joinable()) thread_.join();
  curl_multi_cleanup(static_cast<CURLM*>(multi_));
}

void CurlWorker::wake() { curl_multi_wakeup(static_cast<CURLM*>(multi_)); }

void CurlWorker::start(std::uint64_t id, const HttpRequest& request, double realTimeoutSeconds,
                       bool reportProgress) {
  {
    std::lock_guard lock(mutex_);
    commands_.push_back({id, std::make_shared<HttpRequest>(request), realTimeoutSeconds, reportProgress});
  }
  wake();
}

void CurlWorker::cancel(std::uint64_t id) {
  {
    std::lock_guard lock(mutex_);
    commands_.push_back({id, nullptr, 0, false});
  }
  wake();
}

void CurlWorker::run() {
  CURLM* multi = static_cast<CURLM*>(multi_);
  std::map<std::uint64_t, std::unique_ptr<Transfer>> transfers;
  std::map<CURL*, std::uint64_t> byHandle;

  auto drop = [&](std::uint64_t id) {
    auto it = transfers.find(id);
    if (it == transfers.end()) return;
    curl_multi_remove_handle(multi, it->second->easy);
    byHandle.erase(it->second->easy);
    transfers.erase(it);
  };

  auto begin = [&](const Command& c) {
    auto t = std::make_unique<Transfer>();
    t->id = c.id;
    t->request = c.request;
    t->easy = curl_easy_init();
    if (!t->easy) {
      TransferResult r;
      r.id = c.id;
      r.curlCode = CURLE_FAILED_INIT;
      r.curlMessage = "cannot create a transfer";
      done_(std::move(r));
      return;
    }
    CURL* e = t->easy;
    const HttpRequest& req = *t->request;
    curl_easy_setopt(e, CURLOPT_URL, req.url.c_str());
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t->errorText);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, t.get());
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, t.get());
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, &Transfer::onDebug);
    curl_easy_setopt(e, CURLOPT_DEBUGDATA, t.get());
    curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);  // the debug function sees what went out; nothing is printed
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "");
    if (c.reportProgress && progress_) {
      t->progress = &progress_;
      curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
      curl_easy_setopt(e, CURLOPT_XFERINFODATA, t.get());
      curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    }
    if (c.realTimeout > 0) {
      curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(c.realTimeout * 1000));
    }
    // The demo portal and any loopback address are reached directly, whatever proxy the environment names.
    if (auto url = HttpUrl::parse(req.url); url && isLoopbackHost(url->host)) {
      curl_easy_setopt(e, CURLOPT_NOPROXY, "*");
    }

    if (req.method == "GET") {
      curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    } else if (req.method == "HEAD") {
      curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    } else {
      if (req.method == "POST" || !req.body.empty()) {
        curl_easy_setopt(e, CURLOPT_POST, 1L);
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(req.body.size()));
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, req.body.data());
      }
      if (req.method != "POST") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, req.method.c_str());
    }

    for (const auto& [name, value] : req.headers.fields()) {
      // "Name;" is curl's way of sending a header with an empty value.
      std::string line = value.empty() ? name + ";" : name + ": " + value;
      t->headerList = curl_slist_append(t->headerList, line.c_str());
    }
    // curl would otherwise add its own: a form type the sender did not choose, and a
    // "100-continue" round trip before larger bodies.
    if (!req.headers.has("Content-Type")) t->headerList = curl_slist_append(t->headerList, "Content-Type:");
    if (!req.headers.has("Expect")) t->headerList = curl_slist_append(t->headerList, "Expect:");
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, t->headerList);

    curl_multi_add_handle(multi, e);
    byHandle[e] = c.id;
    transfers[c.id] = std::move(t);
  };

  for (;;) {
    std::vector<Command> commands;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) break;
      commands.swap(commands_);
    }
    for (const auto& c : commands) {
      if (c.request) {
        begin(c);
      } else {
        drop(c.id);
      }
    }

    int running = 0;
    curl_multi_perform(multi, &running);
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &queued)) {
      if (msg->msg != CURLMSG_DONE) continue;
      auto h = byHandle.find(msg->easy_handle);
      if (h == byHandle.end()) continue;
      std::uint64_t id = h->second;
      Transfer& t = *transfers[id];
      TransferResult r;
      r.id = id;
      r.curlCode = msg->data.result;
      r.curlMessage = t.errorText[0] ? t.errorText : curl_easy_strerror(msg->data.result);
      long status = 0;
      curl_easy_getinfo(t.easy, CURLINFO_RESPONSE_CODE, &status);
      char* effective = nullptr;
      curl_easy_getinfo(t.easy, CURLINFO_EFFECTIVE_URL, &effective);
      r.response = std::move(t.response);
      r.response.status = static_cast<int>(status);
      r.response.url = effective ? effective : t.request->url;
      drop(id);
      done_(std::move(r));
    }
    curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
  }

  for (auto& [id, t] : transfers) curl_multi_remove_handle(multi, t->easy);
  transfers.clear();
}

}  // namespace platform::net
