#pragma once
// The shared edit menu: a row of items shown above (or below, when there is no
// room) a target rectangle of a view. A tap on an item runs its action and hides
// the menu; a tap anywhere else on the screen hides it. Showing and hiding post
// the platform's will/did notifications.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"

namespace platform {

class View;
class Window;

inline constexpr char kMenuControllerWillShowMenuNotification[] = "UIMenuControllerWillShowMenuNotification";
inline constexpr char kMenuControllerDidShowMenuNotification[] = "UIMenuControllerDidShowMenuNotification";
inline constexpr char kMenuControllerWillHideMenuNotification[] = "UIMenuControllerWillHideMenuNotification";
inline constexpr char kMenuControllerDidHideMenuNotification[] = "UIMenuControllerDidHideMenuNotification";

struct MenuItem {
  std::string title;
  std::function<void()> action;
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
  void reset();  // hidden, no items, no target (tests)

 private:
  MenuController() = default;
  void show();
  void hide();
  std::vector<MenuItem> items_;
  Rect targetRect_;
  std::weak_ptr<View> targetView_;
  bool visible_ = false;
  std::shared_ptr<Window> window_;
  std::shared_ptr<View> bar_;
};

}  // namespace platform
