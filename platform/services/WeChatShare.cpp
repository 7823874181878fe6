#include "platform/services/WeChatShare.h"

#include "platform/foundation/Text.h"
#include "platform/foundation/Url.h"

namespace platform::services {

namespace {
constexpr char kResponseHost[] = "response";
}

WeChatShare& WeChatShare::shared() {
  static WeChatShare instance;
  return instance;
}

bool WeChatShare::registerApp(const std::string& appId) {
  calls_.record("registerApp", Value{{"appId", appId}});
  if (appId.empty()) return false;
  std::lock_guard lock(mutex_);
  appId_ = appId;
  return true;
}

std::string WeChatShare::appId() const {
  std::lock_guard lock(mutex_);
  return appId_;
}

bool WeChatShare::isInstalled() const {
  std::lock_guard lock(mutex_);
  return installed_;
}

std::string WeChatShare::refusalOf(const WeChatSendRequest& request) const {
  if (appId_.empty()) return "not registered";
  if (!installed_) return "not installed";
  if (refusing_) return "refused";
  if (request.scene != kWeChatSceneSession && request.scene != kWeChatSceneTimeline) return "unknown scene";
  if (request.textOnly) return request.text.empty() ? "empty text" : "";
  const auto& m = request.message;
  if (m.thumbnail.size() > kWeChatMaxThumbnailBytes) return "thumbnail too large";
  if (m.title.size() > kWeChatMaxTitleBytes) return "title too long";
  if (m.description.size() > kWeChatMaxDescriptionBytes) return "description too long";
  if (!m.webPageUrl.empty()) {
    return m.webPageUrl.size() > kWeChatMaxWebPageUrlBytes ? "address too long" : "";
  }
  if (m.picture.empty()) return "no content";
  if (m.picture.size() > kWeChatMaxPictureBytes) return "picture too large";
  return "";
}

bool WeChatShare::sendRequest(const WeChatSendRequest& request) {
  WeChatSentRecord record{request, false, ""};
  {
    std::lock_guard lock(mutex_);
    record.refusal = refusalOf(request);
    record.accepted = record.refusal.empty();
    sent_.push_back(record);
  }
  const auto& m = request.message;
  Value args{{"scene", request.scene},
             {"textOnly", request.textOnly},
             {"title", m.title},
             {"description", m.description},
             {"thumbnailBytes", m.thumbnail.size()},
             {"accepted", record.accepted}};
  if (request.textOnly) args["text"] = request.text;
  if (!m.webPageUrl.empty()) args["webPageUrl"] = m.webPageUrl;
  else args["pictureBytes"] = m.picture.size();
  if (!record.accepted) args["refusal"] = record.refusal;
  calls_.record("sendRequest", args);
  return record.accepted;
}

std::string WeChatShare::handBackUrl(int errorCode) const {
  std::lock_guard lock(mutex_);
  if (appId_.empty()) return "";
  return appId_ + "://" + kResponseHost + "?errCode=" + std::to_string(errorCode);
}

bool WeChatShare::handleOpenURL(const std::string& url,
                                const std::function<void(const WeChatResponse&)>& onResponse) {
  calls_.record("handleOpenURL", Value{{"url", url}});
  auto parsed = parseUrl(url);
  std::string appId = this->appId();
  if (!parsed || appId.empty() || lowercase(parsed->scheme) != lowercase(appId) || parsed->host != kResponseHost) return false;
  Value query = parseQueryString(parsed->query.value_or(""));
  WeChatResponse response;
  response.errorCode = static_cast<int>(intValueOf(query, "errCode"));
  response.errorText = plainTextOf(query, "errStr");
  if (onResponse) onResponse(response);
  return true;
}

std::vector<WeChatSentRecord> WeChatShare::sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

void WeChatShare::setInstalled(bool installed) {
  std::lock_guard lock(mutex_);
  installed_ = installed;
}

void WeChatShare::setRefusingRequests(bool refusing) {
  std::lock_guard lock(mutex_);
  refusing_ = refusing;
}

void WeChatShare::reset() {
  {
    std::lock_guard lock(mutex_);
    appId_.clear();
    installed_ = true;
    refusing_ = false;
    sent_.clear();
  }
  calls_.clear();
}

}  // namespace platform::services
