// Key and text events become keyboard messages for the focus window.
//   - WM_SYSKEYDOWN/WM_SYSKEYUP instead of WM_KEYDOWN/WM_KEYUP for keys pressed with Alt
//     (but not with Ctrl+Alt, which types characters on many layouts), for Alt itself and
//     for F10; Alt's release is a WM_SYSKEYUP only when no other key came in between, so
//     that a lone Alt tap can open a menu.
//   - With no focus window the keys go to the active window, all as WM_SYS* messages.
//   - Text typed through the input method becomes one WM_CHAR per code point (WM_SYSCHAR
//     with Alt).
//   - Nothing goes to a disabled window.
#include "gdi/text_layout.h"
#include "platform/virtual_keys.h"
#include "win/input_routing.h"

namespace tappomat {
namespace {

// Left and right modifier keys arrive as the one generic code (VK_SHIFT, VK_CONTROL, VK_MENU).
int GenericKey(int virtualKey) {
  switch (virtualKey) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
  }
  return virtualKey;
}

constexpr LPARAM kAltDownBit = LPARAM{1} << 29;
constexpr LPARAM kPreviousStateBit = LPARAM{1} << 30;
constexpr LPARAM kReleasedBit = static_cast<LPARAM>(std::uint32_t{1} << 31);

bool AltWithoutCtrl(const WindowSystem& ws) {
  return IsKeyDown(ws, VK_MENU) && !IsKeyDown(ws, VK_CONTROL);
}

// Whether a key makes WM_SYS* messages; keeps the "Alt alone" state up to date.
bool IsSystemKey(WindowSystem& ws, int key, bool down) {
  if (key == VK_MENU) {
    if (down) {
      ws.m_altAlone = !IsKeyDown(ws, VK_CONTROL);
      return ws.m_altAlone;
    }
    const bool alone = ws.m_altAlone;
    ws.m_altAlone = false;
    return alone;
  }
  if (key == VK_CONTROL) {
    // Ctrl released while Alt is still down is a system key again.
    const bool system = !down && IsKeyDown(ws, VK_MENU);
    if (system || down) ws.m_altAlone = false;
    return system;
  }
  ws.m_altAlone = false;
  return key == VK_F10 || AltWithoutCtrl(ws);
}

// The focus window, or the active window when nothing has the focus (`system` is then
// forced). Null when there is none or it is disabled.
HWND KeyboardTarget(WindowSystem& ws, bool& system) {
  HWND target = ws.m_focus;
  if (!ws.Find(target)) {
    target = ws.m_active;
    system = true;
  }
  return ws.Find(target) && IsEnabledUpToTop(target) ? target : kNullWindow;
}

}  // namespace

void TranslateKeyEvent(WindowSystem& ws, const NativeEvent& event) {
  const bool down = event.type == NativeEvent::Type::KeyDown;
  const int key = GenericKey(event.virtualKey);
  const bool wasDown = IsKeyDown(ws, key);
  ApplyModifiers(ws, event.modifiers);
  ws.m_keyDown[event.virtualKey] = down;
  ws.m_keyDown[key] = down;
  if (down && !wasDown) ws.m_keyToggled[key] = !ws.m_keyToggled[key];

  bool system = IsSystemKey(ws, key, down);
  const HWND target = KeyboardTarget(ws, system);
  if (!target) return;
  LPARAM lParam = 1;  // repeat count
  if (IsKeyDown(ws, VK_MENU)) lParam |= kAltDownBit;
  if (!down || event.autoRepeat || wasDown) lParam |= kPreviousStateBit;
  if (!down) lParam |= kReleasedBit;
  const UINT message =
      down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  QueueInputMessage(ws, target, message, static_cast<WPARAM>(key), lParam);
}

void TranslateTextEvent(WindowSystem& ws, const NativeEvent& event) {
  bool system = AltWithoutCtrl(ws);
  const HWND target = KeyboardTarget(ws, system);
  if (!target) return;
  const LPARAM lParam = 1 | (IsKeyDown(ws, VK_MENU) ? kAltDownBit : 0);
  const std::string_view text = event.text;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t codepoint = NextCodepoint(text, pos);
    // Bytes that are not UTF-8 are dropped; a U+FFFD that was really typed is kept.
    if (codepoint == 0xFFFD && text.substr(start, pos - start) != "\xEF\xBF\xBD") continue;
    QueueInputMessage(ws, target, system ? WM_SYSCHAR : WM_CHAR, codepoint, lParam);
  }
}

// Alt+F4 asks the top-level window to close (WM_CLOSE) by default.
void DefSysKeyDown(HWND h, WPARAM wParam, LPARAM lParam) {
  if (wParam == static_cast<WPARAM>(VK_F4) && (lParam & kAltDownBit)) {
    PostMessage(GetAncestor(h, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE);
  }
}

}  // namespace tappomat
