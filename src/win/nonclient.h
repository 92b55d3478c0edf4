#pragma once
// The non-client protocol of the window system, as DefWindowProc carries it out. The
// frame's geometry, hit-testing and look come from the window's frame object
// (window_frame.h: the classic frame of nonclient_layout.h and frame_painter.h unless
// another is set).
//   WM_NCCALCSIZE     the client rectangle from the window's frame; lParam
//                     points to the new window rectangle (NCCALCSIZE_PARAMS::rgrc[0] with
//                     wParam 1), in the parent's coordinates, and receives the client
//                     rectangle in the same coordinates; returns 0
//   WM_NCHITTEST      lParam a screen point: HTNOWHERE outside the window or its region,
//                     else the part under it, as the window's frame says
//   WM_NCPAINT        the window's frame (the classic one: frame_painter.h and the
//                     scroll bars of scroll_bar_painter.h); wParam 0 (the whole frame) or a
//                     const Region* in window coordinates to limit it to
//   WM_NCACTIVATE     wParam 1/0: remembers the state and repaints the frame (not when
//                     lParam is -1); returns 1
//   WM_NCLBUTTONDOWN  HTCAPTION: WM_SYSCOMMAND SC_MOVE | HTCAPTION with the press point;
//                     a caption button: pushed while held over it, its WM_SYSCOMMAND on
//                     release over it; HTVSCROLL / HTHSCROLL: WM_SYSCOMMAND SC_VSCROLL /
//                     SC_HSCROLL
//   WM_NCLBUTTONDBLCLK  the caption maximises or restores a window with WS_MAXIMIZEBOX;
//                     the icon closes the window; a scroll bar takes it as a press
//   WM_SYSCOMMAND     SC_MOVE | HTCAPTION, lParam the screen point of a press: the modal
//                     move loop (WM_ENTERSIZEMOVE, the window follows the pointer with
//                     WM_MOVING and SetWindowPos until the button is released, Escape
//                     restores it, WM_EXITSIZEMOVE). SC_MOVE with 0 in the low four bits
//                     (what a window menu's "Move" sends; lParam unused): the keyboard move
//                     loop (WM_ENTERSIZEMOVE; the pointer is put on the middle of the
//                     caption with the move cursor; arrow keys move the window 8 pixels,
//                     1 with Ctrl, and the pointer moves it as in the mouse loop, both
//                     with WM_MOVING and SetWindowPos; Enter or a click keeps it, Escape or
//                     losing the capture or the activation restores it; WM_EXITSIZEMOVE).
//                     A minimised or maximised top-level window does not move.
//                     SC_MAXIMIZE: the top-level window fills the work area; SC_RESTORE:
//                     back from that; SC_VSCROLL / SC_HSCROLL: scroll-bar tracking
//                     (scroll_bar.h). The other commands are left to defwnd.cpp.
// Not implemented: sizing by the borders (SC_SIZE; the borders hit-test as sizing
// borders, but a press on them does nothing), the system menu.
// Implemented in nonclient.cpp.
#include <optional>

#include "gdi/device_context.h"
#include "imaging/bitmap32.h"
#include "win/nonclient_layout.h"
#include "win/window_system.h"

namespace tappomat {

// The small icon shown at the left of the caption (windows with WS_SYSMENU, not tool
// windows). Premultiplied alpha; scaled to SM_CXSMICON x SM_CYSMICON. An empty bitmap
// removes it. For top-level windows the platform gets it too.
void SetWindowIcon(HWND h, const Bitmap32& icon);
Bitmap32 GetWindowIcon(HWND h);

// The layout of a window's non-client area with its current styles, size and icon, the
// scroll bars placed beside its actual client rectangle.
NonClientLayout GetNonClientLayout(HWND h);

// For the other files of win/: the non-client part of DefWindowProc (nullopt: not one of
// its messages), and the default frame drawn into a context whose origin is the window's
// origin (WM_NCPAINT, WM_PRINT with PRF_NONCLIENT).
std::optional<LRESULT> DefNonClientProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
void PaintDefaultNonClient(HWND h, DeviceContext& windowDc);

}  // namespace tappomat
