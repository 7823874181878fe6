#include "ui/ExpressionScrollView.h"

#include <algorithm>

#include "core/AppDelegate.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"

namespace vorn {

using platform::Rect;

namespace {
constexpr double kPageWidth = 320;
constexpr double kColumns = 7;
// The delete key sits in the cell of column 7, row 4.
constexpr double kDeleteCentreX = 6.5 * kPageWidth / kColumns;
constexpr double kDeleteCentreY = 168;
}  // namespace

ExpressionScrollView::ExpressionScrollView(const Rect& frame) : View(frame) {}

std::shared_ptr<ExpressionScrollView> ExpressionScrollView::initWithFrame(
    const Rect& frame, const std::shared_ptr<ExpressionScrollViewHost>& host) {
  auto panel = std::make_shared<ExpressionScrollView>(frame);
  panel->mySuperReplyview = host;
  panel->build();
  return panel;
}

void ExpressionScrollView::build() {
  expressionArr_ = ExpressionTable::load();
  if (expressionArr_.empty()) return;

  const Rect area = bounds();
  _scrollView = platform::ScrollView::create({0, 0, area.width(), area.height()});
  _scrollView->setDelegate(std::static_pointer_cast<platform::ScrollViewDelegate>(
      std::static_pointer_cast<ExpressionScrollView>(shared_from_this())));
  _scrollView->setBackgroundColor(AppDelegate::getCurrentMode() == kThemeModeNormal
                                      ? platform::Color::rgb255(236, 236, 236)
                                      : platform::Color::rgb255(36, 37, 41));
  _scrollView->setPagingEnabled(true);
  _scrollView->setShowsHorizontalScrollIndicator(false);
  _scrollView->setContentSize({2 * kPageWidth, 216});
  addSubview(_scrollView);

  const double cellWidth = kPageWidth / kColumns;
  const int shown = std::min<int>(kPanelFaces, static_cast<int>(expressionArr_.size()));
  for (int i = 0; i < shown; ++i) {
    if (i < kFirstPageFaces)
      addFace(i, (i % 7) * kPageWidth / kColumns, (i / 7) * kCellHeight, cellWidth);
    else
      addFace(i, kPageWidth + (i - kFirstPageFaces) * kPageWidth / kColumns, 0, cellWidth);
  }
  addDeleteKey(0);
  addDeleteKey(kPageWidth);

  pageControl = platform::ImageView::create({146, 200, 27, 11});
  addSubview(pageControl);
}

void ExpressionScrollView::addFace(int index, double x, double y, double cellWidth) {
  const Rect cell(x, y, cellWidth, kCellHeight);
  auto picture = platform::ImageView::initWithImage(platform::Image::imageNamed(expressionArr_[index].name));
  picture->setCenter({cell.x() + cell.width() / 2, cell.y() + cell.height() / 2});
  _scrollView->addSubview(picture);

  auto key = platform::Button::buttonWithType(platform::ButtonType::Custom);
  key->setFrame(cell);
  key->setBackgroundColor(platform::Color::clear());
  key->setExclusiveTouch(true);
  key->setShowsTouchWhenHighlighted(true);
  key->setTag(index);
  std::weak_ptr<ExpressionScrollView> weak = std::static_pointer_cast<ExpressionScrollView>(shared_from_this());
  key->addAction(
      [weak](platform::Control& sender) {
        auto self = weak.lock();
        if (!self) return;
        if (auto host = self->mySuperReplyview.lock()) host->ExpressionTouched(sender);
      },
      platform::ControlEvent::TouchUpInside);
  _scrollView->addSubview(key);
  faceKeys_.push_back(key);
}

void ExpressionScrollView::addDeleteKey(double pageX) {
  auto key = platform::Button::buttonWithType(platform::ButtonType::Custom);
  key->setBounds({0, 0, 32, 20});
  key->setCenter({pageX + kDeleteCentreX, kDeleteCentreY});
  key->setImage(platform::Image::imageNamed(kExpressionDeletePicture), platform::ControlState::Normal);
  std::weak_ptr<ExpressionScrollView> weak = std::static_pointer_cast<ExpressionScrollView>(shared_from_this());
  key->addAction(
      [weak](platform::Control& sender) {
        auto self = weak.lock();
        if (!self) return;
        if (auto host = self->mySuperReplyview.lock()) host->ExpressionDelTouched(sender);
      },
      platform::ControlEvent::TouchUpInside);
  _scrollView->addSubview(key);
  deleteKeys_.push_back(key);
}

}  // namespace vorn
