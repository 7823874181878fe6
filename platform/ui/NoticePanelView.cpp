#include "platform/ui/NoticePanelView.h"

#include <algorithm>

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

std::vector<std::shared_ptr<Window>>& openWindows() {
  static std::vector<std::shared_ptr<Window>> windows;
  return windows;
}

void closeWindow(const std::shared_ptr<Window>& window) {
  if (!window) return;
  window->setHidden(true);
  auto& open = openWindows();
  open.erase(std::remove(open.begin(), open.end(), window), open.end());
}

}  // namespace

NoticePanelView::~NoticePanelView() = default;

int NoticePanelView::addButtonWithTitle(const std::string& title) {
  buttonTitles_.push_back(title);
  setNeedsLayout();
  return numberOfButtons() - 1;
}

std::string NoticePanelView::buttonTitleAtIndex(int index) const {
  if (index < 0 || index >= numberOfButtons()) return {};
  return buttonTitles_[static_cast<std::size_t>(index)];
}

int NoticePanelView::firstOtherButtonIndex() const {
  for (int i = 0; i < numberOfButtons(); ++i)
    if (i != cancelButtonIndex_) return i;
  return -1;
}

std::shared_ptr<Button> NoticePanelView::buttonAtIndex(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= buttonViews_.size()) return nullptr;
  return buttonViews_[static_cast<std::size_t>(index)];
}

void NoticePanelView::clearContent() {
  for (const auto& sub : std::vector<std::shared_ptr<View>>(subviews())) sub->removeFromSuperview();
  buttonViews_.assign(buttonTitles_.size(), nullptr);
  setAlpha(1);
}

std::shared_ptr<Button> NoticePanelView::makeButton(int index, const Rect& frame, const Color& titleColor,
                                                    const Color& background, const Color& highlightedBackground) {
  auto button = std::make_shared<Button>(frame);
  button->setTitle(buttonTitleAtIndex(index), ControlState::Normal);
  button->setTitleColor(titleColor, ControlState::Normal);
  button->setBackgroundImage(Image::imageWithColor(background), ControlState::Normal);
  button->setBackgroundImage(Image::imageWithColor(highlightedBackground), ControlState::Highlighted);
  std::weak_ptr<NoticePanelView> weak = weakSelf(this);
  button->addAction([weak, index](Control&) {
    if (auto self = weak.lock()) self->tapButtonAtIndex(index);
  }, ControlEvent::TouchUpInside);
  if (index >= 0 && static_cast<std::size_t>(index) < buttonViews_.size())
    buttonViews_[static_cast<std::size_t>(index)] = button;
  return button;
}

std::shared_ptr<Label> NoticePanelView::makeTextLabel(const std::string& text, const Font& font, const Color& color,
                                                      Point origin, double width) {
  Size size = TextMetrics::layoutText(text, font, width, LineBreakMode::WordWrap).size;
  auto label = Label::create({origin.x, origin.y, width, size.height});
  label->setText(text);
  label->setFont(font);
  label->setTextColor(color);
  label->setBackgroundColor(Color::clear());
  label->setTextAlignment(TextAlignment::Center);
  label->setNumberOfLines(0);
  label->setLineBreakMode(LineBreakMode::WordWrap);
  return label;
}

void NoticePanelView::presentInOwnWindow(bool makeKey) {
  auto self = weakSelf(this).lock();
  previousKeyWindow_ = makeKey ? Application::sharedApplication().keyWindow() : nullptr;
  auto window = Window::create(Screen::mainScreen().bounds());
  window->setWindowLevel(WindowLevel::Alert);
  window->setBackgroundColor(Color::clear());
  window->addSubview(self);
  if (makeKey) window->makeKeyAndVisible();
  else window->setHidden(false);
  openWindows().push_back(window);
  window_ = window;
  visible_ = true;
  dismissing_ = false;
  registerSystemNoticePanel(self);
  reportSystemNotice(notice());
}

void NoticePanelView::tapButtonAtIndex(int buttonIndex) {
  if (!visible_ || dismissing_ || buttonIndex < 0 || buttonIndex >= numberOfButtons()) return;
  auto keep = shared_from_this();
  buttonClicked(buttonIndex);
  dismissWithClickedButtonIndex(buttonIndex, true);
}

bool NoticePanelView::tapButtonWithTitle(const std::string& title) {
  if (!visible_ || dismissing_) return false;
  for (int i = 0; i < numberOfButtons(); ++i) {
    if (buttonTitles_[static_cast<std::size_t>(i)] == title) {
      tapButtonAtIndex(i);
      return true;
    }
  }
  return false;
}

void NoticePanelView::animateDismissal(std::function<void(bool)> done) {
  auto self = shared_from_this();
  View::animate(kDefaultDismissDuration, [self] { self->setAlpha(0); }, std::move(done));
}

void NoticePanelView::dismissWithClickedButtonIndex(int buttonIndex, bool animated) {
  if (!visible_ || dismissing_) return;
  dismissing_ = true;
  auto self = weakSelf(this).lock();
  willDismiss(buttonIndex);
  auto finish = [self, buttonIndex](bool) {
    self->close();
    self->didDismiss(buttonIndex);
  };
  if (animated) animateDismissal(finish);
  else finish(true);
}

void NoticePanelView::close() {
  visible_ = false;
  dismissing_ = false;
  removeFromSuperview();
  closeWindow(window_.lock());
  window_.reset();
  auto previous = std::move(previousKeyWindow_);
  if (previous && !previous->isHidden()) previous->makeKeyWindow();
  unregisterSystemNoticePanel(this);
}

}  // namespace platform
