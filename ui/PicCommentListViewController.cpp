#include "ui/PicCommentListViewController.h"

#include "core/AppDelegate.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/UrlRequest.h"

namespace vorn {
namespace {

using platform::Rect;

constexpr double kDragBarHeight = 30;
constexpr double kPageTimeout = 15;

}  // namespace

void PicCommentListViewController::loadView() {
  auto root = platform::View::create(Rect(0, 0, 320, 295));
  root->setBackgroundColor(platform::Color::white());

  dragButton_ = platform::Button::buttonWithType(platform::ButtonType::Custom);
  dragButton_->setFrame(Rect(0, 0, 320, kDragBarHeight));
  dragButton_->setTitle(kPicCommentExpand, platform::ControlState::Normal);
  auto self = std::static_pointer_cast<PicCommentListViewController>(shared_from_this());
  dragButton_->addTarget(self, &PicCommentListViewController::dragTapped, platform::ControlEvent::TouchUpInside);
  dragButton_->setAutoresizingMask(platform::Autoresizing::FlexibleWidth);
  root->addSubview(dragButton_);

  webView_ = platform::WebView::create(Rect(0, kDragBarHeight, 320, 295 - kDragBarHeight));
  webView_->setAutoresizingMask(platform::Autoresizing::FlexibleWidth | platform::Autoresizing::FlexibleHeight);
  webView_->setDelegate(std::static_pointer_cast<platform::WebViewDelegate>(self));
  root->addSubview(webView_);

  tipLabel_ = platform::Label::create(Rect(0, kDragBarHeight + 20, 320, 20));
  tipLabel_->setTextAlignment(platform::TextAlignment::Center);
  tipLabel_->setHidden(true);
  root->addSubview(tipLabel_);
  setView(root);
}

void PicCommentListViewController::loadCommentList(bool showTip) {
  view();
  std::string address = webViewURL_ + "&type=ios&ver=" + AppDelegate::getCurrentVersion();
  address += AppDelegate::getCurrentMode() == kThemeModeNormal ? kThemeTypeWhiteSuffix : kThemeTypeBlackSuffix;
  loadedAddress_ = address;
  if (showTip) {
    webView_->setHidden(true);
    tipLabel_->setText(kPicCommentLoadingTip);
    tipLabel_->setHidden(false);
    dragButton_->setEnabled(false);
  }
  webView_->loadRequest(platform::UrlRequest::requestWithURL(
      address, platform::UrlRequestCachePolicy::ReloadIgnoringLocalCacheData, kPageTimeout));
}

void PicCommentListViewController::webViewDidFinishLoad(platform::WebView&) {
  webView_->setHidden(false);
  tipLabel_->setHidden(true);
  dragButton_->setEnabled(true);
}

void PicCommentListViewController::didFailLoadWithError(platform::WebView&, const platform::WebViewError&) {
  tipLabel_->setHidden(true);
  dragButton_->setEnabled(true);
}

void PicCommentListViewController::setWebViewScroll(bool expanded) {
  view();
  expanded_ = expanded;
  dragButton_->setTitle(expanded ? kPicCommentCollapse : kPicCommentExpand, platform::ControlState::Normal);
}

void PicCommentListViewController::dragTapped() {
  if (auto d = delegate_.lock()) d->doClickDrag(*this);
}

}  // namespace vorn
