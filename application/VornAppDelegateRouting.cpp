// Routing screens onto the container in front, and the addresses other
// applications hand to this one: the product's own addresses open a series, an
// article, a thread or a fresh home container; WeChat's and Weibo's hand-backs
// go to their components.
#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cars/series/CarSeriesViewController.h"
#include "application/VornAppDelegate.h"
#include "core/ParentViewController.h"
#include "dealers/CityChangViewController.h"
#include "forum/thread/PostContentViewController.h"
#include "home/RootViewController.h"
#include "net/PortalHosts.h"
#include "news/NewsContentViewController.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Value.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

// Only addresses holding the product word are routed.
constexpr char kProductWord[] = "vorn";
constexpr char kWeiboSourceApplication[] = "com.sina.weibo";
constexpr char kWeChatSourceApplication[] = "com.tencent.xin";

constexpr char kActionKey[] = "action";
constexpr char kActionCarSeries[] = "carseries";
constexpr char kActionNewsDetail[] = "newsdetail";
constexpr char kActionPostDetail[] = "postdetail";
constexpr char kActionMain[] = "main";
constexpr char kSeriesIdKey[] = "seriesId";
constexpr char kSeriesNameKey[] = "seriesName";
constexpr char kNewsTypeKey[] = "newType";
constexpr char kNewsIdKey[] = "newsId";
constexpr char kPageKey[] = "page";
constexpr char kPostIdKey[] = "postId";

constexpr char kArticlePagePath[] = "/cms/interface/5.0/iPhone_news.php?type=ios&id=%@";
constexpr char kThreadPagePath[] = "/bbs/bbs_iphone_5.php?tid=%@";
constexpr int kArticleFromLink = 1;

// The query of an incoming address as name/value pairs, in order, each name and
// value unescaped on its own (so an escaped "&" or "=" stays inside its value).
// nullopt when an escape does not decode to UTF-8 text.
std::optional<std::vector<std::pair<std::string, std::string>>> queryPairs(const std::string& query) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const auto& piece : platform::split(query, "&")) {
    if (piece.empty()) continue;
    const auto equals = piece.find('=');
    const std::string rawName = piece.substr(0, equals);
    const std::string rawValue = equals == std::string::npos ? std::string() : piece.substr(equals + 1);
    auto name = platform::percentUnescape(rawName);
    auto value = platform::percentUnescape(rawValue);
    if (!name || !value) return std::nullopt;
    pairs.emplace_back(std::move(*name), std::move(*value));
  }
  return pairs;
}

// The last value given for a name, "" when none is.
std::string valueFor(const std::vector<std::pair<std::string, std::string>>& pairs, const std::string& name) {
  std::string value;
  for (const auto& [n, v] : pairs)
    if (n == name) value = v;
  return value;
}

bool hasAction(const std::vector<std::pair<std::string, std::string>>& pairs, const std::string& action) {
  return std::any_of(pairs.begin(), pairs.end(), [&](const auto& p) { return p.first == kActionKey && p.second == action; });
}

int intValue(const std::string& text) {
  const long long v = platform::intValueOf(platform::Value(text));
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

bool systemOverlapsStatusBar() {
  const auto& version = platform::Device::currentDevice().systemVersion();
  return !version.empty() && (version.front() == '7' || version.front() == '8');
}

}  // namespace

// ---- Incoming addresses ----------------------------------------------------------

bool VornAppDelegate::openURL(platform::Application&, const std::string& url, const std::string& sourceApplication,
                          const platform::Value&) {
  const auto text = platform::percentUnescape(url);
  if (text && text->find(kProductWord) != std::string::npos) {
    const auto pieces = platform::split(url, "?");
    if (pieces.size() == 2) routeIncomingQuery(pieces[1]);
  }

  if (sourceApplication == kWeiboSourceApplication) return handOverToWeibo(url);
  if (sourceApplication == kWeChatSourceApplication)
    return platform::services::WeChatShare::shared().handleOpenURL(url, [](const platform::services::WeChatResponse&) {});
  return false;
}

bool VornAppDelegate::handleOpenURL(platform::Application&, const std::string& url) { return handOverToWeibo(url); }

// Weibo's answers come back to this delegate, which handles them with the share
// and sign-in glue.
bool VornAppDelegate::handOverToWeibo(const std::string& url) {
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  return platform::services::WeiboConnect::shared().handleOpenURL(
      url, [weak](const platform::services::WeiboResponse& response) {
        if (auto self = weak.lock()) self->didReceiveWeiboResponse(response);
      });
}

void VornAppDelegate::routeIncomingQuery(const std::string& query) {
  const auto pairs = queryPairs(query);
  if (!pairs) return;

  if (hasAction(*pairs, kActionCarSeries)) {
    const std::string seriesId = valueFor(*pairs, kSeriesIdKey);
    const std::string seriesName = valueFor(*pairs, kSeriesNameKey);
    auto page = CarSeriesViewController::initWithSeriesId({seriesId, seriesName});
    page->setSeriesID(seriesId);
    page->setSeriesName(seriesName);
    carSection().setCurrentEntryBrandType(0);
    pushController(page);
  }
  if (hasAction(*pairs, kActionNewsDetail)) {
    const std::string newsType = valueFor(*pairs, kNewsTypeKey);
    const std::string newsId = valueFor(*pairs, kNewsIdKey);
    auto page = std::make_shared<NewsContentViewController>();
    page->setEntryType(kArticleFromLink);
    page->setNewsURL(PortalHosts::urlWithId(PortalHost::MobileWeb, kArticlePagePath, newsId));
    page->setNewsId(newsId);
    page->setM_currentPage(intValue(valueFor(*pairs, kPageKey)));
    page->setNewsType(intValue(newsType) != 0 ? newsType : kNewsTypeNone);
    pushController(page);
  }
  if (hasAction(*pairs, kActionPostDetail)) {
    const std::string postId = valueFor(*pairs, kPostIdKey);
    auto page = std::make_shared<PostContentViewController>();
    page->setPost_Id(postId);
    page->setPost_link(PortalHosts::urlWithId(PortalHost::MobileWeb, kThreadPagePath, postId));
    page->setCurrent_page(intValue(valueFor(*pairs, kPageKey)));
    pushController(page);
  }
  if (hasAction(*pairs, kActionMain)) rebuildHomeContainer();
}

// A fresh home container around the same home screen, as the window's root.
void VornAppDelegate::rebuildHomeContainer() {
  setHomePageNavigationController(nullptr);
  if (launchImgView()) launchImgView()->removeFromSuperview();
  auto home = viewController();
  if (whetherThePageRefreshForTheFirstTime() && home) home->getHotImageData();
  if (systemOverlapsStatusBar() && newFeaturesImgView()) newFeaturesImgView()->removeFromSuperview();
  setWhetherThePageRefreshForTheFirstTime(true);
  if (home) home->setExpand(false);

  auto container = std::make_shared<ParentViewController>();
  setHomePageNavigationController(container);
  if (home) {
    container->addChildViewController(home);
    container->view()->addSubview(home->view());
  }
  container->refreshMarginValue(0);
  if (home) home->view()->setFrame({0, 0, 320, platform::Screen::mainScreen().isTall() ? 568.0 : 480.0});
  if (auto w = window()) w->setRootViewController(container);
}

}  // namespace vorn
