#pragma once
// The full-screen picture viewer: pages sideways through a set of pictures
// asked from a data source, zooms them, saves one to the photo album and goes
// back. Two kinds, chosen with setEntryPhoneBrowserType before the push:
//  - a news picture set (1): the pictures of one article, each with its own
//    comment list and comment bar, a "%d/%d" counter and a save button in the
//    top bar, endless paging (the data source gives n + 2 positions: a copy of
//    the last picture first and a copy of the first last), portrait only while
//    the controls are shown;
//  - a plain gallery (anything else): a title in the top bar, a caption bar with
//    a page counter and a save button at the bottom, rotation to landscape.
//
// Paging keeps only the pages of the visible area plus at most two idle pages,
// and at most three images: the current picture and its two neighbours.
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Value.h"
#include "platform/ui/AlertDialog.h"
#include "platform/ui/ProgressHud.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/ViewController.h"
#include "core/ContainedScreen.h"
#include "core/UserLoginViewControllerDelegate.h"
#include "ui/NewsCommentBottomBarView.h"
#include "ui/PicCommentListViewController.h"

namespace platform {
class Button;
class Image;
class ImageView;
class Label;
class View;
}  // namespace platform

namespace vorn {

class ParentViewController;
class PyxoPhotoBrowser;
class PyxoPhotoProtocol;
class PyxoZoomingScrollView;

// Texts and keys.
inline constexpr char kPhotoCounterFormat[] = "%d/%d";
inline constexpr char kSavingFormat[] = "%@…";
inline constexpr char kSavingText[] = "保存中";
inline constexpr char kSavedText[] = "已保存到相册";
inline constexpr char kSaveFailedText[] = "保存失败";
inline constexpr char kSavePhotoEvent[] = "baocuntupian";
inline constexpr char kDisplayKeyboardNotification[] = "displayKeyboard";
// Fields of a news set's picture record.
inline constexpr char kPicsPicURL[] = "picURL";
inline constexpr char kPicsPicId[] = "picId";
inline constexpr char kPicsPicCommentLink[] = "picCommentLink";
// Picture comments.
inline constexpr char kPicCommentHolder[] = "评论图片";
inline constexpr char kEmptyCommentNotice[] = "不能发布无字天书";
inline constexpr char kLongCommentNotice[] = "简化一下评论 有助身心健康";
inline constexpr char kAddCommentPath[] = "/interface/6.0/add_comment.php";
inline constexpr char kCommentPagePathFormat[] = "/cms/interface/5.0/show_comment_reply.php?newsid=%@&themeType=white";
inline constexpr char kLeaveWithDraftMessage[] = "您有写下的内容未发布，退出此页面将丢失。";
inline constexpr char kLeaveWithDraftCancel[] = "继续编辑";
inline constexpr char kLeaveWithDraftLeave[] = "退出此页";
inline constexpr std::size_t kMaxCommentLength = 2000;  // UTF-16 units
inline constexpr int kNewsPictureSet = 1;
// Tags.
inline constexpr std::int64_t kTopBarTag = 100;
inline constexpr std::int64_t kBottomBarTag = 101;
inline constexpr std::int64_t kPageTagBase = 1000;

class PyxoPhotoBrowserDelegate {
 public:
  virtual ~PyxoPhotoBrowserDelegate() = default;
  virtual unsigned numberOfPhotosInPhotoBrowser(PyxoPhotoBrowser& browser) = 0;
  // nil (null) for an index out of range.
  virtual std::shared_ptr<PyxoPhotoProtocol> photoAtIndex(PyxoPhotoBrowser& browser, unsigned index) = 0;
  virtual void didDisplayPhotoAtIndex(PyxoPhotoBrowser& browser, unsigned index) { (void)browser; (void)index; }
};

class PyxoPhotoBrowser : public platform::ViewController,
                         public platform::ScrollViewDelegate,
                         public platform::ProgressHudDelegate,
                         public platform::AlertDialogDelegate,
                         public NewsCommentBottomBarViewDelegate,
                         public UserLoginViewControllerDelegate,
                         public PicCommentListViewControllerDelegate,
                         public ContainedScreen {
 public:
  static std::shared_ptr<PyxoPhotoBrowser> initWithDelegate(std::weak_ptr<PyxoPhotoBrowserDelegate> delegate);
  PyxoPhotoBrowser();
  ~PyxoPhotoBrowser() override;
  PLATFORM_CLASS_NAME(PyxoPhotoBrowser)
  bool showsPhotosFullScreen() const override { return true; }

  // ---- Settings made by the opener before the push ---------------------------------
  std::shared_ptr<PyxoPhotoBrowserDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<PyxoPhotoBrowserDelegate> d) { delegate_ = std::move(d); }
  int entryPhoneBrowserType() const { return entryPhoneBrowserType_; }
  void setEntryPhoneBrowserType(int type) { entryPhoneBrowserType_ = type; }
  bool isNewsSet() const { return entryPhoneBrowserType_ == kNewsPictureSet; }
  // One record per position of a news set: {"picURL", "picId", "picCommentLink"}.
  const platform::Value& newsPicArray() const { return newsPicArray_; }
  void setNewsPicArray(platform::Value records) { newsPicArray_ = std::move(records); }
  void setUpCaptionTitle(std::string title) { upCaptionTitle_ = std::move(title); }
  void setCommentNums(std::string nums) { commentNums_ = std::move(nums); }
  void setNewsID(std::string id) { NewsID_ = std::move(id); }
  const std::string& NewsID() const { return NewsID_; }
  void setCommentURL(std::string url) { commentURL_ = std::move(url); }
  void setWebLink(std::string link) { webLink_ = std::move(link); }
  const std::string& webLink() const { return webLink_; }
  void setDisplayCommentButton(bool on) { displayCommentButton_ = on; }
  void setDisplayActionButton(bool on) { displayActionButton_ = on; }
  void setDisplayNavArrows(bool on) { displayNavArrows_ = on; }
  void setZoomPhotosToFill(bool on) { zoomPhotosToFill_ = on; }
  void setIntputStr(std::string text) { intputStr_ = std::move(text); }
  void setSuperController(std::weak_ptr<platform::ViewController> c) { superController_ = std::move(c); }

  // ---- Paging ------------------------------------------------------------------------
  unsigned numberOfPhotos();
  std::shared_ptr<PyxoPhotoProtocol> photoAtIndex(unsigned index);
  // The picture's image; when it has none, starts its load and answers null.
  std::shared_ptr<const platform::Image> imageForPhoto(const std::shared_ptr<PyxoPhotoProtocol>& photo);
  void reloadData();
  void setCurrentPhotoIndex(unsigned index);
  unsigned currentPageIndex() const { return _currentPageIndex; }
  void jumpToPageAtIndex(unsigned index, bool animated);
  void tilePages();
  void didStartViewingPageAtIndex(unsigned index);
  void loadAdjacentPhotosIfNecessary(const std::shared_ptr<PyxoPhotoProtocol>& photo);
  void releaseAllUnderlyingPhotos(bool keepCurrent);
  bool isDisplayingPageForIndex(unsigned index) const;
  std::shared_ptr<PyxoZoomingScrollView> pageDisplayedAtIndex(unsigned index) const;
  std::shared_ptr<PyxoZoomingScrollView> pageDisplayingPhoto(const std::shared_ptr<PyxoPhotoProtocol>& photo) const;
  platform::Rect frameForPagingScrollView() const;
  platform::Rect frameForPageAtIndex(unsigned index) const;
  platform::Size contentSizeForPagingScrollView() const;
  platform::Point contentOffsetForPageAtIndex(unsigned index) const;

  // ---- Screen --------------------------------------------------------------------------
  void doBack();
  void savePhoto();
  void toggleControls();
  void setControlsHidden(bool hidden, bool animated, bool permanent);
  bool areControlsHidden() const { return controlsHidden_; }
  // Accepted; the controls never hide on their own.
  void hideControlsAfterDelay() {}
  void cancelControlHiding() {}
  void whiteTheme();
  void blackTheme();
  // Delayed requests aimed at the browser (a page's controls toggle, the album
  // write); cancelled together, as a double tap and leaving do.
  void performAfterDelay(double seconds, std::function<void()> task);
  void cancelPreviousPerformRequests();

  // ---- Picture comments (news set) -----------------------------------------------------
  void sendComment();
  void displayOrHiddenPicCommentView();
  void loadPicComment(unsigned index);
  void doComment();
  // Texts cleaned as they are sent: trimmed, no double line breaks or double spaces.
  static std::string cleanCommentText(const std::string& text);

  // ---- Parts, for tests and the driver ------------------------------------------------
  const std::shared_ptr<platform::ScrollView>& pagingScrollView() const { return _pagingScrollView; }
  const std::set<std::shared_ptr<PyxoZoomingScrollView>>& visiblePages() const { return _visiblePages; }
  const std::set<std::shared_ptr<PyxoZoomingScrollView>>& recycledPages() const { return _recycledPages; }
  const std::shared_ptr<platform::ImageView>& titlebgImage() const { return titlebgImage_; }
  const std::shared_ptr<platform::ImageView>& bottomCommentView() const { return bottomCommentView_; }
  const std::shared_ptr<platform::Label>& titlePicNumsLabel() const { return lab_titlePicNums; }
  const std::shared_ptr<platform::Label>& pageNumsLabel() const { return lab_pageNums; }
  const std::shared_ptr<platform::Label>& captionLabel() const { return lab_captionTitle; }
  const std::shared_ptr<platform::Button>& backButton() const { return btn_back; }
  const std::shared_ptr<platform::Button>& titleSaveButton() const { return btn_titleSavePic; }
  const std::shared_ptr<platform::Button>& bottomSaveButton() const { return btn_savePic; }
  const std::shared_ptr<platform::Button>& commentButton() const { return btn_upComment; }
  const std::shared_ptr<NewsCommentBottomBarView>& commentBar() const { return _bottomView; }
  const std::shared_ptr<PicCommentListViewController>& picCommentController() const { return picCommentController_; }
  const std::shared_ptr<platform::View>& picCommentMaskView() const { return picCommentMaskView_; }
  const std::shared_ptr<platform::ProgressHud>& commentNotice() const { return HUD_; }
  const std::shared_ptr<platform::ProgressHud>& saveNotice() const { return _progressHUD; }
  bool isSending() const { return isSending_; }

  // ---- Platform calls --------------------------------------------------------------------
  void loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void viewWillLayoutSubviews() override;
  void didReceiveMemoryWarning() override;
  bool shouldAutorotate() const override;
  unsigned supportedInterfaceOrientations() const override;
  void willRotateToInterfaceOrientation(platform::InterfaceOrientation o, double duration) override;
  void willAnimateRotationToInterfaceOrientation(platform::InterfaceOrientation o, double duration) override;
  void didRotateFromInterfaceOrientation(platform::InterfaceOrientation from) override;

  // Scroll-view delegate of the paging area.
  void scrollViewDidScroll(platform::ScrollView& scrollView) override;
  void scrollViewDidEndDecelerating(platform::ScrollView& scrollView) override;
  // The save and comment notices have hidden.
  void hudWasHidden(platform::ProgressHud& hud) override;
  // The leave alert.
  void didDismissWithButtonIndex(platform::AlertDialog& dialog, int buttonIndex) override;
  // The comment bar.
  void sendButtonClicked(NewsCommentBottomBarView& bar, platform::Button& button) override;
  void editButtonClicked(NewsCommentBottomBarView& bar, platform::Button& button) override;
  void newsCommentBottomBarViewFirstResponesderStateChanged(NewsCommentBottomBarView& bar) override;
  // The login screen.
  void loginSucBack() override;
  // The comment list's drag button.
  void doClickDrag(PicCommentListViewController& panel) override;

 private:
  struct Slot {
    std::shared_ptr<PyxoPhotoProtocol> photo;  // null: the placeholder
  };
  static constexpr unsigned kNotAsked = 0x7FFFFFFFu;

  // Set-up and building.
  void setUp();
  void buildScreen();
  void buildTopBar();
  void buildBottomBar();
  void applyCurrentTheme();
  void updateCounters();
  void updateCaption();
  void applyControlsBackground();
  void applyMarginRule(int orientation);
  void layoutBarsForOrientation(int orientation);
  std::shared_ptr<ParentViewController> container() const;
  void yieldPagingToTheEdgeSwipe();
  std::shared_ptr<PyxoZoomingScrollView> dequeueRecycledPage();
  void configurePage(const std::shared_ptr<PyxoZoomingScrollView>& page, unsigned index);
  void photoLoadingDidEnd(const std::shared_ptr<PyxoPhotoProtocol>& photo);
  void leaveNow();
  void writeToAlbum(std::shared_ptr<const platform::Image> image);
  std::shared_ptr<PyxoZoomingScrollView> currentPage() const;
  // Comments.
  void buildCommentParts();
  void showCommentNotice(const std::string& text, const std::shared_ptr<platform::View>& over);
  void presentLoginGate();
  void handleCommentAnswer(const platform::Value& answer);
  const platform::Value& picsRecordAt(unsigned index) const;
  void hidenKeyboardButtonClicked();
  void collapseCommentList();

  std::weak_ptr<PyxoPhotoBrowserDelegate> delegate_;
  int entryPhoneBrowserType_ = 0;
  platform::Value newsPicArray_;
  std::string upCaptionTitle_;
  std::string commentNums_;
  std::string NewsID_;
  std::string commentURL_;
  std::string webLink_;
  bool displayCommentButton_ = false;
  bool displayActionButton_ = true;
  bool displayNavArrows_ = false;
  bool zoomPhotosToFill_ = true;
  std::string intputStr_;
  std::weak_ptr<platform::ViewController> superController_;

  // Paging.
  std::shared_ptr<platform::ScrollView> _pagingScrollView;
  std::vector<Slot> _photos;
  unsigned _photoCount = kNotAsked;
  std::set<std::shared_ptr<PyxoZoomingScrollView>> _visiblePages;
  std::set<std::shared_ptr<PyxoZoomingScrollView>> _recycledPages;
  unsigned _currentPageIndex = 0;
  unsigned _pageIndexBeforeRotation = 0;
  bool _viewIsActive = false;
  bool _performingLayout = false;
  bool _rotating = false;
  std::optional<unsigned> lastReportedIndex_;
  platform::Rect lastLayoutBounds_;

  // Screen.
  bool controlsHidden_ = false;
  int currentOritation = 0;
  double currentParentGestureValue = 0;
  bool gestureValuehaveBeenRetained = false;
  std::shared_ptr<platform::ProgressHud> _progressHUD;
  std::vector<platform::TimerId> delayedRequests_;
  std::shared_ptr<platform::ImageView> titlebgImage_;
  std::shared_ptr<platform::Button> btn_back;
  std::shared_ptr<platform::Label> lab_titlePicNums;
  std::shared_ptr<platform::Label> lab_upCaptionTitle;
  std::shared_ptr<platform::Button> btn_titleSavePic;
  std::shared_ptr<platform::Button> btn_upComment;
  std::shared_ptr<platform::Label> lab_CommentNums;
  std::shared_ptr<platform::ImageView> bottomCommentView_;
  std::shared_ptr<platform::View> img_Line;
  std::shared_ptr<platform::Label> lab_captionTitle;
  std::shared_ptr<platform::Label> lab_pageNums;
  std::shared_ptr<platform::Button> btn_savePic;

  // Picture comments.
  std::shared_ptr<PicCommentListViewController> picCommentController_;
  std::shared_ptr<platform::View> picCommentMaskView_;
  bool picCommentControllerFlag = false;
  std::shared_ptr<NewsCommentBottomBarView> _bottomView;
  std::shared_ptr<platform::Button> _hidenKeyboardButton;
  std::shared_ptr<platform::ProgressHud> HUD_;
  bool isSending_ = false;
  std::shared_ptr<platform::AlertDialog> leaveAlert_;
};

}  // namespace vorn
