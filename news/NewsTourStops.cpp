#include "news/NewsTourStops.h"

#include "core/LaunchKeys.h"
#include "net/PortalHosts.h"
#include "news/NewsCommentListViewController.h"
#include "ui/PyxoPhotoBrowser.h"

namespace vorn {

void addNewsTourStops(TourStops& stops) {
  stops.push_back({"news-article", "NewsContentViewController",
                   "open-url \"" + tour::productAddress(std::string("action=newsdetail&newsId=") + tour::kNewsId) + "\"\n",
                   {}, tour::kSwipeBack, {}});
  stops.push_back({"news-comments", "NewsCommentListViewController", "",
                   [] {
                     auto page = std::make_shared<NewsCommentListViewController>();
                     page->setNewsUrl(PortalHosts::urlWithId(PortalHost::MobileWeb, kCommentPagePathFormat, tour::kNewsId));
                     page->setWebLink(PortalHosts::urlWithId(PortalHost::MobileWeb, kAdvertArticlePathFormat, tour::kNewsId));
                     page->setNewsId(tour::kNewsId);
                     tour::pushScreen(page);
                   },
                   tour::kSwipeBack, {}});
}

}  // namespace vorn
