#include "platform/ui/SystemNotice.h"

#include <algorithm>

namespace platform {

namespace {
struct NoticeState {
  SystemNoticeListener listener;
  std::vector<std::shared_ptr<SystemNoticePanel>> panels;
};
NoticeState& state() {
  static NoticeState s;
  return s;
}
}  // namespace

void setSystemNoticeListener(SystemNoticeListener listener) { state().listener = std::move(listener); }

void reportSystemNotice(const SystemNotice& notice) {
  auto listener = state().listener;  // a listener may replace itself
  if (listener) listener(notice);
}

std::vector<std::shared_ptr<SystemNoticePanel>> visibleSystemNoticePanels() { return state().panels; }

void registerSystemNoticePanel(const std::shared_ptr<SystemNoticePanel>& panel) {
  if (!panel) return;
  unregisterSystemNoticePanel(panel.get());
  state().panels.push_back(panel);
}

void unregisterSystemNoticePanel(const SystemNoticePanel* panel) {
  auto& panels = state().panels;
  panels.erase(std::remove_if(panels.begin(), panels.end(), [&](const auto& p) { return p.get() == panel; }),
               panels.end());
}

bool tapSystemNoticeButton(const std::string& title) {
  auto panels = state().panels;
  for (auto it = panels.rbegin(); it != panels.rend(); ++it) {
    if ((*it)->tapButtonWithTitle(title)) return true;
  }
  return false;
}

void resetSystemNotices() {
  state().listener = nullptr;
  state().panels.clear();
}

}  // namespace platform
