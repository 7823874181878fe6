// Addresses other applications hand in: the product's own addresses (their
// query read pair by pair, each part unescaped) and the hand-backs of WeChat and
// Weibo. The first byte picks who hands the address in.
#include "fuzz/FuzzTargets.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Url.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"

namespace vorn::fuzz {

int fuzzIncomingAddress(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned source = data[0] % 3;
  const std::string url(reinterpret_cast<const char*>(data + 1), size - 1);
  if (auto text = platform::percentUnescape(url)) (void)platform::split(*text, "?");
  for (const auto& piece : platform::split(url, "&")) {
    const auto equals = piece.find('=');
    (void)platform::percentUnescape(piece.substr(0, equals));
    if (equals != std::string::npos) (void)platform::percentUnescape(piece.substr(equals + 1));
  }
  if (auto parsed = platform::parseUrl(url); parsed && parsed->query) {
    (void)platform::parseQueryString(*parsed->query);
  }
  if (source == 1) {
    auto& weibo = platform::services::WeiboConnect::shared();
    weibo.reset();  // its log of calls would grow with every input
    weibo.registerApp("2045436852");
    weibo.handleOpenURL(url, [](const auto&) {});
  } else if (source == 2) {
    auto& wechat = platform::services::WeChatShare::shared();
    wechat.reset();
    wechat.registerApp("wx7c8d593b2c3a7703");
    wechat.handleOpenURL(url, [](const auto&) {});
  }
  return 0;
}

}  // namespace vorn::fuzz

VORN_FUZZ_ENTRY(vorn::fuzz::fuzzIncomingAddress)
