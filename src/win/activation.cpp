// Activation of top-level windows. One top-level window is active while the application
// is; the focus lies inside it. The order of the messages:
//   old active   WM_NCACTIVATE(0), WM_ACTIVATE(WA_INACTIVE, new)
//   all windows  WM_ACTIVATEAPP(1) when the application was inactive
//   new active   WM_NCACTIVATE(1), WM_ACTIVATE(WA_ACTIVE or WA_CLICKACTIVE, old)
//   focus        DefWindowProc's WM_ACTIVATE focuses the window; if the focus is still
//                outside it afterwards (a handler that does not call DefWindowProc), the
//                window takes it anyway, so the active window always holds the focus
// When another application becomes active, the active window is deactivated, every
// top-level window gets WM_ACTIVATEAPP(0) and the focus is removed.
#include <algorithm>
#include <optional>

#include "win/input_routing.h"

namespace tappomat {
namespace {

LPARAM HandleToLParam(HWND h) { return static_cast<LPARAM>(HandleToWParam(h)); }

WPARAM ActivateWParam(WPARAM state, HWND h) {
  return MAKEWPARAM(static_cast<int>(state), IsIconic(h) ? 1 : 0);
}

void SendActivateApp(WindowSystem& ws, bool active) {
  for (HWND top : ws.TopLevelWindows()) SendMessage(top, WM_ACTIVATEAPP, active ? 1 : 0);
}

// The platform hears of activations the program makes; those of the window manager and
// of clicks it has made itself.
void TellPlatform(WindowSystem& ws, HWND top) {
  WindowData* w = ws.Find(top);
  if (!w || !IsWindowVisible(top) || w->top.minimized) return;
  ws.m_platform.SetFocus(w->top.native);
  ws.m_platform.Raise(w->top.native);
}

bool CanActivate(const WindowData& w) {
  return !w.IsChild() && w.IsVisible() && w.IsEnabled() && !w.top.minimized &&
         !(w.exStyle & WS_EX_NOACTIVATE);
}

}  // namespace

bool ActivateWindow(HWND top, ActivationCause cause, FocusAfterActivation focus) {
  WindowSystem& ws = WindowSystem::Current();
  const HWND old = ws.m_active;
  if (top == old) return true;
  if (top) {
    const WindowData* w = ws.Find(top);
    if (!w || w->IsChild() || !w->IsEnabled()) return false;
  }
  CBTACTIVATESTRUCT cbt{cause == ActivationCause::Mouse, old};
  if (ws.CallHooks(WH_CBT, HCBT_ACTIVATE, HandleToWParam(top), PtrToLParam(&cbt)) != 0)
    return false;

  if (ws.Find(old)) {
    SendMessage(old, WM_NCACTIVATE, 0);
    SendMessage(old, WM_ACTIVATE, ActivateWParam(WA_INACTIVE, old), HandleToLParam(top));
  }
  if (top && !ws.Find(top)) return false;
  if (ws.m_active != old) return ws.m_active == top;  // a handler activated something itself
  ws.m_active = top;

  if (top) {
    const bool appWasActive = ws.m_appActive;
    ws.m_appActive = true;
    if (!appWasActive) SendActivateApp(ws, true);
    if (cause == ActivationCause::Program) TellPlatform(ws, top);
    RaiseTopLevel(top);
    if (ws.m_active == top && ws.Find(top)) {
      SendMessage(top, WM_NCACTIVATE, 1);
      const WPARAM state = cause == ActivationCause::Mouse ? WA_CLICKACTIVE : WA_ACTIVE;
      SendMessage(top, WM_ACTIVATE, ActivateWParam(state, top), HandleToLParam(old));
    }
  }

  if (focus == FocusAfterActivation::KeepInside && ws.m_active == top) {
    const HWND current = ws.m_focus;
    if (!top || !current || GetAncestor(current, GA_ROOT) != top) {
      ChangeFocus(IsIconic(top) ? kNullWindow : top);
    }
  }
  return true;
}

void DeactivateApplication() {
  WindowSystem& ws = WindowSystem::Current();
  if (!ws.m_appActive && !ws.m_active) return;
  const HWND old = ws.m_active;
  if (ws.Find(old)) {
    SendMessage(old, WM_NCACTIVATE, 0);
    SendMessage(old, WM_ACTIVATE, ActivateWParam(WA_INACTIVE, old), 0);
  }
  ws.m_active = kNullWindow;
  ws.m_appActive = false;
  SendActivateApp(ws, false);
  ChangeFocus(kNullWindow);
}

void ActivateInsteadOfDisabled(HWND disabledTop) {
  WindowSystem& ws = WindowSystem::Current();
  // The owned window nearest the top, e.g. the modal dialog that disabled its owner. A
  // modal dialog without an owner disables every other window of ours, so when no owned
  // window is found, the enabled window nearest the top is that dialog: without this it
  // could stay hidden behind a stay-on-top window that the click raised.
  std::optional<HWND> unowned;
  for (HWND h : TopLevelZOrder()) {
    const WindowData* w = ws.Find(h);
    if (!w || !CanActivate(*w)) continue;
    if (!unowned && !w->owner) unowned = h;
    bool owned = false;
    for (const WindowData* o = ws.Find(w->owner); o && !owned; o = ws.Find(o->owner)) {
      owned = o->handle == disabledTop;
    }
    if (!owned) continue;
    // The window manager focused the disabled owner: the focus goes back to the dialog
    // even when the dialog is already active.
    if (ws.m_active == h) {
      TellPlatform(ws, h);
      RaiseTopLevel(h);
    } else {
      ActivateWindow(h, ActivationCause::Program, FocusAfterActivation::KeepInside);
    }
    return;
  }
  if (!unowned || ws.Find(disabledTop)->owner) return;
  if (ws.m_active == *unowned) {
    TellPlatform(ws, *unowned);
    RaiseTopLevel(*unowned);
  } else {
    ActivateWindow(*unowned, ActivationCause::Program, FocusAfterActivation::KeepInside);
  }
}

void ActivateOtherWindow(HWND leaving) {
  WindowSystem& ws = WindowSystem::Current();
  HWND next;
  if (const WindowData* w = ws.Find(leaving); w && w->owner) {
    if (const WindowData* owner = ws.Find(w->owner); owner && CanActivate(*owner)) next = w->owner;
  }
  if (!next) {
    // The next window below the one that goes.
    const std::vector<HWND> order = TopLevelZOrder();
    auto it = std::find(order.begin(), order.end(), leaving);
    it = it == order.end() ? order.begin() : it + 1;
    for (; it != order.end() && !next; ++it) {
      const WindowData* w = ws.Find(*it);
      if (w && CanActivate(*w)) next = *it;
    }
  }
  ActivateWindow(next, ActivationCause::Program, FocusAfterActivation::KeepInside);
}

HWND SetActiveWindow(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  if (h && !ws.Find(h)) return kNullWindow;
  const HWND old = ws.m_active;
  if (!ActivateWindow(GetAncestor(h, GA_ROOT), ActivationCause::Program,
                      FocusAfterActivation::KeepInside))
    return kNullWindow;
  return old;
}

HWND GetActiveWindow() { return WindowSystem::Current().m_active; }

bool IsApplicationActive() { return WindowSystem::Current().m_appActive; }

void DefActivate(HWND h, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(h)) SetFocus(h);
}

}  // namespace tappomat
