#include "platform/services/WeiboConnect.h"

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Url.h"

namespace platform::services {

namespace {
constexpr char kResponseHost[] = "response";
constexpr char kSchemePrefix[] = "wb";
}  // namespace

WeiboConnect& WeiboConnect::shared() {
  static WeiboConnect instance;
  return instance;
}

bool WeiboConnect::registerApp(const std::string& appKey) {
  calls_.record("registerApp", Value{{"appKey", appKey}});
  if (appKey.empty()) return false;
  std::lock_guard lock(mutex_);
  appKey_ = appKey;
  return true;
}

void WeiboConnect::enableDebugMode(bool enabled) {
  calls_.record("enableDebugMode", Value{{"enabled", enabled}});
  std::lock_guard lock(mutex_);
  debug_ = enabled;
}

std::string WeiboConnect::appKey() const {
  std::lock_guard lock(mutex_);
  return appKey_;
}

bool WeiboConnect::debugMode() const {
  std::lock_guard lock(mutex_);
  return debug_;
}

bool WeiboConnect::sendAuthorizeRequest(const std::string& redirectUri, const std::string& scope,
                                        const Value& userInfo) {
  calls_.record("sendAuthorizeRequest", Value{{"redirectUri", redirectUri}, {"scope", scope}, {"userInfo", userInfo}});
  std::lock_guard lock(mutex_);
  if (appKey_.empty()) return false;
  pendingAuthorization_ = userInfo;
  return true;
}

bool WeiboConnect::sendMessage(const WeiboMessage& message, const Value& userInfo) {
  Value args{{"text", message.text}, {"userInfo", userInfo}};
  if (message.picture) args["pictureBytes"] = message.picture->size();
  calls_.record("sendMessage", args);
  int code;
  {
    std::lock_guard lock(mutex_);
    if (appKey_.empty()) return false;
    sent_.push_back(message);
    code = shareAnswerCode_;
  }
  WeiboResponse response;
  response.kind = WeiboResponse::Kind::SendMessage;
  response.statusCode = code;
  response.requestUserInfo = userInfo;
  answer(std::move(response));
  return true;
}

void WeiboConnect::revokeToken(const std::string& accessToken,
                               std::function<void(std::optional<std::string> error)> answer) {
  calls_.record("revokeToken", Value{{"accessToken", accessToken}});
  std::optional<std::string> error;
  {
    std::lock_guard lock(mutex_);
    error = revokeError_;
  }
  if (!answer) return;
  dispatchMain([answer = std::move(answer), error] { answer(error); });
}

bool WeiboConnect::handleOpenURL(const std::string& url, const std::function<void(const WeiboResponse&)>& onResponse) {
  calls_.record("handleOpenURL", Value{{"url", url}});
  auto parsed = parseUrl(url);
  if (!parsed || parsed->host != kResponseHost) return false;
  WeiboResponse response;
  {
    std::lock_guard lock(mutex_);
    if (appKey_.empty() || lowercase(parsed->scheme) != lowercase(kSchemePrefix + appKey_)) return false;
    Value query = parseQueryString(parsed->query.value_or(""));
    auto it = responses_.find(static_cast<int>(intValueOf(query, "id")));
    if (it == responses_.end()) return false;
    response = std::move(it->second);
    responses_.erase(it);
  }
  if (onResponse) onResponse(response);
  return true;
}

bool WeiboConnect::isAuthorizationPending() const {
  std::lock_guard lock(mutex_);
  return pendingAuthorization_.has_value();
}

std::vector<WeiboMessage> WeiboConnect::sentMessages() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

std::string WeiboConnect::answerAuthorization(const std::string& accessToken, const std::string& userId,
                                              std::optional<double> expirationDate) {
  WeiboResponse response;
  {
    std::lock_guard lock(mutex_);
    if (!pendingAuthorization_) return "";
    response.requestUserInfo = *pendingAuthorization_;
    pendingAuthorization_.reset();
  }
  response.kind = WeiboResponse::Kind::Authorize;
  response.statusCode = kWeiboStatusSuccess;
  response.accessToken = accessToken;
  response.userId = userId;
  response.expirationDate = expirationDate.value_or(currentTime() + kWeiboTokenLifetimeSeconds);
  return answer(std::move(response));
}

std::string WeiboConnect::cancelAuthorization() { return failAuthorization(kWeiboStatusUserCancel); }

std::string WeiboConnect::failAuthorization(int statusCode) {
  WeiboResponse response;
  {
    std::lock_guard lock(mutex_);
    if (!pendingAuthorization_) return "";
    response.requestUserInfo = *pendingAuthorization_;
    pendingAuthorization_.reset();
  }
  response.kind = WeiboResponse::Kind::Authorize;
  response.statusCode = statusCode;
  return answer(std::move(response));
}

std::string WeiboConnect::answer(WeiboResponse response) {
  std::string url;
  HandBack handBack;
  {
    std::lock_guard lock(mutex_);
    int id = nextResponseId_++;
    responses_[id] = std::move(response);
    url = kSchemePrefix + appKey_ + "://" + kResponseHost + "?id=" + std::to_string(id);
    lastUrl_ = url;
    handBack = handBack_;
  }
  calls_.record("handBack", Value{{"url", url}});
  if (handBack) dispatchMain([handBack, url] { handBack(url, kWeiboSourceApplication); });
  return url;
}

void WeiboConnect::setShareAnswerCode(int statusCode) {
  std::lock_guard lock(mutex_);
  shareAnswerCode_ = statusCode;
}

void WeiboConnect::setRevokeError(std::optional<std::string> error) {
  std::lock_guard lock(mutex_);
  revokeError_ = std::move(error);
}

void WeiboConnect::setHandBack(HandBack handBack) {
  std::lock_guard lock(mutex_);
  handBack_ = std::move(handBack);
}

std::string WeiboConnect::lastHandBackUrl() const {
  std::lock_guard lock(mutex_);
  return lastUrl_;
}

void WeiboConnect::reset() {
  {
    std::lock_guard lock(mutex_);
    appKey_.clear();
    debug_ = false;
    pendingAuthorization_.reset();
    sent_.clear();
    shareAnswerCode_ = kWeiboStatusSuccess;
    revokeError_.reset();
    handBack_ = nullptr;
    responses_.clear();
    nextResponseId_ = 1;
    lastUrl_.clear();
  }
  calls_.clear();
}

}  // namespace platform::services
