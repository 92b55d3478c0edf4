#pragma once
// Painting of the window system: update regions, WM_PAINT, device contexts over the
// top-level back buffer, composition and presentation, layered windows.
// Implemented in paint.cpp.
#include <optional>

#include "gdi/device_context.h"
#include "win/window_system.h"

namespace tappomat {

struct PAINTSTRUCT {
  std::optional<DeviceContext> dc;
  bool fErase = false;  // the background still has to be erased
  Rect rcPaint;         // client coordinates
};

// Client-area device context of a window, clipped to its visible part; drawing through
// it marks the area for presentation. nullopt for a window that cannot be drawn.
std::optional<DeviceContext> GetDC(HWND h);
// The same for the whole window, non-client area included (window coordinates).
std::optional<DeviceContext> GetWindowDC(HWND h);
DeviceContext& BeginPaint(HWND h, PAINTSTRUCT& ps);
void EndPaint(HWND h, PAINTSTRUCT& ps);

bool InvalidateRect(HWND h, const std::optional<Rect>& clientRect, bool erase);
bool InvalidateRgn(HWND h, const Region& clientRegion, bool erase);
bool ValidateRect(HWND h, const std::optional<Rect>& clientRect);
bool UpdateWindow(HWND h);
bool RedrawWindow(HWND h, const std::optional<Rect>& clientRect, const Region* clientRegion,
                  UINT flags);
bool GetUpdateRect(HWND h, Rect& clientRect);

enum : UINT { LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2 };
enum : UINT { ULW_COLORKEY = 0x1, ULW_ALPHA = 0x2, ULW_OPAQUE = 0x4 };
// Layered top-level windows: the picture (premultiplied alpha) and a constant alpha,
// optionally moving the window; or a colour key and whole-window alpha.
bool UpdateLayeredWindow(HWND h, const std::optional<Point>& screenPos, const Bitmap32& picture,
                         std::uint8_t constantAlpha);
bool SetLayeredWindowAttributes(HWND h, ColorRef key, std::uint8_t alpha, UINT flags);

// For the other files of win/.
std::optional<LRESULT> DefPaintProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// A window's visible area changed (shown, hidden, moved, sized, restacked): `exposed` is
// the part of its top-level window (window coordinates of the top-level) to repaint.
void InvalidateTopLevelArea(HWND topLevel, const Region& exposed);
// Window coordinates of `h` to coordinates of its top-level window.
Point WindowOriginInTopLevel(HWND h);

}  // namespace tappomat
