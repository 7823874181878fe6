#pragma once
// A row of page dots, the current one highlighted. A tap on the left half
// goes back a page, on the right half forward, and sends the value-changed
// actions; with deferred display the dots follow only on
// updateCurrentPageDisplay. Hidden for one page when asked.
#include <memory>
#include <string>

#include "platform/ui/Control.h"

namespace platform {

class PageControl : public Control {
 public:
  explicit PageControl(const Rect& frame = {});
  static std::shared_ptr<PageControl> create(const Rect& frame = {}) { return std::make_shared<PageControl>(frame); }
  std::string className() const override { return "PageControl"; }
  static constexpr double kDotSize = 7;
  static constexpr double kDotSpacing = 9;  // between two dots

  int numberOfPages() const { return numberOfPages_; }
  void setNumberOfPages(int pages);
  // Clamped to the pages there are.
  int currentPage() const { return currentPage_; }
  void setCurrentPage(int page);
  bool hidesForSinglePage() const { return hidesForSinglePage_; }
  void setHidesForSinglePage(bool on);
  bool defersCurrentPageDisplay() const { return defers_; }
  void setDefersCurrentPageDisplay(bool on) { defers_ = on; }
  void updateCurrentPageDisplay();
  // The dot drawn as current (differs from currentPage while a change is deferred).
  int displayedPage() const { return displayedPage_; }

  const Color& pageIndicatorTintColor() const { return dotColor_; }
  void setPageIndicatorTintColor(const Color& color) { dotColor_ = color; setNeedsDisplay(); }
  const Color& currentPageIndicatorTintColor() const { return currentDotColor_; }
  void setCurrentPageIndicatorTintColor(const Color& color) { currentDotColor_ = color; setNeedsDisplay(); }

  // The dots' rectangles in the bounds, centred.
  Rect dotRect(int page) const;
  static Size sizeForNumberOfPages(int pages);
  Size sizeThatFits(Size) const override { return sizeForNumberOfPages(numberOfPages_); }

  void endTrackingWithTouch(const Touch* touch, const Event* event) override;

 private:
  void updateHidden();
  int numberOfPages_ = 0;
  int currentPage_ = 0;
  int displayedPage_ = 0;
  bool hidesForSinglePage_ = false;
  bool defers_ = false;
  bool hiddenBySinglePage_ = false;
  Color dotColor_ = Color::white(1, 0.2);
  Color currentDotColor_ = Color::white();
};

}  // namespace platform
