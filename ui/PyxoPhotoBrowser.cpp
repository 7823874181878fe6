#include "ui/PyxoPhotoBrowser.h"

#include <algorithm>
#include <any>

#include "core/AppDelegate.h"
#include "core/EdgeSwipeGestureRecognizer.h"
#include "core/ParentViewController.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/services/PhotoLibrary.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageDownloadCache.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "ui/PyxoPhoto.h"
#include "ui/PyxoZoomingScrollView.h"

namespace vorn {
namespace {

using platform::Color;
using platform::Rect;

constexpr double kBarHeight = 51;
constexpr double kControlsFadeSeconds = 0.35;
constexpr double kSaveNoticeMinimum = 1.0;
constexpr double kNoticeHideDelay = 1.5;
constexpr double kJpegQuality = 0.9;
constexpr int kLeftSide = 0;
constexpr int kSwipeBackMargin = 160;
// The delegate keeps orientations as the platform's numbers.
constexpr int kPortrait = static_cast<int>(platform::InterfaceOrientation::Portrait);
constexpr int kLandscapeLeft = static_cast<int>(platform::InterfaceOrientation::LandscapeLeft);
constexpr int kLandscapeRight = static_cast<int>(platform::InterfaceOrientation::LandscapeRight);

bool isDayMode() { return AppDelegate::getCurrentMode() == kThemeModeNormal; }
bool isLandscapeValue(int o) { return o == kLandscapeLeft || o == kLandscapeRight; }

Color topBarColor() { return isDayMode() ? Color::rgb255(53, 160, 217) : Color::rgb255(61, 132, 170); }

std::shared_ptr<platform::Label> makeLabel(const Rect& frame, platform::TextAlignment alignment, double fontSize) {
  auto label = platform::Label::create(frame);
  label->setTextAlignment(alignment);
  label->setFont(platform::Font::systemFont(fontSize));
  label->setBackgroundColor(Color::clear());
  return label;
}

std::string formatCounter(int a, int b) { return platform::format(kPhotoCounterFormat, a, b); }

// Fills the "%@" of a format with a text.
std::string fillObject(const std::string& pattern, const std::string& text) {
  std::string out = pattern;
  if (auto at = out.find("%@"); at != std::string::npos) out.replace(at, 2, text);
  return out;
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------

PyxoPhotoBrowser::PyxoPhotoBrowser() = default;

std::shared_ptr<PyxoPhotoBrowser> PyxoPhotoBrowser::initWithDelegate(std::weak_ptr<PyxoPhotoBrowserDelegate> delegate) {
  auto browser = std::make_shared<PyxoPhotoBrowser>();
  browser->delegate_ = std::move(delegate);
  browser->setUp();
  return browser;
}

void PyxoPhotoBrowser::setUp() {
  auto weak = platform::weakSelf(this);
  auto& center = platform::NotificationCenter::defaultCenter();
  center.addObserver(this, kPyxoPhotoLoadingDidEndNotification, [weak](const platform::Notification& n) {
    const auto* photo = std::any_cast<std::shared_ptr<PyxoPhotoProtocol>>(&n.object);
    if (!photo) return;
    if (auto self = weak.lock()) self->photoLoadingDidEnd(*photo);
  });
  center.addObserver(this, kThemeChangeNotify, [weak](const platform::Notification&) {
    if (auto self = weak.lock()) self->applyCurrentTheme();
  });
  center.addObserver(this, kDisplayKeyboardNotification, [weak](const platform::Notification&) {
    auto self = weak.lock();
    if (self && self->_bottomView && self->_bottomView->isFirstResponder()) self->_bottomView->resignFirstResponder();
  });
}

PyxoPhotoBrowser::~PyxoPhotoBrowser() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
  for (auto id : delayedRequests_) platform::cancelDispatch(id);
  for (auto& slot : _photos)
    if (slot.photo) slot.photo->unloadUnderlyingImage();
  if (_pagingScrollView) _pagingScrollView->setDelegate({});
  platform::ImageDownloadCache::sharedManager().clearMemory();
  auto app = AppDelegate::sharedAppDelegate();
  if (auto window = app->window()) window->setBackgroundColor(topBarColor());
  app->setStatusBarIsHidden(false);
  app->setShouldAutorate(false);
}

void PyxoPhotoBrowser::performAfterDelay(double seconds, std::function<void()> task) {
  // Finished requests leave the list as new ones come.
  delayedRequests_.erase(std::remove_if(delayedRequests_.begin(), delayedRequests_.end(),
                                        [](platform::TimerId id) { return !platform::RunLoop::main().isScheduled(id); }),
                         delayedRequests_.end());
  delayedRequests_.push_back(platform::dispatchAfter(seconds, std::move(task)));
}

void PyxoPhotoBrowser::cancelPreviousPerformRequests() {
  for (auto id : delayedRequests_) platform::cancelDispatch(id);
  delayedRequests_.clear();
}

std::shared_ptr<ParentViewController> PyxoPhotoBrowser::container() const {
  return std::dynamic_pointer_cast<ParentViewController>(parentViewController());
}

// ---- Loading the view -------------------------------------------------------------------

void PyxoPhotoBrowser::loadView() {
  auto root = platform::View::create(platform::Screen::mainScreen().bounds());
  root->setClipsToBounds(true);
  setView(root);
}

void PyxoPhotoBrowser::viewDidLoad() {
  auto root = view();
  _pagingScrollView = platform::ScrollView::create(frameForPagingScrollView());
  _pagingScrollView->setPagingEnabled(true);
  _pagingScrollView->setDelegate(std::static_pointer_cast<platform::ScrollViewDelegate>(platform::weakSelf(this).lock()));
  _pagingScrollView->setShowsHorizontalScrollIndicator(false);
  _pagingScrollView->setShowsVerticalScrollIndicator(false);
  _pagingScrollView->setAutoresizingMask(platform::Autoresizing::FlexibleWidth | platform::Autoresizing::FlexibleHeight);
  root->addSubview(_pagingScrollView);
  reloadData();
  AppDelegate::sharedAppDelegate()->setShouldAutorate(!isNewsSet());
}

void PyxoPhotoBrowser::buildScreen() {
  // The paging area forgets its pages.
  _visiblePages.clear();
  _recycledPages.clear();
  // A news set never rests on its trailing copy: the opener's position of it
  // means the last picture.
  unsigned number = numberOfPhotos();
  if (isNewsSet() && number >= 2 && _currentPageIndex + 2 > number) _currentPageIndex = number - 2;
  buildTopBar();
  buildBottomBar();
  updateCounters();
  _pagingScrollView->setContentOffset(contentOffsetForPageAtIndex(_currentPageIndex));
  tilePages();
  bool news = isNewsSet();
  if (news) buildCommentParts();
  bottomCommentView_->setHidden(news);
  if (btn_upComment) btn_upComment->setHidden(news);
  btn_titleSavePic->setHidden(!news);
  lab_titlePicNums->setHidden(!news);
  applyCurrentTheme();
}

void PyxoPhotoBrowser::buildTopBar() {
  auto root = view();
  if (titlebgImage_) titlebgImage_->removeFromSuperview();
  auto self = platform::weakSelf(this).lock();
  titlebgImage_ = platform::ImageView::create(Rect(0, 0, 320, kBarHeight));
  titlebgImage_->setUserInteractionEnabled(true);
  titlebgImage_->setTag(kTopBarTag);

  btn_back = platform::Button::buttonWithType(platform::ButtonType::Custom);
  btn_back->setFrame(Rect(0, 0, 50, 50));
  btn_back->setImage(platform::Image::imageNamed("News_Details_Btn_Back.png"), platform::ControlState::Normal);
  btn_back->setExclusiveTouch(true);
  btn_back->addTarget(self, &PyxoPhotoBrowser::doBack, platform::ControlEvent::TouchUpInside);
  titlebgImage_->addSubview(btn_back);

  lab_titlePicNums = makeLabel(Rect(63, 13, 194, 24), platform::TextAlignment::Center, 20);
  titlebgImage_->addSubview(lab_titlePicNums);

  lab_upCaptionTitle = makeLabel(Rect(63, 13, 200, 24), platform::TextAlignment::Left, 20);
  lab_upCaptionTitle->setTag(301);
  lab_upCaptionTitle->setText(upCaptionTitle_);
  titlebgImage_->addSubview(lab_upCaptionTitle);

  btn_titleSavePic = platform::Button::buttonWithType(platform::ButtonType::Custom);
  btn_titleSavePic->setFrame(Rect(272, 5, 40, 40));
  btn_titleSavePic->setExclusiveTouch(true);
  btn_titleSavePic->addTarget(self, &PyxoPhotoBrowser::savePhoto, platform::ControlEvent::TouchUpInside);
  titlebgImage_->addSubview(btn_titleSavePic);

  btn_upComment = nullptr;
  lab_CommentNums = nullptr;
  if (displayCommentButton_) {
    btn_upComment = platform::Button::buttonWithType(platform::ButtonType::Custom);
    btn_upComment->setFrame(Rect(264, 5, 40, 40));
    btn_upComment->setTag(200);
    btn_upComment->setExclusiveTouch(true);
    btn_upComment->addTarget(self, &PyxoPhotoBrowser::doComment, platform::ControlEvent::TouchUpInside);
    lab_CommentNums = makeLabel(Rect(3, 12, 35, 15), platform::TextAlignment::Center, 9);
    lab_CommentNums->setText(commentNums_);
    btn_upComment->addSubview(lab_CommentNums);
    titlebgImage_->addSubview(btn_upComment);
  }
  root->addSubview(titlebgImage_);
}

void PyxoPhotoBrowser::buildBottomBar() {
  auto root = view();
  if (bottomCommentView_) bottomCommentView_->removeFromSuperview();
  auto self = platform::weakSelf(this).lock();
  bottomCommentView_ = platform::ImageView::create(platform::Screen::mainScreen().hasTallMode() ? Rect(0, 497, 320, kBarHeight)
                                                                      : Rect(0, 409, 320, kBarHeight));
  bottomCommentView_->setUserInteractionEnabled(true);
  bottomCommentView_->setTag(kBottomBarTag);

  img_Line = platform::View::create(Rect(0, 0, 320, 1));
  bottomCommentView_->addSubview(img_Line);

  lab_captionTitle = makeLabel(Rect(15, 20, 200, 15), platform::TextAlignment::Left, 15);
  lab_captionTitle->setTag(302);
  bottomCommentView_->addSubview(lab_captionTitle);

  lab_pageNums = makeLabel(Rect(25, 20, 200, 15), platform::TextAlignment::Left, 14);
  lab_pageNums->setTag(301);
  bottomCommentView_->addSubview(lab_pageNums);

  btn_savePic = platform::Button::buttonWithType(platform::ButtonType::Custom);
  btn_savePic->setFrame(Rect(264, 5, 40, 40));
  btn_savePic->setTag(400);
  btn_savePic->setExclusiveTouch(true);
  btn_savePic->addTarget(self, &PyxoPhotoBrowser::savePhoto, platform::ControlEvent::TouchUpInside);
  bottomCommentView_->addSubview(btn_savePic);
  root->addSubview(bottomCommentView_);
}

// The counters of both kinds, for the position on screen.
void PyxoPhotoBrowser::updateCounters() {
  int number = static_cast<int>(numberOfPhotos());
  int position = static_cast<int>(_currentPageIndex);
  if (isNewsSet()) {
    int n = number - 2;
    int shown = position;
    if (position > n) shown = 1;
    else if (position == 0) shown = n;
    if (number < 3) shown = n = 0;
    if (lab_titlePicNums) lab_titlePicNums->setText(formatCounter(shown, n));
  } else {
    std::string text = number > 0 ? formatCounter(position + 1, number) : formatCounter(0, 0);
    if (lab_pageNums) lab_pageNums->setText(text);
    if (lab_titlePicNums) lab_titlePicNums->setText(text);
  }
}

void PyxoPhotoBrowser::updateCaption() {
  if (!lab_captionTitle) return;
  std::string caption;
  if (numberOfPhotos() > 0) {
    if (auto photo = photoAtIndex(_currentPageIndex)) caption = photo->caption().value_or("");
  }
  lab_captionTitle->setText(caption);
}

// ---- Theme ---------------------------------------------------------------------------------

void PyxoPhotoBrowser::applyCurrentTheme() {
  if (isDayMode()) whiteTheme();
  else blackTheme();
}

void PyxoPhotoBrowser::whiteTheme() {
  if (!isViewLoaded() || !titlebgImage_) return;
  view()->setBackgroundColor(Color::rgb255(219, 219, 219));
  _pagingScrollView->setBackgroundColor(Color::rgb255(236, 236, 236));
  _pagingScrollView->setAlpha(1);
  titlebgImage_->setBackgroundColor(Color::rgb255(53, 160, 217));
  Color title = Color::rgb255(250, 250, 250);
  lab_upCaptionTitle->setTextColor(title);
  lab_titlePicNums->setTextColor(title);
  if (lab_CommentNums) lab_CommentNums->setTextColor(title);
  bottomCommentView_->setBackgroundColor(Color::white());
  img_Line->setBackgroundColor(Color::rgb255(227, 227, 227));
  lab_captionTitle->setTextColor(Color::rgb255(69, 69, 69));
  lab_pageNums->setTextColor(Color::rgb255(69, 69, 69));
  btn_back->setAlpha(1);
  if (btn_upComment) {
    btn_upComment->setAlpha(1);
    btn_upComment->setImage(platform::Image::imageNamed("News_Details_Btn_Comment.png"), platform::ControlState::Normal);
  }
  btn_savePic->setImage(platform::Image::imageNamed("News_Details_Btn_Save.png"), platform::ControlState::Normal);
  btn_titleSavePic->setImage(platform::Image::imageNamed("pingtu_xiazai_baitian.png"), platform::ControlState::Normal);
}

void PyxoPhotoBrowser::blackTheme() {
  if (!isViewLoaded() || !titlebgImage_) return;
  view()->setBackgroundColor(Color::rgb255(36, 37, 41));
  _pagingScrollView->setBackgroundColor(Color::rgb255(36, 37, 41));
  _pagingScrollView->setAlpha(0.6);
  titlebgImage_->setBackgroundColor(Color::rgb255(61, 132, 170));
  Color title = Color::rgb255(209, 216, 220);
  lab_upCaptionTitle->setTextColor(title);
  lab_titlePicNums->setTextColor(title);
  if (lab_CommentNums) lab_CommentNums->setTextColor(title);
  bottomCommentView_->setBackgroundColor(Color::rgb255(49, 50, 55));
  img_Line->setBackgroundColor(Color::rgb255(55, 57, 62));
  lab_captionTitle->setTextColor(Color::rgb255(69, 69, 69));
  lab_pageNums->setTextColor(Color::rgb255(165, 175, 187));
  btn_back->setAlpha(0.5);
  if (btn_upComment) {
    btn_upComment->setAlpha(0.5);
    btn_upComment->setImage(platform::Image::imageNamed("News_Details_Btn_Comment_black.png"),
                            platform::ControlState::Normal);
  }
  btn_savePic->setImage(platform::Image::imageNamed("News_Details_Btn_Save_black.png"), platform::ControlState::Normal);
  btn_titleSavePic->setImage(platform::Image::imageNamed("pingtu_xiazai_heiye.png"), platform::ControlState::Normal);
}

// ---- Controls --------------------------------------------------------------------------------

void PyxoPhotoBrowser::toggleControls() {
  if (picCommentController_ && picCommentController_->isViewLoaded() &&
      picCommentController_->view()->frame().y() < 300) {
    displayOrHiddenPicCommentView();
    return;
  }
  setControlsHidden(!controlsHidden_, true, false);
}

void PyxoPhotoBrowser::setControlsHidden(bool hidden, bool animated, bool) {
  if (isNewsSet() && isLandscapeValue(currentOritation)) return;
  if (numberOfPhotos() == 0) hidden = false;
  auto app = AppDelegate::sharedAppDelegate();
  if (isNewsSet()) app->setShouldAutorate(hidden);
  controlsHidden_ = hidden;
  if (hidden) {
    if (isNewsSet() && _pagingScrollView) _pagingScrollView->setScrollEnabled(false);
    if (titlebgImage_) titlebgImage_->setAlpha(0);
    if (bottomCommentView_) bottomCommentView_->setAlpha(0);
  } else if (isNewsSet() && _pagingScrollView) {
    _pagingScrollView->setScrollEnabled(!(newsPicArray_.is_array() && newsPicArray_.size() == 3));
  }
  auto weak = platform::weakSelf(this);
  auto changes = [weak, hidden] {
    auto self = weak.lock();
    if (!self) return;
    double alpha = hidden ? 0 : 1;
    if (!hidden) {
      if (self->titlebgImage_) self->titlebgImage_->setAlpha(1);
      if (self->bottomCommentView_) self->bottomCommentView_->setAlpha(1);
    }
    if (self->_bottomView) self->_bottomView->setAlpha(alpha);
    if (self->picCommentController_ && self->picCommentController_->isViewLoaded())
      self->picCommentController_->view()->setAlpha(alpha);
    auto app = AppDelegate::sharedAppDelegate();
    const std::string& version = platform::Device::currentDevice().systemVersion();
    bool modernBars = !version.empty() && (version[0] == '7' || version[0] == '8');
    for (const auto& page : self->_visiblePages) {
      if (modernBars) {
        if (auto window = app->window()) window->setBackgroundColor(hidden ? Color::black() : topBarColor());
        app->setStatusBarIsHidden(hidden);
        platform::Application::sharedApplication().setNeedsStatusBarAppearanceUpdate();
      }
      if (hidden) page->setBGColor();
      else page->setDefaultBGColor();
    }
  };
  if (animated) platform::View::animate(kControlsFadeSeconds, changes);
  else changes();
}

void PyxoPhotoBrowser::applyControlsBackground() {
  for (const auto& page : _visiblePages) {
    if (controlsHidden_) page->setBGColor();
    else page->setDefaultBGColor();
  }
  if (controlsHidden_) _pagingScrollView->setBackgroundColor(Color::black());
  else _pagingScrollView->setBackgroundColor(isDayMode() ? Color::rgb255(236, 236, 236) : Color::black());
}

// ---- Saving ------------------------------------------------------------------------------------

void PyxoPhotoBrowser::savePhoto() {
  platform::services::UsageAnalytics::shared().event(kSavePhotoEvent);
  auto photo = photoAtIndex(_currentPageIndex);
  auto image = photo ? photo->underlyingImage() : nullptr;
  if (!image) return;
  if (!_progressHUD) {
    _progressHUD = platform::ProgressHud::initWithView(view());
    _progressHUD->setMinShowTime(kSaveNoticeMinimum);
    view()->addSubview(_progressHUD);
  }
  _progressHUD->setMode(platform::ProgressHudMode::Indeterminate);
  _progressHUD->setLabelText(fillObject(kSavingFormat, kSavingText));
  view()->bringSubviewToFront(_progressHUD);
  _progressHUD->show(true);
  auto weak = platform::weakSelf(this);
  performAfterDelay(0, [weak, image] {
    if (auto self = weak.lock()) self->writeToAlbum(image);
  });
}

void PyxoPhotoBrowser::writeToAlbum(std::shared_ptr<const platform::Image> image) {
  std::string jpeg = image->jpegData(kJpegQuality);
  platform::Bytes bytes(jpeg.begin(), jpeg.end());
  auto weak = platform::weakSelf(this);
  platform::services::PhotoLibrary::shared().writeImageToSavedPhotosAlbum(
      bytes, platform::services::kAssetOrientationUp,
      [weak](const std::string&, const std::optional<platform::services::PhotoLibraryError>& error) {
        auto self = weak.lock();
        if (!self || !self->_progressHUD) return;
        self->_progressHUD->setMode(platform::ProgressHudMode::Text);
        self->_progressHUD->setLabelText(error ? kSaveFailedText : kSavedText);
        self->_progressHUD->hide(true, kNoticeHideDelay);
      });
}

// ---- Orientation and the swipe-back margin -------------------------------------------------------

void PyxoPhotoBrowser::applyMarginRule(int orientation) {
  auto parent = container();
  if (!parent) return;
  if (_currentPageIndex != 0) parent->refreshMarginValue(0);
  else parent->refreshMarginWithSide(kLeftSide, isLandscapeValue(orientation) ? 0 : kSwipeBackMargin);
}

// Over the first picture a finger from the left edge could start both the
// container's swipe-back and the paging area on the same move; the screen
// leaves, so the paging area moves only once the edge swipe has failed (a touch
// beyond its margin, which is 0 away from the first picture, or a move that is
// not away from the edge).
void PyxoPhotoBrowser::yieldPagingToTheEdgeSwipe() {
  auto parent = container();
  if (!parent || !_pagingScrollView) return;
  for (const auto& edge : parent->edgeGestureRecognizers())
    _pagingScrollView->panGestureRecognizer()->requireGestureRecognizerToFail(edge);
}

bool PyxoPhotoBrowser::shouldAutorotate() const { return AppDelegate::sharedAppDelegate()->shouldAutorate(); }

unsigned PyxoPhotoBrowser::supportedInterfaceOrientations() const { return platform::OrientationMask::All; }

void PyxoPhotoBrowser::layoutBarsForOrientation(int orientation) {
  if (!titlebgImage_) return;
  bool landscape = isLandscapeValue(orientation);
  Rect top = titlebgImage_->frame();
  top.size.width = landscape ? (platform::Screen::mainScreen().hasTallMode() ? 568 : 480) : 320;
  titlebgImage_->setFrame(top);
  if (btn_upComment) btn_upComment->setHidden(landscape || isNewsSet());
  if (lab_CommentNums) lab_CommentNums->setHidden(landscape);
  Rect counter = lab_pageNums->frame();
  counter.origin.x = 25;
  lab_pageNums->setFrame(counter);
  btn_savePic->setFrame(landscape ? Rect(platform::Screen::mainScreen().hasTallMode() ? 513 : 425, 5, 40, 40) : Rect(264, 5, 40, 40));
  lab_captionTitle->setFrame(landscape ? Rect(15, 20, 300, 15) : Rect(15, 20, 200, 15));
  for (const auto& page : _visiblePages) {
    if (landscape) page->resetDefaultImg();
    else page->setDefaultImg();
  }
}

void PyxoPhotoBrowser::willRotateToInterfaceOrientation(platform::InterfaceOrientation o, double) {
  int orientation = static_cast<int>(o);
  AppDelegate::sharedAppDelegate()->setCurrentOrientation(orientation);
  _pageIndexBeforeRotation = _currentPageIndex;
  _rotating = true;
  applyMarginRule(orientation);
  currentOritation = orientation;
  layoutBarsForOrientation(orientation);
}

void PyxoPhotoBrowser::willAnimateRotationToInterfaceOrientation(platform::InterfaceOrientation, double) {
  _currentPageIndex = _pageIndexBeforeRotation;
}

void PyxoPhotoBrowser::didRotateFromInterfaceOrientation(platform::InterfaceOrientation) { _rotating = false; }

// ---- Appearing, disappearing, leaving --------------------------------------------------------------

void PyxoPhotoBrowser::viewWillAppear(bool animated) {
  ViewController::viewWillAppear(animated);
  yieldPagingToTheEdgeSwipe();
  AppDelegate::sharedAppDelegate()->setShouldAutorate(!isNewsSet());
  if (!gestureValuehaveBeenRetained) {
    if (auto parent = container()) {
      currentParentGestureValue = parent->getCurrentMarginValue();
      gestureValuehaveBeenRetained = true;
    }
  }
  applyMarginRule(currentOritation);
}

void PyxoPhotoBrowser::viewDidAppear(bool animated) {
  ViewController::viewDidAppear(animated);
  if (!gestureValuehaveBeenRetained) {
    if (auto parent = container()) {
      currentParentGestureValue = parent->getCurrentMarginValue();
      gestureValuehaveBeenRetained = true;
    }
  }
  _viewIsActive = true;
  updateCaption();
  applyMarginRule(currentOritation);
}

void PyxoPhotoBrowser::viewWillDisappear(bool animated) {
  _viewIsActive = false;
  cancelPreviousPerformRequests();
  setControlsHidden(false, false, false);
  ViewController::viewWillDisappear(animated);
}

void PyxoPhotoBrowser::doBack() {
  if (isNewsSet()) {
    if (_bottomView && !_bottomView->commentStr().empty()) {
      leaveAlert_ = platform::AlertDialog::initWithTitle("", kLeaveWithDraftMessage,
                                                         platform::weakSelf(this).lock(), kLeaveWithDraftCancel,
                                                         {kLeaveWithDraftLeave});
      leaveAlert_->show();
      return;
    }
    leaveNow();
    return;
  }
  auto& application = platform::Application::sharedApplication();
  auto app = AppDelegate::sharedAppDelegate();
  application.setStatusBarOrientation(platform::InterfaceOrientation::Portrait);
  app->setShouldAutorate(false);
  app->setCurrentOrientation(kPortrait);
  application.setStatusBarOrientation(platform::InterfaceOrientation::Portrait);
  auto root = view();
  if (root->bounds().width() != 320) {
    Rect b = root->bounds();
    root->setBounds(Rect(0, 0, b.height(), b.width()));
    root->setTransform(platform::AffineTransform());
    currentOritation = kPortrait;
    layoutBarsForOrientation(kPortrait);
    Rect bottom = bottomCommentView_->frame();
    bottomCommentView_->setFrame(Rect(bottom.x(), platform::Screen::mainScreen().hasTallMode() ? 497 : 409, 320, bottom.height()));
    if (auto parent = container()) parent->changeOrientation();
  }
  leaveNow();
}

void PyxoPhotoBrowser::leaveNow() {
  auto keep = shared_from_this();
  auto parent = container();
  if (parent) {
    parent->popChildViewController();
    parent->refreshMarginWithSide(kLeftSide, static_cast<int>(currentParentGestureValue));
  }
  if (isNewsSet()) {
    if (picCommentMaskView_) picCommentMaskView_->removeFromSuperview();
    if (picCommentController_ && picCommentController_->isViewLoaded()) picCommentController_->view()->removeFromSuperview();
    if (_bottomView) _bottomView->removeFromSuperview();
  }
}

void PyxoPhotoBrowser::didDismissWithButtonIndex(platform::AlertDialog& dialog, int buttonIndex) {
  if (buttonIndex == dialog.cancelButtonIndex()) {
    if (_bottomView) _bottomView->becomeFirstResponder();
  } else {
    leaveNow();
  }
  leaveAlert_ = nullptr;
}

void PyxoPhotoBrowser::hudWasHidden(platform::ProgressHud& hud) {
  if (HUD_ && HUD_.get() == &hud) {
    HUD_->removeFromSuperview();
    HUD_ = nullptr;
  }
}

void PyxoPhotoBrowser::didReceiveMemoryWarning() {
  releaseAllUnderlyingPhotos(true);
  _recycledPages.clear();
  ViewController::didReceiveMemoryWarning();
}

}  // namespace vorn
