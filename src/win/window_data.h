#pragma once
// WindowData: everything the window system keeps for one window. Internal to win/; the
// rest of the program sees only HWND and the functions of window_system.h.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap32.h"
#include "imaging/region.h"
#include "platform/platform.h"
#include "win/types.h"

namespace tappomat {

struct WindowClass;
class WindowFrame;

// Scroll-bar state of a window with WS_HSCROLL or WS_VSCROLL.
struct ScrollBarState {
  int min = 0;
  int max = 100;
  int page = 0;
  int pos = 0;
  int trackPos = 0;
  unsigned disabledArrows = 0;  // ESB_DISABLE_LTUP / ESB_DISABLE_RTDN bits (scroll_bar.h)
  int pressedPart = 0;          // ScrollBarPart drawn pushed while the mouse holds it
  bool thumbTracking = false;   // the thumb is being dragged and is drawn at trackPos
};

// Non-client state kept by nonclient.cpp: what the default frame shows.
struct NonClientState {
  WindowFrame* frame = nullptr;  // null: the classic frame (window_frame.h)
  bool active = false;       // as last told by WM_NCACTIVATE
  Bitmap32 icon;             // the small caption icon; empty: none
  LRESULT pushedButton = 0;  // HTCLOSE / HTMINBUTTON / HTMAXBUTTON drawn pushed; 0 none
  Rect restoreRect;          // the rectangle before SC_MAXIMIZE
};

// Paint bookkeeping of one window.
struct WindowPaintState {
  Region update;              // client coordinates
  bool erase = false;         // WM_ERASEBKGND due with the next BeginPaint
  bool frame = false;         // WM_NCPAINT due
  bool internalPaint = false; // WM_PAINT due even with an empty update region
  bool redraw = true;         // WM_SETREDRAW
  bool inPaint = false;       // between BeginPaint and EndPaint
};

// State that only top-level windows have: the native window and its pictures.
struct TopLevelState {
  NativeWindowId native = kNoNativeWindow;
  Bitmap32 backBuffer;  // window-sized picture composed by painting
  Region dirty;         // window coordinates; presented when the loop is idle
  bool layered = false;       // WS_EX_LAYERED
  bool updateLayered = false; // the picture comes from UpdateLayeredWindow
  Bitmap32 layeredPicture;
  std::uint8_t constantAlpha = 255;
  bool colorKeyed = false;
  std::uint32_t colorKey = 0;  // ColorRef
  bool minimized = false;
  bool maximized = false;
  bool defaultPosition = false;  // created at CW_USEDEFAULT: the window manager places it
};

struct WindowData {
  HWND handle;
  const WindowClass* windowClass = nullptr;
  std::string text;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  HWND parent;                // child windows only
  HWND owner;                 // owned top-level windows
  std::vector<HWND> children;  // z-order, topmost first
  Rect windowRect;  // children: in the parent's client coordinates; top-level: screen
  Rect clientRect;  // relative to the window rectangle's top-left corner
  WNDPROC proc;
  std::map<std::string, std::intptr_t, std::less<>> props;
  std::intptr_t userData = 0;
  int id = 0;
  std::optional<Region> region;  // window region, window coordinates
  WindowPaintState paint;
  ScrollBarState hScroll;
  ScrollBarState vScroll;
  NonClientState nonClient;
  TopLevelState top;
  bool destroying = false;

  bool IsChild() const;
  bool IsVisible() const;
  bool IsEnabled() const;
};

// The part of a top-level window that takes the pointer, for a window shaped by `shape`
// (none: the whole window): none at all for a window that lets the pointer through
// (WS_EX_TRANSPARENT: glows and other overlays).
std::optional<Region> InputShapeOf(const WindowData& w, const std::optional<Region>& shape);

}  // namespace tappomat
