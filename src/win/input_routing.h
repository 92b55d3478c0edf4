#pragma once
// The private interface between the files of input routing (see input.h for the list).
// Nothing outside those files includes it.
#include <vector>

#include "win/input.h"

namespace tappomat {

// --- the native event queue (input.cpp)
// Appends a message for TakeInput to hand out, stamped with the clock and the pointer.
void QueueInputMessage(WindowSystem& ws, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// Shift, Control and Alt as a pointer or key event reports them.
void ApplyModifiers(WindowSystem& ws, unsigned modifiers);
bool IsKeyDown(const WindowSystem& ws, int virtualKey);
// The MK_* bits of mouse messages from the current key state.
WPARAM MouseKeyState(const WindowSystem& ws);
// The window and all its parents up to the top-level window are enabled.
bool IsEnabledUpToTop(HWND h);

// --- translators: one native event becomes sent messages and queued ones
void TranslatePointerEvent(WindowSystem& ws, NativeWindowId native, const NativeEvent& event);
void TranslateKeyEvent(WindowSystem& ws, const NativeEvent& event);
void TranslateTextEvent(WindowSystem& ws, const NativeEvent& event);
void TranslateWindowEvent(WindowSystem& ws, NativeWindowId native, const NativeEvent& event);

// --- mouse (mouse_input.cpp)
// Changes the window under the pointer: CM_MOUSELEAVE and WM_MOUSELEAVE to the old one,
// CM_MOUSEENTER to the new one.
void SetHover(WindowSystem& ws, HWND under);
LRESULT DefSetCursor(HWND h, WPARAM wParam, LPARAM lParam);
LRESULT DefMouseActivate(HWND h, WPARAM wParam, LPARAM lParam);

// --- keyboard (keyboard_input.cpp)
void DefSysKeyDown(HWND h, WPARAM wParam, LPARAM lParam);

// --- hit-testing (hit_test.cpp)
struct HitResult {
  HWND hwnd;                // null: none of our windows
  LRESULT hit = HTNOWHERE;  // HTERROR for a disabled top-level window
};
// The window under a screen point and its hit-test code. `firstTop` (may be null) is the
// top-level window the platform delivered the event to, which knows the real stacking;
// it is asked first, then the others topmost first.
HitResult HitTestScreen(Point screen, HWND firstTop);

// --- stacking of top-level windows (top_level_order.cpp)
std::vector<HWND> TopLevelZOrder();  // topmost first
// Puts a top-level window above the others of its band, its owned windows above it.
void RaiseTopLevel(HWND top);

// --- focus and activation (focus.cpp, activation.cpp)
enum class ActivationCause {
  Program,        // SetActiveWindow, SetFocus, showing: the platform is told and raises
  Mouse,          // a click (WA_CLICKACTIVE); the window manager already focused it
  WindowManager,  // the window manager gave one of our windows the focus
};
// What happens to the focus after an activation: SetActiveWindow and clicks keep it inside
// the new active window (removed for a minimized one); SetFocus places it itself.
enum class FocusAfterActivation { KeepInside, LeaveToCaller };
// Activates a top-level window (null: none) with the activation messages. False when
// refused.
bool ActivateWindow(HWND top, ActivationCause cause, FocusAfterActivation focus);
// Another application became active: deactivation messages, no focus, no active window.
void DeactivateApplication();
// A click on, or the window manager's focus for, a disabled top-level window (an owner
// under a modal dialog): its enabled owned window is activated instead.
void ActivateInsteadOfDisabled(HWND disabledTop);
// The active window is going away (hidden): its owner or the next window below it
// becomes active, so the application keeps an active window.
void ActivateOtherWindow(HWND leaving);
// WM_ACTIVATE of DefWindowProc: an activated window that is not minimized takes the focus.
void DefActivate(HWND h, WPARAM wParam);
// Moves the focus without the checks of SetFocus (WM_KILLFOCUS, WM_SETFOCUS).
HWND ChangeFocus(HWND h);

}  // namespace tappomat
