#include "application/ApplicationHooks.h"

#include "account/UserLoginViewController.h"
#include "core/AppDelegate.h"
#include "core/ScreenOpeners.h"
#include "core/UserData.h"
#include "dealers/SmsPriceViewController.h"
#include "net/Vorn5APIClient.h"
#include "net/ZorbHTTPClient.h"
#include "net/ZorbNetworking.h"
#include "news/NewsCommentListViewController.h"

namespace vorn {

void installApplicationHooks() {
  ZorbHTTPClient::setCookieProvider([] { return UserData::userDataInit().getUserCookie(); });
  setNightThemeTest([] { return AppDelegate::getCurrentMode() == kThemeModeBlack; });
  Vorn5APIClient::setFailureNotice([] { AppDelegate::sharedAppDelegate()->responseNetWork(); });

  auto& openers = ScreenOpeners::shared();
  openers.loginScreen = [](std::weak_ptr<UserLoginViewControllerDelegate> delegate) {
    auto login = std::make_shared<UserLoginViewController>();
    login->setDelegate(std::move(delegate));
    return std::static_pointer_cast<platform::ViewController>(login);
  };
  openers.commentPage = [](const CommentPageRequest& request) {
    auto page = std::make_shared<NewsCommentListViewController>();
    page->setWebLink(request.webLink);
    page->setNewsUrl(request.newsUrl);
    page->setNewsId(request.newsId);
    return std::static_pointer_cast<platform::ViewController>(page);
  };
  openers.priceInquiry = [](const PriceInquiryRequest& request) {
    auto inquiry = std::make_shared<SmsPriceViewController>();
    inquiry->setSeriesNam(request.seriesName);
    inquiry->setCarName(request.seriesName);
    inquiry->setSeriesID(request.seriesId);
    inquiry->setCarID("0");
    inquiry->setIsTitleReplacement(0);
    return std::static_pointer_cast<platform::ViewController>(inquiry);
  };
}

}  // namespace vorn
