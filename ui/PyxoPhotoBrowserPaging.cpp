// The paging area of the photo browser: page geometry, page reuse, loading and
// releasing pictures, the current position and the wrap-around of news sets.
#include <algorithm>
#include <cmath>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "ui/PyxoPhoto.h"
#include "ui/PyxoPhotoBrowser.h"
#include "ui/PyxoZoomingScrollView.h"

namespace vorn {
namespace {

using platform::Rect;

constexpr double kPagePadding = 10;
constexpr std::size_t kMaxRecycledPages = 2;
constexpr double kBarHeight = 51;

}  // namespace

// ---- Data -------------------------------------------------------------------------------------

unsigned PyxoPhotoBrowser::numberOfPhotos() {
  if (_photoCount == kNotAsked) {
    auto d = delegate();
    _photoCount = d ? d->numberOfPhotosInPhotoBrowser(*this) : 0;
  }
  return _photoCount;
}

std::shared_ptr<PyxoPhotoProtocol> PyxoPhotoBrowser::photoAtIndex(unsigned index) {
  if (index >= _photos.size()) return nullptr;
  Slot& slot = _photos[index];
  if (!slot.photo) {
    if (auto d = delegate()) slot.photo = d->photoAtIndex(*this, index);
  }
  return slot.photo;
}

std::shared_ptr<const platform::Image> PyxoPhotoBrowser::imageForPhoto(const std::shared_ptr<PyxoPhotoProtocol>& photo) {
  if (!photo) return nullptr;
  if (auto image = photo->underlyingImage()) return image;
  photo->loadUnderlyingImageAndNotify();
  return nullptr;
}

void PyxoPhotoBrowser::reloadData() {
  _photoCount = kNotAsked;
  unsigned number = numberOfPhotos();
  releaseAllUnderlyingPhotos(true);
  _photos.assign(number, Slot{});
  for (const auto& subview : _pagingScrollView->subviews()) subview->removeFromSuperview();
  _currentPageIndex = number > 0 ? std::min(_currentPageIndex, number - 1) : 0;
  _performingLayout = true;
  buildScreen();
  _performingLayout = false;
  view()->setNeedsLayout();
}

// ---- Geometry ------------------------------------------------------------------------------------

Rect PyxoPhotoBrowser::frameForPagingScrollView() const {
  Rect b = isViewLoaded() ? const_cast<PyxoPhotoBrowser*>(this)->view()->bounds() : Rect();
  Rect frame = b;
  frame.origin.x -= kPagePadding;
  frame.size.width += 2 * kPagePadding;
  return frame.integral();
}

Rect PyxoPhotoBrowser::frameForPageAtIndex(unsigned index) const {
  Rect b = _pagingScrollView->bounds();
  Rect page(b.width() * index + kPagePadding, b.y(), b.width() - 2 * kPagePadding, b.height());
  return page.integral();
}

platform::Size PyxoPhotoBrowser::contentSizeForPagingScrollView() const {
  Rect b = _pagingScrollView->bounds();
  return {b.width() * static_cast<double>(_photos.size()), b.height()};
}

platform::Point PyxoPhotoBrowser::contentOffsetForPageAtIndex(unsigned index) const {
  return {_pagingScrollView->bounds().width() * index, 0};
}

// ---- Tiling --------------------------------------------------------------------------------------------

void PyxoPhotoBrowser::tilePages() {
  if (!_pagingScrollView) return;
  Rect b = _pagingScrollView->bounds();
  int count = static_cast<int>(numberOfPhotos());
  if (b.width() <= 0) return;
  int first = static_cast<int>(std::floor((b.minX() + 2 * kPagePadding) / b.width()));
  int last = static_cast<int>(std::floor((b.maxX() - 2 * kPagePadding - 1) / b.width()));
  first = std::clamp(first, 0, std::max(0, count - 1));
  last = std::clamp(last, 0, std::max(0, count - 1));

  std::vector<std::shared_ptr<PyxoZoomingScrollView>> leaving;
  for (const auto& page : _visiblePages) {
    int index = static_cast<int>(page->tag() - kPageTagBase);
    if (index < first || index > last) leaving.push_back(page);
  }
  for (const auto& page : leaving) {
    _recycledPages.insert(page);
    page->prepareForReuse();
    page->removeFromSuperview();
    _visiblePages.erase(page);
  }
  while (_recycledPages.size() > kMaxRecycledPages) _recycledPages.erase(_recycledPages.begin());

  if (count == 0) return;
  for (int index = first; index <= last; ++index) {
    if (isDisplayingPageForIndex(static_cast<unsigned>(index))) continue;
    auto page = dequeueRecycledPage();
    if (!page) page = PyxoZoomingScrollView::initWithPhotoBrowser(platform::weakSelf(this).lock());
    configurePage(page, static_cast<unsigned>(index));
    _visiblePages.insert(page);
    _pagingScrollView->addSubview(page);
  }
}

std::shared_ptr<PyxoZoomingScrollView> PyxoPhotoBrowser::dequeueRecycledPage() {
  if (_recycledPages.empty()) return nullptr;
  auto page = *_recycledPages.begin();
  _recycledPages.erase(_recycledPages.begin());
  return page;
}

void PyxoPhotoBrowser::configurePage(const std::shared_ptr<PyxoZoomingScrollView>& page, unsigned index) {
  page->setFrame(frameForPageAtIndex(index));
  page->setTag(kPageTagBase + index);
  page->setPhoto(photoAtIndex(index));
}

bool PyxoPhotoBrowser::isDisplayingPageForIndex(unsigned index) const { return pageDisplayedAtIndex(index) != nullptr; }

std::shared_ptr<PyxoZoomingScrollView> PyxoPhotoBrowser::pageDisplayedAtIndex(unsigned index) const {
  for (const auto& page : _visiblePages)
    if (page->tag() == static_cast<std::int64_t>(kPageTagBase + index)) return page;
  return nullptr;
}

std::shared_ptr<PyxoZoomingScrollView> PyxoPhotoBrowser::pageDisplayingPhoto(
    const std::shared_ptr<PyxoPhotoProtocol>& photo) const {
  if (!photo) return nullptr;
  for (const auto& page : _visiblePages)
    if (page->photo() == photo) return page;
  return nullptr;
}

std::shared_ptr<PyxoZoomingScrollView> PyxoPhotoBrowser::currentPage() const {
  return pageDisplayedAtIndex(_currentPageIndex);
}

// ---- The current position ---------------------------------------------------------------------------------

void PyxoPhotoBrowser::didStartViewingPageAtIndex(unsigned index) {
  unsigned count = numberOfPhotos();
  if (count == 0) {
    setControlsHidden(false, true, false);
    return;
  }
  for (unsigned i = 0; i < _photos.size(); ++i) {
    if (i + 1 < index || i > index + 1) {
      if (auto& photo = _photos[i].photo) {
        photo->unloadUnderlyingImage();
        photo = nullptr;
      }
    }
  }
  if (auto photo = index < _photos.size() ? _photos[index].photo : nullptr; photo && photo->underlyingImage())
    loadAdjacentPhotosIfNecessary(photo);
  if (lastReportedIndex_ != index) {
    if (auto d = delegate()) d->didDisplayPhotoAtIndex(*this, index);
    lastReportedIndex_ = index;
  }
}

void PyxoPhotoBrowser::loadAdjacentPhotosIfNecessary(const std::shared_ptr<PyxoPhotoProtocol>& photo) {
  auto page = pageDisplayingPhoto(photo);
  if (!page || page->tag() != static_cast<std::int64_t>(kPageTagBase + _currentPageIndex)) return;
  unsigned count = numberOfPhotos();
  if (_currentPageIndex > 0) {
    if (auto before = photoAtIndex(_currentPageIndex - 1); before && !before->underlyingImage())
      before->loadUnderlyingImageAndNotify();
  }
  if (_currentPageIndex + 1 < count) {
    if (auto after = photoAtIndex(_currentPageIndex + 1); after && !after->underlyingImage())
      after->loadUnderlyingImageAndNotify();
  }
}

void PyxoPhotoBrowser::photoLoadingDidEnd(const std::shared_ptr<PyxoPhotoProtocol>& photo) {
  auto page = pageDisplayingPhoto(photo);
  if (!page) {
    if (_bottomView) _bottomView->setEnable(true);
    return;
  }
  if (photo->underlyingImage()) {
    page->displayImage();
    loadAdjacentPhotosIfNecessary(photo);
    if (btn_titleSavePic) btn_titleSavePic->setEnabled(true);
    if (_bottomView) _bottomView->setEnable(true);
  } else {
    page->displayImageFailure();
    if (btn_titleSavePic) btn_titleSavePic->setEnabled(false);
    if (_bottomView) _bottomView->setEnable(false);
  }
}

void PyxoPhotoBrowser::releaseAllUnderlyingPhotos(bool keepCurrent) {
  for (unsigned i = 0; i < _photos.size(); ++i) {
    if (keepCurrent && i == _currentPageIndex) continue;
    if (auto& photo = _photos[i].photo) photo->unloadUnderlyingImage();
  }
}

void PyxoPhotoBrowser::setCurrentPhotoIndex(unsigned index) {
  unsigned count = numberOfPhotos();
  if (count > 0 && index >= count) index = count - 1;
  else if (count == 0) index = 0;
  _currentPageIndex = index;
  if (isViewLoaded()) {
    jumpToPageAtIndex(index, false);
    if (!_viewIsActive) tilePages();
  }
}

void PyxoPhotoBrowser::jumpToPageAtIndex(unsigned index, bool animated) {
  if (index < numberOfPhotos()) _pagingScrollView->setContentOffset(contentOffsetForPageAtIndex(index), animated);
}

// ---- Following the scroll ----------------------------------------------------------------------------------

void PyxoPhotoBrowser::scrollViewDidScroll(platform::ScrollView& scrollView) {
  if (&scrollView != _pagingScrollView.get()) return;
  if (!_viewIsActive || _performingLayout || _rotating) return;
  if (_bottomView) _bottomView->setEnable(false);
  tilePages();
  Rect b = _pagingScrollView->bounds();
  int count = static_cast<int>(numberOfPhotos());
  int index = b.width() > 0 ? static_cast<int>(std::floor(b.midX() / b.width())) : 0;
  index = std::clamp(index, 0, std::max(0, count - 1));
  if (static_cast<unsigned>(index) == _currentPageIndex) {
    if (_bottomView) _bottomView->setEnable(true);
  } else {
    _currentPageIndex = static_cast<unsigned>(index);
    didStartViewingPageAtIndex(_currentPageIndex);
    if (isNewsSet()) loadPicComment(_currentPageIndex);
  }
  applyControlsBackground();
}

void PyxoPhotoBrowser::scrollViewDidEndDecelerating(platform::ScrollView& scrollView) {
  if (&scrollView != _pagingScrollView.get()) return;
  applyMarginRule(currentOritation);
  updateCounters();
  updateCaption();
  if (!isNewsSet()) return;
  unsigned count = numberOfPhotos();
  double width = _pagingScrollView->frame().width();
  if (width <= 0 || count < 3) return;
  auto k = static_cast<unsigned>(std::fabs(_pagingScrollView->contentOffset().x / width));
  if (k == 0) _pagingScrollView->setContentOffset(contentOffsetForPageAtIndex(count - 2), false);
  else if (k + 1 == count) _pagingScrollView->setContentOffset(contentOffsetForPageAtIndex(1), false);
}

// ---- Layout --------------------------------------------------------------------------------------------------

void PyxoPhotoBrowser::viewWillLayoutSubviews() {
  _performingLayout = true;
  auto root = view();
  Rect bounds = root->bounds();
  if (bottomCommentView_) bottomCommentView_->setFrame(Rect(0, bounds.height() - kBarHeight, bounds.width(), kBarHeight));
  unsigned remembered = _currentPageIndex;
  bool expanded = picCommentController_ && picCommentController_->isViewLoaded() &&
                  picCommentController_->view()->frame().y() < 200;
  if (!expanded) {
    _pagingScrollView->setFrame(frameForPagingScrollView());
    _pagingScrollView->setContentSize(contentSizeForPagingScrollView());
  }
  for (const auto& page : _visiblePages)
    page->setFrame(frameForPageAtIndex(static_cast<unsigned>(page->tag() - kPageTagBase)));
  if (bounds != lastLayoutBounds_) {
    for (const auto& page : _visiblePages) page->setMaxMinZoomScalesForCurrentBounds();
    lastLayoutBounds_ = bounds;
  }
  _pagingScrollView->setContentOffset(contentOffsetForPageAtIndex(remembered));
  didStartViewingPageAtIndex(_currentPageIndex);
  _currentPageIndex = remembered;
  _performingLayout = false;
}

}  // namespace vorn
