#pragma once
// Screens that shared code opens without knowing their classes. The shared
// components (photo browser, in-app web page) sit below the screen folders, so
// they ask for the screen through an opener that the application installs at
// start; an opener that is not installed opens nothing.
#include <functional>
#include <memory>
#include <string>

namespace platform {
class ViewController;
}

namespace vorn {

class UserLoginViewControllerDelegate;

// An article's comment page: its address, the article's web address and id.
struct CommentPageRequest {
  std::string newsUrl;
  std::string webLink;
  std::string newsId;
};

// A price inquiry for a series (no model chosen).
struct PriceInquiryRequest {
  std::string seriesId;
  std::string seriesName;
};

class ScreenOpeners {
 public:
  using Screen = std::shared_ptr<platform::ViewController>;

  static ScreenOpeners& shared();

  // The login screen that reports a success to `delegate`.
  std::function<Screen(std::weak_ptr<UserLoginViewControllerDelegate> delegate)> loginScreen;
  std::function<Screen(const CommentPageRequest&)> commentPage;
  std::function<Screen(const PriceInquiryRequest&)> priceInquiry;
};

}  // namespace vorn
