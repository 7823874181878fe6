#pragma once
// A row of page dots: one dot per page, the current one in its own colour,
// centred in the bounds. The owner sets the current page (updating the dots at
// once, or when told with updateCurrentPageDisplay when it defers). Taps on it
// are not handled yet: the owners in use turn its interaction off.
#include <memory>
#include <vector>

#include "platform/ui/Control.h"

namespace platform {

class PageControl : public Control {
 public:
  explicit PageControl(const Rect& frame = {});
  static std::shared_ptr<PageControl> create(const Rect& frame = {}) { return std::make_shared<PageControl>(frame); }
  std::string className() const override { return "PageControl"; }

  int numberOfPages() const { return numberOfPages_; }
  void setNumberOfPages(int pages);
  // Clamped to the pages.
  int currentPage() const { return currentPage_; }
  void setCurrentPage(int page);
  bool hidesForSinglePage() const { return hidesForSinglePage_; }
  void setHidesForSinglePage(bool on) { hidesForSinglePage_ = on; setNeedsLayout(); }
  bool defersCurrentPageDisplay() const { return defers_; }
  void setDefersCurrentPageDisplay(bool on) { defers_ = on; }
  void updateCurrentPageDisplay();
  // The page shown as current by the dots.
  int displayedPage() const { return displayedPage_; }

  const Color& pageIndicatorTintColor() const { return dotColor_; }
  void setPageIndicatorTintColor(const Color& color) { dotColor_ = color; setNeedsLayout(); }
  const Color& currentPageIndicatorTintColor() const { return currentDotColor_; }
  void setCurrentPageIndicatorTintColor(const Color& color) { currentDotColor_ = color; setNeedsLayout(); }

  const std::vector<std::shared_ptr<View>>& dots() const { return dots_; }
  void layoutSubviews() override;

  static constexpr double kDotSize = 7;
  static constexpr double kDotSpacing = 9;

 private:
  int numberOfPages_ = 0;
  int currentPage_ = 0;
  int displayedPage_ = 0;
  bool hidesForSinglePage_ = false;
  bool defers_ = false;
  Color dotColor_ = Color::white(1.0, 0.3);
  Color currentDotColor_ = Color::white();
  std::vector<std::shared_ptr<View>> dots_;
};

}  // namespace platform
