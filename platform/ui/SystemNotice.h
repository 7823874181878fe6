#pragma once
// Alerts and action sheets as tests and the automation interface see them: each
// one shown is reported to one listener (the automation log writes it to its
// notices file), and the ones on screen can be listed and have their buttons
// tapped by title.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

inline constexpr char kNoticeKindAlert[] = "alert";
inline constexpr char kNoticeKindSheet[] = "sheet";

struct SystemNotice {
  std::string kind;  // kNoticeKindAlert or kNoticeKindSheet
  std::string title;
  std::string message;
  std::vector<std::string> buttons;  // in button-index order
  std::int64_t tag = 0;
};

using SystemNoticeListener = std::function<void(const SystemNotice&)>;

// One listener for every alert and sheet shown (empty: none).
void setSystemNoticeListener(SystemNoticeListener listener);
void reportSystemNotice(const SystemNotice& notice);

// An alert or a sheet while it is on screen.
class SystemNoticePanel {
 public:
  virtual ~SystemNoticePanel() = default;
  virtual SystemNotice notice() const = 0;
  // Taps the button with exactly this title as a finger would; false when the
  // panel has none or is no longer on screen.
  virtual bool tapButtonWithTitle(const std::string& title) = 0;
};

// The panels on screen, the one shown last at the end. Panels register while
// they are shown; the list keeps them alive until they are dismissed.
std::vector<std::shared_ptr<SystemNoticePanel>> visibleSystemNoticePanels();
void registerSystemNoticePanel(const std::shared_ptr<SystemNoticePanel>& panel);
void unregisterSystemNoticePanel(const SystemNoticePanel* panel);
// Taps the button with this title on the front-most panel that has one; false
// when no panel on screen has it.
bool tapSystemNoticeButton(const std::string& title);
// Tests: forgets the panels and the listener.
void resetSystemNotices();

}  // namespace platform
