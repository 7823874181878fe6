#include "net/Vorn5APIClient.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "net/PortalHosts.h"
#include "net/Vorn5CacheClient.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/net/HttpUrl.h"
#include "platform/net/JsonRequestOperation.h"

namespace vorn {

struct Vorn5APIClient::Call {
  std::string url;
  platform::Value parameters;
  bool loadChache = false;
  bool saveCache = false;
  bool needAlert = false;
  bool typed = false;
  int type = 0;
  ZorbHTTPClient* client = nullptr;
  // Expires with the client: a call queued for the next turn must not reach a
  // client that resetSharedClient freed meanwhile.
  std::weak_ptr<const void> clientLifetime;
  TypedBlock block;

  std::string key() const { return cacheKey(url, parameters, typed); }
  bool answersJson() const {
    const auto parsed = platform::net::HttpUrl::parse(url);
    return parsed && platform::hasSuffix(parsed->path, ".json");
  }
};

namespace {

std::unique_ptr<Vorn5APIClient>& sharedSlot() {
  static std::unique_ptr<Vorn5APIClient> client;
  return client;
}

// Parameter names in a fixed order, so that equal parameters give equal keys
// however the caller built the dictionary.
std::vector<std::string> sortedNames(const platform::Value& parameters) {
  std::vector<std::string> names;
  if (!platform::isDictionary(parameters)) return names;
  for (auto it = parameters.begin(); it != parameters.end(); ++it) names.push_back(it.key());
  std::sort(names.begin(), names.end());
  return names;
}

std::function<void()>& failureNotice() {
  static std::function<void()> notice;
  return notice;
}

std::string stampText(const platform::Value& value) {
  return std::to_string(static_cast<int>(platform::intValueOf(value)));
}

}  // namespace

std::optional<platform::Value> parsedAnswer(const platform::Value& answer) {
  if (answer.is_null()) return std::nullopt;
  if (!platform::isData(answer)) return answer;
  return platform::parseJson(platform::bytesOf(answer));
}

platform::Value requestParameters(std::initializer_list<std::pair<const char*, std::string>> pairs) {
  platform::Value dict = platform::dictionary();
  for (const auto& [name, value] : pairs) dict[name] = value;
  return dict;
}

void Vorn5APIClient::setFailureNotice(std::function<void()> notice) { failureNotice() = std::move(notice); }

void Vorn5APIClient::fetch(const std::string& url, const platform::Value& parameters, RequestOptions options,
                           Block block) {
  auto& client = sharedClient();
  client.postPath(url, parameters, options.loadCache, options.saveCache, client, options.needAlert, std::move(block));
}

void Vorn5APIClient::fetch(const std::string& url, const platform::Value& parameters, RequestOptions options,
                           int type, TypedBlock block) {
  auto& client = sharedClient();
  client.postPath(url, parameters, options.loadCache, options.saveCache, client, type, options.needAlert,
                  std::move(block));
}

Vorn5APIClient& Vorn5APIClient::sharedClient() {
  if (!sharedSlot())
    sharedSlot() = std::make_unique<Vorn5APIClient>(PortalHosts::baseUrl(PortalHost::Forum), true);
  return *sharedSlot();
}

void Vorn5APIClient::resetSharedClient() { sharedSlot().reset(); }

Vorn5APIClient::Vorn5APIClient(const std::string& baseUrl, bool reachabilityFlag)
    : ZorbHTTPClient(baseUrl, reachabilityFlag) {
  registerOperationKind(platform::net::JsonRequestOperation::kind());
}

void Vorn5APIClient::postPath(const std::string& url, const platform::Value& parameters, bool loadChache,
                              bool saveCache, ZorbHTTPClient& client, bool needAlert, Block block) {
  auto call = std::make_shared<Call>();
  *call = Call{url, parameters, loadChache, saveCache, needAlert, false, 0, &client, client.lifetime(),
               [block = std::move(block)](const platform::Value& answer, int, const std::optional<ApiError>& error) {
                 if (block) block(answer, error);
               }};
  start(call);
}

void Vorn5APIClient::postPath(const std::string& url, const platform::Value& parameters, bool loadChache,
                              bool saveCache, ZorbHTTPClient& client, int type, bool needAlert,
                              TypedBlock block) {
  auto call = std::make_shared<Call>(
      Call{url, parameters, loadChache, saveCache, needAlert, true, type, &client, client.lifetime(), std::move(block)});
  start(call);
}

void Vorn5APIClient::start(const std::shared_ptr<Call>& call) {
  if (!call->loadChache) {
    send(call);
    return;
  }
  // Even a stored answer arrives on a later turn, never inside the call.
  platform::dispatchMain([call] {
    if (Vorn5CacheClient::sharedClient().loadCacheWithKey(call->key())) {
      answerFromStore(*call, true);
      return;
    }
    send(call);
  });
}

void Vorn5APIClient::send(const std::shared_ptr<Call>& call) {
  if (call->clientLifetime.expired()) return;
  call->client->postUrl(
      call->url, call->parameters,
      [call](platform::net::HttpOperation&, const platform::Value& answer) {
        if (call->saveCache && !answer.is_null()) Vorn5CacheClient::sharedClient().saveCache(answer, call->key());
        if (call->block) call->block(answer, call->type, std::nullopt);
      },
      [call](platform::net::HttpOperation&, const platform::net::HttpError& error) {
        if (call->needAlert && failureNotice()) failureNotice()();
        if (!call->loadChache && Vorn5CacheClient::sharedClient().loadCacheWithKey(call->key())) {
          answerFromStore(*call, false);
          return;
        }
        if (call->block) call->block(platform::Value(), call->type, error);
      });
}

void Vorn5APIClient::answerFromStore(const Call& call, bool marked) {
  const auto bytes = Vorn5CacheClient::sharedClient().loadCacheWithKey(call.key());
  platform::Value answer = bytes ? platform::dataValue(*bytes) : platform::Value();
  // A ".json" address was answered with its parsed value and stored as a
  // property list: hand it back in the form its caller reads.
  if (bytes && call.answersJson()) {
    if (auto parsed = platform::parsePlist(*bytes)) answer = std::move(*parsed);
  }
  const std::optional<ApiError> error = marked ? std::optional<ApiError>(cacheMarker()) : std::nullopt;
  if (call.block) call.block(answer, call.type, error);
}

std::string Vorn5APIClient::convertDataPathToSavePath(std::string_view text) {
  // The text's pieces between "//", "." and "/" joined after "data", then
  // without "=" and "+": every one of those four characters simply drops out.
  std::string key = "data";
  key.reserve(key.size() + text.size());
  for (const char c : text)
    if (c != '/' && c != '.' && c != '=' && c != '+') key.push_back(c);
  return key;
}

std::string Vorn5APIClient::convertDataPathToSavePath(const platform::Value& value) {
  const std::string text = platform::textOf(value);
  return convertDataPathToSavePath(std::string_view(text));
}

std::string Vorn5APIClient::cacheKey(const std::string& url, const platform::Value& parameters, bool typed) {
  std::string key = convertDataPathToSavePath(std::string_view(url));
  for (const std::string& name : sortedNames(parameters)) {
    const platform::Value& value = platform::valueFor(parameters, name);
    key += name;
    key += typed ? platform::textOf(value) : convertDataPathToSavePath(value);
  }
  return key;
}

std::optional<std::string> Vorn5APIClient::switchTimeStampTypeToParams(int type) {
  if (type == 0) return std::string(kCacheStampRecord);
  if (type == 1) return std::string(kForumListRecord);
  return std::nullopt;
}

bool Vorn5APIClient::shouldUpdateTimeStampWithType(int type, const std::string& stamp) const {
  const auto name = switchTimeStampTypeToParams(type);
  if (!name) return false;
  const auto bytes = Vorn5CacheClient::sharedClient().loadCacheWithKey(*name);
  if (!bytes) return true;
  const auto record = platform::parsePlist(*bytes);
  if (!record || !platform::isDictionary(*record) || !platform::hasKey(*record, kStampTimeKey)) return false;
  return stampText(platform::valueFor(*record, kStampTimeKey)) != stamp;
}

bool Vorn5APIClient::shouldUpdateForumListTimeStampWithType(int type, const std::string& checksum) const {
  const auto name = switchTimeStampTypeToParams(type);
  if (!name) return false;
  const auto bytes = Vorn5CacheClient::sharedClient().loadPermCacheWithKey(*name);
  if (!bytes) return true;
  const auto record = platform::parsePlist(*bytes);
  if (!record || !platform::isDictionary(*record) || !platform::hasKey(*record, kForumListMd5Key)) return false;
  return platform::textOf(platform::valueFor(*record, kForumListMd5Key)) != checksum;
}

ApiError Vorn5APIClient::cacheMarker() {
  ApiError error = ApiError::make(platform::net::HttpErrorKind::Other, kLoadCacheCode, "answer from the store");
  error.domain = kLoadCacheDomain;
  return error;
}

bool Vorn5APIClient::isCacheMarker(const std::optional<ApiError>& error) {
  return error && error->domain == kLoadCacheDomain && error->code == kLoadCacheCode;
}

}  // namespace vorn
