// What the window manager does to our top-level windows, as native events:
//   FocusGained   the window becomes active, unless it is; when a press on it waits in
//                 the queue, the press activates it (WM_MOUSEACTIVATE, WA_CLICKACTIVE);
//                 a disabled window (an owner under a modal dialog) activates the dialog;
//                 ignored when a later focus change is already queued (the program moves
//                 the native focus itself, so the queue may describe the past)
//   FocusLost     when no other of our windows gains the focus in the same batch of
//                 events, another application became active: the application deactivates
//   CloseRequest  WM_SYSCOMMAND(SC_CLOSE) is posted (not to a disabled window)
//   Destroyed     another program destroyed the native window: WM_CLOSE is posted, even
//                 to a disabled window, since the window cannot be shown again (for the
//                 main form this ends the program as its close button does)
//   Configured    the new bounds through SetWindowPos, not echoed back to the platform
//   Minimized, Restored  the minimized state and WM_SIZE
//   Damaged       the exposed area is repainted from the back buffer
#include "win/input_routing.h"
#include "win/paint.h"

namespace tappomat {
namespace {

using Type = NativeEvent::Type;

// Looks at the events still queued after the one being translated, up to the next change
// of focus.
bool PressFollows(const WindowSystem& ws, NativeWindowId native) {
  for (const WindowSystem::QueuedInput& q : ws.m_input) {
    if (q.event.type == Type::FocusGained || q.event.type == Type::FocusLost) return false;
    if (q.event.type == Type::ButtonDown && q.native == native) return true;
  }
  return false;
}

// The native focus has already moved on from `native` (the program or the user moved it
// again): its FocusGained is history.
bool FocusMovesOn(const WindowSystem& ws, NativeWindowId native) {
  for (const WindowSystem::QueuedInput& q : ws.m_input) {
    if (q.event.type == Type::FocusGained ||
        (q.event.type == Type::FocusLost && q.native == native))
      return true;
  }
  return false;
}

bool FocusGoesToUs(const WindowSystem& ws) {
  for (const WindowSystem::QueuedInput& q : ws.m_input) {
    if (q.event.type == Type::FocusGained && ws.FindByNative(q.native)) return true;
  }
  return false;
}

void FocusGained(WindowSystem& ws, HWND top, NativeWindowId native) {
  if (FocusMovesOn(ws, native)) return;
  const WindowData* w = ws.Find(top);
  if (!w->IsEnabled()) {
    ActivateInsteadOfDisabled(top);
    return;
  }
  if (ws.m_active == top || PressFollows(ws, native)) return;
  ActivateWindow(top, ActivationCause::WindowManager, FocusAfterActivation::KeepInside);
}

void Configured(WindowSystem& ws, HWND top, const Rect& bounds) {
  if (bounds.IsEmpty() || bounds == ws.Find(top)->windowRect) return;
  ws.m_configuring = top;
  ws.m_configuredBounds = bounds;
  SetWindowPos(top, kNullWindow, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  ws.m_configuring = kNullWindow;
}

void SetMinimized(WindowSystem& ws, HWND top, bool minimized) {
  WindowData* w = ws.Find(top);
  if (w->top.minimized == minimized) return;  // our own ShowWindow, echoed
  w->top.minimized = minimized;
  const Rect client = GetClientRect(top);
  SendMessage(top, WM_SIZE, minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
              minimized ? 0 : MAKELPARAM(client.Width(), client.Height()));
  // Shown again by the window manager: painted and presented whole, as our own restore
  // does (what was exposed while the window counted as minimized was never drawn).
  if (WindowData* again = ws.Find(top); again && !minimized) {
    InvalidateTopLevelArea(top, Region(Rect{0, 0, again->windowRect.Width(), again->windowRect.Height()}));
  }
}

}  // namespace

void TranslateWindowEvent(WindowSystem& ws, NativeWindowId native, const NativeEvent& event) {
  const HWND top = ws.FindByNative(native);
  if (!top) return;
  switch (event.type) {
    case Type::FocusGained:
      FocusGained(ws, top, native);
      return;
    case Type::FocusLost:
      if (!FocusGoesToUs(ws)) DeactivateApplication();
      return;
    case Type::CloseRequest:
      // An owner under a modal dialog must not close while the dialog runs.
      if (IsWindowEnabled(top)) PostMessage(top, WM_SYSCOMMAND, SC_CLOSE);
      return;
    case Type::Destroyed:
      PostMessage(top, WM_CLOSE);
      return;
    case Type::Configured:
      Configured(ws, top, event.rect);
      return;
    case Type::Minimized:
    case Type::Restored:
      SetMinimized(ws, top, event.type == Type::Minimized);
      return;
    case Type::Damaged:
      InvalidateTopLevelArea(top, Region(event.rect));
      return;
    default:
      return;
  }
}

}  // namespace tappomat
