#pragma once
// The thread page. Openers make it with make_shared, set the values below and
// push it; the page reads them when it loads.
#include <string>

#include "core/ThemedScreen.h"
#include "core/UnsentDraftScreen.h"

namespace vorn {

class PostContentViewController : public ThemedScreen, public UnsentDraftScreen {
 public:
  PostContentViewController() = default;
  PLATFORM_CLASS_NAME(PostContentViewController)

  const std::string& post_Id() const { return post_Id_; }
  void setPost_Id(const std::string& id) { post_Id_ = id; }
  const std::string& post_link() const { return post_link_; }
  void setPost_link(const std::string& link) { post_link_ = link; }
  int current_page() const { return current_page_; }
  void setCurrent_page(int page) { current_page_ = page; }

  // Whether the quick reply holds unsent text.
  bool checkTheDraft() override;
  // Leaves the page, asking first when the quick reply holds text or a picture.
  void onlyDoBack() override;

 private:
  std::string post_Id_;
  std::string post_link_;
  int current_page_ = 0;
};

}  // namespace vorn
