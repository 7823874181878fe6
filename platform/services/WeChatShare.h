#pragma once
// WeChat's share interface. The application registers its WeChat application id,
// asks whether WeChat is installed (settable here), and sends web-page or picture
// messages to a chat (scene 0) or to the moments (scene 1). A send answers at once
// whether WeChat took the request, by WeChat's own limits: registered, installed,
// a known scene, a thumbnail of at most 32 KB, a title of at most 512 bytes and a
// description of at most 1 KB. WeChat hands back through an incoming address whose
// scheme is the application id; handleOpenURL() reads it and tells the caller.
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/ServiceCalls.h"

namespace platform::services {

inline constexpr int kWeChatSceneSession = 0;
inline constexpr int kWeChatSceneTimeline = 1;
inline constexpr std::size_t kWeChatMaxThumbnailBytes = 32 * 1024;
inline constexpr std::size_t kWeChatMaxTitleBytes = 512;
inline constexpr std::size_t kWeChatMaxDescriptionBytes = 1024;
inline constexpr std::size_t kWeChatMaxWebPageUrlBytes = 10 * 1024;
inline constexpr std::size_t kWeChatMaxPictureBytes = 10 * 1024 * 1024;
// The source application WeChat's hand-back addresses come from.
inline constexpr char kWeChatSourceApplication[] = "com.tencent.xin";
// Where the store offers WeChat.
inline constexpr char kWeChatInstallUrl[] = "https://itunes.apple.com/cn/app/id414478124?mt=8";

// Codes of WeChat's answers.
inline constexpr int kWeChatSuccess = 0;
inline constexpr int kWeChatErrorCommon = -1;
inline constexpr int kWeChatErrorUserCancel = -2;
inline constexpr int kWeChatErrorSentFail = -3;

struct WeChatMessage {
  std::string title;
  std::string description;
  Bytes thumbnail;         // encoded picture, may be empty
  std::string webPageUrl;  // a web-page message when not empty
  Bytes picture;           // otherwise a picture message with this encoded picture
};

struct WeChatSendRequest {
  WeChatMessage message;
  bool textOnly = false;
  std::string text;  // the text of a text-only request
  int scene = kWeChatSceneSession;
};

struct WeChatSentRecord {
  WeChatSendRequest request;
  bool accepted = false;
  std::string refusal;  // why WeChat did not take it, when it did not
};

struct WeChatResponse {
  int errorCode = kWeChatSuccess;
  std::string errorText;
};

class WeChatShare {
 public:
  static WeChatShare& shared();

  bool registerApp(const std::string& appId);
  std::string appId() const;
  bool isInstalled() const;
  std::string installUrl() const { return kWeChatInstallUrl; }
  bool sendRequest(const WeChatSendRequest& request);
  // An address handed to the application: true when it is WeChat's hand-back
  // for this application, and then `onResponse` has been told the answer.
  bool handleOpenURL(const std::string& url, const std::function<void(const WeChatResponse&)>& onResponse);

  std::vector<WeChatSentRecord> sent() const;
  const ServiceCalls& calls() const { return calls_; }

  // Answers of the device and of WeChat (tests and the driver).
  void setInstalled(bool installed);
  // WeChat refuses every request while set, whatever the message.
  void setRefusingRequests(bool refusing);
  // The hand-back address WeChat opens after a request ("" before registration).
  std::string handBackUrl(int errorCode = kWeChatSuccess) const;
  void reset();

 private:
  WeChatShare() = default;
  std::string refusalOf(const WeChatSendRequest& request) const;  // "" when acceptable

  mutable std::mutex mutex_;
  std::string appId_;
  bool installed_ = true;
  bool refusing_ = false;
  std::vector<WeChatSentRecord> sent_;
  ServiceCalls calls_;
};

}  // namespace platform::services
