#include "ui/PostEmojiKeyBoard.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/AppDelegate.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Image.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "ui/ExpressionScrollView.h"

namespace vorn {

using platform::Rect;

PostEmojiKeyBoard::PostEmojiKeyBoard() : View(Rect(0, 0, kWidth, kHeight)) {}

std::shared_ptr<PostEmojiKeyBoard> PostEmojiKeyBoard::init() {
  auto keyboard = std::make_shared<PostEmojiKeyBoard>();
  keyboard->build();
  return keyboard;
}

void PostEmojiKeyBoard::build() {
  _faceMap = ExpressionTable::load();
  const int faces = static_cast<int>(_faceMap.size());
  const int pages = faces / kFacesPerPage + 1;
  std::weak_ptr<PostEmojiKeyBoard> weak = std::static_pointer_cast<PostEmojiKeyBoard>(shared_from_this());

  faceView_ = platform::ScrollView::create({0, 0, kWidth, 190});
  faceView_->setPagingEnabled(true);
  faceView_->setShowsHorizontalScrollIndicator(false);
  faceView_->setShowsVerticalScrollIndicator(false);
  faceView_->setContentSize({(faces / kFacesPerPage) * kWidth + kWidth, 190});
  faceView_->setDelegate(std::weak_ptr<platform::ScrollViewDelegate>(
      std::static_pointer_cast<PostEmojiKeyBoard>(shared_from_this())));
  for (int k = 0; k < faces; ++k) {
    const int page = k / kFacesPerPage;
    const int r = k % kFacesPerPage;
    auto key = platform::Button::buttonWithType(platform::ButtonType::Custom);
    key->setFrame({(r % 7) * kKeySize + page * kWidth + 6, (r / 7) * kKeySize + 8, kKeySize, kKeySize});
    key->setImage(platform::Image::imageNamed(_faceMap[k].name), platform::ControlState::Normal);
    key->setExclusiveTouch(true);
    key->setTag(k + 1);
    key->addAction(
        [weak](platform::Control& sender) {
          if (auto self = weak.lock()) self->characterPressed(sender);
        },
        platform::ControlEvent::TouchUpInside);
    faceView_->addSubview(key);
  }
  addSubview(faceView_);

  facePageControl_ = platform::PageControl::create({110, 185, 100, 20});
  facePageControl_->setNumberOfPages(pages);
  facePageControl_->setCurrentPage(0);
  facePageControl_->setUserInteractionEnabled(false);
  if (std::atoi(platform::Device::currentDevice().systemVersion().c_str()) > 5) {
    facePageControl_->setCurrentPageIndicatorTintColor(platform::Color::rgb255(255, 128, 0));
    facePageControl_->setPageIndicatorTintColor(platform::Color::lightGray());
  }
  addSubview(facePageControl_);

  deleteKey_ = platform::Button::buttonWithType(platform::ButtonType::Custom);
  deleteKey_->setFrame({272, 182, 38, 28});
  deleteKey_->setImage(platform::Image::imageNamed(kExpressionDeletePicture), platform::ControlState::Normal);
  deleteKey_->setExclusiveTouch(true);
  deleteKey_->addAction(
      [weak](platform::Control& sender) {
        if (auto self = weak.lock()) self->deletePressed(sender);
      },
      platform::ControlEvent::TouchUpInside);
  addSubview(deleteKey_);

  setBackgroundColor(AppDelegate::getCurrentMode() == kThemeModeNormal ? platform::Color::rgb255(236, 236, 236)
                                                                      : platform::Color::rgb255(27, 28, 31));
}

void PostEmojiKeyBoard::setTextView(const std::shared_ptr<platform::View>& input) {
  auto self = std::static_pointer_cast<PostEmojiKeyBoard>(shared_from_this());
  if (auto view = std::dynamic_pointer_cast<platform::TextView>(input)) view->setInputView(self);
  else if (auto field = std::dynamic_pointer_cast<platform::TextField>(input)) field->setInputView(self);
  textView_ = input;
}

void PostEmojiKeyBoard::characterPressed(platform::Control& sender) {
  const auto index = sender.tag() - 1;
  auto input = textView_.lock();
  if (!input || index < 0 || index >= static_cast<std::int64_t>(_faceMap.size())) return;
  input->insertText(_faceMap[static_cast<std::size_t>(index)].show);
}

void PostEmojiKeyBoard::deletePressed(platform::Control&) {
  if (auto input = textView_.lock()) input->deleteBackward();
}

void PostEmojiKeyBoard::scrollViewDidEndDecelerating(platform::ScrollView& scrollView) {
  facePageControl_->setCurrentPage(static_cast<int>(std::floor(scrollView.contentOffset().x / kWidth)));
  facePageControl_->updateCurrentPageDisplay();
}

}  // namespace vorn
