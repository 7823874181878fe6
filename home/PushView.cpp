#include "home/PushView.h"

#include <optional>

#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "platform/ui/Color.h"

namespace vorn {
namespace {
constexpr double kDimAlpha = 0.5;
}  // namespace

std::shared_ptr<PushView> PushView::initWithFrame(const platform::Rect& frame, int pushType,
                                                  const std::string& pushId) {
  auto card = std::make_shared<PushView>(frame);
  card->pushType_ = pushType;
  card->pushId_ = pushId;
  card->setBackgroundColor(platform::Color::black().withAlpha(kDimAlpha));
  card->requestPreview();
  return card;
}

void PushView::requestPreview() {
  platform::Value parameters = platform::dictionary();
  parameters[kNewsPushIdKey] = pushId_;
  parameters[kNewsPushTypeKey] = std::to_string(pushType_);
  std::weak_ptr<PushView> weak = std::static_pointer_cast<PushView>(shared_from_this());
  auto& client = Vorn5APIClient::sharedClient();
  client.postPath(PortalHosts::url(PortalHost::CarData, kNewsPushPath), parameters, false, false, client, false,
                  [weak](const platform::Value& answer, const std::optional<ApiError>&) {
                    auto self = weak.lock();
                    if (!self || answer.is_null()) return;
                    self->preview_ = platform::isData(answer)
                                         ? platform::parseJson(platform::bytesOf(answer)).value_or(platform::Value())
                                         : answer;
                  });
}

}  // namespace vorn
