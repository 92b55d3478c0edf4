#pragma once
// Input routing of the window system: native pointer, key and window
// events become mouse and keyboard messages (hit-testing through WM_NCHITTEST, capture,
// double clicks, enter/leave), and the keyboard focus, activation of top-level windows and
// enabling are kept here. The component layer builds its mouse, key, focus and activation
// handling on these messages.
//
// Files: input.cpp (native event queue, key state, DefInputProc), mouse_input.cpp,
// keyboard_input.cpp, native_window_events.cpp (focus in/out, close, configure, expose),
// hit_test.cpp (WindowFromPoint), top_level_order.cpp, capture.cpp, focus.cpp,
// activation.cpp, enabling.cpp; input_routing.h is their private interface.
//
// Message parameters:
//   mouse messages   lParam client point (WM_NC*: screen point), wParam MK_* (WM_NC*: hit code)
//   WM_MOUSEWHEEL    HIWORD(wParam) signed delta, LOWORD MK_*, lParam screen point
//   WM_SETCURSOR     wParam the window under the pointer, lParam MAKELPARAM(hit, mouse message)
//   WM_MOUSEACTIVATE wParam the top-level window, lParam MAKELPARAM(hit, mouse message)
//   WM_KEY*          wParam virtual key (VK_SHIFT, VK_CONTROL, VK_MENU for either side),
//                    lParam repeat count 1, bit 29 Alt down, bit 30 previous state, bit 31 up
//   WM_CHAR          wParam the code point (UTF-32)
//   WM_SETFOCUS / WM_KILLFOCUS  wParam the other window (HandleToWParam)
//   WM_ACTIVATE      LOWORD(wParam) WA_*, HIWORD minimized; lParam the other window
//   WM_NCACTIVATE    wParam 1/0; WM_ACTIVATEAPP wParam 1/0
//   WM_CAPTURECHANGED lParam the new capture window (HandleToWParam), 0 when released
//   CM_MOUSEENTER / CM_MOUSELEAVE  wParam 0, lParam 0 (followed by WM_MOUSELEAVE on leave)
#include <cstdint>
#include <optional>

#include "win/window_system.h"

namespace tappomat {

// What a WH_CBT hook receives with HCBT_ACTIVATE (lParam points to it).
struct CBTACTIVATESTRUCT {
  bool fMouse = false;  // activated by a click
  HWND hWndActive;      // the window active until now
};

// The capture window receives every mouse message as a client message, wherever the
// pointer is. SetCapture(null) releases it. Return the window that had the capture.
HWND SetCapture(HWND h);
bool ReleaseCapture();
HWND GetCapture();

// Gives the keyboard focus to a window (WM_KILLFOCUS, WM_SETFOCUS); activates its
// top-level window first when needed. Returns the window that had the focus, or null when
// refused: a destroyed window, a window that is disabled or has a disabled parent, a
// minimized top-level, or a WH_CBT hook that says no (HCBT_SETFOCUS). SetFocus(null)
// takes the focus away.
HWND SetFocus(HWND h);
HWND GetFocus();
// Activates the top-level window of `h` (null: deactivates the active one). Returns the
// window that was active, or null when refused (disabled window, HCBT_ACTIVATE hook).
HWND SetActiveWindow(HWND h);
HWND GetActiveWindow();
bool EnableWindow(HWND h, bool enable);  // returns true when it was disabled before
bool IsWindowEnabled(HWND h);
// Key state as of the message being processed: bit 15 down, bit 0 toggled.
std::uint16_t GetKeyState(int virtualKey);
Point GetCursorPos();
// The deepest visible, enabled window at a screen point, asking WM_NCHITTEST so that
// HTTRANSPARENT windows are looked through; null over a disabled top-level window.
HWND WindowFromPoint(Point screen);
// True when one of our windows is active.
bool IsApplicationActive();

// For the other files of win/: the input part of DefWindowProc (nullopt: not its message),
// forgetting a window that is being destroyed, a window that was just hidden, and keeping
// the stacking order of top-level windows (SetWindowPos restacks through it).
std::optional<LRESULT> DefInputProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
void ForgetWindowInput(HWND h);
void WindowHidden(HWND h);
void RestackTopLevelOrder(HWND h, HWND insertAfter);

}  // namespace tappomat
