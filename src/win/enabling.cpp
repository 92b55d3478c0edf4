// Enabling and disabling windows. A disabled window takes no mouse or key input: the
// mouse goes to its parent (a disabled top-level window only beeps), the focus and the
// capture leave it. Modal dialogs disable their owner while they run.
#include "win/input_routing.h"

namespace tappomat {

bool EnableWindow(HWND h, bool enable) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w) return false;
  const bool wasDisabled = !w->IsEnabled();
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    SendMessage(h, WM_ENABLE, 1);
  } else if (!enable && !wasDisabled) {
    // The window is told to end what it is doing (menus, drags) first.
    SendMessage(h, WM_CANCELMODE);
    if (!(w = ws.Find(h))) return false;
    w->style |= WS_DISABLED;
    if (ws.m_focus && (ws.m_focus == h || IsChild(h, ws.m_focus))) SetFocus(kNullWindow);
    if (ws.m_capture && (ws.m_capture == h || IsChild(h, ws.m_capture))) ReleaseCapture();
    SendMessage(h, WM_ENABLE, 0);
  }
  return wasDisabled;
}

bool IsWindowEnabled(HWND h) {
  WindowData* w = WindowSystem::Current().Find(h);
  return w && w->IsEnabled();
}

}  // namespace tappomat
