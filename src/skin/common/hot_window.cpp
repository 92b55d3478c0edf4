#include "skin/common/hot_window.h"

#include <algorithm>
#include <vector>

#include "skin/data/skin_message.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

struct HotWindow {
  const TsSkinManager* manager;
  HWND window;
};

// One entry per manager that has a hot window; a program has one or two managers.
std::vector<HotWindow>& HotWindows() {
  static std::vector<HotWindow> windows;
  return windows;
}

}  // namespace

HWND HotWindowOf(const TsSkinManager* manager) {
  for (const HotWindow& hot : HotWindows()) {
    if (hot.manager == manager) return hot.window;
  }
  return kNullWindow;
}

void SetHotWindow(TsSkinManager* manager, HWND window) {
  if (manager == nullptr || window == kNullWindow) return;
  std::vector<HotWindow>& windows = HotWindows();
  auto it = std::find_if(windows.begin(), windows.end(),
                         [manager](const HotWindow& h) { return h.manager == manager; });
  const HWND before = it != windows.end() ? it->window : kNullWindow;
  if (before == window) return;
  if (it != windows.end()) {
    it->window = window;
  } else {
    windows.push_back({manager, window});
  }
  const auto lParam = reinterpret_cast<LPARAM>(manager);
  if (before != kNullWindow && IsWindow(before))
    SendMessage(before, WM_SKIN, SkinWParam(SkinCode::NoLongerHot), lParam);
  SendMessage(window, WM_SKIN, SkinWParam(SkinCode::BecameHot), lParam);
}

void ForgetHotWindow(HWND window) {
  std::erase_if(HotWindows(), [window](const HotWindow& h) { return h.window == window; });
}

}  // namespace tappomat
