#pragma once
// Painting of the window system: update regions, WM_PAINT, device contexts over the
// top-level back buffer, composition and presentation, layered windows.
// Implemented in paint.cpp (update regions, WM_PAINT, device contexts, WM_PRINT),
// visible_region.cpp (clipping) and presenter.cpp (back buffers, presenting, layered
// windows).
//
// The painting model
// ------------------
// Back buffers. Each top-level window has a window-sized back buffer
// (TopLevelState::backBuffer, reallocated when the window's size changes) into which it
// and all its children paint; child windows have no buffers of their own.
//
// Device contexts. GetDC, GetWindowDC and BeginPaint hand out gdi DeviceContexts over the
// top-level back buffer, with the origin at the window's client origin (window origin for
// GetWindowDC) and a clip region that is the requested area cut to the window's visible
// part: its rectangle, every ancestor's client area and all window regions, less its
// visible children and the visible siblings above it that overlap it — always, as if
// every window had WS_CLIPCHILDREN and WS_CLIPSIBLINGS (visible_region.h). A context
// refers to the back buffer: it must not be kept across a size change of its top-level
// window or the top-level window's destruction, and it must not be used to select a clip
// region larger than the one it came with.
//
// Presentation. Whatever a context may have drawn is added to the top-level's dirty
// region (GetDC and GetWindowDC: their whole clip region at once; BeginPaint: its clip
// region at EndPaint). WindowSystem::PresentDirty, which the loop calls when it becomes
// idle, shows the dirty regions through Platform::Present; RDW_UPDATENOW (UpdateWindow)
// presents the painted top-level window at once. Repaints are coalesced: any number of
// invalidations before the loop is idle give one WM_PAINT per window and one
// presentation per top-level window.
//
// Update regions. Each window keeps an update region (client coordinates), an erase flag
// (WM_ERASEBKGND due), a frame flag (WM_NCPAINT due) and an internal-paint flag
// (WindowPaintState). Invalidating a hidden window does nothing: showing it
// invalidates it whole. RedrawWindow reaches the children lying in the area when the
// window lacks WS_CLIPCHILDREN or RDW_ALLCHILDREN is given (never with RDW_NOCHILDREN).
// Because every window clips its children, a parent's repaint never
// damages them, so this only decides which children are asked to paint again — those of
// a parent without WS_CLIPCHILDREN, whose look may depend on the parent's, are; the
// children reached always get WM_ERASEBKGND and, where the area reaches their frame,
// WM_NCPAINT. InvalidateTopLevelArea invalidates every window (frame and client) that
// shows in an area of a top-level window: the window system calls it for windows that
// are shown, hidden, moved, sized or restacked, and for native expose events.
//
// WM_PAINT. The loop asks WindowSystem::TakePaint after posted messages and input: it
// gives WM_PAINT for a shown window whose drawing is on (WM_SETREDRAW) and that has a
// non-empty update region or the internal-paint flag, parents before their children, so
// children paint over their parents; a child waits while its parent still has to paint.
// WM_PAINT stays until the window is validated (BeginPaint validates; DefWindowProc's
// WM_PAINT does BeginPaint and EndPaint); the internal-paint flag is taken with the
// message. A window whose frame alone is invalid gets WM_NCPAINT at once instead.
// Windows that show an UpdateLayeredWindow picture and minimised windows are not painted.
//
// BeginPaint sends WM_NCPAINT when the frame flag is set and WM_ERASEBKGND (wParam: the
// DeviceContext*) when the erase flag is set — PAINTSTRUCT::fErase is then !result —
// fills the PAINTSTRUCT (rcPaint: the clip box, client coordinates) and returns the
// context clipped to the update region, validating the window. DefWindowProc's
// WM_ERASEBKGND fills the client area with the class background (WindowClass::background,
// system colour index + 1) and returns 1, or returns 0 when the class has none.
// WM_NCPAINT (wParam 0: the whole frame, or a const Region* in window coordinates) is
// drawn by DefWindowProc with the classic frame (nonclient.h).
//
// WM_SETREDRAW (wParam 0/1). While off, the window and its children are not painted and
// their contexts draw nothing; invalidations still accumulate. Turning it on repaints
// nothing by itself: callers invalidate afterwards, once their changes are done.
//
// WM_PRINT (wParam: DeviceContext*, origin at the window origin; lParam: PRF_*) draws the
// window into any context: PRF_CHECKVISIBLE skips a hidden window, PRF_NONCLIENT draws
// the default frame, PRF_ERASEBKGND sends WM_ERASEBKGND and PRF_CLIENT WM_PRINTCLIENT with
// the context moved to the client origin and clipped to the client area, PRF_CHILDREN
// sends WM_PRINT to the visible children, bottom first, with the context moved to each.
// DefWindowProc does nothing with WM_PRINTCLIENT: windows that can print themselves
// handle it.
//
// Layered windows (WS_EX_LAYERED top-level windows). UpdateLayeredWindow gives the window
// a picture (premultiplied alpha) and a constant alpha, shown with
// Platform::PresentLayered; the window takes the picture's size and stops getting
// WM_PAINT (an exposed area presents the picture again). SetLayeredWindowAttributes: LWA_ALPHA sets the whole window's opacity,
// LWA_COLORKEY makes the pixels of the key colour invisible and click-through (the
// window's shape is recomputed from the back buffer after every presentation), and the
// window paints through WM_PAINT again. A layered window that never got a picture paints
// normally.
#include <optional>

#include "gdi/device_context.h"
#include "win/window_system.h"

namespace tappomat {

struct PAINTSTRUCT {
  std::optional<DeviceContext> dc;
  bool fErase = false;  // the background still has to be erased
  Rect rcPaint;         // client coordinates
  Region painted;       // for EndPaint: what the context may draw (top-level coordinates)
};

// Client-area device context of a window, clipped to its visible part; the whole clip
// region is marked for presentation. nullopt for a handle that names no window.
std::optional<DeviceContext> GetDC(HWND h);
// The same for the whole window, non-client area included (window coordinates).
std::optional<DeviceContext> GetWindowDC(HWND h);
DeviceContext& BeginPaint(HWND h, PAINTSTRUCT& ps);
void EndPaint(HWND h, PAINTSTRUCT& ps);

// Rectangles and regions are in client coordinates; nullopt means the whole client area.
bool InvalidateRect(HWND h, const std::optional<Rect>& clientRect, bool erase);
bool InvalidateRgn(HWND h, const Region& clientRegion, bool erase);
bool ValidateRect(HWND h, const std::optional<Rect>& clientRect);
// Paints the window and its children now if they need it, and presents the result.
bool UpdateWindow(HWND h);
// RedrawWindow with all its RDW_* flags. The area is `clientRegion` if given,
// else `clientRect`, else the whole window (its non-client area matters only with
// RDW_FRAME or RDW_NOFRAME). A null handle applies the flags to every top-level window.
bool RedrawWindow(HWND h, const std::optional<Rect>& clientRect, const Region* clientRegion,
                  UINT flags);
// Bounds of the update region (client coordinates); false when it is empty.
bool GetUpdateRect(HWND h, Rect& clientRect);

enum : UINT { LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2 };
enum : UINT { ULW_COLORKEY = 0x1, ULW_ALPHA = 0x2, ULW_OPAQUE = 0x4 };
// Layered top-level windows: the picture (premultiplied alpha) and a constant alpha,
// optionally moving the window; or a colour key and whole-window alpha. Both fail for a
// window without WS_EX_LAYERED.
bool UpdateLayeredWindow(HWND h, const std::optional<Point>& screenPos, const Bitmap32& picture,
                         std::uint8_t constantAlpha);
bool SetLayeredWindowAttributes(HWND h, ColorRef key, std::uint8_t alpha, UINT flags);

// --- for the other files of win/

// The paint part of DefWindowProc: WM_PAINT, WM_ERASEBKGND, WM_SETREDRAW, WM_PRINT,
// WM_PRINTCLIENT (nullopt: not one of its messages).
std::optional<LRESULT> DefPaintProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// A window's visible area changed (shown, hidden, moved, sized, restacked) or the
// platform lost part of the picture: `exposed` is the part of the top-level window
// (window coordinates of the top-level) to repaint.
void InvalidateTopLevelArea(HWND topLevel, const Region& exposed);
// Window coordinates of `h` to coordinates of its top-level window.
Point WindowOriginInTopLevel(HWND h);
// Marks the whole non-client area for WM_NCPAINT (nothing for a hidden window).
void InvalidateNonClient(HWND h);
// A device context over the non-client area of a visible window (window coordinates),
// cut to `windowArea` when given and marked for presentation; WM_NCPAINT draws into it.
std::optional<DeviceContext> GetNonClientDC(HWND h, const Region* windowArea);

}  // namespace tappomat
