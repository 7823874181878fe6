#pragma once
// The shared edit menu: a row of items shown above (or below, when there is no
// room) a target rectangle of a view, in a window of its own at the alert
// level. Each item is a button; a tap on one hides the menu, then runs the
// item's block, or, for an item with an action name and no block, sends that
// named action up the responder chain from the first responder (from the
// target view when none is first) to the first ActionHandler that takes it. A
// tap anywhere else on the screen only hides the menu. Showing and hiding post
// the platform's will/did notifications.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"

namespace platform {

class Button;
class View;
class Window;

inline constexpr char kMenuControllerWillShowMenuNotification[] = "UIMenuControllerWillShowMenuNotification";
inline constexpr char kMenuControllerDidShowMenuNotification[] = "UIMenuControllerDidShowMenuNotification";
inline constexpr char kMenuControllerWillHideMenuNotification[] = "UIMenuControllerWillHideMenuNotification";
inline constexpr char kMenuControllerDidHideMenuNotification[] = "UIMenuControllerDidHideMenuNotification";

struct MenuItem {
  std::string title;
  std::function<void()> action;
  // Sent up the responder chain when the item has no block.
  std::string actionName = {};
};

class MenuController {
 public:
  static constexpr double kItemHeight = 36;
  static MenuController& sharedMenuController();

  const std::vector<MenuItem>& menuItems() const { return items_; }
  void setMenuItems(std::vector<MenuItem> items) { items_ = std::move(items); }
  // The rectangle in `view`'s coordinates the menu points at.
  void setTargetRect(const Rect& rect, const std::shared_ptr<View>& view);
  bool isMenuVisible() const { return visible_; }
  void setMenuVisible(bool visible, bool animated);
  // The menu's frame in window coordinates (zero while hidden).
  Rect menuFrame() const;
  // A finger on an item (the driver's and tests' entry); false when the menu is
  // hidden or has no such item.
  bool tapItemWithTitle(const std::string& title);
  // The item buttons while shown, in the items' order (empty while hidden).
  const std::vector<std::shared_ptr<Button>>& itemButtons() const { return buttons_; }
  void reset();  // hidden, no items, no target (tests)

 private:
  MenuController() = default;
  void show();
  void hide();
  void performItem(std::size_t index);
  std::vector<MenuItem> items_;
  Rect targetRect_;
  std::weak_ptr<View> targetView_;
  bool visible_ = false;
  std::shared_ptr<Window> window_;
  std::shared_ptr<View> bar_;
  std::vector<std::shared_ptr<Button>> buttons_;
  std::vector<MenuItem> shownItems_;  // the items the buttons were made for
};

}  // namespace platform
