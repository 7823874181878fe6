#pragma once
// Sina Weibo's interface. The application registers its application key, asks
// Weibo for an authorisation (answered with access token, expiry date and user id,
// or cancelled or failed), posts statuses with a text and an optional picture,
// and revokes a token. Weibo answers by opening the application with an address
// "wb<key>://response?id=N"; handleOpenURL() reads such an address and hands the
// caller the response it stands for.
//
// Who answers: an authorisation stays pending until a test or the driver answers
// it (answerAuthorization, cancelAuthorization, failAuthorization); a status post
// is answered by itself with the share answer code (success unless set). Each
// answer's address goes, on the main loop, to the hand-back the application
// installed (its incoming-address entry), with Weibo as the source application.
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

inline constexpr char kWeiboSourceApplication[] = "com.sina.weibo";
inline constexpr double kWeiboTokenLifetimeSeconds = 30.0 * 24 * 3600;

// Status codes of Weibo's responses.
inline constexpr int kWeiboStatusSuccess = 0;
inline constexpr int kWeiboStatusUserCancel = -1;
inline constexpr int kWeiboStatusSentFail = -2;
inline constexpr int kWeiboStatusAuthDeny = -3;

struct WeiboMessage {
  std::string text;
  std::optional<Bytes> picture;  // encoded picture; may be present and empty
};

struct WeiboResponse {
  enum class Kind { Authorize, SendMessage };
  Kind kind = Kind::Authorize;
  int statusCode = kWeiboStatusSuccess;
  // An authorisation's grant (empty / nullopt when not granted).
  std::string accessToken;
  std::optional<double> expirationDate;  // seconds since 1970
  std::string userId;
  Value requestUserInfo;  // the user info the request carried
};

class WeiboConnect {
 public:
  using HandBack = std::function<void(const std::string& url, const std::string& sourceApplication)>;

  static WeiboConnect& shared();

  bool registerApp(const std::string& appKey);
  void enableDebugMode(bool enabled);
  std::string appKey() const;
  bool debugMode() const;

  // False when not registered. A new authorisation request replaces a pending one.
  bool sendAuthorizeRequest(const std::string& redirectUri, const std::string& scope, const Value& userInfo = Value());
  // A status post; false when not registered.
  bool sendMessage(const WeiboMessage& message, const Value& userInfo = Value());
  // Revokes a token; the answer (an error text, or none) comes on the main loop.
  void revokeToken(const std::string& accessToken, std::function<void(std::optional<std::string> error)> answer);
  bool handleOpenURL(const std::string& url, const std::function<void(const WeiboResponse&)>& onResponse);

  bool isAuthorizationPending() const;
  std::vector<WeiboMessage> sentMessages() const;
  const ServiceCalls& calls() const { return calls_; }

  // Answers (tests and the driver). Each gives the hand-back address, "" when no
  // authorisation was pending. Without an expiry the token lives kWeiboTokenLifetimeSeconds.
  std::string answerAuthorization(const std::string& accessToken, const std::string& userId,
                                  std::optional<double> expirationDate = std::nullopt);
  std::string cancelAuthorization();
  std::string failAuthorization(int statusCode = kWeiboStatusAuthDeny);
  void setShareAnswerCode(int statusCode);
  void setRevokeError(std::optional<std::string> error);
  void setHandBack(HandBack handBack);
  // The address of the latest answer ("" when none).
  std::string lastHandBackUrl() const;
  void reset();

 private:
  WeiboConnect() = default;
  std::string answer(WeiboResponse response);  // stores it, hands its address back

  mutable std::mutex mutex_;
  std::string appKey_;
  bool debug_ = false;
  std::optional<Value> pendingAuthorization_;  // the request's user info
  std::vector<WeiboMessage> sent_;
  int shareAnswerCode_ = kWeiboStatusSuccess;
  std::optional<std::string> revokeError_;
  HandBack handBack_;
  std::map<int, WeiboResponse> responses_;
  int nextResponseId_ = 1;
  std::string lastUrl_;
  ServiceCalls calls_;
};

}  // namespace platform::services
