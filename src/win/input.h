#pragma once
// Input routing of the window system: native input becomes mouse and keyboard messages;
// capture, focus, activation and enabling. Implemented in input.cpp.
#include <cstdint>
#include <optional>

#include "win/window_system.h"

namespace tappomat {

HWND SetCapture(HWND h);
bool ReleaseCapture();
HWND GetCapture();
// Gives the keyboard focus to a window (WM_KILLFOCUS, WM_SETFOCUS); activates its
// top-level window first when needed. Returns the window that had the focus.
HWND SetFocus(HWND h);
HWND GetFocus();
HWND SetActiveWindow(HWND h);
HWND GetActiveWindow();
bool EnableWindow(HWND h, bool enable);  // returns true when it was disabled before
bool IsWindowEnabled(HWND h);
// Key state as of the message being processed: bit 15 down, bit 0 toggled.
std::uint16_t GetKeyState(int virtualKey);
Point GetCursorPos();
// The visible, enabled-or-not window at a screen point, asking WM_NCHITTEST so that
// HTTRANSPARENT windows are looked through.
HWND WindowFromPoint(Point screen);
// True when one of our windows is active.
bool IsApplicationActive();

// For the other files of win/: the input part of DefWindowProc (nullopt: not an input
// message), and forgetting a window that is being destroyed.
std::optional<LRESULT> DefInputProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
void ForgetWindowInput(HWND h);

}  // namespace tappomat
