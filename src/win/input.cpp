// The native event queue: native events wait in WindowSystem::m_input until the loop asks
// for input; each is then translated (by the translators of the files beside this one)
// into messages that are sent at once (WM_SETCURSOR, activation …) and messages that are
// handed out one per TakeInput call, in order. Also the key state and the input part of
// DefWindowProc.
#include "win/input.h"

#include "platform/virtual_keys.h"
#include "win/input_routing.h"

namespace tappomat {

void WindowSystem::OnNativeEvent(NativeWindowId window, const NativeEvent& event) {
  m_input.push_back({window, event});
}

namespace {

void TranslateNativeEvent(WindowSystem& ws, NativeWindowId native, const NativeEvent& event) {
  using Type = NativeEvent::Type;
  switch (event.type) {
    case Type::PointerMove:
    case Type::ButtonDown:
    case Type::ButtonUp:
    case Type::Wheel:
    case Type::PointerEnter:
    case Type::PointerLeave:
      TranslatePointerEvent(ws, native, event);
      return;
    case Type::KeyDown:
    case Type::KeyUp:
      TranslateKeyEvent(ws, event);
      return;
    case Type::Text:
      TranslateTextEvent(ws, event);
      return;
    case Type::FocusGained:
    case Type::FocusLost:
    case Type::CloseRequest:
    case Type::Destroyed:
    case Type::Damaged:
    case Type::Configured:
    case Type::Minimized:
    case Type::Restored:
      TranslateWindowEvent(ws, native, event);
      return;
  }
}

}  // namespace

bool WindowSystem::TakeInput(MSG& msg, bool remove) {
  // Native events that make no queued message (focus changes, exposure) are used up here
  // until one does. The translation may send messages whose handlers run nested loops;
  // those take the later events, so input keeps its order.
  while (m_pendingInput.empty() && !m_input.empty()) {
    const QueuedInput next = std::move(m_input.front());
    m_input.pop_front();
    const std::size_t postedBefore = m_posted.size();
    TranslateNativeEvent(*this, next.native, next.event);
    // A message the translation posted (a close request's WM_SYSCOMMAND) comes first, as
    // posted messages always do.
    if (m_posted.size() > postedBefore) return TakePosted(msg, kNullWindow, remove);
  }
  if (m_pendingInput.empty()) return false;
  msg = m_pendingInput.front();
  if (remove) m_pendingInput.pop_front();
  return true;
}

void QueueInputMessage(WindowSystem& ws, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  ws.m_pendingInput.push_back({h, msg, wParam, lParam, ws.TickCount(), ws.m_pointer});
}

// Printable characters come from the platform's Text events, which its input method has
// already composed (keyboard layout, dead keys, compose sequences). The platform types no
// control characters, so key-down messages of Return, Backspace, Tab, Escape and
// Ctrl+letter become WM_CHAR (WM_SYSCHAR with Alt) here; they are queued before any other
// input, right behind the key that made them.
bool TranslateMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const bool control = GetKeyState(VK_CONTROL) & 0x8000;
  const bool alt = GetKeyState(VK_MENU) & 0x8000;
  char32_t c = 0;
  switch (msg.wParam) {
    case VK_RETURN: c = control ? U'\n' : U'\r'; break;
    case VK_BACK: c = control ? 0x7F : U'\b'; break;
    case VK_TAB: c = U'\t'; break;
    case VK_ESCAPE: c = 0x1B; break;
    default:
      if (control && !alt && msg.wParam >= 'A' && msg.wParam <= 'Z') c = static_cast<char32_t>(msg.wParam - 'A' + 1);
  }
  if (c == 0) return false;
  WindowSystem& ws = WindowSystem::Current();
  const UINT charMessage = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  ws.m_pendingInput.push_front({msg.hwnd, charMessage, c, msg.lParam, msg.time, msg.pt});
  return true;
}

// --- key state

namespace {

void SetKey(WindowSystem& ws, int virtualKey, bool down) { ws.m_keyDown[virtualKey] = down; }

void ApplyModifier(WindowSystem& ws, bool down, int generic, int left, int right) {
  if (down == IsKeyDown(ws, generic)) return;
  SetKey(ws, generic, down);
  if (!down) {
    SetKey(ws, left, false);
    SetKey(ws, right, false);
  }
}

}  // namespace

void ApplyModifiers(WindowSystem& ws, unsigned modifiers) {
  ApplyModifier(ws, (modifiers & kModShift) != 0, VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  ApplyModifier(ws, (modifiers & kModControl) != 0, VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
  ApplyModifier(ws, (modifiers & kModAlt) != 0, VK_MENU, VK_LMENU, VK_RMENU);
}

bool IsKeyDown(const WindowSystem& ws, int virtualKey) {
  const auto it = ws.m_keyDown.find(virtualKey);
  return it != ws.m_keyDown.end() && it->second;
}

WPARAM MouseKeyState(const WindowSystem& ws) {
  WPARAM state = 0;
  if (IsKeyDown(ws, VK_LBUTTON)) state |= MK_LBUTTON;
  if (IsKeyDown(ws, VK_RBUTTON)) state |= MK_RBUTTON;
  if (IsKeyDown(ws, VK_MBUTTON)) state |= MK_MBUTTON;
  if (IsKeyDown(ws, VK_SHIFT)) state |= MK_SHIFT;
  if (IsKeyDown(ws, VK_CONTROL)) state |= MK_CONTROL;
  return state;
}

std::uint16_t GetKeyState(int virtualKey) {
  const WindowSystem& ws = WindowSystem::Current();
  std::uint16_t state = IsKeyDown(ws, virtualKey) ? 0x8000 : 0;
  const auto toggled = ws.m_keyToggled.find(virtualKey);
  if (toggled != ws.m_keyToggled.end() && toggled->second) state |= 0x0001;
  return state;
}

Point GetCursorPos() { return WindowSystem::Current().m_pointer; }

bool IsEnabledUpToTop(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  for (WindowData* w = ws.Find(h); w; w = w->IsChild() ? ws.Find(w->parent) : nullptr) {
    if (!w->IsEnabled()) return false;
  }
  return ws.Find(h) != nullptr;
}

// --- the input part of DefWindowProc

std::optional<LRESULT> DefInputProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR:
      return DefSetCursor(h, wParam, lParam);
    case WM_MOUSEACTIVATE:
      return DefMouseActivate(h, wParam, lParam);
    case WM_ACTIVATE:
      DefActivate(h, wParam);
      return 0;
    case WM_CANCELMODE:
      // A window told to stop what it is doing lets go of the mouse.
      if (WindowSystem::Current().m_capture == h) ReleaseCapture();
      return 0;
    case WM_SYSKEYDOWN:
      DefSysKeyDown(h, wParam, lParam);
      return 0;
  }
  return std::nullopt;
}

// --- windows that go away

void ForgetWindowInput(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  if (ws.m_capture == h) ReleaseCapture();  // it still gets WM_CAPTURECHANGED
  if (ws.m_focus == h) ws.m_focus = kNullWindow;
  if (ws.m_active == h) ws.m_active = kNullWindow;
  if (ws.m_hover == h) ws.m_hover = kNullWindow;
  if (ws.m_lastClick.hwnd == h) ws.m_lastClick = {};
  if (ws.m_configuring == h) ws.m_configuring = kNullWindow;
  std::erase(ws.m_zOrder, h);
  std::erase_if(ws.m_pendingInput, [h](const MSG& m) { return m.hwnd == h; });
}

void WindowHidden(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  if (ws.m_capture && (ws.m_capture == h || IsChild(h, ws.m_capture))) ReleaseCapture();
  if (ws.m_hover && (ws.m_hover == h || IsChild(h, ws.m_hover))) SetHover(ws, kNullWindow);
  if (ws.m_active == h) ActivateOtherWindow(h);
}

}  // namespace tappomat
