#pragma once
// The comment page of an article. Openers set the values below before the push.
#include <string>

#include "core/ThemedScreen.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class NewsCommentListViewController : public ThemedScreen, public UnsentDraftScreen {
 public:
  NewsCommentListViewController() = default;
  PLATFORM_CLASS_NAME(NewsCommentListViewController)

  // The comment page's address (the page adds its own parameters).
  const std::string& newsUrl() const { return newsUrl_; }
  void setNewsUrl(const std::string& url) { newsUrl_ = url; }
  // The article's web address, sent with the comments the page posts.
  const std::string& webLink() const { return webLink_; }
  void setWebLink(const std::string& link) { webLink_ = link; }
  const std::string& newsId() const { return newsId_; }
  void setNewsId(const std::string& id) { newsId_ = id; }

  // Whether the comment bar holds unsent text.
  bool checkTheDraft() override;
  // Leaves the page, asking first when the comment bar holds text.
  void onlyDoBack() override;

 private:
  std::string newsUrl_;
  std::string webLink_;
  std::string newsId_;
};

}  // namespace vorn
