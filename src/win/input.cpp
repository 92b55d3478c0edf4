// Input routing. Provisional: focus and activation only; native input is not yet turned
// into messages.
#include "win/input.h"

namespace tappomat {

void WindowSystem::OnNativeEvent(NativeWindowId window, const NativeEvent& event) {
  m_input.push_back({window, event});
}

bool WindowSystem::TakeInput(MSG&, bool remove) {
  if (remove) m_input.clear();
  return false;
}

bool TranslateMessage(const MSG&) { return false; }

HWND SetCapture(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  const HWND old = ws.m_capture;
  ws.m_capture = h;
  return old;
}

bool ReleaseCapture() {
  WindowSystem::Current().m_capture = kNullWindow;
  return true;
}

HWND GetCapture() { return WindowSystem::Current().m_capture; }

HWND SetFocus(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  const HWND old = ws.m_focus;
  if (old == h) return old;
  ws.m_focus = h;
  if (IsWindow(old)) SendMessage(old, WM_KILLFOCUS, HandleToWParam(h));
  if (IsWindow(h)) SendMessage(h, WM_SETFOCUS, HandleToWParam(old));
  return old;
}

HWND GetFocus() { return WindowSystem::Current().m_focus; }

HWND SetActiveWindow(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  const HWND old = ws.m_active;
  ws.m_active = h;
  return old;
}

HWND GetActiveWindow() { return WindowSystem::Current().m_active; }

bool EnableWindow(HWND h, bool enable) {
  WindowData* w = WindowSystem::Current().Find(h);
  if (!w) return false;
  const bool wasDisabled = !w->IsEnabled();
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
  }
  if (wasDisabled == enable) SendMessage(h, WM_ENABLE, enable ? 1 : 0);
  return wasDisabled;
}

bool IsWindowEnabled(HWND h) {
  WindowData* w = WindowSystem::Current().Find(h);
  return w && w->IsEnabled();
}

std::uint16_t GetKeyState(int virtualKey) {
  auto& keys = WindowSystem::Current().m_keyDown;
  auto it = keys.find(virtualKey);
  return it != keys.end() && it->second ? 0x8000 : 0;
}

Point GetCursorPos() { return WindowSystem::Current().m_pointer; }

HWND WindowFromPoint(Point) { return kNullWindow; }

bool IsApplicationActive() { return WindowSystem::Current().m_appActive; }

std::optional<LRESULT> DefInputProc(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

void ForgetWindowInput(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  if (ws.m_focus == h) ws.m_focus = kNullWindow;
  if (ws.m_active == h) ws.m_active = kNullWindow;
  if (ws.m_capture == h) ws.m_capture = kNullWindow;
  if (ws.m_hover == h) ws.m_hover = kNullWindow;
}

}  // namespace tappomat
