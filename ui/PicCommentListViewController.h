#pragma once
// The comment panel of one picture of a news picture set: the picture's comment
// page in a web view, with a drag button (expand "展开" / collapse "收起") and a
// tip label. The photo browser slides it up over the picture and back.
#include <memory>
#include <string>

#include "platform/ui/ViewController.h"
#include "platform/ui/WebView.h"

namespace platform {
class Button;
class Label;
}  // namespace platform

namespace vorn {

class PicCommentListViewController;

inline constexpr char kPicCommentLoadingTip[] = "评论加载中...";
inline constexpr char kPicCommentExpand[] = "展开";
inline constexpr char kPicCommentCollapse[] = "收起";
inline constexpr char kPicCommentAddressFormat[] = "%@&type=ios&ver=%@";
inline constexpr char kThemeTypeWhiteSuffix[] = "&themeType=white";
inline constexpr char kThemeTypeBlackSuffix[] = "&themeType=black";

class PicCommentListViewControllerDelegate {
 public:
  virtual ~PicCommentListViewControllerDelegate() = default;
  virtual void doClickDrag(PicCommentListViewController& panel) { (void)panel; }
};

class PicCommentListViewController : public platform::ViewController, public platform::WebViewDelegate {
 public:
  PicCommentListViewController() = default;
  std::string className() const override { return "PicCommentListViewController"; }

  void setDelegate(std::weak_ptr<PicCommentListViewControllerDelegate> d) { delegate_ = std::move(d); }
  void setWebViewURL(std::string url) { webViewURL_ = std::move(url); }
  const std::string& webViewURL() const { return webViewURL_; }
  // Loads the comment page; `showTip` first hides the page behind the loading tip.
  void loadCommentList(bool showTip);
  // Expanded: the page scrolls and the drag button reads "收起"; collapsed: back
  // to the top, "展开", no scrolling.
  void setWebViewScroll(bool expanded);
  bool isExpanded() const { return expanded_; }
  // The address the last load asked for.
  const std::string& loadedAddress() const { return loadedAddress_; }

  const std::shared_ptr<platform::WebView>& webView() const { return webView_; }
  const std::shared_ptr<platform::Button>& dragButton() const { return dragButton_; }
  const std::shared_ptr<platform::Label>& tipLabel() const { return tipLabel_; }

  void loadView() override;
  void webViewDidFinishLoad(platform::WebView& webView) override;
  void didFailLoadWithError(platform::WebView& webView, const platform::WebViewError& error) override;

 private:
  void dragTapped();

  std::weak_ptr<PicCommentListViewControllerDelegate> delegate_;
  std::string webViewURL_;
  std::string loadedAddress_;
  bool expanded_ = false;
  std::shared_ptr<platform::WebView> webView_;
  std::shared_ptr<platform::Button> dragButton_;
  std::shared_ptr<platform::Label> tipLabel_;
};

}  // namespace vorn
