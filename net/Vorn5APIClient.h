#pragma once
// The one client through which the app talks to the portal's services, with a
// response cache on disk: an answer can be stored under a key made from the
// request, a later request answered from the store without touching the
// network, and a failed request can fall back to the answer stored for it.
//
// What a callback receives:
//   loadChache and an answer stored      -> the stored answer, error "LoadCacheDomain" 2014
//   the request succeeds                 -> the fresh answer, no error
//   it fails, loadChache off, one stored -> the stored answer, no error
//   it fails otherwise                   -> null, the layer's error
// Answers are data values (the body bytes), or the parsed JSON value for an
// address whose path ends in ".json". Callbacks run on the main thread, never
// inside the call.
#include <functional>
#include <initializer_list>
#include <utility>
#include <optional>
#include <string>
#include <string_view>

#include "net/ZorbHTTPClient.h"
#include "platform/net/HttpError.h"

namespace vorn {

inline constexpr char kLoadCacheDomain[] = "LoadCacheDomain";
inline constexpr int kLoadCacheCode = 2014;
// Names of the stamp records; neither begins with "data", so no request key meets them.
inline constexpr char kCacheStampRecord[] = "PageAll";
inline constexpr char kForumListRecord[] = "forumList";
inline constexpr char kStampTimeKey[] = "time";
inline constexpr char kForumListMd5Key[] = "md5";

using ApiError = platform::net::HttpError;

// How a request treats the response cache and failures, by name:
// Vorn5APIClient::fetch(url, parameters, {.saveCache = true, .needAlert = true}, block).
struct RequestOptions {
  bool loadCache = false;  // answer from the stored answer when there is one
  bool saveCache = false;  // store a fresh answer
  bool needAlert = false;  // show the network notice on failure
};

// The JSON an answer carries: the parsed value of its bytes, the value itself
// for ".json" addresses (already parsed), nullopt for no answer or bytes that
// do not parse. Callers still check the type and "status" they rely on.
std::optional<platform::Value> parsedAnswer(const platform::Value& answer);

// A dictionary of request parameters from name and text pairs.
platform::Value requestParameters(std::initializer_list<std::pair<const char*, std::string>> pairs);

class Vorn5APIClient : public ZorbHTTPClient {
 public:
  using Block = std::function<void(const platform::Value& answer, const std::optional<ApiError>& error)>;
  using TypedBlock =
      std::function<void(const platform::Value& answer, int type, const std::optional<ApiError>& error)>;

  // The shared client: base address the forum host's root, reachability watched.
  static Vorn5APIClient& sharedClient();
  // Drops the shared client (its requests in flight never answer); the next
  // sharedClient() makes a new one for the host table as it is then.
  static void resetSharedClient();

  Vorn5APIClient(const std::string& baseUrl, bool reachabilityFlag);

  // `parameters`: a dictionary of texts (numbers enter by their decimal text), or
  // null for none. The key of the stored answer takes the values in key form.
  void postPath(const std::string& url, const platform::Value& parameters, bool loadChache, bool saveCache,
                ZorbHTTPClient& client, bool needAlert, Block block);
  // The same, handing `type` back; the key takes the values' text unchanged.
  void postPath(const std::string& url, const platform::Value& parameters, bool loadChache, bool saveCache,
                ZorbHTTPClient& client, int type, bool needAlert, TypedBlock block);

  // The same through the shared client, the road of almost every request.
  static void fetch(const std::string& url, const platform::Value& parameters, RequestOptions options, Block block);
  static void fetch(const std::string& url, const platform::Value& parameters, RequestOptions options, int type,
                    TypedBlock block);

  // Who shows the network notice for a failed request asked with needAlert;
  // the application installs it at start (nothing is shown before).
  static void setFailureNotice(std::function<void()> notice);

  // "data" followed by the value's text without "/", ".", "=" and "+".
  static std::string convertDataPathToSavePath(const platform::Value& value);
  static std::string convertDataPathToSavePath(std::string_view text);
  // The stored answer's key; `typed`: the form of the operation with a type.
  static std::string cacheKey(const std::string& url, const platform::Value& parameters, bool typed);

  // 0: "PageAll", 1: "forumList", otherwise nullopt.
  static std::optional<std::string> switchTimeStampTypeToParams(int type);
  // Whether the portal's cache stamp differs from the stored one (true when none
  // is stored; false when the stored record is unreadable or has no "time").
  bool shouldUpdateTimeStampWithType(int type, const std::string& stamp) const;
  // The same for the forum list's checksum ("md5" in the kept folder).
  bool shouldUpdateForumListTimeStampWithType(int type, const std::string& checksum) const;

  static ApiError cacheMarker();
  static bool isCacheMarker(const std::optional<ApiError>& error);

 private:
  struct Call;
  static void start(const std::shared_ptr<Call>& call);
  static void send(const std::shared_ptr<Call>& call);
  static void answerFromStore(const Call& call, bool marked);
};

}  // namespace vorn
