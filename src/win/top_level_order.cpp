// The stacking order of top-level windows. The platform does not report how the window
// manager stacks native windows, so the window system keeps its own order for
// WindowFromPoint: a window goes on top when it is shown, activated or raised with
// SetWindowPos, owned windows stay above their owners, and WS_EX_TOPMOST windows stay
// above all others.
#include <algorithm>

#include "win/input_routing.h"

namespace tappomat {
namespace {

// m_zOrder plus the windows never restacked yet (newest first, under the others).
std::vector<HWND> FullOrder(WindowSystem& ws) {
  std::vector<HWND> order;
  for (HWND h : ws.m_zOrder) {
    if (ws.Find(h)) order.push_back(h);
  }
  for (auto it = ws.m_topLevels.rbegin(); it != ws.m_topLevels.rend(); ++it) {
    if (std::find(order.begin(), order.end(), *it) == order.end()) order.push_back(*it);
  }
  return order;
}

bool IsOwnedBy(WindowSystem& ws, HWND h, HWND owner) {
  for (WindowData* w = ws.Find(h); w && w->owner; w = ws.Find(w->owner)) {
    if (w->owner == owner) return true;
  }
  return false;
}

}  // namespace

std::vector<HWND> TopLevelZOrder() {
  WindowSystem& ws = WindowSystem::Current();
  std::vector<HWND> order = FullOrder(ws);
  std::stable_partition(order.begin(), order.end(),
                        [&ws](HWND h) { return (ws.Find(h)->exStyle & WS_EX_TOPMOST) != 0; });
  return order;
}

void RaiseTopLevel(HWND top) {
  WindowSystem& ws = WindowSystem::Current();
  if (!ws.Find(top)) return;
  std::vector<HWND> order = FullOrder(ws);
  // The windows it owns keep their order among themselves, above it.
  std::vector<HWND> group;
  for (HWND h : order) {
    if (IsOwnedBy(ws, h, top)) group.push_back(h);
  }
  group.push_back(top);
  std::erase_if(
      order, [&group](HWND h) { return std::find(group.begin(), group.end(), h) != group.end(); });
  order.insert(order.begin(), group.begin(), group.end());
  ws.m_zOrder = std::move(order);
}

void RestackTopLevelOrder(HWND h, HWND insertAfter) {
  WindowSystem& ws = WindowSystem::Current();
  const WindowData* after = ws.Find(insertAfter);
  if (insertAfter == HWND_BOTTOM || (after && !after->IsChild() && insertAfter != h)) {
    std::vector<HWND> order = FullOrder(ws);
    std::erase(order, h);
    const auto at = std::find(order.begin(), order.end(), insertAfter);
    order.insert(at == order.end() ? order.end() : at + 1, h);
    ws.m_zOrder = std::move(order);
    return;
  }
  RaiseTopLevel(h);  // HWND_TOP, HWND_TOPMOST, HWND_NOTOPMOST
}

}  // namespace tappomat
