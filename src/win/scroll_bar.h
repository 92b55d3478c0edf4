#pragma once
// Window scroll bars (WS_HSCROLL / WS_VSCROLL): their state as SCROLLINFO describes it,
// the functions that read and change it, their geometry for the painters and for a skin
// engine (GetScrollBarInfo), and their mouse behaviour (scroll_bar_tracking.cpp), which
// turns clicks and drags into WM_HSCROLL / WM_VSCROLL for the window (lParam 0). A scroll
// bar never moves by itself: the window answers WM_VSCROLL by calling SetScrollInfo or
// SetScrollPos.
//
// The rule for hiding: when a SetScrollInfo call that sets the range or the page
// changes something and leaves nothing to scroll (max - min < page, or max == min), the
// bar is hidden (its style bit cleared and the frame recalculated); with
// SIF_DISABLENOSCROLL it stays and is disabled instead. Setting a scrollable range or page
// shows and enables it again, except by a call that sets only the page.
//
// Not implemented: scroll-bar controls (SB_CTL), keyboard scrolling, and the thumb
// jumping back when the pointer strays far from the bar while dragging it.
#include <cstdint>
#include <optional>

#include "win/window_system.h"

namespace tappomat {

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

enum : UINT {
  SIF_RANGE = 0x01, SIF_PAGE = 0x02, SIF_POS = 0x04, SIF_DISABLENOSCROLL = 0x08,
  SIF_TRACKPOS = 0x10, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS,
};

// Which bar; SB_CTL (scroll-bar controls) is not supported and fails.
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

// EnableScrollBar arrows.
enum : UINT {
  ESB_ENABLE_BOTH = 0, ESB_DISABLE_LTUP = 1, ESB_DISABLE_LEFT = 1, ESB_DISABLE_UP = 1,
  ESB_DISABLE_RTDN = 2, ESB_DISABLE_RIGHT = 2, ESB_DISABLE_DOWN = 2, ESB_DISABLE_BOTH = 3,
};

// WM_SYSCOMMAND codes with which DefWindowProc starts tracking a scroll bar.
enum : WPARAM { SC_HSCROLL = 0xF080, SC_VSCROLL = 0xF070 };

// Sets the parts of the state named by fMask and returns the new position, which is kept
// within [nMin, nMax - max(nPage - 1, 0)]; the page is kept within 0..nMax - nMin + 1. An
// inverted range becomes 0..0. Hides, shows, disables or enables the bar by the rule above
// and, with `redraw`, repaints it.
int SetScrollInfo(HWND h, int bar, const SCROLLINFO& info, bool redraw);
// Fills the parts named by fMask; nTrackPos is the dragged thumb's position while the
// thumb is dragged, else the position. False for SB_CTL or an unknown window.
bool GetScrollInfo(HWND h, int bar, SCROLLINFO& info);
int SetScrollPos(HWND h, int bar, int pos, bool redraw);  // returns the previous position
int GetScrollPos(HWND h, int bar);
bool SetScrollRange(HWND h, int bar, int min, int max, bool redraw);
bool GetScrollRange(HWND h, int bar, int& min, int& max);
// Sets or clears WS_VSCROLL / WS_HSCROLL (SB_BOTH: both) and recalculates the frame with
// SWP_FRAMECHANGED.
bool ShowScrollBar(HWND h, int bar, bool show);
// ESB_* arrows to disable (SB_BOTH: both bars). False when nothing changed.
bool EnableScrollBar(HWND h, int bar, UINT arrows);

// GetScrollBarInfo for window scroll bars.
enum : std::int32_t { OBJID_CLIENT = -4, OBJID_VSCROLL = -5, OBJID_HSCROLL = -6 };
enum : std::uint32_t {
  STATE_SYSTEM_UNAVAILABLE = 0x00000001, STATE_SYSTEM_PRESSED = 0x00000008,
  STATE_SYSTEM_INVISIBLE = 0x00008000, STATE_SYSTEM_OFFSCREEN = 0x00010000,
};
struct SCROLLBARINFO {
  UINT cbSize = sizeof(SCROLLBARINFO);
  Rect rcScrollBar;       // screen coordinates
  int dxyLineButton = 0;  // length of an arrow button along the bar
  int xyThumbTop = 0;     // thumb, from the start of rcScrollBar along the bar
  int xyThumbBottom = 0;
  int reserved = 0;
  // The bar, the first arrow, the page before the thumb, the thumb, the page after it and
  // the second arrow: STATE_SYSTEM_* bits.
  std::uint32_t rgstate[6] = {};
};
// idObject: OBJID_VSCROLL or OBJID_HSCROLL.
bool GetScrollBarInfo(HWND h, std::int32_t idObject, SCROLLBARINFO& info);

// --- for the other files of win/

enum class ScrollBarPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

// Where a window's scroll bar and its parts lie, in window coordinates. Offsets run along
// the bar from its top (vertical) or left (horizontal) end.
struct ScrollBarGeometry {
  int bar = SB_VERT;
  Rect rect;
  bool vertical = true;
  int arrowSize = 0;  // each arrow button's length
  int thumbPos = 0;   // offset of the thumb
  int thumbSize = 0;  // 0: no thumb (no room, or nothing to scroll while disabled)

  int Length() const { return vertical ? rect.Height() : rect.Width(); }
  // The rectangle of a part (empty for a thumb that is not shown).
  Rect PartRect(ScrollBarPart part) const;
  // The part under a point (window coordinates); None outside the bar.
  ScrollBarPart PartAt(Point p) const;
  // Offset along the bar of a point (window coordinates).
  int Along(Point p) const { return vertical ? p.y - rect.top : p.x - rect.left; }
};

ScrollBarState* FindScrollBarState(HWND h, int bar);
// Geometry of a shown scroll bar (SB_HORZ or SB_VERT); nullopt when the bar is absent.
// While the thumb is dragged it is placed at the track position.
std::optional<ScrollBarGeometry> GetScrollBarGeometry(HWND h, int bar);
// The scroll value for a thumb placed at `thumbPos` along the bar.
int ScrollValueAtThumb(const ScrollBarGeometry& geometry, const ScrollBarState& state, int thumbPos);
// The mouse loop behind WM_SYSCOMMAND SC_VSCROLL / SC_HSCROLL, from a press at a screen
// point on the bar (scroll_bar_tracking.cpp).
void TrackScrollBar(HWND h, int bar, Point screenPoint);

}  // namespace tappomat
