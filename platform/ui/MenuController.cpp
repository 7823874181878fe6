#include "platform/ui/MenuController.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {
constexpr double kItemPadding = 12;
constexpr double kItemFontSize = 14;
constexpr double kArrowGap = 8;
constexpr double kCornerRadius = 6;
constexpr double kSeparatorWidth = 0.5;

// A touch anywhere outside the menu's items hides it.
class MenuCatcher : public View {
 public:
  explicit MenuCatcher(const Rect& frame) : View(frame) { setBackgroundColor(Color::clear()); }
  std::string className() const override { return "MenuCatcher"; }
  void touchesEnded(const TouchSet&, const Event&) override {
    MenuController::sharedMenuController().setMenuVisible(false, true);
  }
};

std::shared_ptr<Button> makeItemButton(const std::string& title, double x) {
  Font font = Font::systemFont(kItemFontSize);
  double width = std::ceil(TextMetrics::lineWidth(title, font)) + 2 * kItemPadding;
  auto button = Button::create(Rect(x, 0, width, MenuController::kItemHeight));
  button->setTitle(title, ControlState::Normal);
  button->setTitleColor(Color::white(), ControlState::Normal);
  button->titleLabel()->setFont(font);
  button->setBackgroundImage(Image::imageWithColor(Color::white(1, 0.25)), ControlState::Highlighted);
  return button;
}

}  // namespace

MenuController& MenuController::sharedMenuController() {
  static MenuController instance;
  return instance;
}

void MenuController::setTargetRect(const Rect& rect, const std::shared_ptr<View>& view) {
  targetRect_ = rect;
  targetView_ = view;
}

void MenuController::setMenuVisible(bool visible, bool animated) {
  (void)animated;
  if (visible == visible_) return;
  if (visible) {
    show();
  } else {
    hide();
  }
}

void MenuController::show() {
  auto target = targetView_.lock();
  if (items_.empty() || !target || !target->window()) return;  // nothing to show, or nowhere to point
  auto& center = NotificationCenter::defaultCenter();
  center.post(kMenuControllerWillShowMenuNotification);
  Rect screen = Screen::mainScreen().bounds();
  Rect aim = target->convertRectToView(targetRect_, nullptr);
  window_ = Window::create(screen);
  window_->setWindowLevel(WindowLevel::Alert);
  window_->setBackgroundColor(Color::clear());
  window_->addSubview(std::make_shared<MenuCatcher>(screen));
  bar_ = View::create();
  bar_->setBackgroundColor(Color::black().withAlpha(0.85));
  bar_->layer().cornerRadius = kCornerRadius;
  bar_->setClipsToBounds(true);
  shownItems_ = items_;
  buttons_.clear();
  double x = 0;
  for (std::size_t i = 0; i < shownItems_.size(); ++i) {
    if (i > 0) {
      auto separator = View::create(Rect(x, 0, kSeparatorWidth, kItemHeight));
      separator->setBackgroundColor(Color::white(1, 0.3));
      bar_->addSubview(separator);
      x += kSeparatorWidth;
    }
    auto button = makeItemButton(shownItems_[i].title, x);
    button->addAction([i](Control&) { MenuController::sharedMenuController().performItem(i); },
                      ControlEvent::TouchUpInside);
    bar_->addSubview(button);
    buttons_.push_back(button);
    x = button->frame().maxX();
  }
  double left = std::clamp(aim.midX() - x / 2, 2.0, std::max(2.0, screen.width() - x - 2));
  double top = aim.minY() - kItemHeight - kArrowGap;
  if (top < 20) top = aim.maxY() + kArrowGap;  // no room above: below the target
  bar_->setFrame(Rect(left, top, x, kItemHeight));
  window_->addSubview(bar_);
  window_->setHidden(false);
  visible_ = true;
  center.post(kMenuControllerDidShowMenuNotification);
}

void MenuController::hide() {
  auto& center = NotificationCenter::defaultCenter();
  center.post(kMenuControllerWillHideMenuNotification);
  visible_ = false;
  if (window_) window_->setHidden(true);
  window_.reset();
  bar_.reset();
  buttons_.clear();
  center.post(kMenuControllerDidHideMenuNotification);
}

Rect MenuController::menuFrame() const { return visible_ && bar_ ? bar_->frame() : Rect(); }

void MenuController::performItem(std::size_t index) {
  if (!visible_ || index >= shownItems_.size()) return;
  MenuItem item = shownItems_[index];
  // The tapped button's window stays alive until its touch has been handled.
  auto window = window_;
  auto sender = buttons_[index];
  auto target = targetView_.lock();
  hide();
  if (item.action) {
    item.action();
    return;
  }
  if (item.actionName.empty()) return;
  Responder* start = Responder::currentFirstResponder();
  if (!start) start = target.get();
  for (Responder* r = start; r; r = r->nextResponder()) {
    if (auto* handler = dynamic_cast<ActionHandler*>(r))
      if (handler->handleAction(item.actionName, *sender)) return;
  }
}

bool MenuController::tapItemWithTitle(const std::string& title) {
  if (!visible_) return false;
  for (std::size_t i = 0; i < shownItems_.size(); ++i) {
    if (shownItems_[i].title != title) continue;
    performItem(i);
    return true;
  }
  return false;
}

void MenuController::reset() {
  if (window_) window_->setHidden(true);
  window_.reset();
  bar_.reset();
  buttons_.clear();
  shownItems_.clear();
  visible_ = false;
  items_.clear();
  targetView_.reset();
  targetRect_ = {};
}

}  // namespace platform
