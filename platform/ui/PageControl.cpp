#include "platform/ui/PageControl.h"

#include <algorithm>

namespace platform {

PageControl::PageControl(const Rect& frame) : Control(frame) { setBackgroundColor(Color::clear()); }

void PageControl::setNumberOfPages(int pages) {
  numberOfPages_ = std::max(0, pages);
  while (static_cast<int>(dots_.size()) < numberOfPages_) {
    auto dot = View::create({0, 0, kDotSize, kDotSize});
    dot->layer().cornerRadius = kDotSize / 2;
    dot->setUserInteractionEnabled(false);
    addSubview(dot);
    dots_.push_back(dot);
  }
  while (static_cast<int>(dots_.size()) > numberOfPages_) {
    dots_.back()->removeFromSuperview();
    dots_.pop_back();
  }
  setCurrentPage(currentPage_);
  setNeedsLayout();
}

void PageControl::setCurrentPage(int page) {
  currentPage_ = std::clamp(page, 0, std::max(0, numberOfPages_ - 1));
  if (!defers_) updateCurrentPageDisplay();
}

void PageControl::updateCurrentPageDisplay() {
  displayedPage_ = currentPage_;
  setNeedsLayout();
  layoutSubviews();
}

void PageControl::layoutSubviews() {
  Control::layoutSubviews();
  const double rowWidth = numberOfPages_ > 0 ? numberOfPages_ * kDotSize + (numberOfPages_ - 1) * kDotSpacing : 0;
  double x = (bounds().width() - rowWidth) / 2;
  const double y = (bounds().height() - kDotSize) / 2;
  for (int i = 0; i < numberOfPages_; ++i) {
    dots_[i]->setFrame({x, y, kDotSize, kDotSize});
    dots_[i]->setBackgroundColor(i == displayedPage_ ? currentDotColor_ : dotColor_);
    x += kDotSize + kDotSpacing;
  }
  for (const auto& dot : dots_) dot->setHidden(hidesForSinglePage_ && numberOfPages_ <= 1);
}

}  // namespace platform
