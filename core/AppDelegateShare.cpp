// The glue between the application and the outside share services: web pages
// shared to WeChat, and what Weibo hands back after a share or an authorisation.
#include "core/AppDelegate.h"
#include "core/ShareKeys.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/Application.h"
#include "platform/ui/Image.h"
#include "core/ThumbImage.h"

namespace vorn {
namespace {

namespace services = platform::services;

// WeChat limits thumbnails to 32 KB: photos go as JPEG.
constexpr double kThumbnailQuality = 0.8;

platform::Bytes fallbackThumbnail() {
  auto icon = platform::Image::imageNamed(kShareFallbackThumbnail);
  if (!icon) return {};
  const std::string png = icon->pngData();
  return platform::Bytes(png.begin(), png.end());
}

}  // namespace

void AppDelegate::sendAppContentWithTitle(const std::string& title, const std::string& desc,
                                          const std::shared_ptr<const platform::Image>& image,
                                          const std::vector<std::string>& ext, int scene) {
  auto& wechat = services::WeChatShare::shared();
  if (!wechat.isInstalled()) platform::Application::sharedApplication().openURL(wechat.installUrl());

  services::WeChatSendRequest request;
  request.message.title = title;
  request.message.description = desc;
  if (image) {
    const std::string jpeg = thumbImage(*image)->jpegData(kThumbnailQuality);
    request.message.thumbnail = platform::Bytes(jpeg.begin(), jpeg.end());
  }
  if (ext.empty()) return;

  request.message.webPageUrl = ext.front();
  if (!image) request.message.thumbnail = fallbackThumbnail();
  request.textOnly = false;
  request.scene = scene;
  if (wechat.sendRequest(request)) return;

  request.message.thumbnail = fallbackThumbnail();
  wechat.sendRequest(request);
}

void AppDelegate::didReceiveWeiboRequest(const services::WeiboResponse&) {}

void AppDelegate::didReceiveWeiboResponse(const services::WeiboResponse& response) {
  if (response.kind == services::WeiboResponse::Kind::SendMessage)
    showNotice(response.statusCode == services::kWeiboStatusSuccess ? kShareSucceededText : kShareFailedText);

  if (response.kind == services::WeiboResponse::Kind::Authorize) {
    // An incomplete grant is dropped without a word.
    if (response.accessToken.empty() || !response.expirationDate || response.userId.empty()) return;
    platform::Value record = platform::dictionary();
    record[kSinaAccessTokenKey] = response.accessToken;
    record[kSinaExpirationDateKey] = *response.expirationDate;
    record[kSinaUserIDKey] = response.userId;
    auto& defaults = platform::UserDefaults::standardUserDefaults();
    defaults.setObject(kSinaWeiboAuthData, record);
    defaults.synchronize();
    platform::NotificationCenter::defaultCenter().post(kSinaLogIn, static_cast<const void*>(this));
  }
}

}  // namespace vorn
