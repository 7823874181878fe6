// Picture comments of a news picture set: the comment list and its mask, the
// comment bar, the login gate and sending a comment on the picture on screen.
#include <algorithm>

#include "core/AppDelegate.h"
#include "core/ParentViewController.h"
#include "core/ScreenOpeners.h"
#include "core/UserData.h"
#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Screen.h"
#include "platform/ui/StatusBarNotice.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/Window.h"
#include "ui/PyxoPhotoBrowser.h"

namespace vorn {
namespace {

using platform::Color;
using platform::Rect;

constexpr double kSlideSeconds = 0.5;
constexpr double kCoverFadeSeconds = 0.25;
constexpr double kCommentNoticeSeconds = 1.5;
constexpr double kExpandedMaskAlpha = 0.4;
constexpr double kPagingShift = 200;
// The list counts as collapsed while its top edge lies below this line.
constexpr double kCollapsedLine = 300;
constexpr char kCommentAction[] = "imgcomm";
constexpr char kCommentType[] = "2";

Rect collapsedListFrame() { return platform::Screen::mainScreen().hasTallMode() ? Rect(0, 438, 320, 383) : Rect(0, 350, 320, 295); }
Rect expandedListFrame() { return platform::Screen::mainScreen().hasTallMode() ? Rect(0, 115, 320, 383) : Rect(0, 115, 320, 295); }
Rect maskFrame() { return platform::Screen::mainScreen().hasTallMode() ? Rect(0, -20, 320, 548) : Rect(0, -20, 320, 460); }
Rect commentBarFrame() { return platform::Screen::mainScreen().hasTallMode() ? Rect(0, 498, 320, 50) : Rect(0, 410, 320, 50); }

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  // Again and again until none is left: "\n\n\n" becomes "\n".
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from)) text.replace(at, from.size(), to);
  return text;
}

// The window notices go over: the last one, unless that is the status-bar notice's.
std::shared_ptr<platform::Window> topmostWindow() {
  auto windows = platform::Application::sharedApplication().windows();
  if (windows.empty()) return nullptr;
  auto last = windows.back();
  if (windows.size() >= 2 && platform::StatusBarNotice::isNoticeWindow(last.get())) return windows[windows.size() - 2];
  return last;
}

}  // namespace

const platform::Value& PyxoPhotoBrowser::picsRecordAt(unsigned index) const {
  static const platform::Value kNone = platform::Value::object();
  if (!newsPicArray_.is_array() || index >= newsPicArray_.size()) return kNone;
  return newsPicArray_[index];
}

// ---- Setting up -----------------------------------------------------------------------------------

void PyxoPhotoBrowser::buildCommentParts() {
  auto root = view();
  auto self = platform::weakSelf(this).lock();
  if (!picCommentMaskView_) {
    picCommentMaskView_ = platform::View::create(maskFrame());
    picCommentMaskView_->setBackgroundColor(Color::black());
    picCommentMaskView_->setAlpha(0);
    picCommentMaskView_->setHidden(true);
    std::weak_ptr<PyxoPhotoBrowser> weak = self;
    auto tap = std::make_shared<platform::TapGestureRecognizer>();
    tap->addTarget([weak](platform::GestureRecognizer&) {
      if (auto b = weak.lock()) b->toggleControls();
    });
    picCommentMaskView_->addGestureRecognizer(tap);
  }
  root->addSubview(picCommentMaskView_);
  if (!picCommentController_) {
    picCommentController_ = std::make_shared<PicCommentListViewController>();
    picCommentController_->view()->setFrame(collapsedListFrame());
    picCommentController_->setDelegate(std::static_pointer_cast<PicCommentListViewControllerDelegate>(self));
    picCommentController_->setWebViewURL(platform::textOf(platform::valueFor(picsRecordAt(_currentPageIndex), kPicsPicCommentLink)));
    root->addSubview(picCommentController_->view());
    picCommentController_->loadCommentList(true);
  } else {
    root->addSubview(picCommentController_->view());
  }
  _pagingScrollView->setScrollEnabled(!(newsPicArray_.is_array() && newsPicArray_.size() == 3));
  if (_bottomView) _bottomView->removeFromSuperview();
  _bottomView = NewsCommentBottomBarView::create();
  _bottomView->setEnable(false);
  _bottomView->setDelegate(std::static_pointer_cast<NewsCommentBottomBarViewDelegate>(self));
  _bottomView->setHolderStr(kPicCommentHolder);
  _bottomView->showInView(root);
  _bottomView->setFrame(commentBarFrame());
}

void PyxoPhotoBrowser::loadPicComment(unsigned index) {
  if (picCommentController_) {
    picCommentController_->setWebViewURL(platform::textOf(platform::valueFor(picsRecordAt(index), kPicsPicCommentLink)));
    picCommentController_->loadCommentList(true);
  }
  if (_bottomView) {
    _bottomView->setCommentStr("");
    _bottomView->setHolderStr(kPicCommentHolder);
  }
}

// ---- The comment list ----------------------------------------------------------------------------

void PyxoPhotoBrowser::doClickDrag(PicCommentListViewController&) { displayOrHiddenPicCommentView(); }

void PyxoPhotoBrowser::displayOrHiddenPicCommentView() {
  if (picCommentControllerFlag || !picCommentController_) return;
  picCommentControllerFlag = true;
  auto weak = platform::weakSelf(this);
  auto list = picCommentController_->view();
  if (list->frame().y() > kCollapsedLine) {
    picCommentMaskView_->setHidden(false);
    picCommentController_->setWebViewScroll(true);
    platform::View::animate(
        kSlideSeconds,
        [this, list] {
          list->setFrame(expandedListFrame());
          picCommentMaskView_->setFrame(maskFrame());
          picCommentMaskView_->setAlpha(kExpandedMaskAlpha);
          Rect paging = _pagingScrollView->frame();
          paging.origin.y -= kPagingShift;
          _pagingScrollView->setFrame(paging);
        },
        [weak](bool) {
          if (auto self = weak.lock()) self->picCommentControllerFlag = false;
        });
  } else {
    collapseCommentList();
  }
}

void PyxoPhotoBrowser::collapseCommentList() {
  auto weak = platform::weakSelf(this);
  auto list = picCommentController_->view();
  platform::View::animate(
      kSlideSeconds,
      [this, list] {
        list->setFrame(collapsedListFrame());
        picCommentMaskView_->setFrame(maskFrame());
        picCommentMaskView_->setAlpha(0);
        Rect paging = _pagingScrollView->frame();
        paging.origin.y += kPagingShift;
        _pagingScrollView->setFrame(paging);
      },
      [weak](bool) {
        auto self = weak.lock();
        if (!self) return;
        self->picCommentController_->setWebViewScroll(false);
        self->picCommentControllerFlag = false;
        self->picCommentMaskView_->setHidden(true);
      });
}

// ---- Writing -------------------------------------------------------------------------------------------

void PyxoPhotoBrowser::editButtonClicked(NewsCommentBottomBarView& bar, platform::Button&) {
  bar.setHolderStr(kPicCommentHolder);
}

void PyxoPhotoBrowser::newsCommentBottomBarViewFirstResponesderStateChanged(NewsCommentBottomBarView& bar) {
  auto root = view();
  if (!_hidenKeyboardButton) {
    _hidenKeyboardButton = platform::Button::buttonWithType(platform::ButtonType::Custom);
    _hidenKeyboardButton->setExclusiveTouch(true);
    _hidenKeyboardButton->setBackgroundColor(Color::clear());
    Rect b = root->bounds();
    _hidenKeyboardButton->setFrame(Rect(0, -20, b.width(), b.height()));
    _hidenKeyboardButton->addTarget(platform::weakSelf(this).lock(), &PyxoPhotoBrowser::hidenKeyboardButtonClicked,
                                    platform::ControlEvent::TouchUpInside);
    if (_bottomView && _bottomView->superview().get() == root.get()) root->insertSubviewBelow(_hidenKeyboardButton, _bottomView);
    else root->addSubview(_hidenKeyboardButton);
  }
  auto cover = _hidenKeyboardButton;
  if (bar.isFirstResponder()) {
    cover->setHidden(false);
    platform::View::animate(kCoverFadeSeconds, [cover] { cover->setBackgroundColor(Color::black().withAlpha(0.5)); });
  } else {
    platform::View::animate(
        kCoverFadeSeconds, [cover] { cover->setBackgroundColor(Color::clear()); },
        [cover](bool) { cover->setHidden(true); });
  }
}

void PyxoPhotoBrowser::hidenKeyboardButtonClicked() {
  if (_bottomView) _bottomView->resignFirstResponder();
}

// ---- Sending ----------------------------------------------------------------------------------------------

std::string PyxoPhotoBrowser::cleanCommentText(const std::string& text) {
  auto isBlank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  std::size_t from = 0, to = text.size();
  while (from < to && isBlank(static_cast<unsigned char>(text[from]))) ++from;
  while (to > from && isBlank(static_cast<unsigned char>(text[to - 1]))) --to;
  std::string cleaned = text.substr(from, to - from);
  cleaned = replaceAll(cleaned, "\n\n", "\n");
  cleaned = replaceAll(cleaned, "  ", " ");
  return cleaned;
}

void PyxoPhotoBrowser::sendButtonClicked(NewsCommentBottomBarView&, platform::Button&) { sendComment(); }

void PyxoPhotoBrowser::loginSucBack() { sendComment(); }

void PyxoPhotoBrowser::showCommentNotice(const std::string& text, const std::shared_ptr<platform::View>& over) {
  if (HUD_ || !over) return;
  HUD_ = platform::ProgressHud::initWithView(over);
  over->addSubview(HUD_);
  HUD_->setMode(platform::ProgressHudMode::Text);
  HUD_->setLabelText(text);
  HUD_->setDelegate(std::static_pointer_cast<platform::ProgressHudDelegate>(platform::weakSelf(this).lock()));
  HUD_->show(true);
  HUD_->hide(true, kCommentNoticeSeconds);
}

void PyxoPhotoBrowser::presentLoginGate() {
  view()->endEditing(true);
  const auto& loginScreen = ScreenOpeners::shared().loginScreen;
  if (!loginScreen) return;
  auto login = loginScreen(std::static_pointer_cast<UserLoginViewControllerDelegate>(platform::weakSelf(this).lock()));
  if (!login) return;
  auto gate = std::make_shared<ParentViewController>();
  auto app = AppDelegate::sharedAppDelegate();
  app->modalContainers().setLoginNavController(gate);
  gate->addChildViewController(login);
  gate->view()->addSubview(login->view());
  gate->refreshMarginValue(0);
  login->view()->setFrame(platform::Screen::mainScreen().hasTallMode() ? Rect(0, 0, 320, 568) : Rect(0, 0, 320, 480));
  presentViewController(gate, true);
}

void PyxoPhotoBrowser::sendComment() {
  if (isSending_ || !_bottomView) return;
  if (!UserData::userDataInit().checkLogin()) {
    presentLoginGate();
    return;
  }
  const std::string text = _bottomView->commentStr();
  // Judged on the cleaned text: blanks and line breaks alone make no comment.
  std::string content = cleanCommentText(text);
  if (content.empty()) {
    showCommentNotice(kEmptyCommentNotice, view());
    return;
  }
  if (platform::utf16Length(text) > kMaxCommentLength) {
    std::shared_ptr<platform::View> window = topmostWindow();
    showCommentNotice(kLongCommentNotice, window ? window : view());
    return;
  }
  const platform::Value& record = picsRecordAt(_currentPageIndex);
  auto& user = UserData::userDataInit();
  platform::Value parameters = platform::Value::object();
  parameters["newsid"] = NewsID_;
  parameters["action"] = kCommentAction;
  parameters["surl"] = webLink_;
  parameters["imageId"] = platform::textOf(platform::valueFor(record, kPicsPicId));
  parameters["imageUrl"] = platform::textOf(platform::valueFor(record, kPicsPicURL));
  parameters["content"] = content;
  parameters["type"] = kCommentType;
  parameters["uid"] = user.getUserID();
  parameters["uname"] = user.getUserName();
  parameters["ver"] = AppDelegate::getCurrentVersion();
  _bottomView->startAnimation();
  isSending_ = true;
  auto weak = platform::weakSelf(this);
  auto& client = Vorn5APIClient::sharedClient();
  client.postPath(PortalHosts::url(PortalHost::Comment, kAddCommentPath), parameters, false, false, client, true,
                  [weak](const platform::Value& answer, const std::optional<ApiError>&) {
                    if (auto self = weak.lock()) self->handleCommentAnswer(answer);
                  });
}

void PyxoPhotoBrowser::handleCommentAnswer(const platform::Value& answer) {
  isSending_ = false;
  if (answer.is_null() || !_bottomView) {
    if (_bottomView) _bottomView->stopAnimationCompleteBlock(nullptr);
    return;
  }
  platform::Value record = answer;
  if (answer.is_binary()) record = platform::parseJson(platform::bytesOf(answer)).value_or(platform::Value());
  std::string message = platform::textOf(platform::valueFor(record, "msg"));
  bool accepted = platform::textOf(platform::valueFor(record, "status")) == "1";
  auto weak = platform::weakSelf(this);
  _bottomView->stopAnimationCompleteBlock([weak, message] {
    if (auto self = weak.lock()) self->showCommentNotice(message, self->view());
  });
  if (accepted) _bottomView->setCommentStr("");
  if (picCommentController_) picCommentController_->loadCommentList(false);
}

// ---- The article's comment page ---------------------------------------------------------------------------

void PyxoPhotoBrowser::doComment() {
  const auto& commentPage = ScreenOpeners::shared().commentPage;
  if (!commentPage) return;
  auto page = commentPage({PortalHosts::urlWithId(PortalHost::MobileWeb, kCommentPagePathFormat, NewsID_), webLink_, NewsID_});
  if (auto parent = container(); parent && page) parent->pushChildViewController(page);
}

}  // namespace vorn
