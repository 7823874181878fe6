#include "app/AutomationLog.h"

#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/net/RequestLog.h"
#include "platform/ui/Application.h"
#include "platform/ui/ProgressHud.h"
#include "platform/ui/SystemNotice.h"

namespace vorn::shell {

using platform::Value;

JsonLines::JsonLines(const std::string& path) {
  if (!path.empty()) out_.open(path, std::ios::out | std::ios::trunc);
}

void JsonLines::append(const Value& line) {
  lines_.push_back(line);
  if (out_.is_open()) {
    out_ << platform::toJson(line) << '\n';
    out_.flush();
  }
}

namespace {
bool isSecretName(const std::string& name) {
  for (const char* word : {"pass", "pwd", "token", "secret"})
    if (platform::containsIgnoringCase(name, word)) return true;
  return false;
}

// The signed-in user's cookie is as good as a password.
bool isSecretHeader(const std::string& name) {
  return isSecretName(name) || platform::equalsIgnoringCase(name, "Authorization") ||
         platform::equalsIgnoringCase(name, "Cookie");
}

std::string outPath(const std::string& dir, const char* name) {
  return dir.empty() ? std::string() : platform::joinPath(dir, name);
}
}  // namespace

std::string maskSecrets(const std::string& url) {
  auto q = url.find('?');
  if (q == std::string::npos) return url;
  std::string out = url.substr(0, q + 1);
  auto pairs = platform::split(url.substr(q + 1), "&");
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (i) out += '&';
    auto eq = pairs[i].find('=');
    std::string name = pairs[i].substr(0, eq);
    if (eq != std::string::npos && isSecretName(platform::percentUnescape(name).value_or(name)))
      out += name + "=***";
    else
      out += pairs[i];
  }
  return out;
}

AutomationLog::AutomationLog(const std::string& outDir)
    : launchTime_(platform::currentTime()),
      requests_(outPath(outDir, "requests.jsonl")),
      notices_(outPath(outDir, "notices.jsonl")),
      opened_(outPath(outDir, "opened-urls.jsonl")) {
  platform::net::setRequestLogger([this](const platform::net::SentRequest& r) {
    Value headers = Value::object();
    for (const auto& [name, value] : r.headers.fields())
      headers[name] = isSecretHeader(name) ? "***" : value;
    Value line{{"t", elapsed()},
               {"method", r.method},
               {"url", maskSecrets(r.url)},
               {"headers", headers},
               {"body_bytes", r.bodyBytes}};
    if (r.redirectHop > 0) line["redirect"] = r.redirectHop;
    requests_.append(line);
  });
  platform::Application::sharedApplication().setOpenURLListener(
      [this](const platform::Application::OpenedURL& u) { opened_.append(Value{{"t", elapsed()}, {"url", u.url}}); });
  platform::setSystemNoticeListener([this](const platform::SystemNotice& n) {
    Value line{{"kind", n.kind}};
    if (!n.title.empty()) line["title"] = n.title;
    if (!n.message.empty()) line["message"] = n.message;
    if (!n.buttons.empty()) line["buttons"] = n.buttons;
    if (n.tag != 0) line["tag"] = n.tag;
    notice(line);
  });
}

AutomationLog::~AutomationLog() {
  platform::net::setRequestLogger({});
  platform::Application::sharedApplication().setOpenURLListener({});
  platform::setSystemNoticeListener({});
}

double AutomationLog::elapsed() const { return platform::currentTime() - launchTime_; }

void AutomationLog::notice(Value line) {
  Value out = Value{{"t", elapsed()}};
  for (auto it = line.begin(); it != line.end(); ++it) out[it.key()] = it.value();
  notices_.append(out);
}

}  // namespace vorn::shell
