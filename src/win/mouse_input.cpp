// Pointer events become mouse messages:
//   1. the key state and pointer position follow the event; the window under the pointer
//      is found by hit-testing (hit_test.cpp) and enter/leave notifications sent when it
//      changes (also under capture: it is the window really under the pointer);
//   2. the target is the capture window (always a client message), else the window hit;
//      HTCLIENT gives WM_MOUSEMOVE/WM_xBUTTONx with a client point, other hit codes
//      WM_NC* with the hit code and the screen point; a disabled top-level window
//      (HTERROR) only gets WM_SETCURSOR, whose default beeps for a press, and the window
//      it is disabled for (a modal dialog) is activated;
//   3. a press becomes a double click when it repeats the previous press in time and
//      place; WM_PARENTNOTIFY goes up to the parents; WM_MOUSEACTIVATE to a window of an
//      inactive top-level window decides whether it is activated and the press eaten;
//   4. WM_SETCURSOR (not under capture), then the mouse message is queued.
// The wheel goes to the focus window (or the active window).
#include <cstdlib>

#include "gdi/system_metrics.h"
#include "platform/virtual_keys.h"
#include "win/input_routing.h"

namespace tappomat {
namespace {

constexpr std::uint32_t kDoubleClickTimeMs = 500;
// WM_NCxxx = WM_xxx - this, for every mouse message.
constexpr UINT kNonClientOffset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;

int ButtonKey(MouseButton button) {
  switch (button) {
    case MouseButton::Left:
      return VK_LBUTTON;
    case MouseButton::Right:
      return VK_RBUTTON;
    case MouseButton::Middle:
      return VK_MBUTTON;
  }
  return VK_LBUTTON;
}

UINT ButtonMessage(MouseButton button, bool down) {
  switch (button) {
    case MouseButton::Left:
      return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case MouseButton::Right:
      return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::Middle:
      return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  }
  return WM_LBUTTONDOWN;
}

bool IsButtonDownMessage(UINT clientMessage) {
  return clientMessage == WM_LBUTTONDOWN || clientMessage == WM_RBUTTONDOWN ||
         clientMessage == WM_MBUTTONDOWN;
}

bool HasDoubleClicks(WindowSystem& ws, HWND h) {
  const WindowData* w = ws.Find(h);
  return w && w->windowClass && (w->windowClass->style & CS_DBLCLKS);
}

// A press of the same button on the same window (the same part of it), soon enough and
// near enough to the previous press, is a double click; the press after a double click
// starts over. `down` is the WM_xBUTTONDOWN or WM_NCxBUTTONDOWN message. The non-client
// area has double clicks whatever the class says (the caption's double click relies on it).
UINT ApplyDoubleClick(WindowSystem& ws, HWND target, UINT down, bool nonClient, Point screen) {
  const WindowSystem::ClickRecord last = ws.m_lastClick;
  const std::uint32_t now = ws.TickCount();
  const bool repeated = last.hwnd == target && last.message == down &&
                        now - last.time < kDoubleClickTimeMs &&
                        std::abs(screen.x - last.pt.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                        std::abs(screen.y - last.pt.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (repeated && (nonClient || HasDoubleClicks(ws, target))) {
    ws.m_lastClick = {};
    return down + (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
  }
  ws.m_lastClick = {target, down, now, screen};
  return down;
}

// Each parent up the chain hears of a press in a child (unless the child has
// WS_EX_NOPARENTNOTIFY), with the point in its own client coordinates.
void NotifyParents(WindowSystem& ws, HWND target, UINT clientMessage, Point screen) {
  HWND h = target;
  for (WindowData* w = ws.Find(h); w && w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY);
       w = ws.Find(h)) {
    h = w->parent;
    SendMessage(h, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<int>(clientMessage), 0),
                LParamFromPoint(ScreenToClient(h, screen)));
  }
}

// WM_MOUSEACTIVATE for a press in an inactive top-level window. True: the press is eaten.
bool MouseActivate(WindowSystem& ws, HWND target, LRESULT hit, UINT clientMessage) {
  const HWND top = GetAncestor(target, GA_ROOT);
  if (top == ws.m_active) return false;
  const LRESULT answer =
      SendMessage(target, WM_MOUSEACTIVATE, HandleToWParam(top),
                  MAKELPARAM(static_cast<int>(hit), static_cast<int>(clientMessage)));
  switch (answer) {
    case MA_NOACTIVATEANDEAT:
      return true;
    case MA_NOACTIVATE:
      return false;
    case MA_ACTIVATEANDEAT:
      ActivateWindow(top, ActivationCause::Mouse, FocusAfterActivation::KeepInside);
      return true;
    default:  // MA_ACTIVATE, or 0 from a procedure that does not care
      // A refused activation eats the press: the window did not want it.
      return !ActivateWindow(top, ActivationCause::Mouse, FocusAfterActivation::KeepInside);
  }
}

void QueueWheel(WindowSystem& ws, const NativeEvent& event) {
  const HWND target = ws.m_focus ? ws.m_focus : ws.m_active;
  if (!ws.Find(target) || !IsEnabledUpToTop(target)) return;
  QueueInputMessage(ws, target, WM_MOUSEWHEEL,
                    MAKEWPARAM(static_cast<int>(MouseKeyState(ws)), event.wheelDelta),
                    LParamFromPoint(event.screenPosition));
}

void RouteMouseMessage(WindowSystem& ws, const NativeEvent& event, const HitResult& under) {
  const bool move = event.type == NativeEvent::Type::PointerMove;
  const bool press = event.type == NativeEvent::Type::ButtonDown;
  const UINT clientMessage = move ? WM_MOUSEMOVE : ButtonMessage(event.button, press);
  const Point screen = event.screenPosition;
  const bool captured = ws.Find(ws.m_capture) != nullptr;
  const HWND target = captured ? ws.m_capture : under.hwnd;
  const LRESULT hit = captured ? HTCLIENT : under.hit;
  if (!target) return;  // outside our windows

  const LPARAM setCursorParam = MAKELPARAM(static_cast<int>(hit), static_cast<int>(clientMessage));
  if (hit == HTERROR) {
    SendMessage(target, WM_SETCURSOR, HandleToWParam(target), setCursorParam);
    if (press && !IsWindowEnabled(target)) ActivateInsteadOfDisabled(target);
    return;
  }

  const bool client = hit == HTCLIENT;
  UINT message = client ? clientMessage : clientMessage - kNonClientOffset;
  bool eaten = false;
  if (press) {
    message = ApplyDoubleClick(ws, target, message, !client, screen);
    NotifyParents(ws, target, clientMessage, screen);
    if (!ws.Find(target)) return;
    eaten = MouseActivate(ws, target, hit, clientMessage);
    if (!ws.Find(target)) return;
  }
  if (!captured) {
    SendMessage(target, WM_SETCURSOR, HandleToWParam(target), setCursorParam);
    if (!ws.Find(target)) return;
  }
  if (eaten) return;
  if (client) {
    QueueInputMessage(ws, target, message, MouseKeyState(ws),
                      LParamFromPoint(ScreenToClient(target, screen)));
  } else {
    QueueInputMessage(ws, target, message, static_cast<WPARAM>(hit), LParamFromPoint(screen));
  }
}

PointerShape ShapeForHit(LRESULT hit, const WindowData* under) {
  switch (hit) {
    case HTCLIENT:
      return under && under->windowClass ? under->windowClass->cursor : PointerShape::Arrow;
    case HTLEFT:
    case HTRIGHT:
      return PointerShape::SizeWE;
    case HTTOP:
    case HTBOTTOM:
      return PointerShape::SizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return PointerShape::SizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return PointerShape::SizeNESW;
  }
  return PointerShape::Arrow;
}

}  // namespace

void TranslatePointerEvent(WindowSystem& ws, NativeWindowId native, const NativeEvent& event) {
  using Type = NativeEvent::Type;
  const HWND nativeTop = ws.FindByNative(native);
  ws.m_pointer = event.screenPosition;
  ApplyModifiers(ws, event.modifiers);
  if (event.type == Type::PointerLeave) {
    // The pointer left this top-level window (for another program's window or the desktop).
    if (ws.m_hover && (!nativeTop || GetAncestor(ws.m_hover, GA_ROOT) == nativeTop))
      SetHover(ws, kNullWindow);
    return;
  }
  if (event.type == Type::ButtonDown || event.type == Type::ButtonUp) {
    ws.m_keyDown[ButtonKey(event.button)] = event.type == Type::ButtonDown;
  }
  const HitResult under = HitTestScreen(event.screenPosition, nativeTop);
  SetHover(ws, under.hwnd);
  switch (event.type) {
    case Type::PointerEnter:
      return;
    case Type::Wheel:
      QueueWheel(ws, event);
      return;
    default:
      RouteMouseMessage(ws, event, under);
  }
}

void SetHover(WindowSystem& ws, HWND under) {
  const HWND old = ws.m_hover;
  if (old == under) return;
  ws.m_hover = under;
  if (ws.Find(old)) {
    SendMessage(old, CM_MOUSELEAVE);
    SendMessage(old, WM_MOUSELEAVE);
  }
  if (ws.m_hover == under && ws.Find(under)) SendMessage(under, CM_MOUSEENTER);
}

// The parent of a child decides first (a dialog may show one cursor over all its
// controls), except on the sizing borders. The cursor is the class cursor of the window
// under the pointer (wParam) in its client area, a sizing arrow on the borders, else the
// arrow. HTERROR is a press on a disabled window: a beep.
LRESULT DefSetCursor(HWND h, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Current();
  const WindowData* w = ws.Find(h);
  const LRESULT hit = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  const UINT mouseMessage = HIWORD(static_cast<std::uintptr_t>(lParam));
  const bool sizingBorder = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
  if (w->IsChild() && !sizingBorder && SendMessage(w->parent, WM_SETCURSOR, wParam, lParam) != 0)
    return 1;
  if (hit == HTERROR && IsButtonDownMessage(mouseMessage)) ws.m_platform.Beep();
  const HWND under = ws.Find(WParamToHandle(wParam)) ? WParamToHandle(wParam) : h;
  if (const WindowData* top = ws.Find(GetAncestor(under, GA_ROOT))) {
    ws.m_platform.SetCursor(top->top.native, ShapeForHit(hit, ws.Find(under)));
  }
  return 1;
}

// A child asks its parent first; a top-level window is activated by a click unless it
// is WS_EX_NOACTIVATE.
LRESULT DefMouseActivate(HWND h, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Current();
  const WindowData* w = ws.Find(h);
  if (w->IsChild()) {
    if (const LRESULT answer = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam))
      return answer;
  }
  const WindowData* top = ws.Find(GetAncestor(h, GA_ROOT));
  return top && (top->exStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
}

}  // namespace tappomat
