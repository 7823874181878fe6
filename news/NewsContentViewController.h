#pragma once
// The article page. Openers make it with make_shared, set the values below and
// push it; the page reads them when it loads.
#include <string>

#include "core/ThemedScreen.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

// The news type of an article opened without one.
inline constexpr char kNewsTypeNone[] = "0";

class NewsContentViewController : public ThemedScreen, public UnsentDraftScreen {
 public:
  NewsContentViewController() = default;
  PLATFORM_CLASS_NAME(NewsContentViewController)

  // 1 for an article opened from a link, a focus picture or an advert.
  int entryType() const { return entryType_; }
  void setEntryType(int type) { entryType_ = type; }
  const std::string& newsURL() const { return newsURL_; }
  void setNewsURL(const std::string& url) { newsURL_ = url; }
  const std::string& newsId() const { return newsId_; }
  void setNewsId(const std::string& id) { newsId_ = id; }
  int m_currentPage() const { return m_currentPage_; }
  void setM_currentPage(int page) { m_currentPage_ = page; }
  const std::string& newsType() const { return newsType_; }
  void setNewsType(const std::string& type) { newsType_ = type; }

  // Whether the comment bar holds unsent text.
  bool checkTheDraft() override;
  // Leaves the page, asking first when the comment bar holds text.
  void onlyDoBack() override;

 private:
  int entryType_ = 0;
  std::string newsURL_;
  std::string newsId_;
  int m_currentPage_ = 0;
  std::string newsType_;
};

}  // namespace vorn
