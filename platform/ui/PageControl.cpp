#include "platform/ui/PageControl.h"

#include <algorithm>

namespace platform {
namespace {
constexpr double kControlHeight = 37;
}

PageControl::PageControl(const Rect& frame) : Control(frame) { setOpaque(false); }

void PageControl::setNumberOfPages(int pages) {
  numberOfPages_ = std::max(0, pages);
  setCurrentPage(currentPage_);
  displayedPage_ = std::clamp(displayedPage_, 0, std::max(0, numberOfPages_ - 1));
  updateHidden();
  setNeedsDisplay();
}

void PageControl::setCurrentPage(int page) {
  currentPage_ = std::clamp(page, 0, std::max(0, numberOfPages_ - 1));
  displayedPage_ = currentPage_;
  setNeedsDisplay();
}

void PageControl::setHidesForSinglePage(bool on) {
  hidesForSinglePage_ = on;
  updateHidden();
}

void PageControl::updateHidden() {
  bool single = hidesForSinglePage_ && numberOfPages_ <= 1;
  if (single) {
    if (!isHidden()) hiddenBySinglePage_ = true;
    setHidden(true);
  } else if (hiddenBySinglePage_) {
    hiddenBySinglePage_ = false;
    setHidden(false);
  }
}

void PageControl::updateCurrentPageDisplay() {
  displayedPage_ = currentPage_;
  setNeedsDisplay();
}

Size PageControl::sizeForNumberOfPages(int pages) {
  pages = std::max(0, pages);
  double width = pages == 0 ? 0 : pages * kDotSize + (pages - 1) * kDotSpacing;
  return {width, kControlHeight};
}

Rect PageControl::dotRect(int page) const {
  double width = sizeForNumberOfPages(numberOfPages_).width;
  Rect b = bounds();
  double x0 = b.x() + (b.width() - width) / 2;
  return {x0 + page * (kDotSize + kDotSpacing), b.y() + (b.height() - kDotSize) / 2, kDotSize, kDotSize};
}

void PageControl::endTrackingWithTouch(const Touch* touch, const Event* event) {
  Control::endTrackingWithTouch(touch, event);
  if (!touch || numberOfPages_ == 0) return;
  Point p = touch->locationInView(this);
  if (!bounds().contains(p)) return;
  int page = currentPage_ + (p.x < bounds().midX() ? -1 : 1);
  page = std::clamp(page, 0, numberOfPages_ - 1);
  if (page == currentPage_) return;
  currentPage_ = page;
  if (!defers_) displayedPage_ = page;
  setNeedsDisplay();
  sendActionsForControlEvents(ControlEvent::ValueChanged);
}

}  // namespace platform
