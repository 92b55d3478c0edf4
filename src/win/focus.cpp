// The keyboard focus: the window that receives key and character messages. It always lies
// in the active top-level window (or is null), so SetFocus activates that window first;
// the platform is told about the native focus by the activation.
#include "win/input_routing.h"

namespace tappomat {
namespace {

// The focus is refused to a window that is disabled, or minimized, or whose parents
// up to the top-level window are.
bool CanTakeFocus(WindowSystem& ws, HWND h) {
  for (WindowData* w = ws.Find(h); w; w = w->IsChild() ? ws.Find(w->parent) : nullptr) {
    if (!w->IsEnabled() || (!w->IsChild() && w->top.minimized)) return false;
  }
  return true;
}

}  // namespace

HWND ChangeFocus(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  const HWND old = ws.m_focus;
  if (old == h) return old;
  ws.m_focus = h;
  if (ws.Find(old)) {
    SendMessage(old, WM_KILLFOCUS, HandleToWParam(h));
    if (ws.m_focus != h) return old;  // the handler moved the focus elsewhere
  }
  if (ws.Find(h)) SendMessage(h, WM_SETFOCUS, HandleToWParam(old));
  return old;
}

HWND SetFocus(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  const HWND old = ws.m_focus;
  if (!h) {
    if (!old) return kNullWindow;
    if (ws.CallHooks(WH_CBT, HCBT_SETFOCUS, 0, static_cast<LPARAM>(HandleToWParam(old))) != 0) {
      return kNullWindow;
    }
    return ChangeFocus(kNullWindow);
  }
  if (!ws.Find(h)) return kNullWindow;
  if (h == old) return old;
  if (!CanTakeFocus(ws, h)) return kNullWindow;
  if (ws.CallHooks(WH_CBT, HCBT_SETFOCUS, HandleToWParam(h),
                   static_cast<LPARAM>(HandleToWParam(old))) != 0) {
    return kNullWindow;
  }
  const HWND top = GetAncestor(h, GA_ROOT);
  if (top != ws.m_active) {
    if (!ActivateWindow(top, ActivationCause::Program, FocusAfterActivation::LeaveToCaller))
      return kNullWindow;
    // The activation messages may have destroyed the window or activated another one.
    if (!ws.Find(h) || ws.m_active != top) return kNullWindow;
  }
  return ChangeFocus(h);
}

HWND GetFocus() { return WindowSystem::Current().m_focus; }

}  // namespace tappomat
