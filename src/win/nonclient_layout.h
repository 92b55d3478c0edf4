#pragma once
// NonClientLayout: where the parts of the classic non-client area lie — window frame,
// caption and its buttons, client edge, scroll bars, size box and client area — for a
// window's styles and size. Pure geometry, computed in one place for WM_NCCALCSIZE,
// WM_NCHITTEST, the frame painter and the scroll-bar geometry, so they cannot disagree.
//
// The sizes follow the classic look (system metrics of gdi/system_metrics.h), from
// the outside in:
//   static edge   1 (WS_EX_STATICEDGE without WS_EX_DLGMODALFRAME)
//   window edge   2 (WS_THICKFRAME, WS_DLGFRAME, WS_EX_DLGMODALFRAME; not with a static edge)
//   sizing line   SM_CXFRAME - SM_CXDLGFRAME = 1 (WS_THICKFRAME)
//   border line   1 (WS_BORDER or WS_DLGFRAME, or WS_EX_DLGMODALFRAME)
//   caption       SM_CYCAPTION (19) or SM_CYSMCAPTION (15) with WS_EX_TOOLWINDOW, its bottom
//                 line included, when WS_CAPTION (WS_BORDER | WS_DLGFRAME) is set
//   client edge   SM_CXEDGE = 2 (WS_EX_CLIENTEDGE)
//   scroll bars   SM_CXVSCROLL right (left with WS_EX_LEFTSCROLLBAR), SM_CYHSCROLL at the
//                 bottom, each only when it fits
// So WS_CAPTION gives a 3-pixel frame (SM_CXFIXEDFRAME), WS_CAPTION | WS_THICKFRAME 4
// (SM_CXFRAME), WS_BORDER 1, and WS_THICKFRAME without a border bit 3.
#include <cstdint>

#include "imaging/geometry.h"
#include "win/types.h"

namespace tappomat {

struct NonClientLayout {
  Rect window;       // (0, 0, width, height): window coordinates
  Rect inside;       // inside the window frame, where the caption begins
  int frame = 0;     // thickness of the window frame on each side
  Rect caption;      // the caption bar and its bottom line; empty: no caption
  Rect icon;         // the 16x16 caption icon; empty: none
  Rect closeButton;  // caption buttons; empty: absent
  Rect maxButton;
  Rect minButton;
  Rect captionText;  // where the caption text may go
  Rect clientEdge;   // outer rectangle of the WS_EX_CLIENTEDGE edge; empty: none
  Rect vScroll;      // scroll-bar rectangles; empty: absent or no room
  Rect hScroll;
  Rect sizeBox;      // the square where both scroll bars meet
  Rect client;
};

// The layout of a window with these styles and this size. `hasIcon`: the window has a
// caption icon (shown only with WS_SYSMENU, not in tool windows).
NonClientLayout ComputeNonClientLayout(std::uint32_t style, std::uint32_t exStyle, Size window,
                                       bool hasIcon);

// Moves the scroll bars and the size box next to `client` (window coordinates): the window
// procedure may have chosen another client rectangle than the styles give, and the
// scroll bars stay beside the client area it was given.
void AnchorScrollBars(NonClientLayout& layout, std::uint32_t style, std::uint32_t exStyle,
                      const Rect& client);

// WM_NCHITTEST's answer for a point in window coordinates that lies inside the window
// (and its region): HTCLIENT, HTCAPTION, HTSYSMENU, the caption buttons, the sizing
// borders (WS_THICKFRAME), HTBORDER on other frames, HTVSCROLL/HTHSCROLL, HTSIZE in the
// size box, HTNOWHERE elsewhere (the client edge, for one).
LRESULT HitTestNonClient(const NonClientLayout& layout, std::uint32_t style, Point windowPoint);

}  // namespace tappomat
