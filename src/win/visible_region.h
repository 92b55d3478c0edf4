#pragma once
// Visible regions: which pixels of its top-level window's back buffer a window may paint.
// Device contexts (paint.cpp) are clipped to them and invalidation (InvalidateTopLevelArea)
// is cut by them. Coordinates are those of the top-level window: its window rectangle's
// top-left corner is (0, 0).
//
// Every window is treated as if it had WS_CLIPCHILDREN and WS_CLIPSIBLINGS: its visible
// region excludes its visible children and the visible siblings above it (of itself and
// of each ancestor), so no window ever paints over another and a repaint of one window
// never damages the pixels of the others.
#include "imaging/region.h"
#include "win/types.h"

namespace tappomat {

enum class WindowArea {
  Window,  // the whole window, non-client area included (GetWindowDC)
  Client,  // the client area (GetDC, BeginPaint)
};

// The area of `h` limited by the client areas and window regions of its ancestors and by
// its own window region — what it would show with nothing above it. Empty when the window
// or an ancestor is hidden.
Region UnobscuredArea(HWND h, WindowArea area);

// UnobscuredArea less the visible children of `h` and the visible siblings above `h` and
// above each of its ancestors. Empty while drawing is switched off by WM_SETREDRAW for
// the window or an ancestor.
Region VisibleRegion(HWND h, WindowArea area);

// The window's rectangle cut by its own window region: what it covers of whatever lies
// below it, before any clipping by ancestors.
Region WindowShapeInTopLevel(HWND h);

// True when WM_SETREDRAW has not switched drawing off for the window or an ancestor.
bool IsRedrawEnabled(HWND h);

}  // namespace tappomat
