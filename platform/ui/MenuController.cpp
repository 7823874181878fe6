#include "platform/ui/MenuController.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/ui/NoticeParts.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {
constexpr double kItemPadding = 12;
constexpr double kCharWidth = 14;  // a 14-point face, CJK characters being square
constexpr double kArrowGap = 8;

// A touch anywhere outside the menu's items hides it.
class MenuCatcher : public View {
 public:
  explicit MenuCatcher(const Rect& frame) : View(frame) { setBackgroundColor(Color::clear()); }
  std::string className() const override { return "MenuCatcher"; }
  void touchesEnded(const TouchSet&, const Event&) override {
    MenuController::sharedMenuController().setMenuVisible(false, true);
  }
};
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
  bar_->layer().cornerRadius = 6;
  double x = 0;
  auto items = items_;
  for (const auto& item : items) {
    double width = std::ceil(static_cast<double>(utf16Length(item.title)) * kCharWidth + 2 * kItemPadding);
    std::string title = item.title;
    bar_->addSubview(std::make_shared<NoticeButtonView>(
        title, [title] { MenuController::sharedMenuController().tapItemWithTitle(title); },
        Rect(x, 0, width, kItemHeight)));
    x += width;
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
  center.post(kMenuControllerDidHideMenuNotification);
}

Rect MenuController::menuFrame() const { return visible_ && bar_ ? bar_->frame() : Rect(); }

bool MenuController::tapItemWithTitle(const std::string& title) {
  if (!visible_) return false;
  for (const auto& item : items_) {
    if (item.title != title) continue;
    auto action = item.action;
    hide();
    if (action) action();
    return true;
  }
  return false;
}

void MenuController::reset() {
  if (window_) window_->setHidden(true);
  window_.reset();
  bar_.reset();
  visible_ = false;
  items_.clear();
  targetView_.reset();
  targetRect_ = {};
}

}  // namespace platform
