// Mouse capture: one window receives every mouse message, as client messages, wherever
// the pointer is. The platform grabs the pointer for the capture's top-level native
// window, so that pointer events outside our windows still come to us. Capture ends with
// ReleaseCapture, a new SetCapture, or when its window is disabled, hidden or destroyed.
#include "win/input_routing.h"

namespace tappomat {
namespace {

// Changes the capture window; the window that loses it gets WM_CAPTURECHANGED.
HWND ChangeCapture(WindowSystem& ws, HWND h) {
  const HWND old = ws.m_capture;
  if (old == h) return old;  // no change, no message
  ws.m_capture = h;
  if (WindowData* w = ws.Find(GetAncestor(h, GA_ROOT))) {
    ws.m_platform.GrabPointer(w->top.native);
  } else {
    ws.m_platform.ReleasePointer();
  }
  if (ws.Find(old)) SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(HandleToWParam(h)));
  return old;
}

}  // namespace

HWND SetCapture(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  if (h && !ws.Find(h)) return kNullWindow;
  return ChangeCapture(ws, h);
}

bool ReleaseCapture() {
  ChangeCapture(WindowSystem::Current(), kNullWindow);
  return true;
}

HWND GetCapture() { return WindowSystem::Current().m_capture; }

}  // namespace tappomat
